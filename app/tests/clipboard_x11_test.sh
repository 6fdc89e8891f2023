#!/usr/bin/env bash
# The clipboard of the running program on a real X server: Ctrl+C in an image window puts a
# PNG other programs read (xclip), a PNG another program put there pastes with Ctrl+V as a
# new layer, and a layer copied in one running copy pastes into a second one (its own
# configuration folder) with its name. Skipped (77) without Xvfb, xdotool, xclip or convert.
#   clipboard_x11_test.sh PROGRAM
set -euo pipefail
program=$1
if [ "${CLIPBOARD_TEST_INSIDE_X:-}" != 1 ]; then
  for tool in xvfb-run xdotool xclip convert; do command -v $tool >/dev/null || exit 77; done
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -m 700 "$work/runtime"
  program_dir=$(cd "$(dirname "$program")" && pwd)
  for data in ui help Click1.wav Click2.wav; do ln -s "$program_dir/$data" "$work/$data"; done
  convert -size 120x80 xc:'rgb(200,40,40)' "BMP3:$work/red.bmp"
  convert -size 90x60 xc:'rgb(40,40,200)' "BMP3:$work/blue.bmp"
  convert -size 30x20 xc:'rgb(20,180,20)' "PNG24:$work/green.png"
  CLIPBOARD_TEST_INSIDE_X=1 WORK="$work" LUMIVISTA_HOME="$work" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    timeout 150 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$program"
  exit $?
fi

# Each running copy has its own configuration folder and log.
first=(env LUMIVISTA_CONFIG_DIR="$WORK/config1" LUMIVISTA_TEST_LOG="$WORK/log1")
second=(env LUMIVISTA_CONFIG_DIR="$WORK/config2" LUMIVISTA_TEST_LOG="$WORK/log2")
fail() { echo "FAILED: $*"; for l in "$WORK"/log*; do echo "--- $l:"; cat "$l"; done; exit 1; }
wait_for() {  # LOG PATTERN: up to 20 s
  for _ in $(seq 400); do grep -qE "$2" "$1" 2>/dev/null && return 0; sleep 0.05; done
  fail "no line like: $2 in $1"
}
last_state() { grep '^state' "$1" | tail -1; }
states() { grep -c '^state' "$1" 2>/dev/null || true; }
wait_state() {  # LOG BEFORE: the next state line
  for _ in $(seq 400); do [ "$(states "$1")" -gt "$2" ] && break; sleep 0.05; done
  [ "$(states "$1")" -gt "$2" ] || fail "no state logged in $1"
  last_state "$1"
}
# Clicks the caption strip of a copy's image window, which gives it the keyboard.
focus_image() {  # LOG
  read -r _ wx wy _ _ < <(grep '^ready' "$1")
  local frame
  frame=$(grep -o ' frame=[0-9,]*' "$1" | tail -1 | cut -d= -f2)
  IFS=, read -r fx fy fw _ <<< "$frame"
  xdotool mousemove $((wx + fx + fw / 2)) $((wy + fy + 8)) click 1
  sleep 0.3
}
shown_at() {  # ENV-ARRAY-NAME X Y: the colour the active document shows
  local -n run=$1
  rm -f "$WORK/dump.bmp"
  LUMIVISTA_TEST_SEND="dump $WORK/dump.bmp" "${run[@]}" "$program" >/dev/null 2>&1
  for _ in $(seq 100); do [ -s "$WORK/dump.bmp" ] && break; sleep 0.05; done
  convert "$WORK/dump.bmp" -format "%[pixel:p{$2,$3}]" info:
}

"${first[@]}" "$program" "$WORK/red.bmp" &
wait_for "$WORK/log1" "^open $WORK/red.bmp ok"

# Ctrl+C in the image window: other programs read the layer as PNG.
focus_image "$WORK/log1"
xdotool key ctrl+c
wait_for "$WORK/log1" "^copied 120x80"
xclip -selection clipboard -t TARGETS -o | grep -qx 'image/png' || fail "no PNG target: $(xclip -selection clipboard -t TARGETS -o)"
xclip -selection clipboard -t TARGETS -o | grep -qx 'application/x-Lumivista2000ClipboardFmt' || fail "no private target"
xclip -selection clipboard -t image/png -o > "$WORK/copied.png"
[ "$(convert "$WORK/copied.png" -format '%wx%h %[pixel:p{5,5}]' info:)" = "120x80 srgb(200,40,40)" ] ||
  fail "the PNG read back: $(convert "$WORK/copied.png" -format '%wx%h %[pixel:p{5,5}]' info:)"

# A PNG from another program: Ctrl+V makes it a new opaque layer at the bottom-left corner.
xclip -selection clipboard -t image/png -i "$WORK/green.png"
sleep 0.3
before=$(states "$WORK/log1")
focus_image "$WORK/log1"
xdotool key ctrl+v
wait_state "$WORK/log1" "$before" | grep -q " layers=2 current=0 " || fail "Ctrl+V did not add the layer"
[ "$(shown_at first 5 75)" = "srgb(20,180,20)" ] || fail "the pasted PNG: $(shown_at first 5 75)"
[ "$(shown_at first 50 20)" = "srgb(200,40,40)" ] || fail "the paste reached beyond its picture"

# Undo takes the paste back, redo brings it again.
before=$(states "$WORK/log1")
xdotool key ctrl+z
wait_state "$WORK/log1" "$before" | grep -q " layers=1 " || fail "undo kept the pasted layer"
before=$(states "$WORK/log1")
xdotool key ctrl+y
wait_state "$WORK/log1" "$before" | grep -q " layers=2 " || fail "redo lost the pasted layer"

# The layer, renamed by nothing but its paste, goes to a second running copy whole.
xdotool key ctrl+c
wait_for "$WORK/log1" "^copied 30x20"
"${second[@]}" "$program" "$WORK/blue.bmp" &
wait_for "$WORK/log2" "^open $WORK/blue.bmp ok"
before=$(states "$WORK/log2")
focus_image "$WORK/log2"
xdotool key ctrl+v
state=$(wait_state "$WORK/log2" "$before")
grep -q " layers=2 " <<< "$state" || fail "the second copy did not paste: $state"
[ "$(shown_at second 5 55)" = "srgb(20,180,20)" ] || fail "the layer in the second copy: $(shown_at second 5 55)"

# Cut in the second copy takes the layer out; its undo brings it back.
before=$(states "$WORK/log2")
xdotool key ctrl+x
wait_state "$WORK/log2" "$before" | grep -q " layers=1 " || fail "cut left the layer"
before=$(states "$WORK/log2")
xdotool key ctrl+z
wait_state "$WORK/log2" "$before" | grep -q " layers=2 " || fail "undo of the cut"

LUMIVISTA_TEST_SEND=quit "${second[@]}" "$program" >/dev/null 2>&1 || true
LUMIVISTA_TEST_SEND=quit "${first[@]}" "$program" >/dev/null 2>&1 || true
wait
echo "clipboard round trips passed"
