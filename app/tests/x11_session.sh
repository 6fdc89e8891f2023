# Sourced by the running-program tests that drive the program on a virtual X server with
# real pointer and key events (xdotool). Outside X, x11_session_run makes a scratch home with
# a 300 x 100 picture (red on the left half, blue on the right) in $WORK/two.bmp and runs the
# calling script again under xvfb-run (the program folder's skin, help, sounds and fonts linked
# in); it exits 77 (skipped) where the tools are missing. LV_X11_SCREEN sets the screen
# (1280x1024x24) and LV_X11_TOOLS what else the script needs (xdotool convert).

# x11_session_run PROGRAM SCRIPT [SECONDS]: returns only inside the X session.
x11_session_run() {
  [ "${LV_X11_SESSION:-}" = 1 ] && return 0
  local tool
  for tool in xvfb-run ${LV_X11_TOOLS-xdotool convert}; do command -v "$tool" >/dev/null || exit 77; done
  local work program_dir data
  work=$(mktemp -d)
  trap "rm -rf '$work'" EXIT
  mkdir -m 700 "$work/runtime"
  program_dir=$(cd "$(dirname "$1")" && pwd)
  for data in ui help Click1.wav Click2.wav fonts.conf; do ln -s "$program_dir/$data" "$work/$data"; done
  if command -v convert >/dev/null; then
    convert -size 150x100 xc:'rgb(200,40,40)' -size 150x100 xc:'rgb(40,40,200)' +append "BMP3:$work/two.bmp"
  fi
  local status=0
  LV_X11_SESSION=1 WORK="$work" LUMIVISTA_HOME="$work" LUMIVISTA_CONFIG_DIR="$work/config" \
    LUMIVISTA_TEST_LOG="$work/log" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    timeout "${3:-120}" xvfb-run -a -s "-screen 0 ${LV_X11_SCREEN:-1280x1024x24}" bash "$2" "$1" || status=$?
  exit $status
}

# use_copy N: the commands below talk to running copy N, with its own configuration and log
# (copy 0 is the session's own).
use_copy() {
  if [ "$1" = 0 ]; then export LUMIVISTA_CONFIG_DIR="$WORK/config" LUMIVISTA_TEST_LOG="$WORK/log"
  else export LUMIVISTA_CONFIG_DIR="$WORK/config$1" LUMIVISTA_TEST_LOG="$WORK/log$1"; fi
  log=$LUMIVISTA_TEST_LOG
}

log=${LUMIVISTA_TEST_LOG:-}
# Messages go to stderr so that a failure inside $( ) still shows.
fail() {
  { echo "FAILED: $*"; for l in "$WORK"/log*; do echo "--- $l:"; cat "$l"; done; } >&2
  LUMIVISTA_TEST_SEND=quit "$program" >&2 || true
  exit 1
}
# Waits up to 30 s for a log line matching the pattern.
wait_for() {
  for _ in $(seq 600); do grep -qE "$1" "$log" 2>/dev/null && return 0; sleep 0.05; done
  fail "no log line like: $1"
}
send() { LUMIVISTA_TEST_SEND="$1" "$program" >/dev/null 2>&1; }
states() { grep -c '^state' "$log" || true; }
# Waits for the state line logged after `before` such lines; prints it.
next_state() {
  for _ in $(seq 400); do [ "$(states)" -gt "$1" ] && break; sleep 0.05; done
  [ "$(states)" -gt "$1" ] || fail "no state logged"
  grep '^state' "$log" | sed -n "$(($1 + 1))p"
}
# dump FILE: the active document as shown. Waits for the reply, so a loaded machine never
# reads a file half written, and drops it, so the next dump waits for its own.
dump() {
  rm -f "$1"
  send "dump $1"
  wait_for "^dumped ok"
  sed -i '/^dumped ok/d' "$log"
}
pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }
# The colour the active document shows at a document pixel.
shown_at() {
  dump "$WORK/dump.bmp"
  pixel "$WORK/dump.bmp" "$1" "$2"
}

# x11_open FILE: starts the program on FILE and learns where its windows are: at X Y gives
# a main-window point on the screen, doc X Y a document pixel (100 %) on the screen.
x11_open() {
  "$program" "$1" &
  wait_for "^open $1 ok"
  learn_places
}
# Where the main window and the active image window's frame (fx fy fw) lie, from the log.
learn_places() {
  read -r _ wx wy _ _ < <(grep '^ready' "$log")
  local frame
  frame=$(grep -o 'frame=[0-9,]*' "$log" | tail -1 | cut -d= -f2)
  IFS=, read -r fx fy fw _ <<< "$frame"
}
caption=20  # the image window's caption strip (kCaptionHeight) above the picture
at() { echo $((wx + $1)) $((wy + $2)); }
doc() { echo $((wx + fx + $1)) $((wy + fy + caption + $2)); }
