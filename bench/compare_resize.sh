#!/bin/sh
# Resizing a 4000 x 3000 JPEG to 1000 x 750, whole commands, one thread each, interleaved:
# lumivista-tool resize, vips resize, vipsthumbnail, and djpeg reading the file at half size.
# Prints medians of wall and CPU seconds and our ratios.
# Targets: <= 1.0 x vipsthumbnail, the peer that also shrinks while decoding; <= 0.5 x vips
# resize, which decodes the whole picture. Neither side can go below the file's entropy
# decoding (the djpeg line), which alone is about a quarter of vips resize on this noisy photo,
# so the first promise's 0.1 x vips resize is out of reach for any one-thread reader.
# usage: bench/compare_resize.sh TOOL [RUNS] [DIR]   (DIR defaults to /dev/shm)
set -eu
. "$(dirname "$0")/compare_common.sh"
start_comparison resize "$@"
i=0
while [ $i -lt "$RUNS" ]; do
    run ours "$TOOL" resize "$IN" "$DIR/ours.jpg" 1000 750 --no-sync
    run vips env VIPS_CONCURRENCY=1 vips resize "$IN" "$DIR/vips.jpg[Q=90]" 0.25
    run ours "$TOOL" resize "$IN" "$DIR/ours.jpg" 1000 750 --no-sync
    run thumbnail env VIPS_CONCURRENCY=1 vipsthumbnail "$IN" -s 1000x750 -o "$DIR/thumb.jpg[Q=90]"
    run decode djpeg -scale 1/2 -outfile /dev/null "$IN"
    i=$((i + 1))
done
awk "$MEDIAN_AWK"'
    END {
        for (k in wall) printf "%-9s wall %.3f s  cpu %.3f s\n", k, median(wall[k]), median(cpu[k])
        printf "ours/vipsthumbnail wall %.2f cpu %.2f (target 1.0)\n", median(wall["ours"]) / median(wall["thumbnail"]), median(cpu["ours"]) / median(cpu["thumbnail"])
        printf "ours/vips resize wall %.2f cpu %.2f (target 0.5)\n", median(wall["ours"]) / median(wall["vips"]), median(cpu["ours"]) / median(cpu["vips"])
        printf "djpeg 1/2/vips resize cpu %.2f (the floor)\n", median(cpu["decode"]) / median(cpu["vips"])
    }' "$DIR/times"
