#!/usr/bin/env python3
"""Writes the small seed files of the skin-file fuzzer into corpus/skin."""
import os
import struct

def dib(w, h):
    stride = (w * 3 + 3) // 4 * 4
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, stride * h, 0, 0, 0, 0)
    return header + bytes((i * 7) & 255 for i in range(stride * h))

def skin(magic, screens, total=None, cut=None):
    records, data, first = [], b'', []
    for buttons in screens:
        first.append(len(records))
        for (x, y, w, h, kind) in buttons:
            for state in range(3):
                rec = bytearray(288)
                pic = dib(w, h) if w and state < 2 else b''
                if pic:
                    struct.pack_into('<I', rec, 272, len(data))
                    struct.pack_into('<I', rec, 280, len(pic))
                    data += pic
                if state == 2:
                    struct.pack_into('<8h', rec, 152, kind, 0, x, y, w, h, 0, 5)
                records.append(bytes(rec))
    header = bytearray(236)
    header[0:4] = magic
    struct.pack_into('<I', header, 8, len(records) if total is None else total)
    struct.pack_into('<I', header, 32, len(screens))
    for i, f in enumerate(first):
        struct.pack_into('<I', header, 36 + 4 * i, f)
    out = bytes(header) + b''.join(records) + data
    return out[:cut] if cut else out

seeds = {
    'one_screen.skin': skin(b'REZE', [[(1, 2, 3, 2, 0), (4, 5, 2, 2, 2)]]),
    'three_screens.skin': skin(b'REZE', [[(0, 0, 2, 2, 0)], [], [(1, 1, 3, 1, 3), (0, 0, 0, 0, 0)]]),
    'other_magic.skin': skin(b'PALM', [[(0, 0, 1, 1, 0)], [(2, 2, 2, 2, 0)]]),
    'truncated.skin': skin(b'REZE', [[(0, 0, 4, 4, 0)] * 3], cut=236 + 288 * 4 + 7),
    'huge_count.skin': skin(b'REZE', [[(0, 0, 2, 2, 0)]], total=0xFFFFFFF0),
}

def shared_picture(records=2000, screens=50, side=148):
    """Every record names one picture and every screen starts at record 0: once read as
    50 x 2,000 copies of it (6.6 GB from 0.6 MB)."""
    pic = dib(side, side)
    header = bytearray(236)
    header[0:4] = b'REZE'
    struct.pack_into('<II', header, 8, records, 0)
    struct.pack_into('<I', header, 32, screens)
    rec = bytearray(288)
    struct.pack_into('<I', rec, 272, 0)
    struct.pack_into('<I', rec, 280, len(pic))
    struct.pack_into('<8h', rec, 152, 0, 0, 1, 1, side, side, 0, 0)
    return bytes(header) + bytes(rec) * records + pic

seeds['shared_picture.skin'] = shared_picture()
for name, data in seeds.items():
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "skin", name), "wb") as f:
        f.write(data)
