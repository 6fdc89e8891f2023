#!/usr/bin/env bash
# On a real X server of 8 bits per pixel the program warns (message 6448) and still starts.
# Skipped (77) where no virtual X server is installed.
set -euo pipefail
program=$1
source "$(dirname "$0")/x11_session.sh"
LV_X11_SCREEN=1024x768x8 LV_X11_TOOLS= x11_session_run "$program" "$0" 60
LUMIVISTA_TEST_QUIT=1 "$program"
expected="message Atenção: Ajuste as propriedades do display do sistema para true color.
screen 0 panels 0
autosave interval 120
ready 0 0 1024 768
exit"
[ "$(cat "$log")" = "$expected" ] || fail "unexpected log"
grep -q '^Version=200$' "$LUMIVISTA_CONFIG_DIR/LV2000.ini" || fail "no configuration written"
