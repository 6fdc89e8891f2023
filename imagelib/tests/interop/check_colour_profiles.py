#!/usr/bin/python3
"""Checks lumivista-tool's colour profiles from outside with Pillow's ImageCms: a JPEG
tagged with the wide-gamut eciRGB v2 profile keeps its profile through JPEG, PNG and TIFF
saves, info names it, and convert --to-srgb matches an independent conversion.
Usage: check_colour_profiles.py TOOL. Exits 77 (skipped) without Pillow or the profile."""
import io
import json
import os
import subprocess
import sys
import tempfile

try:
    from PIL import Image, ImageCms
except ImportError:
    sys.exit(77)

ECI = "/usr/share/color/icc/colord/ECI-RGBv2.icc"
# Saturated and ordinary colours, in eciRGB numbers.
COLOURS = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (230, 40, 160), (20, 200, 180), (128, 128, 128), (250, 230, 200)]
MEAN_BOUND = 2.0  # both use lcms with the perceptual intent; rounding and JPEG noise only
MAX_BOUND = 6


def tagged_picture():
    picture = Image.new("RGB", (16 * len(COLOURS), 16))
    for i, colour in enumerate(COLOURS):
        picture.paste(colour, (16 * i, 0, 16 * (i + 1), 16))
    return picture


def run(*args):
    done = subprocess.run(list(args), capture_output=True, text=True)
    if done.returncode != 0:
        raise SystemExit("%s failed (%d): %s" % (" ".join(args), done.returncode, done.stderr))
    return done.stdout


def main():
    tool = sys.argv[1]
    if not os.path.exists(ECI):
        sys.exit(77)
    eci = open(ECI, "rb").read()
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        source = os.path.join(tmp, "wide.jpg")
        tagged_picture().save(source, quality=98, subsampling=0, icc_profile=eci)

        info = json.loads(run(tool, "info", source, "--json"))
        if info.get("colour_profile") != "eciRGB v2":
            failures.append("info names the profile %r" % info.get("colour_profile"))
        untagged = os.path.join(tmp, "plain.png")
        tagged_picture().save(untagged)
        if json.loads(run(tool, "info", untagged, "--json")).get("colour_profile", "absent") is not None:
            failures.append("an untagged picture reports a profile")

        for extension in ("jpg", "png", "tif"):
            saved = os.path.join(tmp, "kept." + extension)
            run(tool, "convert", source, saved)
            if Image.open(saved).info.get("icc_profile") != eci:
                failures.append("the profile is not kept in ." + extension)

        converted = os.path.join(tmp, "srgb.png")
        run(tool, "convert", source, converted, "--to-srgb")
        ours = Image.open(converted)
        profile = ours.info.get("icc_profile")
        if not profile or "sRGB" not in ImageCms.getProfileDescription(ImageCms.ImageCmsProfile(io.BytesIO(profile))):
            failures.append("the --to-srgb result is not tagged sRGB")
        reference = ImageCms.profileToProfile(Image.open(source), ImageCms.ImageCmsProfile(io.BytesIO(eci)),
                                              ImageCms.createProfile("sRGB"), renderingIntent=0)
        a, b = list(ours.convert("RGB").getdata()), list(reference.convert("RGB").getdata())
        differences = [abs(x - y) for p, q in zip(a, b) for x, y in zip(p, q)]
        mean, worst = sum(differences) / len(differences), max(differences)
        if mean > MEAN_BOUND or worst > MAX_BOUND:
            failures.append("--to-srgb differs from ImageCms: mean %.2f, worst %d" % (mean, worst))
        # The saturated red really moved: shown untouched it would look washed out.
        if ours.getpixel((8, 8)) == Image.open(source).getpixel((8, 8)):
            failures.append("--to-srgb left the wide-gamut red as it was")

    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
