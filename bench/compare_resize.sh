#!/bin/sh
# Resizing a 4000 x 3000 JPEG to 1000 x 750, whole commands, one thread each, interleaved:
# lumivista-tool resize, vips resize and vipsthumbnail. Prints medians of wall and CPU
# seconds and our ratios. Target: <= 0.1 x vips resize (see the note in the report: the
# in-process DibResize figure is jpeg_png_geometry_bench's BM_DibResize).
# usage: bench/compare_resize.sh TOOL [RUNS] [DIR]   (DIR defaults to /dev/shm)
set -eu
TOOL=${1:?usage: compare_resize.sh TOOL [RUNS] [DIR]}
RUNS=${2:-5}
DIR=${3:-/dev/shm}/lvbench-resize
LIMIT=120
mkdir -p "$DIR"
trap 'rm -rf "$DIR"' EXIT
IN=$DIR/photo.jpg
timeout $LIMIT convert -size 4000x3000 gradient:orange-navy -attenuate 0.4 +noise Gaussian -quality 90 "$IN"
run() {
    name=$1; shift
    /usr/bin/time -f "$name %e %U %S %M" -a -o "$DIR/times" timeout $LIMIT "$@" >/dev/null 2>&1 || echo "$name failed" >&2
}
: > "$DIR/times"
i=0
while [ $i -lt "$RUNS" ]; do
    run ours "$TOOL" resize "$IN" "$DIR/ours.jpg" 1000 750 --no-sync
    run vips env VIPS_CONCURRENCY=1 vips resize "$IN" "$DIR/vips.jpg[Q=90]" 0.25
    run thumbnail env VIPS_CONCURRENCY=1 vipsthumbnail "$IN" -s 1000x750 -o "$DIR/thumb.jpg[Q=90]"
    i=$((i + 1))
done
awk '
    { wall[$1] = wall[$1] " " $2; cpu[$1] = cpu[$1] " " ($3 + $4) }
    function median(list,   n, a, i, j, t) {
        n = split(list, a, " ")
        for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
        return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    }
    END {
        for (k in wall) printf "%-9s wall %.3f s  cpu %.3f s\n", k, median(wall[k]), median(cpu[k])
        printf "ours/vips resize wall %.2f cpu %.2f (target 0.10)\n", median(wall["ours"]) / median(wall["vips"]), median(cpu["ours"]) / median(cpu["vips"])
        printf "ours/vipsthumbnail wall %.2f cpu %.2f\n", median(wall["ours"]) / median(wall["thumbnail"]), median(cpu["ours"]) / median(cpu["thumbnail"])
    }' "$DIR/times"
