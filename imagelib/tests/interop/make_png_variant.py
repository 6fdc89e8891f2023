#!/usr/bin/python3
"""Writes a noisy gradient PNG for the HEIF encoder: make_png_variant.py OUT WIDTH HEIGHT KIND,
KIND rgb (8 bits), rgba (8 bits, a ramp of alpha) or deep (16-bit grey)."""
import sys

try:
    import numpy as np
    from PIL import Image
except ImportError:
    sys.exit(77)

out, width, height, kind = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
y, x = np.mgrid[0:height, 0:width]
ramp = x * 255 // max(width - 1, 1)
rgb = np.stack([ramp, y * 255 // max(height - 1, 1), (x * 7 + y * 13) % 256], -1)
rgb = np.clip(rgb + np.random.default_rng(7).integers(-20, 20, size=rgb.shape), 0, 255)
if kind == "deep":
    Image.fromarray((rgb[..., 2] * 257).astype(np.uint16), "I;16").save(out)
elif kind == "rgba":
    Image.fromarray(np.concatenate([rgb, ramp[..., None]], -1).astype(np.uint8), "RGBA").save(out)
else:
    Image.fromarray(rgb.astype(np.uint8)).save(out)
