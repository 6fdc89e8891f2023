#!/usr/bin/python3
"""Writes the colour-profile fuzzer's seeds: a sound sRGB profile, a Lab one, and sRGB
damaged in the ways hostile files try (cut short, huge tag count, size and tag offsets
beyond the end)."""
import os
import struct
import sys

from PIL import ImageCms

out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "colour_profile")
os.makedirs(out, exist_ok=True)


def write(name, data):
    with open(os.path.join(out, name), "wb") as f:
        f.write(bytes(data))


srgb = ImageCms.ImageCmsProfile(ImageCms.createProfile("sRGB")).tobytes()
write("srgb.icc", srgb)
write("lab.icc", ImageCms.ImageCmsProfile(ImageCms.createProfile("LAB")).tobytes())
write("srgb_cut.icc", srgb[: len(srgb) // 2])
damaged = bytearray(srgb)
damaged[128:132] = struct.pack(">I", 0x7FFFFFFF)
write("srgb_tag_count.icc", damaged)
damaged = bytearray(srgb)
damaged[0:4] = struct.pack(">I", 0xFFFFFFFF)
write("srgb_size.icc", damaged)
damaged = bytearray(srgb)
for i in range(struct.unpack(">I", damaged[128:132])[0]):
    entry = 132 + 12 * i
    damaged[entry + 4 : entry + 8] = struct.pack(">I", 0xFFFFFFF0)
write("srgb_tags_outside.icc", damaged)
