#!/usr/bin/env python3
"""Paints a photo-like landscape (sky, clouds, mountains, a house, trees, a lake with
reflections, flowers, film grain) so the effects can be shown and measured on a picture
of our own. Deterministic for a given size.

usage: make-sample-photo.py OUT.png [WIDTH HEIGHT] [--flaw dark|flat|cast]
"""
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFilter


def fbm(h, w, rng, octaves=6, base=4):
    """Fractal noise in 0..1 from bilinearly enlarged random grids."""
    out = np.zeros((h, w))
    amp, total = 1.0, 0.0
    for o in range(octaves):
        cells = base * 2 ** o
        grid = rng.random((cells + 1, cells + 1))
        img = Image.fromarray((grid * 255).astype(np.uint8)).resize((w, h), Image.BILINEAR)
        out += amp * np.asarray(img, dtype=float) / 255
        total += amp
        amp *= 0.5
    return out / total


def paint(w, h):
    rng = np.random.default_rng(2000)
    y = np.linspace(0, 1, h)[:, None]
    x = np.linspace(0, 1, w)[None, :]
    horizon = 0.58
    img = np.zeros((h, w, 3))
    # Sky: deep blue overhead to a warm haze at the horizon, a low sun, clouds.
    t = np.clip(y / horizon, 0, 1)
    sky = (1 - t)[..., None] * np.array([0.18, 0.38, 0.78]) + t[..., None] * np.array([0.93, 0.80, 0.62])
    sun = np.exp(-(((x - 0.72) ** 2) + ((y - 0.40) ** 2) * 1.6) / 0.004)
    sky = sky + sun[..., None] * np.array([1.0, 0.85, 0.55]) * 0.9
    clouds = np.clip((fbm(h, w, rng, 6, 3) - 0.52) * 3.2, 0, 1) * np.clip(1.2 - y * 1.6, 0, 1)
    sky = sky * (1 - clouds[..., None] * 0.85) + clouds[..., None] * np.array([0.97, 0.95, 0.93]) * 0.85
    img[:] = sky
    # Mountains: a ridge line from noise, bluish with distance, snow on the peaks.
    xs = np.linspace(0, 1, w)
    line = sum(np.sin(xs * f * 6.283 + rng.random() * 6.283) / f ** 1.1 for f in (1.3, 2.7, 5.1, 9.8, 21.0, 43.0))
    line = (line - line.min()) / (line.max() - line.min())
    ridge = horizon - 0.03 - 0.22 * line
    rock = fbm(h, w, rng, 6, 8)
    mountain = y > ridge[None, :]
    shade = 0.45 + 0.4 * rock
    mcol = np.stack([0.32 * shade + 0.12, 0.36 * shade + 0.14, 0.48 * shade + 0.18], -1)
    snow = (y < ridge[None, :] + 0.05 * rock * (line[None, :] - 0.45).clip(0) * 3) & mountain
    mcol[snow] = np.array([0.92, 0.93, 0.97]) * (0.85 + 0.15 * rock[snow])[:, None]
    img[mountain] = mcol[mountain]
    # Hills: green with patches of field and texture.
    hill = horizon - 0.015 - 0.05 * fbm(1, w, rng, 5, 2)[0]
    grass = fbm(h, w, rng, 7, 12)
    hills = y > hill[None, :]
    g = np.stack([0.16 + 0.22 * grass, 0.42 + 0.3 * grass, 0.12 + 0.1 * grass], -1)
    fields = fbm(h, w, rng, 3, 3) > 0.58
    g[fields] = np.stack([0.62 + 0.2 * grass, 0.58 + 0.2 * grass, 0.22 + 0.1 * grass], -1)[fields]
    img[hills] = g[hills]
    # The lake: the scene above mirrored, darker and bluer, broken by ripples.
    lake_top = 0.66
    rows = np.arange(h)
    water = rows >= int(lake_top * h)
    src = np.clip((2 * lake_top * h - rows - 1).astype(int), 0, h - 1)
    ripple = (np.sin(rows[:, None] * 0.9 + fbm(h, w, rng, 4, 6) * 12) * 3 * (rows[:, None] / h)).astype(int)
    cols = np.clip(np.arange(w)[None, :] + ripple, 0, w - 1)
    refl = img[src[:, None], cols]
    img[water] = (refl * 0.62 + np.array([0.05, 0.16, 0.26]))[water]
    pil = Image.fromarray((np.clip(img, 0, 1) * 255).astype(np.uint8))
    d = ImageDraw.Draw(pil)
    # A house on the hill: white walls, red roof, dark windows, and its trees.
    hx, hy, s = int(0.22 * w), int(0.565 * h), w / 800
    d.rectangle([hx, hy, hx + 70 * s, hy + 42 * s], fill=(236, 232, 220))
    d.polygon([(hx - 8 * s, hy), (hx + 35 * s, hy - 30 * s), (hx + 78 * s, hy)], fill=(178, 40, 32))
    for wx in (10, 46):
        d.rectangle([hx + wx * s, hy + 10 * s, hx + (wx + 12) * s, hy + 22 * s], fill=(40, 52, 70))
    d.rectangle([hx + 30 * s, hy + 18 * s, hx + 40 * s, hy + 42 * s], fill=(96, 60, 36))
    for tx, ts in ((0.12, 1.0), (0.38, 1.3), (0.44, 0.9), (0.86, 1.5), (0.92, 1.1)):
        cx, base = int(tx * w), int((hill[int(tx * w)] + 0.07) * h)
        r = 26 * s * ts
        d.rectangle([cx - 3 * s * ts, base - 10 * s, cx + 3 * s * ts, base + 6 * s], fill=(80, 52, 30))
        d.ellipse([cx - r * 0.8, base - 10 * s - 2.2 * r, cx + r * 0.8, base - 6 * s], fill=(30, 82, 40))
    pil = pil.filter(ImageFilter.GaussianBlur(0.6 * s))
    img = np.array(pil, dtype=float) / 255
    # Flowers in the foreground meadow strip and a red boat on the water.
    meadow_band = rows >= int(0.93 * h)
    img[meadow_band] = img[meadow_band] * 0.5 + np.array([0.2, 0.45, 0.15]) * 0.5 * (0.6 + 0.6 * grass[meadow_band])[..., None]
    meadow = (rows[:, None] > h * 0.93) & (rng.random((h, w)) < 0.02)
    img[meadow] = rng.choice(np.array([[0.95, 0.85, 0.1], [0.9, 0.2, 0.3], [0.95, 0.95, 0.95]]), meadow.sum())
    by, bx = int(0.78 * h), int(0.6 * w)
    boat = (np.abs(rows[:, None] - by) < 6 * s) & (np.abs(np.arange(w)[None, :] - bx) < (40 * s - np.abs(rows[:, None] - by) * 3))
    img[boat] = np.array([0.75, 0.12, 0.1])
    img += rng.normal(0, 0.012, img.shape)
    return np.clip(img, 0, 1)


def flaw(img, kind):
    if kind == "dark":
        return img ** 2.2 * 0.55
    if kind == "flat":
        return 0.38 + img * 0.32
    if kind == "cast":
        return np.clip(img * np.array([0.95, 1.0, 0.62]) + np.array([0.07, 0.04, 0.0]), 0, 1)
    raise SystemExit("unknown flaw " + kind)


def main(argv):
    args = [a for a in argv if not a.startswith("--")]
    kind = argv[argv.index("--flaw") + 1] if "--flaw" in argv else None
    if kind:
        args.remove(kind)
    out = args[0]
    w, h = (int(args[1]), int(args[2])) if len(args) >= 3 else (800, 600)
    img = paint(w, h)
    if kind:
        img = flaw(img, kind)
    Image.fromarray((np.clip(img, 0, 1) * 255 + 0.5).astype(np.uint8)).save(out)


if __name__ == "__main__":
    main(sys.argv[1:])
