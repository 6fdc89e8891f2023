# A crash with a changed picture open: a brush stroke painted, the autosave written, the
# program killed; started again, it offers the copy in its dialog, "Recuperar" is pressed
# (Alt+R), and the recovered picture saved is the one painted.
mkdir -p "$LUMIVISTA_CONFIG_DIR"
printf '[USER]\nAutoSaveSeconds=1\n' > "$LUMIVISTA_CONFIG_DIR/LV2000.ini"
convert -size 150x100 xc:'rgb(200,40,40)' -size 150x100 xc:'rgb(40,40,200)' +append "BMP3:$WORK/two.bmp"
start_program
open_picture "$WORK/two.bmp"
click 2 SwitchScreen=12; on_screen 12
click 12 'Pincéis'; on_screen 13
click 13 brush; wait_log '^tool 1114'
drag $(doc 20 50) $(doc 250 50)
wait_log '^state .* modified=1 ' > /dev/null
drag $(doc 100 10) $(doc 100 90)
wait_log '^state' > /dev/null; sleep 0.5
# The copy to recover holds both strokes once an autosave line follows the last state line.
autosaved() {
  for _ in $(seq $(($1 * 10))); do
    grep -E '^(state|autosave written)' "$log" | tail -1 | grep -q '^autosave' && return 0
    sleep 0.1
  done
  return 1
}
# A copy due while the button is held waits for the release, so it holds the whole stroke.
# Copies are written on a worker: one taken between the strokes can be logged after the
# second, and the next, due within an interval of that change, then holds both.
autosaved 5 || fail "no autosave after the strokes"
sleep 3
autosaved 5 || fail "no autosave after the strokes"
shown "$WORK/painted.bmp"
kill -9 "$program_pid"; wait "$program_pid" 2>/dev/null || true

start_program
answer 'Recuperação de imagens' alt+r
wait_log '^recovery recovered ' > /dev/null
save_picture "$WORK/recovered.bmp"
[ "$(size_of "$WORK/recovered.bmp")" = 300x100 ] || fail "recovered $(size_of "$WORK/recovered.bmp")"
lost=$(differing "$WORK/painted.bmp" "$WORK/recovered.bmp")
[ "$lost" = 0 ] || fail "the recovered picture is not the one painted ($lost pixels differ)"
[ "$(differing "$WORK/two.bmp" "$WORK/recovered.bmp")" -gt 1000 ] || fail "the strokes were not recovered"
