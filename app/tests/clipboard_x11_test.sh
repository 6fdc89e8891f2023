#!/usr/bin/env bash
# The clipboard of the running program on a real X server: Ctrl+C in an image window puts a
# PNG other programs read (xclip), a PNG another program put there pastes with Ctrl+V as a
# new layer, and a layer copied in one running copy pastes into a second one (its own
# configuration folder) with its name. Skipped (77) without Xvfb, xdotool, xclip or convert.
#   clipboard_x11_test.sh PROGRAM
set -euo pipefail
program=$1
source "$(dirname "$0")/x11_session.sh"
LV_X11_TOOLS="xdotool xclip convert" x11_session_run "$program" "$0" 150
convert -size 120x80 xc:'rgb(200,40,40)' "BMP3:$WORK/red.bmp"
convert -size 90x60 xc:'rgb(40,40,200)' "BMP3:$WORK/blue.bmp"
convert -size 30x20 xc:'rgb(20,180,20)' "PNG24:$WORK/green.png"

# Clicks the caption strip of the copy's image window, which gives it the keyboard.
focus_image() {
  learn_places
  xdotool mousemove $(at $((fx + fw / 2)) $((fy + 8))) click 1
  sleep 0.3
}
# A key pressed in the copy's image window; the state it logs after it.
key_state() {
  local before
  before=$(states)
  xdotool key "$1"
  next_state "$before"
}

use_copy 1
x11_open "$WORK/red.bmp"

# Ctrl+C in the image window: other programs read the layer as PNG.
focus_image
xdotool key ctrl+c
wait_for "^copied 120x80"
xclip -selection clipboard -t TARGETS -o | grep -qx 'image/png' || fail "no PNG target: $(xclip -selection clipboard -t TARGETS -o)"
xclip -selection clipboard -t TARGETS -o | grep -qx 'application/x-Lumivista2000ClipboardFmt' || fail "no private target"
xclip -selection clipboard -t image/png -o > "$WORK/copied.png"
[ "$(convert "$WORK/copied.png" -format '%wx%h %[pixel:p{5,5}]' info:)" = "120x80 srgb(200,40,40)" ] ||
  fail "the PNG read back: $(convert "$WORK/copied.png" -format '%wx%h %[pixel:p{5,5}]' info:)"

# A PNG from another program: Ctrl+V makes it a new opaque layer at the bottom-left corner.
xclip -selection clipboard -t image/png -i "$WORK/green.png"
sleep 0.3
focus_image
key_state ctrl+v | grep -q " layers=2 current=0 " || fail "Ctrl+V did not add the layer"
[ "$(shown_at 5 75)" = "srgb(20,180,20)" ] || fail "the pasted PNG: $(shown_at 5 75)"
[ "$(shown_at 50 20)" = "srgb(200,40,40)" ] || fail "the paste reached beyond its picture"

# Undo takes the paste back, redo brings it again.
key_state ctrl+z | grep -q " layers=1 " || fail "undo kept the pasted layer"
key_state ctrl+y | grep -q " layers=2 " || fail "redo lost the pasted layer"

# The layer, renamed by nothing but its paste, goes to a second running copy whole.
xdotool key ctrl+c
wait_for "^copied 30x20"
use_copy 2
x11_open "$WORK/blue.bmp"
focus_image
state=$(key_state ctrl+v)
grep -q " layers=2 " <<< "$state" || fail "the second copy did not paste: $state"
[ "$(shown_at 5 55)" = "srgb(20,180,20)" ] || fail "the layer in the second copy: $(shown_at 5 55)"

# Cut in the second copy takes the layer out; its undo brings it back.
key_state ctrl+x | grep -q " layers=1 " || fail "cut left the layer"
key_state ctrl+z | grep -q " layers=2 " || fail "undo of the cut"

send quit
use_copy 1
send quit
wait
echo "clipboard round trips passed"
