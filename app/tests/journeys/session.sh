#!/usr/bin/env bash
# Runs one journey through the real window: a scratch home with the program folder's data
# linked in, a virtual X server, and with "openbox" a window manager on it. Exits 77 (skipped)
# where a tool is missing; LV_JOURNEY_KEEP=FOLDER keeps a failed journey's files there. Every
# dialog waits for the journey's pointer and keys (LUMIVISTA_TEST_DIALOGS=manual).
#   session.sh PROGRAM bare|openbox JOURNEY [SECONDS]
set -euo pipefail
program=$1 mode=$2 journey=$3
here=$(cd "$(dirname "$0")" && pwd)

if [ "${LV_JOURNEY_X:-}" != 1 ]; then
  tools="xvfb-run xdotool xprop xwininfo convert compare python3"
  [ "$mode" = openbox ] && tools="$tools openbox"
  for tool in $tools; do command -v "$tool" >/dev/null || exit 77; done
  work=$(mktemp -d)
  trap "rm -rf '$work'" EXIT
  mkdir -m 700 "$work/runtime" "$work/Pictures"
  program_dir=$(cd "$(dirname "$program")" && pwd)
  for data in "$program_dir"/*; do
    case ${data##*/} in lumivista | lumivista-tool | temp | albums | photos) ;; *) ln -s "$data" "$work/";; esac
  done
  status=0
  LV_JOURNEY_X=1 WORK="$work" HOME="$work" LUMIVISTA_HOME="$work" LUMIVISTA_CONFIG_DIR="$work/config" \
    LUMIVISTA_TEST_LOG="$work/log" LUMIVISTA_TEST_DIALOGS=manual XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    timeout "${4:-120}" xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@" || status=$?
  exit $status
fi

if [ "$mode" = openbox ]; then
  openbox --sm-disable >/dev/null 2>&1 &
  for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
fi
source "$here/lib.sh"
cd "$WORK"
start=$SECONDS
source "$journey"
quit_all
echo "$(basename "$journey" .sh) ($mode): passed in $((SECONDS - start)) s"
