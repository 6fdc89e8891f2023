#!/usr/bin/env bash
# The transform tools in the running program on a real X server, with real pointer events: a
# layer's corner dragged with the resize tool, the layer turned with the free-rotate tool,
# then both undone with Ctrl+Z. The program logs the current layer's box with each state.
# Skipped (77) where no virtual X server or xdotool is installed.
#   transform_x11_test.sh PROGRAM
set -euo pipefail
program=$1
source "$(dirname "$0")/x11_session.sh"
x11_session_run "$program" "$0"

x11_open "$WORK/two.bmp"
layer_of() { grep -o 'layer=[-0-9,]*' | cut -d= -f2; }

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
