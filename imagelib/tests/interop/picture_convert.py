#!/usr/bin/python3
"""Converts between PPM and the files the reference codec tools read and write, without a
gamma chunk (so no reader adjusts the numbers): picture_convert.py IN OUT."""
import sys

try:
    from PIL import Image
except ImportError:
    sys.exit(77)

Image.open(sys.argv[1]).convert("RGB").save(sys.argv[2])
