#!/usr/bin/env bash
# The transform tools in the running program on a real X server, with real pointer events: a
# layer's corner dragged with the resize tool, the layer turned with the free-rotate tool,
# then both undone with Ctrl+Z. The program logs the current layer's box with each state.
# Skipped (77) where no virtual X server or xdotool is installed.
#   transform_x11_test.sh PROGRAM
set -euo pipefail
program=$1
if [ "${TRANSFORM_TEST_INSIDE_X:-}" != 1 ]; then
  command -v xvfb-run >/dev/null && command -v xdotool >/dev/null && command -v convert >/dev/null || exit 77
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -m 700 "$work/runtime"
  program_dir=$(cd "$(dirname "$program")" && pwd)
  for data in ui help Click1.wav Click2.wav; do ln -s "$program_dir/$data" "$work/$data"; done
  # 300 x 100: red on the left half, blue on the right.
  convert -size 150x100 xc:'rgb(200,40,40)' -size 150x100 xc:'rgb(40,40,200)' +append "BMP3:$work/two.bmp"
  TRANSFORM_TEST_INSIDE_X=1 WORK="$work" LUMIVISTA_HOME="$work" LUMIVISTA_CONFIG_DIR="$work/config" \
    LUMIVISTA_TEST_LOG="$work/log" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$program"
  exit $?
fi

log=$LUMIVISTA_TEST_LOG
fail() { echo "FAILED: $*"; echo "--- log:"; cat "$log"; LUMIVISTA_TEST_SEND=quit "$program" || true; exit 1; }
wait_for() {
  for _ in $(seq 400); do grep -qE "$1" "$log" 2>/dev/null && return 0; sleep 0.05; done
  fail "no log line like: $1"
}
send() { LUMIVISTA_TEST_SEND="$1" "$program" >/dev/null 2>&1; }
states() { grep -c '^state' "$log" || true; }
next_state() {
  for _ in $(seq 400); do [ "$(states)" -gt "$1" ] && break; sleep 0.05; done
  [ "$(states)" -gt "$1" ] || fail "no state logged"
  grep '^state' "$log" | sed -n "$(($1 + 1))p"
}
layer_of() { grep -o 'layer=[-0-9,]*' | cut -d= -f2; }
shown_at() {
  rm -f "$WORK/dump.bmp"
  send "dump $WORK/dump.bmp"
  convert "$WORK/dump.bmp" -format "%[pixel:p{$1,$2}]" info:
}

"$program" "$WORK/two.bmp" &
wait_for "^open $WORK/two.bmp ok"
read -r _ wx wy _ _ < <(grep '^ready' "$log")
frame=$(grep -o 'frame=[0-9,]*' "$log" | tail -1 | cut -d= -f2)
IFS=, read -r fx fy _ _ <<< "$frame"
caption=20
at() { echo $((wx + $1)) $((wy + $2)); }
doc() { echo $((wx + fx + $1)) $((wy + fy + caption + $2)); }

xdotool mousemove $(at 526 32) click 1          # Editar
wait_for "^screen 2 panels"
xdotool mousemove $(at 456 734) click 1         # the resize choice of the transform buttons
wait_for "^tool 1121$"

# The bottom-right corner (pressed 2 pixels inside it) dragged to half the width: the layer
# keeps its 3:1 shape.
before=$(states)
xdotool mousemove $(doc 298 98) mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove $(doc $((298 - 30 * step)) $((98 - 5 * step))); done
xdotool mouseup 1
box=$(next_state "$before" | layer_of)
[ "$box" = "0,0,150,50" ] || fail "the corner drag gave $box"
[ "$(shown_at 100 25)" = "srgb(40,40,200)" ] || fail "the blue half was not squeezed to the left: $(shown_at 100 25)"

xdotool mousemove $(at 506 734) click 1         # free rotate
send state
sleep 0.5
# From the bottom-right corner (18 degrees from the centre) to straight below it: 72 degrees.
before=$(states)
xdotool mousemove $(doc 149 49) mousedown 1
for step in 1 2 3 4; do xdotool mousemove $(doc $((149 - 18 * step)) $((49 + 20 * step))); done
xdotool mousemove $(doc 75 140)
xdotool mouseup 1
box=$(next_state "$before" | layer_of)
IFS=, read -r l t r b <<< "$box"
[ $((r - l)) -ge 90 ] && [ $((r - l)) -le 98 ] && [ $((b - t)) -ge 154 ] && [ $((b - t)) -le 162 ] \
  || fail "the rotation gave the box $box"

before=$(states)
xdotool key ctrl+z
[ "$(next_state "$before" | layer_of)" = "0,0,150,50" ] || fail "undoing the rotation"
before=$(states)
xdotool key ctrl+z
[ "$(next_state "$before" | layer_of)" = "0,0,300,100" ] || fail "undoing the resize"
[ "$(shown_at 200 50)" = "srgb(40,40,200)" ] || fail "undo did not bring the pixels back"

send quit
wait
echo "transform states:"
grep -o 'layer=[^ ]*' "$log"
