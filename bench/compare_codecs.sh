#!/bin/sh
# Whole-command JPEG and TIFF conversions of a generated 4000 x 3000 photo (and a 25-colour
# graphic for LZW) against libjpeg-turbo's djpeg | cjpeg and libtiff's tiffcp, interleaved
# (ours, anchor, ours, anchor, ...), each under a time limit. Prints the medians of processor
# time (perf's task clock, user and system, of every process) and of wall time, and their ratios ours/anchor.
# The JPEG pair runs on one processor (taskset), as our decode and encode are one thread.
# The output is on a RAM disk and ours runs --no-sync, as the anchors never flush.
# With BEFORE (another build of the tool) the TIFF rows run it too, interleaved with the two.
# usage: bench/compare_codecs.sh TOOL [RUNS [BEFORE]]
set -eu
TOOL=${1:?usage: compare_codecs.sh TOOL [RUNS [BEFORE]]}
RUNS=${2:-7}
BEFORE=${3:-}
LIMIT=120
work=${LV_BENCH_DIR:-/dev/shm/lvbench-codecs}
BENCH_DIR=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work"
cd "$work"

if [ ! -f photo.tif ]; then
    /usr/bin/python3 "$BENCH_DIR/generated_photo.py" jpg graphic
fi

# "wall cpu" seconds of one run, or "fail". Both are perf's: the elapsed time of the command
# from its start to its end, and the task clock of all its processes (finer than time's
# 10 ms). Timing perf from outside would add its own start and end, about 40 ms, to both
# sides alike, and so pull every ratio towards 1.
run() {
    if LC_ALL=C perf stat -e task-clock -o run.perf timeout $LIMIT sh -c "$1" >/dev/null 2>&1; then
        awk '/msec task-clock/ { cpu = $1 / 1000 } /seconds time elapsed/ { wall = $1 }
             END { printf "%.4f %.4f\n", wall, cpu }' run.perf
    else echo fail; fi
}
median() { sort -g | awk '{ a[NR] = $1 } END { print NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

compare() {
    name=$1 ours=$2 anchor=$3 before=${4:-}
    : > ours.times
    : > anchor.times
    : > before.times
    i=0
    while [ $i -lt "$RUNS" ]; do
        run "$ours" >> ours.times
        run "$anchor" >> anchor.times
        if [ -n "$before" ]; then run "$before" >> before.times; fi
        i=$((i + 1))
    done
    if grep -q fail ours.times anchor.times before.times; then echo "$name: failed" >&2; exit 1; fi
    ow=$(cut -d' ' -f1 ours.times | median) oc=$(cut -d' ' -f2 ours.times | median)
    aw=$(cut -d' ' -f1 anchor.times | median) ac=$(cut -d' ' -f2 anchor.times | median)
    echo "$name $ow $oc $aw $ac" | awk '{ printf "%-16s cpu ours %.3f s anchor %.3f s ratio %.2f | wall ours %.3f s anchor %.3f s ratio %.2f\n", $1, $3, $5, $3 / $5, $2, $4, $2 / $4 }'
    if [ -n "$before" ]; then
        bw=$(cut -d' ' -f1 before.times | median) bc=$(cut -d' ' -f2 before.times | median)
        echo "$name $bw $bc $aw $ac" | awk '{ printf "%-16s cpu before %.3f s ratio %.2f | wall before %.3f s ratio %.2f\n", $1, $3, $3 / $5, $2, $2 / $4 }'
    fi
}

# "ours [before]": the photo convert's peak resident memory in KB.
peak() { /usr/bin/time -f %M "$1" convert --no-sync --compress --threads 1 photo.tif out.tif 2>&1 >/dev/null | tail -n 1; }

compare "JPEG-to-JPEG" "taskset -c 0 $TOOL convert --no-sync photo.jpg out.jpg" \
    "taskset -c 0 sh -c 'djpeg photo.jpg | cjpeg -quality 90 > anchor.jpg'"
# The promise is kept on one thread; the rows after show all processors (the default).
for threads in "--threads 1" ""; do
    for picture in photo graphic; do
        convert="convert --no-sync --compress $threads $picture.tif out.tif"
        name=TIFF-LZW-$picture
        [ -n "$threads" ] || name=$name-all
        compare "$name" "$TOOL $convert" "tiffcp -c lzw $picture.tif anchor.tif" \
            "${BEFORE:+$BEFORE $convert}"
    done
done
echo "TIFF-LZW-photo peak resident memory: ours $(peak "$TOOL") KB${BEFORE:+, before $(peak "$BEFORE") KB}"
