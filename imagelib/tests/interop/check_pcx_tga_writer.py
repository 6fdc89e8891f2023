#!/usr/bin/python3
"""Checks that paintbrush and Targa files written by lumivista-tool read to the right pixels
in independent readers: Pillow, netpbm and GraphicsMagick. Usage:
check_pcx_tga_writer.py TOOL BMP_FIXTURE_DIR. The sources are bitmaps of every depth, so the
tool writes each depth as it is. Exits 77 (skipped) when the readers are not installed.

(ImageMagick 6 is left out: it reads one-bit paintbrush files inverted and bottom-origin
Targa files upside down, whoever wrote them.)
"""
import io
import os
import shutil
import subprocess
import sys
import tempfile

try:
    from PIL import Image
except ImportError:
    sys.exit(77)

SOURCES = ["pil_1", "nb_4", "pil_8", "pil_grey8", "pil_24"]

# (output suffix, extra tool arguments)
OUTPUTS = [(".pcx", []), (".tga", []), ("_rle.tga", ["--compress"]), ("_saveas.TGA", ["--save-as", "--compress"])]

# Layouts a reader doesn't take at all; anything else it must read to the right pixels.
UNSUPPORTED = {
    # Four-bit colour-mapped Targa pixels (one byte of two packed pixels) are read by no one.
    ("nb_4", ".tga"): {"Pillow", "netpbm", "GraphicsMagick"},
    ("nb_4", "_rle.tga"): {"Pillow", "netpbm", "GraphicsMagick"},
    ("nb_4", "_saveas.TGA"): {"Pillow", "netpbm", "GraphicsMagick"},
    # netpbm's tgatoppm takes no one-bit Targa files; run-length packets of packed one-bit
    # bytes are read by no one.
    ("pil_1", ".tga"): {"netpbm"},
    ("pil_1", "_rle.tga"): {"Pillow", "netpbm", "GraphicsMagick"},
    ("pil_1", "_saveas.TGA"): {"Pillow", "netpbm", "GraphicsMagick"},
    # A grey picture is written without the 769-byte palette (palette information 2), which
    # netpbm and GraphicsMagick require of every 8-bit file.
    ("pil_grey8", ".pcx"): {"netpbm", "GraphicsMagick"},
}


def pixels_of(ppm):
    return list(Image.open(io.BytesIO(ppm)).convert("RGB").getdata())


def readers(path):
    def pillow():
        return list(Image.open(path).convert("RGB").getdata())

    def netpbm():
        tool = "pcxtoppm" if path.lower().endswith(".pcx") else "tgatoppm"
        return pixels_of(subprocess.run([tool, path], capture_output=True, check=True).stdout)

    def graphicsmagick():
        return pixels_of(subprocess.run(["gm", "convert", path, "-depth", "8", "ppm:-"],
                                        capture_output=True, check=True).stdout)

    return {"Pillow": pillow, "netpbm": netpbm, "GraphicsMagick": graphicsmagick}


def main():
    if not shutil.which("pcxtoppm") or not shutil.which("tgatoppm") or not shutil.which("gm"):
        sys.exit(77)
    tool, fixtures = sys.argv[1], sys.argv[2]
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        for name in SOURCES:
            ref = list(Image.open(os.path.join(fixtures, name + ".ppm")).convert("RGB").getdata())
            for suffix, args in OUTPUTS:
                out = os.path.join(tmp, name + suffix)
                subprocess.run([tool, "convert"] + args + [os.path.join(fixtures, name + ".bmp"), out], check=True)
                unsupported = UNSUPPORTED.get((name, suffix), set())
                for reader, read in readers(out).items():
                    try:
                        got = read()
                    except Exception as error:  # noqa: BLE001  any refusal is reported the same way
                        if reader not in unsupported:
                            failures.append("%s%s: %s cannot read it: %s" % (name, suffix, reader, error))
                        continue
                    if reader in unsupported:
                        failures.append("%s%s: %s reads it now; update the list" % (name, suffix, reader))
                    elif got != ref:
                        failures.append("%s%s: %s reads other pixels" % (name, suffix, reader))
    for f in failures:
        print(f)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
