#!/usr/bin/python3
"""FlashPix files in the published layout, made and read independently of the program.

  fpx_standard.py write KIND OUT.fpx OUT.ppm   a file and the pixels it holds. KIND "mixed":
      107 x 70, raw, single-colour and JPEG tiles (tables in each tile); "pillow": 192 x 128,
      JPEG tiles sharing one table set, which Pillow's own reader can decode too.
  fpx_standard.py read IN.fpx OUT.ppm          the largest resolution's pixels.

Exits 77 (skipped) when Pillow or olefile is missing."""
import io
import os
import struct
import sys

try:
    import olefile
    from PIL import Image
except ImportError:
    sys.exit(77)

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import compound_file  # noqa: E402

VIEW_CLASS = "56616700-C154-11CE-8553-00AA00A1F95B"
IMAGE_CLASS = "56616000-C154-11CE-8553-00AA00A1F95B"
SUMMARY_FORMAT = "F29F85E0-4FF9-1068-AB91-08002B27B3D9"
STORE = "Data Object Store 000001"
NIFRGB, MONO = 3 << 16, 1 << 16
T = 64


def property_set(fmtid, props):
    """props: (id, type, value bytes without the type word)."""
    values = [struct.pack("<I", kind) + value + bytes(-len(value) % 4) for _, kind, value in props]
    offset, table = 8 + 8 * len(props), b""
    for (pid, _, _), value in zip(props, values):
        table += struct.pack("<II", pid, offset)
        offset += len(value)
    section = struct.pack("<II", offset, len(props)) + table + b"".join(values)
    import uuid
    return (struct.pack("<HHI", 0xFFFE, 0, 0x00020005) + bytes(16) + struct.pack("<I", 1)
            + uuid.UUID(fmtid).bytes_le + struct.pack("<I", 48) + section)


def ui4(pid, v):
    return (pid, 19, struct.pack("<I", v))


def blob(pid, data):
    return (pid, 65, struct.pack("<I", len(data)) + data)


def stream_header():
    return struct.pack("<HHI", 0xFFFE, 0, 0x00020005) + bytes(20)


