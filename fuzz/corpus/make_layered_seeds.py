#!/usr/bin/python3
"""Writes small layered documents, in the block stream and in the older fixed layout, as
seeds for the layered-format fuzz targets. Built from the format's description with the
standard library and PIL only, so the seeds do not depend on the program's own writer.
With --placed, only the seeds with a placement block and a document block, which need no PIL."""

import io
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def grey_table():
    return b"".join(bytes((i, i, i, 0)) for i in range(256))


def bmp_stream(width, height, bits, rows, rle=False):
    """A whole bitmap file; `rows` bottom-up, already padded (or run-length data)."""
    table = grey_table() if bits == 8 else b""
    data = rows
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 1 if rle else 0, len(data), 2835, 2835,
                       256 if bits == 8 else 0, 0)
    return b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset) + info + table + data


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def rgb_rows(width, height):
    def row(y):
        return b"".join(bytes((x * 40 % 256, y * 60 % 256, (x + y) * 30 % 256)) for x in range(width))
    return b"".join(padded(row(y)) for y in range(height))


def rle8(width, height, value_of):
    out = bytearray()
    for y in range(height):
        for x in range(width):
            out += bytes((1, value_of(x, y)))
        out += b"\0\1" if y == height - 1 else b"\0\0"
    return bytes(out)


def jpeg(width, height, mode):
    from PIL import Image
    picture = Image.new(mode, (width, height), 128 if mode == "L" else (200, 90, 30))
    buffer = io.BytesIO()
    picture.save(buffer, "JPEG", quality=90)
    return buffer.getvalue()


def block(encoding, payload):
    return struct.pack("<IIII", 16, encoding, 0, 0) + payload


def name_block(name):
    raw = name.encode() + b"\0"
    return struct.pack("<II", len(raw), 0) + raw


def text_block(text, string_position):
    words = [0] * 44
    words[0] = 176
    for w in range(3, 44):
        words[w] = w * 0x01010101
    words[20] = 0x30F
    descriptor = struct.pack("<II", 176, string_position)
    descriptor += struct.pack("<17I", *words[3:20]) + struct.pack("<I", words[20]) + struct.pack("<11I", *words[21:32])
    descriptor += struct.pack("<I", 0) + struct.pack("<12I", *words[32:44]) + struct.pack("<II", 0, 0)
    raw = text.encode() + b"\0"
    return block(3, descriptor + struct.pack("<II", len(raw), 0) + raw)


def placement_block(matrix, image_offset, mask_offset):
    return block(4, struct.pack("<9d", *matrix) + struct.pack("<II", image_offset, mask_offset))


def align(data):
    return data + b"\0" * (-len(data) % 8)


def document_block(exif, xmp, iptc, icc):
    return block(5, struct.pack("<IIII", len(exif), len(xmp), len(iptc), len(icc)) + exif + xmp + iptc + icc)


def stream(width, height, depth, layers, preview, document=None):
    """layers: dicts with kind, flags, x, y, opacity, name, image, mask, text (block bytes or None), and
    optionally placed: (matrix, source image block, source mask block)."""
    position = 48 * (len(layers) + 1)
    entries, body = [], b""
    for layer in layers:
        offsets = {}
        for key, payload in (("name", name_block(layer["name"])), ("image", layer["image"]), ("mask", layer["mask"]),
                             ("text", layer.get("text"))):
            if payload is None:
                offsets[key] = 0
                continue
            if key == "text":
                payload = text_block(payload, position + 16 + 184)
            offsets[key] = position
            chunk = align(payload)
            body += chunk
            position += len(chunk)
        offsets["placement"] = 0
        if layer.get("placed"):
            matrix, source_image, source_mask = layer["placed"]
            source_at = []
            for payload in (source_image, source_mask):
                source_at.append(position)
                chunk = align(payload)
                body += chunk
                position += len(chunk)
            offsets["placement"] = position
            chunk = align(placement_block(matrix, *source_at))
            body += chunk
            position += len(chunk)
        entries.append(struct.pack("<IIIIiiIIIIII", 48, layer["kind"], offsets["name"], layer["flags"], layer["x"],
                                   layer["y"], layer["opacity"], offsets["image"], offsets["mask"], offsets["text"],
                                   offsets["placement"], 0))
    preview_offset = position if preview is not None else 0
    if preview is not None:
        body += align(preview)
        position += len(align(preview))
    document_offset = position if document is not None else 0
    if document is not None:
        body += align(document)
    header = b"FLVT" + struct.pack("<IiiIiiIIIII", 3, width, height, depth, 2835, 2835, len(layers), 0, preview_offset,
                                   document_offset, 0)
    return header + b"".join(entries) + body


def write(folder, name, data):
    with open(os.path.join(HERE, folder, name), "wb") as f:
        f.write(data)


def placed_seed():
    """A layer of 4 x 3 rendered at half size from its 8 x 6 source, at column 1 and row 1."""
    photo = block(1, bmp_stream(4, 3, 24, rgb_rows(4, 3)))
    opaque = block(1, bmp_stream(4, 3, 8, rle8(4, 3, lambda x, y: 255), rle=True))
    source = block(1, bmp_stream(8, 6, 24, rgb_rows(8, 6)))
    source_mask = block(1, bmp_stream(8, 6, 8, rle8(8, 6, lambda x, y: 30 * x), rle=True))
    half = (0.5, 0, 1, 0, 0.5, 1, 0, 0, 1)
    placed = stream(6, 5, 24, [
        dict(kind=0, flags=2, x=1, y=1, opacity=100, name="colocada", image=photo, mask=opaque,
             placed=(half, source, source_mask)),
    ], None)
    write("layered_stream", "placed.vlf", placed)


