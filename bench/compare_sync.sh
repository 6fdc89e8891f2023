#!/bin/sh
# Whole BMP, PCX and Targa (RLE) conversions of a 4000 x 3000 photo against GraphicsMagick,
# with the output on each folder given (a real disk and a RAM disk), our tool with its
# default flush and with --no-sync, interleaved. Prints medians of wall seconds and the
# ratios ours/gm. GraphicsMagick never flushes, so --no-sync is the like-for-like figure.
# usage: bench/compare_sync.sh TOOL [RUNS] [DIR...]   (default DIRs: ./build and /dev/shm)
set -eu
TOOL=${1:?usage: compare_sync.sh TOOL [RUNS] [DIR...]}
RUNS=${2:-5}
shift; [ $# -gt 0 ] && shift
[ $# -gt 0 ] || set -- "$(pwd)/build" /dev/shm
LIMIT=120
SRC=$(mktemp -d /dev/shm/lvbench-sync-src.XXXXXX)
trap 'rm -rf "$SRC"' EXIT
timeout $LIMIT convert -size 4000x3000 gradient:orange-navy -attenuate 0.4 +noise Gaussian "$SRC/photo.bmp"
# Our PCX reader refuses GraphicsMagick's 24-bit PCX, so the inputs are our own files.
timeout $LIMIT "$TOOL" convert "$SRC/photo.bmp" "$SRC/photo.pcx"
timeout $LIMIT "$TOOL" convert --compress "$SRC/photo.bmp" "$SRC/photo.tga"

clock() { # seconds of wall time a command takes, or "fail"
    start=$(date +%s.%N)
    if timeout $LIMIT "$@" >/dev/null 2>&1; then end=$(date +%s.%N); echo "$start $end" | awk '{ printf "%.4f", $2 - $1 }'
    else echo fail; fi
}
median() { tr ' ' '\n' | grep -v '^$' | sort -g | awk '{ a[NR] = $1 } END { print NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

for dir in "$@"; do
    OUT=$(mktemp -d "$dir/lvbench-sync.XXXXXX")
    disk=$(df --output=source "$dir" | tail -1)
    for fmt in bmp pcx tga; do
        extra=""; gmextra=""
        [ $fmt = tga ] && extra=--compress && gmextra="-compress RLE"
        synced=""; unsynced=""; gm=""
        i=0
        while [ $i -lt "$RUNS" ]; do
            synced="$synced $(clock "$TOOL" convert $extra "$SRC/photo.$fmt" "$OUT/ours.$fmt")"
            unsynced="$unsynced $(clock "$TOOL" convert $extra --no-sync "$SRC/photo.$fmt" "$OUT/ours.$fmt")"
            gm="$gm $(clock gm convert "$SRC/photo.$fmt" -type TrueColor $gmextra "$OUT/gm.$fmt")"
            rm -f "$OUT"/*
            i=$((i + 1))
        done
        s=$(echo "$synced" | median); u=$(echo "$unsynced" | median); g=$(echo "$gm" | median)
        echo "$dir ($disk) $fmt: ours $s s, ours --no-sync $u s, gm $g s; ratio synced $(echo "$s $g" | awk '{ printf "%.2f", $1 / $2 }'), --no-sync $(echo "$u $g" | awk '{ printf "%.2f", $1 / $2 }')"
    done
    rm -rf "$OUT"
done
