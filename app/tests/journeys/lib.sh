# Sourced by session.sh inside the X session: what every journey does with the real window.
# Controls are found by name in the skin's button tables; "act" marks the log before each
# pointer or key action, so wait_log sees only what followed it.

skin_dir=$here/../../skin
log=$LUMIVISTA_TEST_LOG
mark=0
program_pid=

fail() {
  [ -n "${LV_JOURNEY_KEEP:-}" ] && cp -r "$WORK" "$LV_JOURNEY_KEEP"
  { echo "FAILED: $*"; for l in "$WORK"/log*; do echo "--- $l:"; cat "$l"; done; } >&2
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  exit 1
}
act() { mark=0; [ -f "$log" ] && mark=$(wc -l < "$log"); return 0; }
# wait_log PATTERN [SECONDS]: a log line like it since the last action; prints the newest.
wait_log() {
  for _ in $(seq $((${2:-30} * 10))); do
    if tail -n +$((mark + 1)) "$log" 2>/dev/null | grep -qE "$1"; then
      tail -n +$((mark + 1)) "$log" | grep -E "$1" | tail -1
      return 0
    fi
    sleep 0.1
  done
  fail "no log line like: $1"
}
field() { grep -o " $1=[^ ]*" | head -1 | cut -d= -f2-; }

# start_program [ARGS]: starts the current copy and learns where its main window lies.
main_windows=
start_program() {
  act
  "$program" "$@" &
  program_pid=$!
  wait_log '^ready' > /dev/null
  local id
  id=$(xdotool search --sync --onlyvisible --pid "$program_pid" --name '^Lumivista 2000$' 2>/dev/null | head -1)
  main_windows="$main_windows $id"
  window_place "$id"
  wx=$X wy=$Y
}
# window_place ID: X Y WIDTH HEIGHT of a window on the screen (xdotool's own answer counts a
# window manager's frame twice).
window_place() {
  local info
  info=$(xwininfo -id "$1")
  X=$(awk '/Absolute upper-left X/ {print $NF}' <<< "$info") Y=$(awk '/Absolute upper-left Y/ {print $NF}' <<< "$info")
  WIDTH=$(awk '/Width:/ {print $NF}' <<< "$info") HEIGHT=$(awk '/Height:/ {print $NF}' <<< "$info")
}
quit_program() {
  [ -n "$program_pid" ] || return 0
  act
  LUMIVISTA_TEST_SEND=quit "$program" >/dev/null 2>&1 || true
  # A changed picture or project asks to be saved first: the journey's files are made by then,
  # so "Não" (the button after "Sim").
  for _ in $(seq 100); do
    kill -0 "$program_pid" 2>/dev/null || break
    if tail -n +$((mark + 1)) "$log" | grep -qE '(Quer|Deseja) salvá-lo\?'; then answer 'Lumivista 2000' Tab Return; fi
    sleep 0.1
  done
  kill "$program_pid" 2>/dev/null || true
  wait "$program_pid" || true
  program_pid=
}
# use_copy N: what follows talks to running copy N, with its own configuration and log.
declare -A copy_pid copy_x copy_y
copy=0
use_copy() {
  copy_pid[$copy]=$program_pid copy_x[$copy]=${wx:-0} copy_y[$copy]=${wy:-0}
  copy=$1
  local suffix=$1
  [ "$1" = 0 ] && suffix=
  export LUMIVISTA_CONFIG_DIR="$WORK/config$suffix" LUMIVISTA_TEST_LOG="$WORK/log$suffix"
  log=$LUMIVISTA_TEST_LOG program_pid=${copy_pid[$1]:-} wx=${copy_x[$1]:-0} wy=${copy_y[$1]:-0}
}
quit_all() {
  quit_program
  local c
  for c in "${!copy_pid[@]}"; do use_copy "$c"; quit_program; done
}
# on_screen N: waits until screen N is the one shown last.
on_screen() {
  for _ in $(seq 100); do grep '^screen ' "$log" | tail -1 | grep -q "^screen $1 panels" && return 0; sleep 0.1; done
  fail "screen $1 did not show"
}
# The Editar area's first page, from wherever the user is.
editar() { click 0 Editar; sleep 0.3; click 2 SwitchScreen=2; on_screen 2; }
# open_picture FILE and save_picture FILE through the Editar page's file dialogs.
open_picture() {
  editar
  click 2 Abrir; wait_window Abrir
  type_text "$1"; key Return
  wait_log "^state .* active=$1 " > /dev/null
}
save_picture() {
  editar
  click 2 'Salvar como'; wait_window 'Salvar como'
  type_text "$1"; key Return
  # Layers saved in another format than .vlf are asked about first: "Sim", the default.
  for _ in $(seq 30); do
    [ -e "$1" ] && break
    if tail -n +$((mark + 1)) "$log" | grep -q '^dialog shown Lumivista 2000$'; then answer 'Lumivista 2000' Return; fi
    sleep 0.1
  done
  wait_file "$1"
}

