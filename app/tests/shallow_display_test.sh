#!/usr/bin/env bash
# On a real X server of 8 bits per pixel the program warns (message 6448) and still starts.
# Skipped (77) where no virtual X server is installed.
set -euo pipefail
program=$1
command -v xvfb-run >/dev/null || exit 77
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
program_dir=$(cd "$(dirname "$program")" && pwd)
for data in ui help Click1.wav Click2.wav; do ln -s "$program_dir/$data" "$work/$data"; done
LUMIVISTA_HOME="$work" LUMIVISTA_CONFIG_DIR="$work/config" LUMIVISTA_TEST_LOG="$work/log" LUMIVISTA_TEST_QUIT=1 \
  XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
  timeout 60 xvfb-run -a -s "-screen 0 1024x768x8" "$program"
expected="message Atenção: Ajuste as propriedades do display do sistema para true color.
screen 0 panels 0
autosave interval 120
ready 0 0 1024 768
exit"
if [ "$(cat "$work/log")" != "$expected" ]; then
  echo "unexpected log:"; cat "$work/log"; exit 1
fi
grep -q '^Version=200$' "$work/config/LV2000.ini"
