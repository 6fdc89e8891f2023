#!/usr/bin/python3
"""Writes a small DNG: an uncompressed 16-bit RGGB mosaic of a picture whose left half is red
and right half blue over a grey ramp, with a linear-sRGB colour matrix, and, with --preview N,
an N-pixel-wide JPEG preview in the first directory (the raw picture then in a sub-directory),
as cameras do; with --orientation N, that TIFF orientation (1 unless given).
make_dng.py OUT WIDTH HEIGHT [--preview N] [--orientation N]"""
import io
import struct
import sys

BYTE, ASCII, SHORT, LONG, RATIONAL, SRATIONAL = 1, 2, 3, 4, 5, 10
SIZES = {BYTE: 1, ASCII: 1, SHORT: 2, LONG: 4, RATIONAL: 8, SRATIONAL: 8}
# XYZ (D65) to linear sRGB: the camera sees linear sRGB.
XYZ_TO_SRGB = [3.2406, -1.5372, -0.4986, -0.9689, 1.8758, 0.0415, 0.0557, -0.2040, 1.0570]


def colour(x, y, width, height):
    level = 0.15 + 0.5 * y / max(1, height - 1)
    return (level + 0.35, level * 0.4, level * 0.4) if x < width // 2 else (level * 0.4, level * 0.5, level + 0.35)


def mosaic(width, height):
    try:
        import numpy as np
    except ImportError:
        np = None
    if np is not None and width * height > 100000:
        y, x = np.mgrid[0:height, 0:width]
        level = 0.15 + 0.5 * y / max(1, height - 1)
        left = x < width // 2
        r = np.where(left, level + 0.35, level * 0.4)
        g = np.where(left, level * 0.4, level * 0.5)
        b = np.where(left, level * 0.4, level + 0.35)
        even_x, even_y = x % 2 == 0, y % 2 == 0
        value = np.where(even_x, np.where(even_y, r, g), np.where(even_y, g, b))
        return np.minimum(65535, value * 60000).astype("<u2").tobytes()
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            r, g, b = colour(x, y, width, height)
            value = (r if y % 2 == 0 else g) if x % 2 == 0 else (g if y % 2 == 0 else b)
            row.append(min(65535, int(value * 60000)))
        rows.append(struct.pack("<%dH" % width, *row))
    return b"".join(rows)


