#!/usr/bin/python3
"""Checks transparency through lumivista-tool against an independent reader and writer
(Pillow): an RGBA PNG that Pillow writes keeps its alpha bytes through PNG, 32-bit Targa,
32-bit bitmap and the layered format, as Pillow reads them back, and formats without alpha hold the picture on
white. Usage: check_alpha_interop.py TOOL. Exits 77 (skipped) without Pillow.
"""
import os
import struct
import subprocess
import sys
import tempfile
import zlib

try:
    from PIL import Image
except ImportError:
    sys.exit(77)

WIDTH, HEIGHT = 24, 10


def alpha_at(x):
    return 0 if x < 6 else 255 if x >= 14 else (x - 6) * 30 + 10


def source_pixel(x, y):
    return (x * 10, 255 - y * 20, (x * y) % 256, alpha_at(x))


def with_gamma(path):
    """Declares the gamma 1/2.2 after the header, so the tool's reader takes the colours as they are."""
    data = open(path, "rb").read()
    body = b"gAMA" + struct.pack(">I", 45455)
    chunk = struct.pack(">I", 4) + body + struct.pack(">I", zlib.crc32(body))
    open(path, "wb").write(data[:33] + chunk + data[33:])


def convert(tool, src, dst):
    run = subprocess.run([tool, "convert", src, dst], capture_output=True, text=True)
    if run.returncode != 0:
        raise SystemExit(f"convert {src} {dst}: {run.stderr}")


def main():
    tool = sys.argv[1]
    failures = []
    with tempfile.TemporaryDirectory() as work:
        src = os.path.join(work, "a.png")
        picture = Image.new("RGBA", (WIDTH, HEIGHT))
        picture.putdata([source_pixel(x, y) for y in range(HEIGHT) for x in range(WIDTH)])
        picture.save(src)
        with_gamma(src)

        for chain, exact in ((["b.png"], True), (["b.tga"], True), (["c.tga", "c.png"], True), (["b.bmp"], True),
                             (["c.bmp", "g.png"], True), (["d.vlf", "d.png"], False), (["e.vlf", "e.tga"], False)):
            previous = src
            for name in chain:
                out = os.path.join(work, name)
                convert(tool, previous, out)
                previous = out
            got = Image.open(previous)
            label = " -> ".join(chain)
            if got.mode != "RGBA":
                failures.append(f"{label}: mode {got.mode}")
                continue
            for y in range(HEIGHT):
                for x in range(WIDTH):
                    r, g, b, a = got.getpixel((x, y))
                    want = source_pixel(x, y)
                    if a != want[3]:
                        failures.append(f"{label}: alpha {a} at {x},{y}, not {want[3]}")
                    elif exact and a and (r, g, b) != want[:3]:
                        failures.append(f"{label}: colour {(r, g, b)} at {x},{y}, not {want[:3]}")

        for name, tolerance in (("f.tif", 0), ("f.pcx", 0), ("f.jpg", 24)):
            out = os.path.join(work, name)
            convert(tool, src, out)
            got = Image.open(out)
            if "A" in got.mode:
                failures.append(f"{name}: mode {got.mode} keeps alpha")
            got = got.convert("RGB")
            for x in range(WIDTH):
                *colour, a = source_pixel(x, 4)
                want = [(c * a + 255 * (255 - a) + 127) // 255 for c in colour]
                have = got.getpixel((x, 4))
                if any(abs(h - w) > tolerance for h, w in zip(have, want)):
                    failures.append(f"{name}: {have} at {x},4, not {tuple(want)} on white")

    for failure in failures[:20]:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
