#!/usr/bin/python3
"""Checks that TIFF and GIF files written by lumivista-tool pass libtiff's tiffinfo and read
to the right pixels in Pillow, libtiff (through tiffcp) and ImageMagick.
Usage: check_tiff_gif_writer.py TOOL FIXTURE_ROOT (the folder holding tiff/ and gif/).
Exits 77 (skipped) when the independent tools are not installed."""
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
if not all(shutil.which(t) for t in ("tiffinfo", "tiffcp", "convert")):
    sys.exit(77)


# libtiff must have nothing to say about the files the program writes.
def unexpected_messages(stderr):
    return [l for l in stderr.decode(errors="replace").splitlines() if l.strip()]


def pixels(path_or_bytes):
    src = io.BytesIO(path_or_bytes) if isinstance(path_or_bytes, bytes) else path_or_bytes
    return list(Image.open(src).convert("RGB").getdata())


def within_one(a, b):
    return a is not None and len(a) == len(b) and all(abs(p - q) <= 1 for x, y in zip(a, b) for p, q in zip(x, y))


def magick_pixels(path):
    r = subprocess.run(["convert", path, "-alpha", "off", "-depth", "8", "ppm:-"], capture_output=True)
    return None if r.returncode != 0 else pixels(r.stdout), r.stderr.decode().strip()


def check_tiff(tool, path, expected, label, failures, tmp):
    info = subprocess.run(["tiffinfo", "-D", path], capture_output=True)
    if info.returncode != 0 or unexpected_messages(info.stderr):
        failures.append(label + ": tiffinfo says " + info.stderr.decode())
    if pixels(path) != expected:
        failures.append(label + ": Pillow reads other pixels")
    plain = os.path.join(tmp, "libtiff.tif")
    copy = subprocess.run(["tiffcp", "-c", "none", path, plain], capture_output=True)
    if copy.returncode != 0 or unexpected_messages(copy.stderr):
        failures.append(label + ": tiffcp says " + copy.stderr.decode())
    elif pixels(plain) != expected:
        failures.append(label + ": libtiff decodes other pixels")
    # Colour maps hold component x 256; ImageMagick scales them by 65535 rather than taking
    # the high byte as libtiff does, so its palette colours may be one lower.
    magick, complaint = magick_pixels(path)
    if not within_one(magick, expected):
        failures.append(label + ": ImageMagick reads other pixels " + complaint)


def check_gif(path, expected, label, failures):
    if pixels(path) != expected:
        failures.append(label + ": Pillow reads other pixels")
    magick, complaint = magick_pixels(path)
    if magick != expected or complaint:
        failures.append(label + ": ImageMagick reads other pixels " + complaint)


def names(folder):
    return open(os.path.join(folder, "fixtures.txt")).read().split()


def main():
    tool, root = sys.argv[1], sys.argv[2]
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        def convert(src, out, *flags):
            subprocess.run([tool, "convert", src, out, *flags], check=True)
            return out

        tiffs = os.path.join(root, "tiff")
        for name in names(tiffs):
            src = os.path.join(tiffs, name + ".tif")
            expected = pixels(os.path.join(tiffs, name + ".ppm"))
            if "white_mono" in name:
                # Bilevel pictures are written with black as zero, whatever their palette.
                expected = [(255 - r, 255 - g, 255 - b) for r, g, b in expected]
            for flags in ([], ["--compress"], ["--compress", "--save-as"]):
                out = convert(src, os.path.join(tmp, name + ".tif"), *flags)
                check_tiff(tool, out, expected, name + " " + " ".join(flags), failures, tmp)
                os.remove(out)

        gifs = os.path.join(root, "gif")
        for name in names(gifs):
            src = os.path.join(gifs, name + ".gif")
            expected = pixels(os.path.join(gifs, name + ".ppm"))
            for flags in ([], ["--interlace"], ["--transparent"], ["--interlace", "--transparent", "--save-as"]):
                out = convert(src, os.path.join(tmp, name + ".gif"), *flags)
                check_gif(out, expected, name + " " + " ".join(flags), failures)
                os.remove(out)

        # Colour pictures are reduced on the way to GIF (adaptively by name, to the fixed
        # palette through Save-as); other readers must see what this program reads back.
        for flags in ([], ["--save-as"]):
            out = convert(os.path.join(tiffs, "cp_lzw_noise.tif"), os.path.join(tmp, "reduced.gif"), *flags)
            ours = convert(out, os.path.join(tmp, "ours.bmp"))
            check_gif(out, pixels(ours), "reduced " + " ".join(flags), failures)
    for f in failures:
        print(f)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
