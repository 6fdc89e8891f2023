#!/usr/bin/env bash
# Ctrl+P in the running program on an X server without a window manager: no window of the
# program is active before the first click, yet the key shows and hides the layer palette.
# Skipped (77) where no virtual X server or xdotool is installed.
#   palette_key_x11_test.sh PROGRAM
set -euo pipefail
program=$1
source "$(dirname "$0")/x11_session.sh"
x11_session_run "$program" "$0"

x11_open "$WORK/two.bmp"
xdotool mousemove $(at 400 300)   # over the window, never clicked
xdotool key ctrl+p
wait_for "^palette shown"
xdotool key ctrl+p
wait_for "^palette hidden"
send quit
wait
echo "Ctrl+P without a click: shown and hidden"
