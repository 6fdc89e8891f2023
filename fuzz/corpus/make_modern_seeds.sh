#!/bin/sh
# Seeds for the WebP, HEIF/AVIF, JPEG XL and camera raw fuzzers: small pictures made by each
# format's reference encoder, an animation, cut copies, and headers that claim huge sizes.
set -e
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 - "$work/small.png" <<'PY'
import sys
from PIL import Image
picture = Image.new("RGB", (24, 16))
picture.putdata([(x * 10, y * 15, (x + y) * 6) for y in range(16) for x in range(24)])
picture.save(sys.argv[1])
PY
mkdir -p "$here/webp" "$here/heif" "$here/jxl" "$here/raw"
cwebp -quiet -q 80 "$work/small.png" -o "$here/webp/lossy.webp"
cwebp -quiet -lossless "$work/small.png" -o "$here/webp/lossless.webp"
cwebp -quiet -q 80 -metadata icc "$work/small.png" -o "$here/webp/plain.webp"
img2webp -q 50 "$work/small.png" "$work/small.png" -o "$here/webp/animated.webp" >/dev/null
heif-enc -q 50 "$work/small.png" -o "$here/heif/small.heic" >/dev/null
avifenc -s 10 "$work/small.png" "$here/heif/small.avif" >/dev/null
cjxl "$work/small.png" "$here/jxl/lossy.jxl" -d 2 >/dev/null 2>&1
cjxl "$work/small.png" "$here/jxl/lossless.jxl" -d 0 --container=1 >/dev/null 2>&1
/usr/bin/python3 "$here/../../imagelib/tests/interop/make_dng.py" "$here/raw/plain.dng" 32 24
/usr/bin/python3 "$here/../../imagelib/tests/interop/make_dng.py" "$here/raw/preview.dng" 32 24 --preview 16
for f in "$here"/webp/lossy.webp "$here"/heif/small.heic "$here"/heif/small.avif "$here"/jxl/lossy.jxl "$here"/raw/plain.dng; do
    head -c $(( $(stat -c %s "$f") / 2 )) "$f" > "${f%.*}_cut.${f##*.}"
done
# A WebP whose canvas claims 16383 × 16383 pixels from a few bytes.
/usr/bin/python3 - "$here/webp/huge_canvas.webp" <<'PY'
import struct, sys
vp8x = struct.pack("<I", 0) + (16382).to_bytes(3, "little") * 2
body = b"WEBP" + b"VP8X" + struct.pack("<I", len(vp8x)) + vp8x
open(sys.argv[1], "wb").write(b"RIFF" + struct.pack("<I", len(body)) + body)
PY
# A DNG whose strips start far past its end: LibRaw seeks there and reads nothing.
/usr/bin/python3 - "$here/raw/plain.dng" "$here/raw/strip_past_end.dng" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], "rb").read())
entry = struct.pack("<HHI", 273, 4, 1)
at = data.find(entry)
while at >= 0:
    data[at + 8:at + 12] = struct.pack("<I", 0x7FFFFFF0)
    at = data.find(entry, at + 12)
open(sys.argv[2], "wb").write(data)
PY
