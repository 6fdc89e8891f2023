#!/bin/sh
# Spinning a 4000 x 3000 photo by 17 degrees, whole commands, one thread each, interleaved:
# lumivista-tool, vips and ImageMagick. Prints each run's wall and CPU seconds and peak
# memory, then the medians and our ratios. Targets: wall <= 0.7 x vips, <= 0.1 x ImageMagick;
# peak memory <= 1.25 x (input + output pixel bytes).
# usage: bench/compare_spin.sh TOOL [RUNS] [DIR]   (DIR defaults to /dev/shm)
set -eu
. "$(dirname "$0")/compare_common.sh"
start_comparison spin "$@"
i=0
while [ $i -lt "$RUNS" ]; do
    run ours "$TOOL" transform "$IN" "$DIR/ours.jpg" spin=17 --threads 1 --no-sync
    run vips env VIPS_CONCURRENCY=1 vips rotate "$IN" "$DIR/vips.jpg[Q=90]" --background "255 255 255" -- -17
    run magick convert "$IN" -limit thread 1 -background white -rotate 17 -quality 90 "$DIR/magick.jpg"
    i=$((i + 1))
done
cat "$DIR/times"
OUT_BYTES=$(vipsheader -f width "$DIR/ours.jpg"):$(vipsheader -f height "$DIR/ours.jpg")
awk -v out="$OUT_BYTES" "$MEDIAN_AWK"'
    END {
        for (k in wall) printf "%-7s wall %.3f s  cpu %.3f s  peak %d MB\n", k, median(wall[k]), median(cpu[k]), median(mem[k]) / 1024
        split(out, wh, ":")
        budget = 1.25 * (4000 * 3000 * 3 + wh[1] * wh[2] * 3) / 1048576
        printf "ours/vips wall %.2f (target 0.70)  cpu %.2f\n", median(wall["ours"]) / median(wall["vips"]), median(cpu["ours"]) / median(cpu["vips"])
        printf "ours/ImageMagick wall %.3f (target 0.10)  cpu %.3f\n", median(wall["ours"]) / median(wall["magick"]), median(cpu["ours"]) / median(cpu["magick"])
        printf "ours peak %d MB (target %d MB: 1.25 x input + output pixels)\n", median(mem["ours"]) / 1024, budget
    }' "$DIR/times"
