#!/usr/bin/python3
"""Checks that JPEG and PNG files written by lumivista-tool read correctly in Pillow and
ImageMagick. Usage: check_jpeg_png_writer.py TOOL BMP_FIXTURE_DIR. The bitmap fixtures
are the sources; their .ppm files hold the pixels. Exits 77 (skipped) when Pillow is not
installed."""
import io
import os
import subprocess
import sys
import tempfile

try:
    from PIL import Image
except ImportError:
    sys.exit(77)

SOURCES = ["pil_24", "pil_grey8", "pil_8", "nb_4", "pil_1", "nb_os2_24"]
INDEXED = {"pil_8", "nb_4", "pil_1"}  # JPEG refuses these; PNG gets them widened to RGB


def magick_pixels(path):
    done = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True)
    if done.returncode != 0 or done.stderr:
        return None, done.stderr.decode()
    return list(Image.open(io.BytesIO(done.stdout)).convert("RGB").getdata()), ""


def mean_difference(a, b):
    return sum(abs(x - y) for p, q in zip(a, b) for x, y in zip(p, q)) / (3 * len(a))


def main():
    tool, fixtures = sys.argv[1], sys.argv[2]
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        for name in SOURCES:
            source = os.path.join(fixtures, name + ".bmp")
            ref = list(Image.open(os.path.join(fixtures, name + ".ppm")).convert("RGB").getdata())
            grey = name == "pil_grey8"

            png = os.path.join(tmp, name + ".png")
            subprocess.run([tool, "convert", source, png], check=True)
            im = Image.open(png)
            if im.mode != ("L" if grey else "RGB"):
                failures.append(f"{name}.png: Pillow reads mode {im.mode}")
            if list(im.convert("RGB").getdata()) != ref:
                failures.append(f"{name}.png: Pillow reads other pixels")
            text = {k: im.info.get(k) for k in ("Title", "Author", "Description")}
            if im.info.get("interlace") != 1 or text != {"Title": "None", "Author": "Unknown", "Description": ""}:
                failures.append(f"{name}.png: interlace or text entries wrong: {im.info}")
            pixels, complaint = magick_pixels(png)
            if pixels != ref:
                failures.append(f"{name}.png: ImageMagick reads other pixels {complaint}")

            jpg = os.path.join(tmp, name + ".jpg")
            done = subprocess.run([tool, "convert", source, jpg], capture_output=True)
            if name in INDEXED:
                if done.returncode != 4 or os.path.exists(jpg) or b"indexed image" not in done.stderr:
                    failures.append(f"{name}.jpg: an indexed picture was not refused properly")
                continue
            if done.returncode != 0:
                failures.append(f"{name}.jpg: the tool failed: {done.stderr.decode()}")
                continue
            im = Image.open(jpg)
            if im.mode != ("L" if grey else "RGB") or im.size != Image.open(source).size:
                failures.append(f"{name}.jpg: Pillow reads {im.mode} {im.size}")
            bmp_ppm = Image.open(source).info.get("dpi", (0, 0))[0]
            expected_dpi = round(bmp_ppm) if bmp_ppm else 0
            if im.info.get("jfif_unit") != 1 or abs(im.info.get("jfif_density", (0, 0))[0] - expected_dpi) > 1:
                failures.append(f"{name}.jpg: resolution {im.info.get('jfif_unit')} {im.info.get('jfif_density')}")
            # Pillow encodes with the same library at the same defaults: the pictures match.
            own = io.BytesIO()
            Image.open(source).convert("L" if grey else "RGB").save(own, "JPEG", quality=90)
            expected = list(Image.open(own).convert("RGB").getdata())
            if list(im.convert("RGB").getdata()) != expected:
                failures.append(f"{name}.jpg: Pillow reads other pixels than its own encoding gives")
            pixels, complaint = magick_pixels(jpg)
            if pixels is None or mean_difference(pixels, expected) > 1:
                failures.append(f"{name}.jpg: ImageMagick reads it differently {complaint}")

        # The quality option reaches the writer.
        small, large = os.path.join(tmp, "q10.jpg"), os.path.join(tmp, "q95.jpg")
        subprocess.run([tool, "convert", "--quality", "10", os.path.join(fixtures, "pil_24.bmp"), small], check=True)
        subprocess.run([tool, "convert", "--quality", "95", os.path.join(fixtures, "pil_24.bmp"), large], check=True)
        if os.path.getsize(small) * 2 > os.path.getsize(large):
            failures.append("--quality makes no difference")

    for f in failures:
        print(f)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