def pattern(w, h):
    im = Image.new("RGB", (w, h))
    px = im.load()
    for y in range(h):
        for x in range(w):
            px[x, y] = ((x * 5 + y) % 256, (x * y // 3) % 256, (255 - 2 * y + x) % 256)
    return im


def padded_tile(im, tx, ty):
    """The 64 x 64 tile, the last column and row repeated past the edges."""
    w, h = im.size
    tile = Image.new(im.mode, (T, T))
    src, dst = im.load(), tile.load()
    for y in range(T):
        for x in range(T):
            dst[x, y] = src[min(tx * T + x, w - 1), min(ty * T + y, h - 1)]
    return tile


def segments(jpeg):
    """(marker, whole segment) up to the start of scan, then the rest as one piece."""
    at, out = 2, []
    while True:
        marker = jpeg[at + 1]
        length = struct.unpack_from(">H", jpeg, at + 2)[0]
        if marker == 0xDA:
            out.append((marker, jpeg[at:]))
            return out
        out.append((marker, jpeg[at:at + 2 + length]))
        at += 2 + length


def jpeg_tile(tile):
    out = io.BytesIO()
    tile.save(out, "JPEG", quality=90, subsampling="4:2:0" if tile.mode == "RGB" else 0)
    return out.getvalue()


def subimage(im, mixed, state):
    """The header and data streams of one resolution, and the pixels they hold."""
    w, h = im.size
    across, down = -(-w // T), -(-h // T)
    reference = Image.new("RGB", (across * T, down * T))
    entries, data = [], b""
    for ty in range(down):
        for tx in range(across):
            tile = padded_tile(im, tx, ty)
            choice = (tx + ty * across) % 3 if mixed else 2
            if choice == 0:  # uncompressed, channels in order
                entry, payload, shown = (0, 0), tile.tobytes(), tile
            elif choice == 1:  # one colour, channel 0 in the low byte
                r, g, b = tile.getpixel((0, 0))
                entry, payload, shown = (1, r | g << 8 | b << 16), b"", Image.new("RGB", (T, T), (r, g, b))
            else:
                full = jpeg_tile(tile)
                shown = Image.open(io.BytesIO(full)).convert("RGB")
                if mixed:  # tables in the tile: table index 0
                    payload, table = full, 0
                else:  # tables shared through the image contents: index 1
                    parts = segments(full)
                    shared = b"".join(s for m, s in parts if m in (0xDB, 0xC4))
                    state["tables"] = state.get("tables") or b"\xff\xd8" + shared + b"\xff\xd9"
                    payload = b"\xff\xd8" + b"".join(s for m, s in parts if m not in (0xDB, 0xC4, 0xE0))
                    table = 1
                # interleave 0, chroma halved (0x22), converted from RGB (1), table index
                entry = (2, 0x22 << 8 | 1 << 16 | table << 24)
            entries.append((len(data), len(payload)) + entry)
            data += payload
            reference.paste(shown, (tx * T, ty * T))
    header = (stream_header() + struct.pack("<9I", 36, w, h, len(entries), T, T, 3, 36, 16)
              + b"".join(struct.pack("<4I", *e) for e in entries))
    return header, stream_header() + data, reference.crop((0, 0, w, h))


def write(kind, fpx, ppm):
    mixed = kind == "mixed"
    levels = [pattern(107, 70) if mixed else pattern(192, 128)]
    while max(levels[-1].size) > T:  # halved, rounded up, down to one tile
        w, h = levels[-1].size
        levels.append(levels[-1].resize(((w + 1) // 2, (h + 1) // 2), Image.BOX))
    levels.reverse()  # numbered from the smallest: the highest number is the full size
    w, h = levels[-1].size
    colours = struct.pack("<5I", 1, 3, NIFRGB, NIFRGB | 1, NIFRGB | 2)
    props = [ui4(0x01000000, len(levels)), ui4(0x01000002, w), ui4(0x01000003, h)]
    state, storages = {}, {}
    for n, level in enumerate(levels):
        header, data, reference = subimage(level, mixed, state)
        props += [ui4(0x02000000 | n << 16, level.size[0]), ui4(0x02000001 | n << 16, level.size[1]),
                  blob(0x02000002 | n << 16, colours), (0x02000003 | n << 16, 0x1013, struct.pack("<4I", 3, 17, 17, 17))]
        storages[f"Resolution {n:04d}"] = compound_file.Storage(None, {"Subimage 0000 Header": header,
                                                                       "Subimage 0000 Data": data})
    if state.get("tables"):
        props += [blob(0x03010001, state["tables"]), ui4(0x03000002, 1)]
    storages["\x05Image Contents"] = property_set(IMAGE_CLASS, props)
    image = compound_file.Storage(IMAGE_CLASS, storages)
    title = b"elsewhere\0"
    root = compound_file.Storage(VIEW_CLASS, {
        "\x05SummaryInformation": property_set(SUMMARY_FORMAT, [(2, 30, struct.pack("<I", len(title)) + title)]),
        STORE: image})
    with open(fpx, "wb") as f:
        f.write(compound_file.write(root))
    reference.save(ppm, "PPM")


def read(fpx, ppm):
    ole = olefile.OleFileIO(fpx)
    contents = ole.getproperties([STORE, "\x05Image Contents"])
    count = contents[0x01000000]
    sizes = [(contents[0x02000000 | n << 16], contents[0x02000001 | n << 16], n) for n in range(count)]
    w, h, n = max(sizes)
    colours = contents[0x02000002 | n << 16]
    channels = struct.unpack_from("<I", colours, 4)[0]
    spaces = [c >> 16 & 0x7FFF for c in struct.unpack_from(f"<{channels}I", colours, 8)]
    mode = {(1,): "L", (3, 3, 3): "RGB"}[tuple(spaces)]
    storage = [STORE, f"Resolution {n:04d}"]
    header = ole.openstream(storage + ["Subimage 0000 Header"]).read()[28:]
    data = ole.openstream(storage + ["Subimage 0000 Data"]).read()[28:]
    (_, tw, th, tiles, _, _, stored_channels, table_at, entry_length) = struct.unpack_from("<9I", header)
    assert (tw, th, stored_channels) == (w, h, channels)
    across = -(-w // T)
    picture = Image.new(mode, (across * T, -(-h // T) * T))
    for i in range(tiles):
        offset, size, compression, subtype = struct.unpack_from("<4I", header, table_at + i * entry_length)
        if compression == 1:
            colour = tuple(subtype >> (8 * c) & 255 for c in range(channels))
            tile = Image.new(mode, (T, T), colour[0] if mode == "L" else colour)
        elif compression == 0:
            tile = Image.frombytes(mode, (T, T), data[offset:offset + T * T * channels])
        elif compression == 2:
            stream, table = data[offset:offset + size], subtype >> 24
            if table:
                stream = contents[0x03000001 | table << 16][:-2] + stream[2:]
            tile = Image.open(io.BytesIO(stream)).convert(mode)
        else:
            raise ValueError(f"tile {i}: compression {compression}")
        picture.paste(tile, ((i % across) * T, (i // across) * T))
    picture.crop((0, 0, w, h)).convert("RGB").save(ppm, "PPM")


if __name__ == "__main__":
    if sys.argv[1] == "write":
        write(*sys.argv[2:5])
    else:
        read(*sys.argv[2:4])
