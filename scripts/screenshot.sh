#!/usr/bin/env bash
# Starts the program under a virtual X server (white root window) and saves a picture of the screen:
#   scripts/screenshot.sh [program-folder] [output.png]
set -euo pipefail
program_dir=$(realpath "${1:-build/release/program}")
out=$(realpath -m "${2:-docs/screenshot-main-window.png}")

if [ "${SCREENSHOT_INSIDE_X:-}" != 1 ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  SCREENSHOT_INSIDE_X=1 LUMIVISTA_CONFIG_DIR="$work/config" LUMIVISTA_TEST_LOG="$work/log" \
    xvfb-run -a -s "-screen 0 1280x1024x24 -wr" bash "$0" "$program_dir" "$out"
  echo "wrote $out"
  exit 0
fi

"$program_dir/lumivista" &
pid=$!
for _ in $(seq 200); do grep -q '^ready' "$LUMIVISTA_TEST_LOG" 2>/dev/null && break; sleep 0.05; done
sleep 0.3  # let the first frame reach the X server
import -window root -resize 50% "$out"
LUMIVISTA_TEST_SEND=quit "$program_dir/lumivista"
wait "$pid"