def preview_jpeg(width, height, preview_width):
    from PIL import Image
    preview_height = max(1, preview_width * height // width)
    picture = Image.new("RGB", (preview_width, preview_height))
    if preview_width > 256:
        small = preview_jpeg(width, height, 64)
        return preview_big(small, preview_width, preview_height)
    pixels = picture.load()
    for y in range(preview_height):
        for x in range(preview_width):
            r, g, b = colour(x, y, preview_width, preview_height)
            pixels[x, y] = tuple(min(255, int(255 * c ** (1 / 2.2))) for c in (r, g, b))
    out = io.BytesIO()
    picture.save(out, "JPEG", quality=85)
    return out.getvalue(), preview_width, preview_height


def preview_big(small, preview_width, preview_height):
    from PIL import Image
    picture = Image.open(io.BytesIO(small[0])).resize((preview_width, preview_height), Image.NEAREST)
    out = io.BytesIO()
    picture.save(out, "JPEG", quality=85)
    return out.getvalue(), preview_width, preview_height


class Directory:
    def __init__(self):
        self.entries = {}

    def add(self, tag, kind, values):
        self.entries[tag] = (kind, values)

    def encode_value(self, kind, values):
        if kind == ASCII:
            return values.encode() + b"\0", len(values) + 1
        if kind in (RATIONAL, SRATIONAL):
            code = "<i" if kind == SRATIONAL else "<I"
            data = b"".join(struct.pack(code, int(round(v * 10000))) + struct.pack("<I", 10000) for v in values)
            return data, len(values)
        code = {BYTE: "B", SHORT: "H", LONG: "I"}[kind]
        return struct.pack("<%d%s" % (len(values), code), *values), len(values)


def layout(directories, data_start):
    """Places each directory and its long values from data_start; returns bytes."""
    out = bytearray()
    offsets = []
    position = data_start
    for directory in directories:
        offsets.append(position)
        position += 2 + 12 * len(directory.entries) + 4
        for tag, (kind, values) in sorted(directory.entries.items()):
            data, _ = directory.encode_value(kind, values)
            if len(data) > 4:
                position += len(data) + (len(data) & 1)
    return offsets, position


def write(path, width, height, preview_width, orientation=1):
    raw = mosaic(width, height)
    raw_ifd = Directory()
    preview = None
    if preview_width:
        preview = preview_jpeg(width, height, preview_width)
    first = Directory() if preview else raw_ifd
    for d in {id(first): first, id(raw_ifd): raw_ifd}.values():
        pass
    first.add(271, ASCII, "Lumi Test")
    first.add(272, ASCII, "Mosaic One")
    first.add(274, SHORT, [orientation])
    first.add(50706, BYTE, [1, 4, 0, 0])
    first.add(50708, ASCII, "Lumi Test Mosaic One")
    first.add(50721, SRATIONAL, XYZ_TO_SRGB)
    first.add(50778, SHORT, [21])
    first.add(50728, RATIONAL, [1.0, 1.0, 1.0])
    raw_ifd.add(254, LONG, [0])
    raw_ifd.add(256, LONG, [width])
    raw_ifd.add(257, LONG, [height])
    raw_ifd.add(258, SHORT, [16])
    raw_ifd.add(259, SHORT, [1])
    raw_ifd.add(262, SHORT, [32803])
    raw_ifd.add(277, SHORT, [1])
    raw_ifd.add(278, LONG, [height])
    raw_ifd.add(284, SHORT, [1])
    raw_ifd.add(33421, SHORT, [2, 2])
    raw_ifd.add(33422, BYTE, [0, 1, 1, 2])
    raw_ifd.add(50714, LONG, [0])
    raw_ifd.add(50717, LONG, [60000])
    directories = [first] if first is raw_ifd else [first, raw_ifd]
    # Placeholders first so the layout is known, then the real offsets.
    raw_ifd.add(273, LONG, [0])
    raw_ifd.add(279, LONG, [len(raw)])
    if preview:
        jpeg, pw, ph = preview
        first.add(254, LONG, [1])
        first.add(256, LONG, [pw])
        first.add(257, LONG, [ph])
        first.add(258, SHORT, [8, 8, 8])
        first.add(259, SHORT, [7])
        first.add(262, SHORT, [6])
        first.add(277, SHORT, [3])
        first.add(273, LONG, [0])
        first.add(279, LONG, [len(jpeg)])
        first.add(330, LONG, [0])
    offsets, end = layout(directories, 8)
    strip = end
    raw_ifd.add(273, LONG, [strip])
    if preview:
        first.add(273, LONG, [strip + len(raw)])
        first.add(330, LONG, [offsets[1]])
    out = bytearray(b"II*\0" + struct.pack("<I", offsets[0]))
    for index, directory in enumerate(directories):
        assert len(out) == offsets[index]
        entries = sorted(directory.entries.items())
        tail = len(out) + 2 + 12 * len(entries) + 4
        body, extra = bytearray(), bytearray()
        for tag, (kind, values) in entries:
            data, count = directory.encode_value(kind, values)
            if len(data) <= 4:
                body += struct.pack("<HHI", tag, kind, count) + data.ljust(4, b"\0")
            else:
                body += struct.pack("<HHI", tag, kind, count) + struct.pack("<I", tail + len(extra))
                extra += data + (b"\0" if len(data) & 1 else b"")
        following = offsets[index + 1] if index + 1 < len(directories) and index == -1 else 0
        out += struct.pack("<H", len(entries)) + body + struct.pack("<I", following) + extra
    assert len(out) == strip
    out += raw
    if preview:
        out += preview[0]
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    options = dict(zip(sys.argv[4::2], map(int, sys.argv[5::2])))
    try:
        write(sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), options.get("--preview", 0), options.get("--orientation", 1))
    except ImportError:
        sys.exit(77)
