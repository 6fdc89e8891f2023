#!/bin/sh
# Whole-command comparisons of the WebP, AVIF, HEIC, JPEG XL and camera raw readers and the
# WebP writer with each format's reference tool, on pictures the reference encoders make from
# one generated 12-megapixel photo. Each pair does the same work: decode and write the
# picture uncompressed (BMP or TIFF for us; BMP, PPM, PNG stored without compression, TIFF
# for the tools), or read an uncompressed TIFF and encode it at the same settings. Runs are
# interleaved (ours, anchor, ours, anchor, ...) and each under `timeout`; the medians and
# their ratios are printed, of wall time and of processor time
# (perf's task clock, user and system, every process of the command).
#   modern_formats_bench.sh TOOL [ROUNDS]     (TOOL: the built lumivista-tool)
# LV_BENCH_ONLY=REGEX runs only the comparisons whose names match (grep -E).
set -eu
tool=$1
rounds=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
work=${LV_BENCH_DIR:-/dev/shm/lvbench-modern}
BENCH_DIR=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work"
cd "$work"

if [ ! -f photo.tif ]; then
    /usr/bin/python3 "$BENCH_DIR/generated_photo.py" png
    cwebp -quiet -q 90 photo.tif -o photo.webp
    avifenc -j all -s 8 photo.png photo.avif >/dev/null
    heif-enc -q 90 photo.png -o photo.heic >/dev/null
    cjxl photo.png photo.jxl -d 1 >/dev/null 2>&1
    /usr/bin/python3 "$here/../imagelib/tests/interop/make_dng.py" photo.dng 4000 3000 --preview 1024
fi

# Wall and processor seconds of one run of a command, under a timeout: perf's elapsed time
# of the command and the task clock of all its processes (finer than time's 10 ms). Timing
# perf from outside would add its own start and end, about 40 ms, to both sides alike.
seconds() {
    LC_ALL=C perf stat -e task-clock -o run.perf timeout 300 "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    awk '/msec task-clock/ { cpu = $1 / 1000 } /seconds time elapsed/ { wall = $1 }
         END { printf "%.4f %.4f\n", wall, cpu }' run.perf
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

compare() {
    name=$1 ours=$2 anchor=$3
    if [ -n "${LV_BENCH_ONLY:-}" ] && ! echo "$name" | grep -Eq "$LV_BENCH_ONLY"; then
        return 0
    fi
    : > ours.times
    : > anchor.times
    i=0
    while [ $i -lt "$rounds" ]; do
        seconds sh -c "$ours" >> ours.times
        seconds sh -c "$anchor" >> anchor.times
        i=$((i + 1))
    done
    ow=$(cut -d' ' -f1 ours.times | median) oc=$(cut -d' ' -f2 ours.times | median)
    aw=$(cut -d' ' -f1 anchor.times | median) ac=$(cut -d' ' -f2 anchor.times | median)
    printf '%-22s wall ours %6.3f s anchor %6.3f s ratio %.2f | cpu ours %6.3f s anchor %6.3f s ratio %.2f\n' \
        "$name" "$ow" "$aw" "$(echo "$ow / $aw" | bc -l)" "$oc" "$ac" "$(echo "$oc / $ac" | bc -l)"
}

compare "WebP decode" "$tool convert photo.webp out.bmp" "dwebp -quiet photo.webp -bmp -o anchor.bmp"
compare "WebP encode q90" "$tool convert photo.tif out.webp --quality 90" "cwebp -quiet -q 90 photo.tif -o anchor.webp"
compare "AVIF decode" "$tool convert photo.avif out.bmp" "avifdec -j all --png-compress 0 photo.avif anchor.png"
# heif-convert writes no RGB file without compressing it: its Y4M output keeps the decoder's
# 4:2:0 planes, so the anchor skips the RGB conversion and writes half the bytes we do.
compare "HEIC decode" "$tool convert photo.heic out.bmp" "heif-convert photo.heic anchor.y4m"
compare "JPEG XL decode" "$tool convert photo.jxl out.bmp" "djxl photo.jxl anchor.ppm"
# dcraw_emu names its output itself (-Z), so the anchor needs no copy of the 24 MB input.
compare "raw development" "$tool convert photo.dng out.tif" "dcraw_emu -w -T -Z anchor.tiff photo.dng"
