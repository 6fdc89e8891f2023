#!/usr/bin/env python3
"""Writes the seeds of video_frame_fuzzer: a header of coding, width, height and line
length (in 8-byte units), then a frame of that shape."""
import os
import struct

here = os.path.dirname(os.path.abspath(__file__))
out = os.path.join(here, "corpus", "video_frame")
os.makedirs(out, exist_ok=True)


def seed(name, coding, width, height, line_units, frame):
    header = bytes([coding, width & 0xFF, width >> 8, height & 0xFF, height >> 8, line_units])
    with open(os.path.join(out, name), "wb") as f:
        f.write(header + frame)


seed("yuyv_4x2", 0, 4, 2, 1, bytes([16, 128, 235, 128] * 2 + [81, 90, 81, 240] * 2))
seed("uyvy_3x2_padded", 1, 3, 2, 2, bytes(range(32)))
seed("rgb_2x2", 3, 2, 2, 0, bytes(range(1, 13)))
seed("bgr_short", 4, 5, 5, 0, bytes(20))
tiny = os.path.join(here, "corpus", "jpeg", "pil_tiny.jpg")
if os.path.exists(tiny):
    with open(tiny, "rb") as f:
        data = f.read()
    # The width and height from the first frame header, so the frame fits its layout.
    at = 2
    while at + 9 < len(data) and data[at] == 0xFF:
        marker, length = data[at + 1], struct.unpack(">H", data[at + 2:at + 4])[0]
        if marker in (0xC0, 0xC1, 0xC2):
            height, width = struct.unpack(">HH", data[at + 5:at + 9])
            seed("mjpeg", 2, min(width, 511), min(height, 511), 0, data)
            break
        at += 2 + length
