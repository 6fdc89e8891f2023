#!/usr/bin/python3
"""Writes small hostile files as fuzz seeds: each once made a reader allocate far more than
its size warrants, or decode one block many times, or refused a valid file. Standard
library only; the layered seeds patch the existing bitmaps.vlf seed."""

import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def write(folder, name, data):
    with open(os.path.join(HERE, folder, name), "wb") as f:
        f.write(data)


def bitmap(width, height, bits, compression, data, table_entries):
    table = b"".join(bytes((i, i, i, 0)) for i in range(table_entries))
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, 0, 0, 0, 0, 0)
    return b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset) + info + table + data


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def main():
    # Ten pixels, end of line, end of bitmap: a valid 64 x 64 run-length file.
    write("bmp", "rle8_eol_eob.bmp", bitmap(64, 64, 8, 1, bytes((10, 7, 0, 0, 0, 1)), 256))
    # Four bytes of run-length data for a 40000 x 40000 picture.
    write("bmp", "rle8_budget.bmp", bitmap(40000, 40000, 8, 1, bytes((0, 0, 0, 1)), 256))

    # A GIF of 30000 x 30000 with a few kilobytes of codes.
    screen = b"GIF89a" + struct.pack("<HHBBB", 30000, 30000, 0x80, 0, 0) + b"\0\0\0\xff\xff\xff"
    image = b"," + struct.pack("<HHHHB", 0, 0, 30000, 30000, 0) + b"\x02"
    codes = b"".join(b"\xff" + b"\x00" * 255 for _ in range(20)) + b"\x00;"
    write("gif", "huge_lzw.gif", screen + image + codes)

    # An LZW TIFF of 30000 x 30000 grey with 20 kB of strip data.
    data = bytes(20000)
    entries = [(256, 4, 1, 30000), (257, 4, 1, 30000), (258, 3, 1, 8), (259, 3, 1, 5), (262, 3, 1, 1),
               (273, 4, 1, 8), (277, 3, 1, 1), (278, 4, 1, 30000), (279, 4, 1, len(data))]
    ifd_at = 8 + len(data)
    ifd = struct.pack("<H", len(entries))
    for tag, kind, count, value in entries:
        ifd += struct.pack("<HHI", tag, kind, count) + (struct.pack("<HH", value, 0) if kind == 3 else struct.pack("<I", value))
    ifd += struct.pack("<I", 0)
    write("tiff", "huge_lzw.tif", b"II*\0" + struct.pack("<I", ifd_at) + data + ifd)

    # A PNG of 10000 x 10000 whose data would pass deflate's best ratio but not the budget.
    ihdr = png_chunk(b"IHDR", struct.pack(">IIBBBBB", 10000, 10000, 8, 2, 0, 0, 0))
    idat = struct.pack(">I", 300000) + b"IDAT" + bytes(300000) + b"\0\0\0\0"
    write("png", "budget.png", b"\x89PNG\r\n\x1a\n" + ihdr + idat)

    # Layered: every table entry naming the first layer's image, and a canvas made
    # plausible by zero padding.
    with open(os.path.join(HERE, "layered_stream", "bitmaps.vlf"), "rb") as f:
        good = bytearray(f.read())
    count = struct.unpack_from("<I", good, 28)[0]
    shared = bytearray(good)
    first_image = struct.unpack_from("<I", good, 48 + 28)[0]
    for i in range(1, count):
        struct.pack_into("<I", shared, 48 + 48 * i + 28, first_image)
    write("layered_stream", "shared_blocks.vlf", bytes(shared))
    padded = bytearray(good)
    struct.pack_into("<II", padded, 8, 26000, 26000)
    write("layered_stream", "padded_canvas.vlf", bytes(padded) + bytes(200000))


if __name__ == "__main__":
    main()
