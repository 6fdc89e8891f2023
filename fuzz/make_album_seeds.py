#!/usr/bin/python3
"""Writes the album reader's seed corpus: small albums built byte by byte as the format
lays them out, plus damaged variants. Run from this folder."""
import os
import struct

def thumbnail(width, height, shade):
    row_bytes = (width * 3 + 3) // 4 * 4
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, row_bytes * height, 2835, 2835, 0, 0)
    rows = b"".join(bytes([(shade + x + y) & 255 for x in range(width * 3)]) + b"\0" * (row_bytes - width * 3)
                    for y in range(height))
    return header + rows

def record(path, caption, width, height, thumb_w, thumb_h, thumb_size, relative=0, values=(1, 1, 1)):
    rec = bytearray(288)
    struct.pack_into("<II", rec, 0, 1234, 946684800)
    rec[8:8 + len(path)] = path
    rec[136:136 + len(caption)] = caption
    struct.pack_into("<HHH", rec, 152, *values)
    struct.pack_into("<HHHH", rec, 264, relative, 24, width, height)
    struct.pack_into("<HHI", rec, 276, thumb_w, thumb_h, thumb_size)
    return rec

def album(photos, read_only=0, count=None):
    count = len(photos) if count is None else count
    records, thumbs, offset = b"", b"", 0
    for rec, thumb in photos:
        rec = bytearray(rec)
        struct.pack_into("<I", rec, 272, offset)
        records += bytes(rec)
        thumbs += thumb
        offset += len(thumb)
    header = bytearray(144)
    header[0:4] = b"REZE"
    total = 144 + len(records) + len(thumbs)
    struct.pack_into("<III", header, 4, total, count, 144 + 288 * len(photos))
    struct.pack_into("<H", header, 142, read_only)
    return bytes(header) + records + thumbs

def photo(path, caption, w, h, shade, relative=0):
    tw, th = min(w, 5), min(h, 4)
    t = thumbnail(tw, th, shade)
    return record(path, caption, w, h, tw, th, len(t), relative), t

def main():
    out = "corpus/album"
    os.makedirs(out, exist_ok=True)
    one = album([photo(b"/fotos/praia.jpg", b"", 100, 50, 10)])
    two = album([photo(b"C:\\Fotos\\natal.bmp", b"Still Image File", 640, 480, 50),
                 photo(b"sysalbum/shapes/star.bmp", b"estrela", 5, 4, 90, relative=1)], read_only=1)
    seeds = {
        "one_photo.abm": one,
        "two_read_only.abm": two,
        "truncated.abm": two[: len(two) - 30],
        "count_1500.abm": album([photo(b"/a.jpg", b"", 8, 8, 1)], count=1500),
        "huge_thumb_size.abm": one[:144 + 280] + struct.pack("<I", 0xFFFFFFF0) + one[144 + 284:],
        "header_only.abm": one[:144],
        "not_album.abm": b"RAZE" + one[4:],
        "empty.abm": album([]),
    }
    # One block named by every record: before each thumbnail had to have bytes of its own,
    # a 2.3 MB album asked for 1,000 copies of its 2 MB block.
    block = 2 * 1024 * 1024
    shared = bytearray(album([photo(b"/fotos/p%d.jpg" % i, b"", 8, 8, i) for i in range(1000)]))
    for i in range(1000):
        struct.pack_into("<II", shared, 144 + 288 * i + 272, 0, block)
    shared = shared[:144 + 288 * 1000] + bytes(block)
    struct.pack_into("<I", shared, 4, len(shared))
    seeds["shared_thumbnail.abm"] = bytes(shared)
    for name, data in seeds.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)

if __name__ == "__main__":
    main()
