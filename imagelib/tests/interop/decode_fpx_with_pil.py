#!/usr/bin/python3
"""Decodes a FlashPix file with Pillow's own FlashPix reader into a binary PPM.
Usage: decode_fpx_with_pil.py IN.fpx OUT.ppm. Exits 77 (skipped) when Pillow or olefile
is missing, 1 when Pillow can't read the file."""
import sys

try:
    import olefile  # noqa: F401  Pillow's FlashPix reader needs it
    from PIL import Image
except ImportError:
    sys.exit(77)

try:
    with Image.open(sys.argv[1]) as im:
        if im.format != "FPX":
            sys.exit(f"read as {im.format}")
        im.convert("RGB").save(sys.argv[2], "PPM")
except Exception as e:  # noqa: BLE001  any refusal is the finding
    sys.exit(f"{type(e).__name__}: {e}")
