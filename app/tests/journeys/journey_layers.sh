# The layer palette: a photo added as a layer, its opacity dragged to about half, hidden and
# shown, moved down and up, merged; the picture saved. Then the layer copied into a second
# running copy with its own configuration folder, pasted there and saved.
convert -size 300x200 xc:'rgb(200,40,40)' "$WORK/base.png"
convert -size 120x80 xc:'rgb(40,40,200)' -quality 95 "$WORK/photo.jpg"
convert -size 200x150 xc:'rgb(40,160,40)' "$WORK/other.png"
start_program
open_picture "$WORK/base.png"
click 2 SwitchScreen=3; on_screen 3
click 3 'Abrir camada'; wait_window Abrir
type_text "$WORK/photo.jpg"; key Return
added=$(wait_log '^state .* layers=2 ')
IFS=, read -r left top right bottom <<< "$(field layer <<< "$added")"
cx=$(((left + right) / 2)) cy=$(((top + bottom) / 2))

# The palette's rows (app/core/layer_palette_layout.cpp): 50 high under its 14-pixel drag
# strip and a 20-pixel tool bar;
# the eye at 49-73 x 2-25, the opacity track from 79 to 30 short of the right edge, 35-37 high.
click 3 'Paleta de camadas'; wait_window 'Mostrar a paleta de camadas'
px=$X py=$((Y + 14 + 21))
row_eye() { echo $((px + 61)) $((py + $1 * 50 + 13)); }
drag $((px + 79 + 160)) $((py + 38)) $((px + 79 + 85)) $((py + 38))
wait_log '^state' > /dev/null
shown "$WORK/half.bmp"
read -r r g b <<< "$(pixel "$WORK/half.bmp" "$cx" "$cy")"
[ "$r" -gt 80 ] && [ "$b" -gt 80 ] || fail "the opacity did not blend the layer: $r $g $b"
click_at $(row_eye 0); sleep 0.5
shown "$WORK/hidden.bmp"
[ "$(pixel "$WORK/hidden.bmp" "$cx" "$cy")" = "200 40 40" ] || fail "the hidden layer still shows"
click_at $(row_eye 0); sleep 0.5
click 3 'Descer'; wait_log '^state .* current=1 ' > /dev/null
shown "$WORK/under.bmp"
[ "$(pixel "$WORK/under.bmp" "$cx" "$cy")" = "200 40 40" ] || fail "the layer moved down still shows over the photo"
click 3 'Subir'; wait_log '^state .* current=0 ' > /dev/null
click 3 'Mesclar'; wait_log '^state .* layers=1 ' > /dev/null
save_picture "$WORK/merged.bmp"
[ "$(pixel "$WORK/merged.bmp" "$cx" "$cy")" = "$(pixel "$WORK/half.bmp" "$cx" "$cy")" ] ||
  fail "the merged file at the layer: $(pixel "$WORK/merged.bmp" "$cx" "$cy")"
[ "$(pixel "$WORK/merged.bmp" 290 190)" = "200 40 40" ] || fail "the merge reached outside the layer"

# The merged layer copied with Ctrl+C in its window, pasted with Ctrl+V in a second copy.
focus_picture
key ctrl+c; wait_log '^copied 300x200' > /dev/null
use_copy 1
start_program
open_picture "$WORK/other.png"
focus_picture
key ctrl+v; wait_log '^state .* layers=2 ' > /dev/null
save_picture "$WORK/pasted.bmp"
[ "$(size_of "$WORK/pasted.bmp")" = 200x150 ] || fail "the paste changed the picture's size: $(size_of "$WORK/pasted.bmp")"
convert "$WORK/merged.bmp" -crop 200x150+0+50 +repage "$WORK/expected.bmp"
[ "$(differing "$WORK/pasted.bmp" "$WORK/expected.bmp")" = 0 ] ||
  fail "the pasted layer is not the merged one"
