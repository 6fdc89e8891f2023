#!/usr/bin/python3
"""The 4000 x 3000 test photo the whole-command comparisons share, written as photo.tif in
the current folder, plus what each comparison asks for: jpg (quality 90), png (zlib level 1),
graphic (a 25-colour picture as graphic.tif, for LZW)."""
import sys

import numpy as np
from PIL import Image

h, w = 3000, 4000
y, x = np.mgrid[0:h, 0:w]
rng = np.random.default_rng(2024)
noise = rng.integers(-8, 8, size=(h, w))
light = 255 - ((x - w / 2) ** 2 + (y - h / 2) ** 2) * 200 / (w * w / 4 + h * h / 4)
band = ((x // 97 + y // 61) % 3) * 30
rgb = np.stack([light * (y % 199) / 199 + noise, light - band + noise, light * (x % 251) / 251 + noise + band], -1)
photo = Image.fromarray(np.clip(rgb, 0, 255).astype(np.uint8))
photo.save("photo.tif")
extras = set(sys.argv[1:])
if "jpg" in extras:
    photo.save("photo.jpg", quality=90)
if "png" in extras:
    photo.save("photo.png", compress_level=1)
if "graphic" in extras:
    palette = np.array([[(i * 37) % 256, (i * 91) % 256, (i * 53) % 256] for i in range(25)], np.uint8)
    Image.fromarray(palette[(x // 160 + (y // 120) * 3) % 25]).save("graphic.tif")
