#!/usr/bin/env python3
"""Animations written by the tool, read back by readers that are not ours: Pillow when it is
installed, libwebp's webpmux for WebP, and a plain walk of the GIF blocks."""
import os, re, struct, subprocess, sys, tempfile

TOOL = sys.argv[1]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def tool(*args, ok=True):
    run = subprocess.run([TOOL, *args], capture_output=True, text=True)
    if ok and run.returncode != 0:
        sys.exit(f"{args}: {run.returncode} {run.stderr}")
    return run


def gif_blocks(path):
    """(frame delays in ms, loop value or None, size) by walking the blocks."""
    data = open(path, "rb").read()
    assert data[:6] == b"GIF89a", path
    w, h, flags = struct.unpack("<HHB", data[6:11])
    at = 13 + (3 << ((flags & 7) + 1) if flags & 0x80 else 0)
    delays, loop = [], None
    while data[at] != 0x3B:
        if data[at] == 0x21:
            label = data[at + 1]
            if label == 0xF9:
                delays.append(struct.unpack("<H", data[at + 4:at + 6])[0] * 10)
            if label == 0xFF and data[at + 3:at + 14] == b"NETSCAPE2.0":
                loop = struct.unpack("<H", data[at + 16:at + 18])[0]
            at += 2
        else:
            assert data[at] == 0x2C, hex(data[at])
            lflags = data[at + 9]
            at += 10 + (3 << ((lflags & 7) + 1) if lflags & 0x80 else 0) + 1
        while data[at]:
            at += data[at] + 1
        at += 1
    return delays, loop, (w, h)


def webp_info(path):
    out = subprocess.run(["webpmux", "-info", path], capture_output=True, text=True).stdout
    loop = int(re.search(r"Loop Count\s*:\s*(\d+)", out).group(1))
    size = tuple(int(v) for v in re.search(r"Canvas size:\s*(\d+) x (\d+)", out).groups())
    delays = [int(line.split()[6]) for line in out.splitlines() if re.match(r"\s*\d+:", line)]
    return delays, loop, size


def pillow(path):
    try:
        from PIL import Image
    except ImportError:
        return None
    with Image.open(path) as im:
        delays = []
        for i in range(im.n_frames):
            im.seek(i)
            im.load()  # WebP frames tell their duration once decoded
            delays.append(im.info["duration"])
        return delays, im.info.get("loop"), im.size


def main():
    with tempfile.TemporaryDirectory() as d:
        ins = []
        for i, (w, h, rgb) in enumerate(((320, 240, (250, 0, 0)), (240, 320, (0, 250, 0)), (320, 240, (0, 0, 250)))):
            ins.append(os.path.join(d, f"in{i}.bmp"))
            tool("new", str(w), str(h), *map(str, rgb), ins[-1])
        gif = os.path.join(d, "a.gif")
        tool("animation", gif, *ins, "--delay", "300", "--loop", "3", "--size", "160x120", "--fade", "2")
        delays, loop, size = gif_blocks(gif)
        check(delays == [300, 100, 100, 300, 100, 100, 300], f"gif delays {delays}")
        check(loop == 2 and size == (160, 120), f"gif loop field {loop} (plays after the first) size {size}")
        once = os.path.join(d, "once.gif")
        tool("animation", once, *ins, "--loop", "1", "--palette", "frame")
        check(gif_blocks(once)[1] is None and gif_blocks(once)[0] == [500] * 3, f"one play: {gif_blocks(once)}")

        webp = os.path.join(d, "a.webp")
        tool("animation", webp, *ins, "--delay", "250", "--size", "96x64", "--fade", "1")
        delays, loop, size = webp_info(webp)
        check(delays == [250, 125, 250, 125, 250] and loop == 0 and size == (96, 64), f"webp {delays} {loop} {size}")

        read = pillow(gif)
        if read is not None:
            check(read[0] == [300, 100, 100, 300, 100, 100, 300] and read[1] == 2, f"Pillow gif {read}")
            check(pillow(webp)[0] == [250, 125, 250, 125, 250], f"Pillow webp {pillow(webp)}")

        check(tool("animation", os.path.join(d, "a.png"), *ins, ok=False).returncode == 2, "png refused")
        check(tool("animation", gif, *ins, "--delay", "5", ok=False).returncode == 2, "delay below 20 ms")
        check(tool("animation", gif, os.path.join(d, "none.bmp"), ok=False).returncode == 3, "missing input")
        run = tool("animation", os.path.join(d, "no", "dir", "a.gif"), *ins, ok=False)
        check(run.returncode == 4 and "a.gif" in run.stderr, f"unwritable: {run.returncode} {run.stderr}")
    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
