"""Writes the photos the reduced-decode tests scale: photo-like pictures (soft gradients,
shapes with hard edges, fine texture and grain) as JPEGs of several kinds.

usage: make_scaling_photos.py DIR"""
import io
import sys

import numpy as np
from PIL import Image, ImageCms


def detailed(width, height, seed=7):
    rng = np.random.default_rng(seed)
    y, x = np.mgrid[0:height, 0:width].astype(np.float32)
    u, v = x / width, y / height
    img = np.empty((height, width, 3), np.float32)
    img[..., 0] = 120 + 80 * np.sin(3 * u + 2 * v)
    img[..., 1] = 110 + 60 * np.cos(5 * u - 3 * v)
    img[..., 2] = 100 + 70 * np.sin(4 * (u + v))
    for _ in range(30):
        cx, cy, r = int(rng.uniform(0, width)), int(rng.uniform(0, height)), int(rng.uniform(0.02, 0.12) * width)
        top, left, bottom, right = max(cy - r, 0), max(cx - r, 0), min(cy + r, height), min(cx + r, width)
        dy, dx = np.ogrid[top:bottom, left:right]
        img[top:bottom, left:right][(dx - cx) ** 2 + (dy - cy) ** 2 < r * r] += rng.uniform(-60, 60, 3)
    for _ in range(8):
        period, angle = rng.uniform(0.008, 0.03) * width, rng.uniform(0, np.pi)
        img += (rng.uniform(3, 8) * np.sin((x * np.cos(angle) + y * np.sin(angle)) * 2 * np.pi / period))[..., None]
    img += rng.normal(0, 2, img.shape)
    return Image.fromarray(np.clip(img, 0, 255).astype(np.uint8))


def main(folder):
    srgb = ImageCms.ImageCmsProfile(ImageCms.createProfile('sRGB')).tobytes()
    photo = detailed(2000, 1500)
    photo.save(f'{folder}/photo.jpg', quality=90, dpi=(300, 300), icc_profile=srgb)
    photo.save(f'{folder}/progressive.jpg', quality=90, progressive=True)
    photo.convert('L').save(f'{folder}/grey.jpg', quality=90)
    detailed(2001, 1499).save(f'{folder}/odd.jpg', quality=90)
    exif = Image.Exif()
    exif[0x0112] = 6  # stored turned a quarter left: shown upright as 1500 x 2000
    detailed(1500, 2000).transpose(Image.ROTATE_90).save(f'{folder}/turned.jpg', quality=90, exif=exif)
    data = io.BytesIO()
    photo.save(data, 'JPEG', quality=90)
    with open(f'{folder}/cut.jpg', 'wb') as out:
        out.write(data.getvalue()[: len(data.getvalue()) // 2])


main(sys.argv[1])
