#!/bin/sh
# Resizing a 4000 x 3000 JPEG to 1000 x 750, whole commands, one thread each, interleaved:
# lumivista-tool resize, vips resize and vipsthumbnail. Prints medians of wall and CPU
# seconds and our ratios. Target: <= 0.1 x vips resize (see the note in the report: the
# in-process DibResize figure is jpeg_png_geometry_bench's BM_DibResize).
# usage: bench/compare_resize.sh TOOL [RUNS] [DIR]   (DIR defaults to /dev/shm)
set -eu
. "$(dirname "$0")/compare_common.sh"
start_comparison resize "$@"
i=0
while [ $i -lt "$RUNS" ]; do
    run ours "$TOOL" resize "$IN" "$DIR/ours.jpg" 1000 750 --no-sync
    run vips env VIPS_CONCURRENCY=1 vips resize "$IN" "$DIR/vips.jpg[Q=90]" 0.25
    run thumbnail env VIPS_CONCURRENCY=1 vipsthumbnail "$IN" -s 1000x750 -o "$DIR/thumb.jpg[Q=90]"
    i=$((i + 1))
done
awk "$MEDIAN_AWK"'
    END {
        for (k in wall) printf "%-9s wall %.3f s  cpu %.3f s\n", k, median(wall[k]), median(cpu[k])
        printf "ours/vips resize wall %.2f cpu %.2f (target 0.10)\n", median(wall["ours"]) / median(wall["vips"]), median(cpu["ours"]) / median(cpu["vips"])
        printf "ours/vipsthumbnail wall %.2f cpu %.2f\n", median(wall["ours"]) / median(wall["thumbnail"]), median(cpu["ours"]) / median(cpu["thumbnail"])
    }' "$DIR/times"
