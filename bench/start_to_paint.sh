#!/bin/sh
# The program's start to its first painted main window, on a private Xvfb display with its
# own settings folder: median of RUNS starts after one warm-up (the files in the page cache,
# the settings written), as milliseconds to the window's mapping, to its first painted
# pixels, and the program's processor time up to then.
# usage: bench/start_to_paint.sh [PROGRAM] [RUNS]   (default build/bench/program/lumivista, 7)
set -eu
PROGRAM=${1:-build/bench/program/lumivista}
RUNS=${2:-7}
TARGET_MS=150
WORK=$(mktemp -d /tmp/lvbench-start.XXXXXX)
XPID=
trap '[ -n "$XPID" ] && kill $XPID; rm -rf "$WORK"' EXIT
g++ -O2 -std=c++20 "$(dirname "$0")/first_paint_probe.cpp" -o "$WORK/probe" -lX11

NUMBER=$(( 90 + $$ % 100 ))
Xvfb :$NUMBER -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
XPID=$!
export DISPLAY=:$NUMBER HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_CONFIG_HOME"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

median() { sort -g | awk '{ a[NR] = $1 } END { print NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
"$WORK/probe" 20 "$PROGRAM" >/dev/null
: > "$WORK/runs"
for _ in $(seq "$RUNS"); do
    "$WORK/probe" 20 "$PROGRAM" >> "$WORK/runs"
    sleep 0.3
done
MAP=$(cut -d' ' -f1 "$WORK/runs" | median)
PAINT=$(cut -d' ' -f2 "$WORK/runs" | median)
CPU=$(cut -d' ' -f3 "$WORK/runs" | median)
VERDICT=$(echo "$PAINT $TARGET_MS" | awk '{ print $1 <= $2 ? "holds" : "MISSED" }')
echo "start to first paint, median of $RUNS: mapped $MAP ms, painted $PAINT ms (cpu $CPU ms)  target <= $TARGET_MS ms: $VERDICT"