def document_seed():
    """A one-layer photo with its EXIF (orientation 6, a date, a thumbnail offset), XMP, IPTC and a
    profile header, after a bitmap preview."""
    photo = block(1, bmp_stream(4, 3, 24, rgb_rows(4, 3)))
    opaque = block(1, bmp_stream(4, 3, 8, rle8(4, 3, lambda x, y: 255), rle=True))
    date = b"2024:02:29 07:45:00\0"
    entries = [(0x0112, 3, 1, 6), (0x0132, 2, len(date), 8 + 2 + 3 * 12 + 4), (0x0201, 4, 1, 0), (0x0202, 4, 1, 0)]
    ifd = struct.pack("<H", 3) + b"".join(struct.pack("<HHII", *e) for e in entries[:2])
    ifd += struct.pack("<HHII", *entries[2]) + struct.pack("<I", 0)
    exif = b"II*\0" + struct.pack("<I", 8) + ifd + date
    xmp = b"<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'/></x:xmpmeta>"
    iptc = b"\x1c\x02\x5a\x00\x06Lisboa"
    icc = struct.pack(">I", 128) + b"lcms" + b"\0" * 120
    with_metadata = stream(4, 3, 24, [
        dict(kind=0, flags=2, x=0, y=0, opacity=100, name="foto", image=photo, mask=opaque),
    ], photo, document_block(exif, xmp, iptc, icc))
    write("layered_stream", "document_block.vlf", with_metadata)


def main():
    placed_seed()
    document_seed()
    if "--placed" in sys.argv:
        return
    photo = block(1, bmp_stream(4, 3, 24, rgb_rows(4, 3)))
    soft = block(1, bmp_stream(4, 3, 8, rle8(4, 3, lambda x, y: 60 * x), rle=True))
    grey = block(1, bmp_stream(3, 3, 8, b"".join(padded(bytes((90,) * 3)) for _ in range(3))))
    opaque = block(1, bmp_stream(3, 3, 8, rle8(3, 3, lambda x, y: 255), rle=True))
    colour_preview = block(2, jpeg(6, 5, "RGB"))
    bitmaps = stream(6, 5, 24, [
        dict(kind=2, flags=3, x=1, y=0, opacity=80, name="texto", image=photo, mask=soft, text="Olá"),
        dict(kind=1, flags=2, x=0, y=2, opacity=100, name="máscara", image=grey, mask=opaque),
        dict(kind=0, flags=6, x=-1, y=1, opacity=50, name="fundo", image=photo, mask=soft),
    ], colour_preview)
    jpegs = stream(5, 4, 8, [
        dict(kind=0, flags=2, x=0, y=0, opacity=100, name="layer1", image=block(2, jpeg(5, 4, "L")),
             mask=block(1, bmp_stream(5, 4, 8, rle8(5, 4, lambda x, y: 255 - 50 * y), rle=True))),
    ], block(2, jpeg(5, 4, "L")))
    for folder in ("layered_stream", "layered_preview"):
        write(folder, "bitmaps.vlf", bitmaps)
        write(folder, "jpegs.vlf", jpegs)
    # A recovery copy: bitmaps only, run-length masks, and no preview.
    copy = stream(6, 5, 24, [
        dict(kind=0, flags=2, x=0, y=0, opacity=100, name="fundo", image=photo, mask=opaque),
        dict(kind=2, flags=3, x=1, y=1, opacity=80, name="texto", image=photo, mask=soft, text="Olá"),
    ], None)
    write("recovery_copy", "copy.vlf", copy)
    write("recovery_copy", "cut.vlf", copy[:1500])  # a crash in the middle of the write
    write("recovery_copy", "bitmaps.vlf", bitmaps)

    # The older layout: slots at 8, document fields at 520, records at 536, the text at 10008.
    head = bytearray(10038)
    head[10008:10038] = b"Verandolith Layer Version 1.0\0"
    struct.pack_into("<HHHHii", head, 520, 4, 3, 24, 0, 2, 1)
    tail = b""
    packed_image = struct.pack("<IiiHHIIiiII", 40, 4, 3, 1, 24, 0, 48, 0, 0, 0, 0) + rgb_rows(4, 3)
    mask_rows = b"".join(padded(bytes((255, 128, 0, 255))) for _ in range(3))
    packed_mask = struct.pack("<IiiHHIIiiII", 40, 4, 3, 1, 8, 0, 12, 0, 0, 256, 0) + grey_table() + mask_rows
    runs = b""
    for at in range(0, len(packed_mask), 255):
        chunk = packed_mask[at:at + 255]
        runs += bytes((0, len(chunk))) + chunk
    stored_mask = struct.pack("<I", len(packed_mask)) + runs
    for slot, (x, y, kind, name) in enumerate(((0, 0, 2, b"antigo"), (1, 1, 0, b"segunda"))):
        image_at = 10038 + len(tail)
        tail += packed_image
        mask_at = 10038 + len(tail)
        tail += stored_mask
        struct.pack_into("<IIII", head, 8 + 16 * slot, image_at, len(packed_image), mask_at, len(stored_mask))
        record = 536 + 296 * slot
        struct.pack_into("<IIii", head, record, 0, 0, x, y)
        head[record + 16:record + 16 + len(name)] = name
        struct.pack_into("<IIIIII", head, record + 272, 0, 1, 0, 0, 75, kind)
    older = bytes(head) + tail
    write("layered_older", "two_layers.vlf", older)
    write("layered_preview", "older.vlf", older)


if __name__ == "__main__":
    main()
