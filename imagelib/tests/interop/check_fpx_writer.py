#!/usr/bin/python3
"""Checks FlashPix files written by lumivista-tool with an independent reader of structured
storage (olefile) and Pillow's JPEG decoder. Usage: check_fpx_writer.py TOOL.
The storages and streams must be where the format puts them, every level half the
previous down to one tile, and each JPEG tile, joined to the shared tables, must decode
to the picture's pixels. Exits 77 (skipped) when olefile or Pillow is missing."""
import io
import os
import struct
import subprocess
import sys
import tempfile

try:
    import olefile
    from PIL import Image
except ImportError:
    sys.exit(77)

VIEW_CLASS = "56616700-C154-11CE-8553-00AA00A1F95B"
IMAGE_CLASS = "56616000-C154-11CE-8553-00AA00A1F95B"
STORE = "Data Object Store 000001"


def picture(width, height, grey):
    im = Image.new("RGB", (width, height))
    px = im.load()
    for y in range(height):
        for x in range(width):
            px[x, y] = (x * 255 // max(width - 1, 1), y * 255 // max(height - 1, 1), (x + y) * 255 // (width + height))
    return im.convert("L") if grey else im


def halve(im):
    """The writer's 2 x 2 mean, rounded, edges repeated."""
    w, h = im.size
    src = im.load()
    out = Image.new(im.mode, ((w + 1) // 2, (h + 1) // 2))
    dst = out.load()
    for y in range(out.size[1]):
        for x in range(out.size[0]):
            ps = [src[min(2 * x + i, w - 1), min(2 * y + j, h - 1)] for j in (0, 1) for i in (0, 1)]
            if im.mode == "L":
                dst[x, y] = (sum(ps) + 2) // 4
            else:
                dst[x, y] = tuple((sum(p[k] for p in ps) + 2) // 4 for k in range(3))
    return out


def mean_difference(a, b):
    da, db = list(a.getdata()), list(b.getdata())
    if a.mode == "L":
        return sum(abs(p - q) for p, q in zip(da, db)) / len(da)
    return sum(abs(x - y) for p, q in zip(da, db) for x, y in zip(p, q)) / (3 * len(da))


def check(path, source, failures):
    name = os.path.basename(path)
    if not olefile.isOleFile(path):
        failures.append(f"{name}: not structured storage")
        return
    ole = olefile.OleFileIO(path)
    if ole.root.clsid != VIEW_CLASS or ole.getclsid(STORE) != IMAGE_CLASS:
        failures.append(f"{name}: root class {ole.root.clsid}, image class {ole.getclsid(STORE)}")
    for stream in ("\x05SummaryInformation", f"{STORE}/\x05Image Contents"):
        if not ole.exists(stream):
            failures.append(f"{name}: no {stream!r}")
            return
    summary = ole.getproperties("\x05SummaryInformation")
    if summary.get(0x12) != b"Lumivista 2000":
        failures.append(f"{name}: creating application {summary.get(0x12)}")
    contents = ole.getproperties(f"{STORE}/\x05Image Contents")
    levels = contents.get(0x01000000)
    if contents.get(0x01000002) != source.size[0] or contents.get(0x01000003) != source.size[1]:
        failures.append(f"{name}: highest resolution {contents.get(0x01000002)} x {contents.get(0x01000003)}")
    tables = contents.get(0x03010001)
    if not isinstance(tables, bytes) or tables[:4] != b"\xff\xd8\xff\xdb" or tables[-2:] != b"\xff\xd9":
        failures.append(f"{name}: JPEG tables {tables[:8] if isinstance(tables, bytes) else tables!r}")
        return
    expected = source
    for level in range(levels):
        number = levels - 1 - level  # the highest number is the full size
        storage = f"{STORE}/Resolution {number:04d}"
        if not ole.exists(storage) or ole.get_type(storage) != olefile.STGTY_STORAGE:
            failures.append(f"{name}: no storage {storage}")
            return
        # Both streams start with a 28-byte stream header; offsets count from its end.
        header = ole.openstream(f"{storage}/Subimage 0000 Header").read()[28:]
        data = ole.openstream(f"{storage}/Subimage 0000 Data").read()[28:]
        (length, width, height, count, tile_w, tile_h, channels, offset, entry) = struct.unpack_from("<9I", header)
        if (width, height) != expected.size or (tile_w, tile_h) != (64, 64):
            failures.append(f"{name} {storage}: {width} x {height} in {tile_w} x {tile_h} tiles, want {expected.size}")
            return
        if contents.get(0x02000000 | number << 16) != width or contents.get(0x02000001 | number << 16) != height:
            failures.append(f"{name} {storage}: image contents disagree on the size")
        across, down = (width + 63) // 64, (height + 63) // 64
        if count != across * down or channels != (1 if source.mode == "L" else 3) or entry != 16:
            failures.append(f"{name} {storage}: {count} tiles, {channels} channels, entries of {entry}")
            return
        decoded = Image.new(expected.mode, (across * 64, down * 64))
        for i in range(count):
            t_off, t_size, compression, subtype = struct.unpack_from("<4I", header, offset + 16 * i)
            at = ((i % across) * 64, (i // across) * 64)
            if compression == 1:
                shift = [0, 8, 16][: channels]
                colour = tuple((subtype >> s) & 255 for s in shift)
                decoded.paste(colour[0] if channels == 1 else colour, at + (at[0] + 64, at[1] + 64))
                continue
            tile = data[t_off:t_off + t_size]
            if compression != 2 or tile[:2] != b"\xff\xd8" or tile[-2:] != b"\xff\xd9" or subtype >> 24 != 1:
                failures.append(f"{name} {storage} tile {i}: compression {compression} subtype {subtype:#x}")
                return
            whole = Image.open(io.BytesIO(tables[:-2] + tile[2:]))
            decoded.paste(whole.convert(expected.mode), at)
        diff = mean_difference(decoded.crop((0, 0, width, height)), expected)
        if diff > 3:
            failures.append(f"{name} {storage}: tiles differ from the picture by {diff:.2f} on average")
        if width <= 64 and height <= 64:
            if level != levels - 1:
                failures.append(f"{name}: levels go on past one tile")
            break
        expected = halve(expected)
    else:
        failures.append(f"{name}: the smallest level does not fit one tile")
    ole.close()


def main():
    tool = sys.argv[1]
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        for width, height, grey in [(37, 23, False), (300, 200, False), (129, 64, True), (64, 64, False)]:
            source = picture(width, height, grey)
            bmp = os.path.join(tmp, f"{width}x{height}.bmp")
            source.save(bmp)
            fpx = os.path.join(tmp, f"{width}x{height}{'g' if grey else ''}.fpx")
            done = subprocess.run([tool, "convert", "--quality", "95", bmp, fpx], capture_output=True)
            if done.returncode != 0:
                failures.append(f"{fpx}: the tool failed: {done.stderr.decode()}")
                continue
            check(fpx, source, failures)
    for f in failures:
        print(f)
    print(f"{0 if failures else 1} passed, {1 if failures else 0} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
