#!/usr/bin/python3
"""Checks that bitmaps written by lumivista-tool read to the right pixels in Pillow and
ImageMagick. Usage: check_bmp_writer.py TOOL FIXTURE_DIR. Exits 77 (skipped) when the
independent readers are not installed."""
import os
import subprocess
import sys
import tempfile

try:
    from PIL import Image
except ImportError:
    sys.exit(77)


def main():
    tool, fixtures = sys.argv[1], sys.argv[2]
    names = open(os.path.join(fixtures, "fixtures.txt")).read().split()
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        for name in names:
            out = os.path.join(tmp, name + ".bmp")
            subprocess.run([tool, "convert", os.path.join(fixtures, name + ".bmp"), out], check=True)
            ours = list(Image.open(out).convert("RGB").getdata())
            ref = list(Image.open(os.path.join(fixtures, name + ".ppm")).convert("RGB").getdata())
            if ours != ref:
                failures.append(name + ": Pillow reads other pixels")
            magick = subprocess.run(["convert", out, "-depth", "8", "ppm:-"], capture_output=True)
            if magick.returncode != 0 or magick.stderr:
                failures.append(name + ": ImageMagick complains: " + magick.stderr.decode())
            elif list(Image.open(__import__("io").BytesIO(magick.stdout)).getdata()) != ref:
                failures.append(name + ": ImageMagick reads other pixels")
    for f in failures:
        print(f)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
