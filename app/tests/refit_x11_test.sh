#!/usr/bin/env bash
# The image window after a turn in the running program: "Girar →" on a 300 × 100 picture
# makes it 100 × 300, and the window takes the new shape whole instead of clipping it.
# Skipped (77) where no virtual X server or xdotool is installed.
#   refit_x11_test.sh PROGRAM
set -euo pipefail
program=$1
source "$(dirname "$0")/x11_session.sh"
x11_session_run "$program" "$0"

frame_of() { grep -o ' frame=[0-9,]*' | cut -d= -f2; }
x11_open "$WORK/two.bmp"
xdotool mousemove $(at 526 32) click 1          # Editar
wait_for "^screen 2 panels"
before=$(states)
xdotool mousemove $(at 165 295) click 1         # Girar →
turned=$(next_state "$before")
grep -q ' size=100x300 ' <<< "$turned" || fail "not turned: $turned"
IFS=, read -r _ _ _ height <<< "$(frame_of <<< "$turned")"
[ "$height" -ge 320 ] || fail "the turned picture is clipped: $turned"
send quit
wait
echo "turned: $(frame_of <<< "$turned")"
