#!/usr/bin/env bash
# The enhancement screen in the running program on a real X server: a photo opened, the
# brightness slider dragged with the real pointer (the picture follows, nothing is recorded),
# "Aplicar" (one change), Ctrl+Z (the old pixels), Ctrl+Y (the new ones again); then a drag
# dropped with the cancel button. Pixels are read from what the program shows.
# Skipped (77) where no virtual X server or xdotool is installed.
#   enhance_x11_test.sh PROGRAM
set -euo pipefail
program=$1
source "$(dirname "$0")/x11_session.sh"
x11_session_run "$program" "$0" 150
# 300 x 200: a dull grey-green photo stand-in, flat so that every pixel tells the same.
convert -size 300x200 xc:'rgb(90,100,80)' "BMP3:$WORK/dull.bmp"
count() { grep -cE "$1" "$log" || true; }
# Waits for more than `before` log lines matching the pattern; prints the newest.
next_line() {
  for _ in $(seq 600); do [ "$(count "$2")" -gt "$1" ] && break; sleep 0.05; done
  [ "$(count "$2")" -gt "$1" ] || fail "no new line like: $2"
  grep -E "$2" "$log" | tail -1
}
modified() { grep -o ' modified=[0-9]*' <<< "$1"; }

x11_open "$WORK/dull.bmp"
original="srgb(90,100,80)"
[ "$(shown_at 150 100)" = "$original" ] || fail "the photo as opened: $(shown_at 150 100)"

xdotool mousemove $(at 526 32) click 1          # Editar
wait_for "^screen 2 panels"
xdotool mousemove $(at 201 89) click 1          # the enhancement page of its strip
wait_for "^screen 9 panels"
xdotool mousemove $(at 62 235) click 1          # "Ajustes"
wait_for "^screen 10 panels 0,9,10"
send state
opened_state=$(next_line 0 '^state')

# Slider 1 of the brightness mode: its thumb sits in the middle (50, no change).
brighter='^adjust preview mode=0 sliders=(8[0-9]|9[0-9]),'
previews=$(count "$brighter")
xdotool mousemove $(at 95 417) mousedown 1
for x in 105 120 135 150 160; do xdotool mousemove $(at $x 417); sleep 0.05; done
xdotool mouseup 1
next_line "$previews" "$brighter" >/dev/null
sleep 0.5
line=$(grep '^adjust preview' "$log" | tail -1)
dragged=$(sed -E 's/.*sliders=([0-9]+),.*/\1/' <<< "$line")
previewed=$(shown_at 150 100)
[ "$previewed" != "$original" ] || fail "the preview did not show on the picture"
read -r r g b < <(sed -E 's/srgb\(([0-9]+),([0-9]+),([0-9]+)\)/\1 \2 \3/' <<< "$previewed")
[ "$r" -gt 90 ] && [ "$g" -gt 100 ] && [ "$b" -gt 80 ] || fail "brightness $dragged did not brighten: $previewed"
send state
[ "$(modified "$(next_line 1 '^state')")" = "$(modified "$opened_state")" ] || fail "previewing changed the document"

applied=$(count '^adjust applied')
xdotool mousemove $(at 166 526) click 1         # "Aplicar"
next_line "$applied" "^adjust applied mode=0 sliders=$dragged,50,50 " >/dev/null
wait_for "^screen 9 panels"
[ "$(shown_at 150 100)" = "$previewed" ] || fail "applying showed other pixels than the preview: $(shown_at 150 100)"
send state
after_apply=$(next_line 2 '^state')
[ "$(modified "$after_apply")" != "$(modified "$opened_state")" ] || fail "applying left the document unchanged: $after_apply"

states=$(count '^state')
xdotool key ctrl+z
next_line "$states" '^state' >/dev/null
[ "$(shown_at 150 100)" = "$original" ] || fail "undo did not bring the old pixels back: $(shown_at 150 100)"
states=$(count '^state')
xdotool key ctrl+z
sleep 0.5
[ "$(shown_at 150 100)" = "$original" ] || fail "a second undo changed the picture"
xdotool key ctrl+y
next_line "$states" '^state' >/dev/null
[ "$(shown_at 150 100)" = "$previewed" ] || fail "redo did not bring the brightened pixels back: $(shown_at 150 100)"

# A drag dropped with the cancel button leaves the picture as it was.
xdotool mousemove $(at 62 235) click 1          # "Ajustes" again
wait_for "^screen 10 panels 0,9,10"
darker='^adjust preview mode=0 sliders=([0-9]|[1-2][0-9]),'
previews=$(count "$darker")
xdotool mousemove $(at 95 417) mousedown 1 mousemove $(at 40 417) mousemove $(at 20 417) mouseup 1
next_line "$previews" "$darker" >/dev/null
sleep 0.5
[ "$(shown_at 150 100)" != "$previewed" ] || fail "the darkening preview did not show"
xdotool mousemove $(at 203 342) click 1         # the cancel button
wait_for "^adjust cancelled"
wait_for "^screen 9 panels"
sleep 0.3
[ "$(shown_at 150 100)" = "$previewed" ] || fail "cancel did not put the picture back: $(shown_at 150 100)"

# The effects screen: an effect picked from the list, previewed, applied and undone.
xdotool mousemove $(at 166 235) click 1         # "Efeitos"
wait_for "^screen 27 panels 0,9,27"
xdotool mousemove $(at 114 435) click 1         # the relief's row of the effects list
chosen=$(next_line 0 '^effect chosen [0-9]+' | awk '{print $3}')
next_line 0 "^adjust preview mode=-1 .*effect=$chosen strength=50" >/dev/null
states=$(count '^state')
xdotool mousemove $(at 166 528) click 1         # "Aplicar"
next_line 0 "^adjust applied mode=-1 .*effect=$chosen strength=50" >/dev/null
next_line "$states" '^state' >/dev/null
effected=$(shown_at 150 100)
[ "$effected" != "$previewed" ] || fail "effect $chosen left the picture as it was"
states=$(count '^state')
xdotool key ctrl+z
next_line "$states" '^state' >/dev/null
[ "$(shown_at 150 100)" = "$previewed" ] || fail "undoing effect $chosen: $(shown_at 150 100)"

send quit
wait
echo "adjustments:"
grep '^adjust\|^effect' "$log"
