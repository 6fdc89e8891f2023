# Photos that come in on the album page: a scan from the scanner interface's test backend
# (its source chosen and its dialog answered with the keyboard) and a shot of the whole screen
# join the album shown and its file at once, and no picture window opens for either.
mkdir -p "$WORK/sane" "$WORK/fotos" "$WORK/photos"
echo test > "$WORK/sane/dll.conf"
export SANE_CONFIG_DIR="$WORK/sane"
convert -size 320x240 xc:'rgb(60,100,150)' "$WORK/fotos/foto1.jpg"
tool=$(dirname "$program")/lumivista-tool
start_program
make_album Chegadas "$WORK/fotos" > /dev/null
before=$(xdotool search --onlyvisible --pid "$program_pid" | sort)

click 18 AcquireScan; wait_window 'Selecionar origem'; key Return
# The source's own dialog, titled with the scanner's name: "Digitalizar" is its default button.
for _ in $(seq 100); do
  dialog=$(comm -13 <(echo "$before") <(xdotool search --onlyvisible --pid "$program_pid" | sort) | head -1)
  [ -n "$dialog" ] && [ "$(xdotool getwindowname "$dialog")" != 'Selecionar origem' ] && break
  dialog=; sleep 0.1
done
[ -n "$dialog" ] || fail "no scanner dialog"
window_place "$dialog"; xdotool mousemove $((X + WIDTH / 2)) $((Y + 4)); sleep 0.3
key Return
scanned=$(wait_log '^album acquired ' 60)
[ "$(field count <<< "$scanned")" = 2 ] || fail "the scan did not join the album: $scanned"
album=$(field path <<< "$scanned")
# in_file N: the album's file holds N photos, while the page still shows.
in_file() { "$tool" album info "$album" --json | grep -q "\"count\":$1"; }
in_file 2 || fail "the scan is not in the album file"

click 18 CaptureScreen=103
shot=$(wait_log '^album acquired .* count=3' 30)
[ "$(field flags <<< "$shot")" = "[2]" ] || fail "the shot is not the one selected: $shot"
grep -q 'acabou de ser criado' "$log" && fail "a question about another picture"

# The program killed at once loses nothing: the album file holds the three photos, the scan
# and the shot stored among the user's photos.
kill -9 "$program_pid"; wait "$program_pid" 2>/dev/null || true; program_pid=
in_file 3 || fail "the album file does not hold 3 photos"
for _ in $(seq 50); do [ "$(find "$WORK/photos" -type f | wc -l)" = 2 ] && break; sleep 0.1; done
[ "$(find "$WORK/photos" -type f | wc -l)" = 2 ] || fail "the scan and the shot are not among the photos: $(ls "$WORK/photos")"
[ -z "$(grep -E '^state .*windows=[1-9]' "$log")" ] || fail "a picture window opened for what came in"
