#!/usr/bin/env bash
# The text screen in the running program on a real X server: the text tool's click on the
# picture opens the text dialog, "Olá" typed there becomes a text layer at the click; a click
# on the lettering opens it again, the new text replaces it in place; Ctrl+Z gives back the
# first lettering, pixel for pixel, then no text layer at all.
# Skipped (77) where no virtual X server or xdotool is installed.
#   text_x11_test.sh PROGRAM
set -euo pipefail
program=$1
source "$(dirname "$0")/x11_session.sh"
x11_session_run "$program" "$0"

field() { grep -o " $1=[^ ]*" | cut -d= -f2-; }
text_of() { grep -o ' text=\[[^]]*\]' | cut -d'[' -f2 | tr -d ']'; }
# Waits until the text dialog is the open modal window.
wait_for_dialog() {
  for _ in $(seq 100); do
    send state
    grep '^state' "$log" | tail -1 | grep -q ' modal=text ' && return 0
    sleep 0.1
  done
  fail "the text dialog did not open"
}

x11_open "$WORK/two.bmp"
dump "$WORK/plain.bmp"
xdotool mousemove $(at 526 32) click 1          # Editar
wait_for "^screen 2 panels"
xdotool mousemove $(at 143 89) click 1          # the text page of its strip
wait_for "^screen 11 panels"
xdotool mousemove $(at 113 233) click 1         # "Escrever texto": the text tool
wait_for "^tool 1109$"

xdotool mousemove $(doc 40 30) click 1
wait_for_dialog
before=$(states)
send "type Olá"    # the virtual keyboard has no á; the socket types it into the dialog
xdotool key ctrl+Return
placed=$(next_state "$before")
[ "$(field layers <<< "$placed")" = 2 ] || fail "no text layer: $placed"
[ "$(text_of <<< "$placed")" = "Olá" ] || fail "the layer holds \"$(text_of <<< "$placed")\""
box=$(field layer <<< "$placed")
IFS=, read -r left top right bottom <<< "$box"
[ "$left" = 40 ] && [ "$top" = 30 ] || fail "the lettering stands at $box, not at the click"
dump "$WORK/first.bmp"
cmp -s "$WORK/plain.bmp" "$WORK/first.bmp" && fail "the lettering does not show"

# A click on the lettering edits it: the same layer, the same place, the new text.
xdotool mousemove $(doc $(((left + right) / 2)) $(((top + bottom) / 2))) click 1
wait_for_dialog
before=$(states)
xdotool key ctrl+a
send "type Olá, mundo"
xdotool key ctrl+Return
edited=$(next_state "$before")
[ "$(field layers <<< "$edited")" = 2 ] || fail "the edit made another layer: $edited"
[ "$(text_of <<< "$edited")" = "Olá, mundo" ] || fail "the edited layer holds \"$(text_of <<< "$edited")\""
IFS=, read -r l2 t2 r2 _ <<< "$(field layer <<< "$edited")"
[ "$l2" = "$left" ] && [ "$t2" = "$top" ] && [ "$r2" -gt "$right" ] || fail "the edited lettering stands at $l2,$t2,$r2"

before=$(states)
xdotool key ctrl+z
undone=$(next_state "$before")
[ "$(text_of <<< "$undone")" = "Olá" ] && [ "$(field layer <<< "$undone")" = "$box" ] || fail "undoing the edit: $undone"
dump "$WORK/undone.bmp"
cmp -s "$WORK/first.bmp" "$WORK/undone.bmp" || fail "undoing the edit did not give back the first lettering's pixels"
before=$(states)
xdotool key ctrl+z
[ "$(next_state "$before" | field layers)" = 1 ] || fail "undoing the new layer"
dump "$WORK/bare.bmp"
cmp -s "$WORK/plain.bmp" "$WORK/bare.bmp" || fail "undoing the new layer left pixels behind"

send quit
wait
echo "text states:"
grep '^state' "$log" | grep -o ' layers=[0-9]*\| layer=[^ ]*\| text=\[[^]]*\]' | paste -sd' '
