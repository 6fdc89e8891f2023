#!/bin/sh
# Whole-command time and peak memory of every effect at full strength (the widest reach),
# through `lumivista-tool effect`, on one photo; beside each figure its targets: at most
# 3 s and a peak of at most 3 × the picture's bytes (width × height × 3). With --anchor,
# oil paint is also compared with ImageMagick's `convert -paint` (radius 6: a comparable
# brush on a 4000-pixel photo), interleaved, median of RUNS.
#
# usage: bench/effects_memory.sh TOOL PHOTO.jpg [--threads N] [--runs N] [--only CODE] [--anchor]
set -eu
tool=$1; photo=$2; shift 2
threads=2; runs=1; only=""; anchor=0
while [ $# -gt 0 ]; do
    case $1 in
        --threads) threads=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        --only) only=$2; shift 2 ;;
        --anchor) anchor=1; shift ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
out=${TMPDIR:-/dev/shm}/lv-effects-memory.$$.jpg
log=${TMPDIR:-/dev/shm}/lv-effects-memory.$$.log
trap 'rm -f "$out" "$log"' EXIT
size=$(identify -format '%w %h' "$photo" 2>/dev/null || "$tool" info "$photo" | awk '/^size/ {print $2, $4}')
set -- $size
picture_mb=$(echo "$1 $2" | awk '{printf "%.1f", $1 * $2 * 3 / 1048576}')
limit_mb=$(echo "$picture_mb" | awk '{printf "%.1f", 3 * $1}')

# One run: prints "seconds peak_MB cpu_seconds" (wall time, maximum resident set and user +
# system time, from GNU time); on a shared machine the processor time is the steadier figure.
measure() {
    /usr/bin/time -v "$@" >/dev/null 2>"$log" || { cat "$log" >&2; exit 1; }
    awk -F': ' '/Elapsed \(wall clock\)/ {n = split($2, t, ":"); s = t[n] + 60 * t[n - 1]}
                /Maximum resident set size/ {kb = $2}
                /User time|System time/ {cpu += $2}
                END {printf "%.2f %.1f %.2f\n", s, kb / 1024, cpu}' "$log"
}

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

echo "picture $1 x $2 ($picture_mb MB); targets: <= 3.00 s, peak <= $limit_mb MB; $threads threads; median of $runs"
printf '%-6s %-28s %8s %8s %10s %8s %8s\n' code effect seconds target "peak MB" target "cpu s"
codes=$("$tool" effect --list --json | grep -o '"code": *[0-9]*' | grep -o '[0-9]*$')
for code in $codes; do
    [ -n "$only" ] && [ "$code" != "$only" ] && continue
    name=$("$tool" effect --list | awk -v c="$code" '$1 == c {$1 = ""; sub(/^ /, ""); sub(/ —.*/, ""); print; exit}')
    times=""; peaks=""; cpus=""
    i=0
    while [ $i -lt "$runs" ]; do
        set -- $(measure "$tool" effect "$photo" "$out" --op "$code" --strength 100 --threads "$threads")
        times="$times $1"; peaks="$peaks $2"; cpus="$cpus $3"
        i=$((i + 1))
    done
    t=$(echo $times | tr ' ' '\n' | median); p=$(echo $peaks | tr ' ' '\n' | median); c=$(echo $cpus | tr ' ' '\n' | median)
    printf '%-6s %-28s %8s %8s %10s %8s %8s\n' "$code" "$name" "$t" "<= 3.00" "$p" "<= $limit_mb" "$c"
done

[ "$anchor" = 1 ] || exit 0
# Oil paint against ImageMagick, interleaved so both see the same load.
ours_t=""; ours_p=""; im_t=""; im_p=""
i=0
while [ $i -lt "$runs" ]; do
    set -- $(measure "$tool" effect "$photo" "$out" --op 15 --strength 100 --threads "$threads")
    ours_t="$ours_t $1"; ours_p="$ours_p $2"
    set -- $(measure env MAGICK_THREAD_LIMIT="$threads" convert "$photo" -paint 6 -quality 90 "$out")
    im_t="$im_t $1"; im_p="$im_p $2"
    i=$((i + 1))
done
ot=$(echo $ours_t | tr ' ' '\n' | median); op=$(echo $ours_p | tr ' ' '\n' | median)
it=$(echo $im_t | tr ' ' '\n' | median); ip=$(echo $im_p | tr ' ' '\n' | median)
echo "oil paint: ours $ot s $op MB; convert -paint 6: $it s $ip MB; ratio time $(echo "$ot $it" | awk '{printf "%.3f", $1 / $2}') memory $(echo "$op $ip" | awk '{printf "%.2f", $1 / $2}') (target <= 1.0 both)"
