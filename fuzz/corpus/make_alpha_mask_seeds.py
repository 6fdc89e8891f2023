#!/usr/bin/env python3
"""Writes the 32-bit Targa and bitmap seeds of the alpha-mask reader (the PNG seeds are
copies of the PNG reader's): small pictures whose fourth bytes are a ramp of alpha."""
import struct
from pathlib import Path

here = Path(__file__).resolve().parent / 'alpha_mask'
width, height = 5, 3
pixels = bytes(v for y in range(height) for x in range(width)
               for v in (x * 40, y * 80, 200, (x + y) * 60 % 256))

# Targa type 2, 32 bits, 8 alpha bits, origin at the top.
tga = struct.pack('<BBBHHBHHHHBB', 0, 0, 2, 0, 0, 0, 0, 0, width, height, 32, 8 | 32) + pixels
(here / 'alpha_top.tga').write_bytes(tga)
# The same cut short in its last row.
(here / 'alpha_cut.tga').write_bytes(tga[:-6])

# Bitmap with a 40-byte header, 32 bits, bottom-up.
info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
bmp = b'BM' + struct.pack('<IHHI', 14 + 40 + len(pixels), 0, 0, 54) + info + pixels
(here / 'alpha.bmp').write_bytes(bmp)
