#!/usr/bin/python3
"""Writes a noisy gradient PNG for the HEIF encoder: make_png_variant.py OUT WIDTH HEIGHT KIND,
KIND rgb (8 bits), rgba (8 bits with a ramp of alpha) or deep (16 bits a sample)."""
import struct
import sys
import zlib

try:
    import numpy as np
    from PIL import Image
except ImportError:
    sys.exit(77)

out, width, height, kind = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
y, x = np.mgrid[0:height, 0:width]
rng = np.random.default_rng(7)
rgb = np.stack([x * 255 // max(width - 1, 1), y * 255 // max(height - 1, 1), (x * 7 + y * 13) % 256], -1)
rgb = np.clip(rgb + rng.integers(-20, 20, size=rgb.shape), 0, 255)
if kind == "rgba":
    alpha = (x * 255 // max(width - 1, 1))[..., None]
    Image.fromarray(np.concatenate([rgb, alpha], -1).astype(np.uint8), "RGBA").save(out)
elif kind == "deep":
    # PIL writes no 16-bit colour PNG: the chunks are laid out here, samples big-endian.
    deep = (rgb * 257).astype(">u2")
    rows = b"".join(b"\0" + deep[r].tobytes() for r in range(height))
    def chunk(tag, body):
        return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body))
    with open(out, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 16, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
else:
    Image.fromarray(rgb.astype(np.uint8)).save(out)
