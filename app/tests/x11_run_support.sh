# Shared by the running-program tests on a virtual X server: a work folder with the
# program's data linked in, and the helpers that read the program's log and pictures.
# Sourced; the test sets `program` first, and `log` once inside the X server.

# Outside the X server: makes $work (removed at exit) holding the program's data.
x11_prepare_work() {
  command -v xvfb-run >/dev/null && command -v xdotool >/dev/null && command -v convert >/dev/null || exit 77
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -m 700 "$work/runtime"
  local program_dir data
  program_dir=$(cd "$(dirname "$program")" && pwd)
  for data in ui help Click1.wav Click2.wav; do ln -s "$program_dir/$data" "$work/$data"; done
}

# Runs this test again inside a virtual X server with the program's test hooks set.
x11_run_inside() {
  local inside=$1 script=$2 seconds=$3
  env "$inside=1" WORK="$work" LUMIVISTA_HOME="$work" LUMIVISTA_CONFIG_DIR="$work/config" \
    LUMIVISTA_TEST_LOG="$work/log" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    timeout "$seconds" xvfb-run -a -s "-screen 0 1280x1024x24" bash "$script" "$program"
}

# Messages go to stderr so that a failure inside $( ) still shows.
fail() { { echo "FAILED: $*"; echo "--- log:"; cat "$log"; } >&2; LUMIVISTA_TEST_SEND=quit "$program" >&2 || true; exit 1; }
# Waits up to 30 s for a log line matching the pattern.
wait_for() {
  for _ in $(seq 600); do grep -qE "$1" "$log" 2>/dev/null && return 0; sleep 0.05; done
  fail "no log line like: $1"
}
send() { LUMIVISTA_TEST_SEND="$1" "$program" >/dev/null 2>&1; }
# The colour the active document shows at a document pixel.
shown_at() {
  rm -f "$WORK/dump.bmp"
  send "dump $WORK/dump.bmp"
  convert "$WORK/dump.bmp" -format "%[pixel:p{$1,$2}]" info:
}