# The screen point of a control: PANEL KEY [N] as skin_place.py takes them.
place() {
  local x y
  read -r x y < <(python3 "$here/skin_place.py" "$skin_dir" "$@") || fail "no control $*"
  echo $((wx + x)) $((wy + y))
}
click() { local xy; xy=$(place "$@"); act; xdotool mousemove $xy click 1; }
# A click at a screen point.
click_at() { act; xdotool mousemove "$1" "$2" click 1; }
# A click on the active image window's caption strip, which gives it the keyboard.
focus_picture() {
  local fx fy fw
  IFS=, read -r fx fy fw _ <<< "$(grep '^state' "$log" | tail -1 | field frame)"
  click_at $((wx + fx + fw / 2)) $((wy + fy + 8)); sleep 0.3
}
# A point of the main window.
at() { echo $((wx + $1)) $((wy + $2)); }
key() { act; xdotool key --delay 80 "$@"; }
type_text() { act; xdotool type --delay 40 "$1"; }
# drag X1 Y1 X2 Y2 in screen coordinates, with the button held through small steps.
drag() {
  act
  xdotool mousemove "$1" "$2" mousedown 1
  for i in 1 2 3 4 5 6 7 8; do xdotool mousemove $(($1 + ($3 - $1) * i / 8)) $(($2 + ($4 - $2) * i / 8)); sleep 0.03; done
  xdotool mouseup 1
}
# wait_window TITLE: waits for a top-level window so titled, other than a main window, to
# show; the pointer goes over it (without a window manager the keys go where the pointer is).
wait_window() {
  local id= main
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | while read -r w; do
      for main in $main_windows; do [ "$w" = "$main" ] && continue 2; done; echo "$w"; done | head -1 || true)
    [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "$id" ] || fail "no window \"$1\""
  window_place "$id"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + 4))
  # Keys typed before the window has the keyboard would go to the one under it (a loaded
  # machine is slow to hand it over).
  for _ in $(seq 50); do [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ] && break; sleep 0.1; done
  sleep 0.3
}
# print_dialogs TITLE: a print dialog so titled, then its preview, each taken with its default
# button ("Visualizar e imprimir…", then "Imprimir").
print_dialogs() { answer "$1" Return; answer 'Visualizar impressão' Return; }
# answer TITLE KEY...: a dialog the program put up and waits on, answered with the keys a user
# would press (Return for the default button, Escape, Tab between buttons, Alt+letter).
answer() {
  local title=$1; shift
  wait_log "^dialog shown $title\$" > /dev/null
  wait_window "$title"
  key "$@"
}
# The screen point of document pixel X Y of the active image window, from the last state: a
# picture smaller than its window is centred in it.
doc() {
  local s fx fy fw fh dw dh percent
  s=$(grep '^state' "$log" | tail -1)
  IFS=, read -r fx fy fw fh <<< "$(field frame <<< "$s")"
  IFS=x read -r dw dh <<< "$(field size <<< "$s")"
  percent=$(grep -o 'readout=\[[^]]*' <<< "$s" | grep -o '[0-9]*%' | tr -d %)
  fx=$((fx + ((fw - dw * percent / 100) > 0 ? (fw - dw * percent / 100) / 2 : 0)))
  fy=$((fy + 20 + ((fh - 20 - dh * percent / 100) > 0 ? (fh - 20 - dh * percent / 100) / 2 : 0)))
  echo $((wx + fx + $1 * percent / 100)) $((wy + fy + $2 * percent / 100))
}

# wait_file FILE: until it exists and has stopped growing.
wait_file() {
  local size=-1
  for _ in $(seq 100); do
    if [ -s "$1" ] && [ "$(stat -c %s "$1")" = "$size" ]; then return 0; fi
    [ -e "$1" ] && size=$(stat -c %s "$1")
    sleep 0.2
  done
  fail "no file $1"
}
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:; }
size_of() { identify -format '%wx%h' "$1"; }
# How many pixels of two pictures differ by more than FUZZ percent.
differing() { compare -metric AE -fuzz "${3:-0}%" "$1" "$2" null: 2>&1 | cut -d' ' -f1 || true; }
# shown FILE: the active picture as the program shows it, written by the test hook (a look,
# not a step of the journey).
shown() {
  act
  LUMIVISTA_TEST_SEND="dump $1" "$program" >/dev/null 2>&1 || fail "no answer to dump"
  wait_log '^dumped ok' > /dev/null
}
# A step a fault in the program stops: said in the output, and skipped (succeeds).
known_fault() { echo "KNOWN FAULT, step skipped: $*"; }
# make_album NAME FOLDER: a new album on the Álbum page with every file of the folder, chosen
# in the file dialog's list.
make_album() {
  click 0 'Álbum'; wait_log '^album shown' > /dev/null
  click 18 'Novo álbum'; wait_log '^album shown' > /dev/null; sleep 0.3
  type_text "$1"; key Return
  click 18 Adicionar; wait_window 'Adicionar fotos ao álbum'
  type_text "$2/"; key Return; sleep 0.5
  key shift+Tab ctrl+a Return
  # What could not join is told in message boxes once the photos are in; each is closed.
  local line
  while line=$(wait_log "^(album added .*name=\\[$1\\]|dialog shown )"); [[ $line == dialog* ]]; do
    answer "${line#dialog shown }" Return
  done
  echo "$line"
}
# near "R G B" "R G B" [TOLERANCE]: whether two colours differ by at most TOLERANCE (6) in each.
near() {
  local a b i
  read -ra a <<< "$1"; read -ra b <<< "$2"
  for i in 0 1 2; do [ $((a[i] > b[i] ? a[i] - b[i] : b[i] - a[i])) -le "${3:-6}" ] || return 1; done
}
