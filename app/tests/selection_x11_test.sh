#!/usr/bin/env bash
# The selection screen in the running program on a real X server, driven by real pointer and
# key events: a rectangle dragged with the mouse, Delete, Ctrl+Z, then a magic-wand click. The
# program logs each selection state; the picture it shows is checked after each step.
# Skipped (77) where no virtual X server or xdotool is installed.
#   selection_x11_test.sh PROGRAM
set -euo pipefail
program=$1
source "$(dirname "$0")/x11_run_support.sh"
if [ "${SELECTION_TEST_INSIDE_X:-}" != 1 ]; then
  x11_prepare_work
  # 300 x 100: red on the left half, blue on the right.
  convert -size 150x100 xc:'rgb(200,40,40)' -size 150x100 xc:'rgb(40,40,200)' +append "BMP3:$work/two.bmp"
  x11_run_inside SELECTION_TEST_INSIDE_X "$0" 120
  exit $?
fi

log=$LUMIVISTA_TEST_LOG
states() { grep -c '^state' "$log" || true; }
# Waits for the state line logged after `before` such lines; prints it.
next_state() {
  for _ in $(seq 400); do [ "$(states)" -gt "$1" ] && break; sleep 0.05; done
  [ "$(states)" -gt "$1" ] || fail "no state logged"
  grep '^state' "$log" | sed -n "$(($1 + 1))p"
}

"$program" "$WORK/two.bmp" &
wait_for "^open $WORK/two.bmp ok"
read -r _ wx wy _ _ < <(grep '^ready' "$log")
frame=$(grep -o 'frame=[0-9,]*' "$log" | tail -1 | cut -d= -f2)
IFS=, read -r fx fy _ _ <<< "$frame"
caption=20  # the image window's caption strip (kCaptionHeight) above the picture
# Main-window points to the screen; document pixels (100 %) to the screen.
at() { echo $((wx + $1)) $((wy + $2)); }
doc() { echo $((wx + fx + $1)) $((wy + fy + caption + $2)); }

xdotool mousemove $(at 526 32) click 1          # Editar
wait_for "^screen 2 panels"
xdotool mousemove $(at 56 89) click 1           # the selection page of its strip
wait_for "^screen 8 panels 0,8"

# A rectangle from (10, 10) to (60, 40), pixels at both corners included.
before=$(states)
xdotool mousemove $(doc 10 10) mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove $(doc $((10 + 10 * step)) $((10 + 6 * step))); done
xdotool mouseup 1
next_state "$before" | grep -q "selection=1:10,10,61,41:1581 tool=1101 " || fail "the dragged rectangle"
[ "$(shown_at 20 20)" = "srgb(200,40,40)" ] || fail "the picture changed by selecting"

before=$(states)
xdotool key Delete
next_state "$before" | grep -q "selection=1:10,10,61,41:1581" || fail "Delete lost the selection"
[ "$(shown_at 20 20)" = "srgb(255,255,255)" ] || fail "Delete did not leave the white grid showing: $(shown_at 20 20)"
[ "$(shown_at 70 20)" = "srgb(200,40,40)" ] || fail "Delete reached outside the selection"

before=$(states)
xdotool key ctrl+z
next_state "$before" | grep -q "selection=1:10,10,61,41:1581" || fail "undo lost the selection"
[ "$(shown_at 20 20)" = "srgb(200,40,40)" ] || fail "undo did not bring the pixels back"

xdotool mousemove $(at 156 167) click 1         # the magic wand
wait_for "^tool 1104$"
before=$(states)
xdotool mousemove $(doc 200 50) click 1
next_state "$before" | grep -q "selection=1:150,0,300,100:15000 tool=1104 " || fail "the wand on the blue half"

# Esc while dragging a rectangle drops it: the wand's selection stays.
xdotool mousemove $(at 32 167) click 1          # the rectangle tool
wait_for "^tool 1101$"
before=$(states)
xdotool mousemove $(doc 20 60) mousedown 1 mousemove $(doc 60 80) mousemove $(doc 90 90)
xdotool key Escape
xdotool mouseup 1
send state
next_state "$before" | grep -q "selection=1:150,0,300,100:15000 tool=1101 " || fail "Esc did not drop the rubber band"

send quit
wait
echo "selection states:"
grep -o 'selection=[^ ]*' "$log"
