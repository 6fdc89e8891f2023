#!/usr/bin/env bash
# Starts the program under a virtual X server and saves a picture of its main window:
#   scripts/screenshot.sh [program-folder] [output.png] [800|640] [command ...]
# Each command goes to the running program through its test socket before the picture is
# taken ("click X Y", "rclick X Y", "move X Y", "key F1"; main-window coordinates), so a
# picture can show any screen; "sleep S" waits (a tooltip comes a second after a move);
# "xclick X Y", "xkey KEYS" and "xtype TEXT" are real X events (xdotool), which reach a
# dialog the program is waiting in.
# 640 forces the 800 × 600 window (FOR_640=1). SCREENSHOT_INI names settings to start with
# (lines of LV2000.ini, for example recent sizes for the New dialog). The program folder is the
# test build's: only it has the test socket and log.
set -euo pipefail
program_dir=$(realpath "${1:-build/test/program}")
out=$(realpath -m "${2:-docs/screenshots/screen-0_800.png}")
mode=${3:-800}
shift $(( $# < 3 ? $# : 3 ))

if [ "${SCREENSHOT_INSIDE_X:-}" != 1 ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/config" && mkdir -m 700 "$work/runtime"
  [ "$mode" = 640 ] && printf '[USER]\nFOR_640=1\n' > "$work/config/LV2000.ini"
  [ -n "${SCREENSHOT_INI:-}" ] && cat "$SCREENSHOT_INI" >> "$work/config/LV2000.ini"
  SCREENSHOT_INSIDE_X=1 LUMIVISTA_CONFIG_DIR="$work/config" LUMIVISTA_TEST_LOG="$work/log" XDG_RUNTIME_DIR="$work/runtime" \
    xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$program_dir" "$out" "$mode" "$@"
  echo "wrote $out"
  exit 0
fi

"$program_dir/lumivista" &
pid=$!
for _ in $(seq 200); do grep -q '^ready' "$LUMIVISTA_TEST_LOG" 2>/dev/null && break; sleep 0.05; done
read -r _ x y width height < <(grep '^ready' "$LUMIVISTA_TEST_LOG")
for command in "$@"; do
  case $command in
    sleep\ *) sleep "${command#sleep }" ;;
    # Real pointer and keyboard events, for what waits in a dialog the socket can't answer.
    xclick\ *) read -r cx cy <<< "${command#xclick }"; xdotool mousemove $((x + cx)) $((y + cy)) click 1 ;;
    xkey\ *) xdotool key "${command#xkey }" ;;
    xtype\ *) xdotool type --delay 40 "${command#xtype }" ;;
    *) LUMIVISTA_TEST_SEND="$command" "$program_dir/lumivista" ;;
  esac
done
sleep 0.5  # let the last frame reach the X server
import -window root -crop "${width}x${height}+${x}+${y}" +repage "$out"
LUMIVISTA_TEST_SEND=quit "$program_dir/lumivista"
wait "$pid"
