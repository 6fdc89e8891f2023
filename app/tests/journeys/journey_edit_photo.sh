# A photo edited from end to end: a 3000 x 2000 JPEG opened, cropped, its red eye painted out,
# brightened with the live preview, an effect applied, a text with a drop shadow added; three
# steps undone and two redone; saved as JPEG under a new name, reopened and compared.
convert -size 3000x2000 gradient:'rgb(70,80,100)-rgb(110,120,100)' -fill 'rgb(220,30,30)' \
  -draw 'circle 1500,1000 1530,1000' -quality 92 "$WORK/party.jpg"
start_program
open_picture "$WORK/party.jpg"

# The crop: a rectangle dragged around the middle, then a click inside it.
click 2 Aparar; wait_log '^tool 1122'
drag $(doc 600 400) $(doc 2400 1600)
selected=$(wait_log '^state .*selection=1:')
IFS=, read -r left top right bottom <<< "$(grep -o 'selection=1:[0-9,]*' <<< "$selected" | cut -d: -f2)"
click_at $(doc 1500 700)
cropped=$(wait_log "^state .*size=$((right - left))x$((bottom - top)) ")
eye_x=$((1500 - left)) eye_y=$((1000 - top))

# The red eye, painted over with its tool.
click 2 SwitchScreen=12; wait_log '^screen 12 panels'
click 12 Olhos; wait_log '^screen 16 panels'
click 16 red-eye; wait_log '^tool 1129'
drag $(doc $((eye_x - 40)) "$eye_y") $(doc $((eye_x + 40)) "$eye_y")
wait_log '^state .*modified=1' > /dev/null
drag $(doc "$eye_x" $((eye_y - 40))) $(doc "$eye_x" $((eye_y + 40)))
wait_log '^state' > /dev/null

# Brightness: the first slider's thumb dragged right, the picture previewed, then applied.
click 12 SwitchScreen=9; wait_log '^screen 9 panels'
click 9 Ajustes; wait_log '^screen 10 panels'
read -r tx ty <<< "$(place 10 EnhancementSlider=1 2)"
drag "$tx" "$ty" $((tx + 50)) "$ty"
wait_log '^adjust preview mode=0 sliders=[6-9][0-9],' > /dev/null
click 10 Aplicar; wait_log '^adjust applied mode=0' > /dev/null

# An effect: the effects list's second row, applied at its default strength.
click 9 Efeitos; wait_log '^screen 27 panels'
read -r lx ly <<< "$(place 27 '#217')"
click_at "$lx" $((ly + 21))
wait_log '^effect chosen' > /dev/null
click 27 Aplicar; wait_log '^adjust applied mode=-1' > /dev/null

shown "$WORK/before_text.bmp"
# A text, typed in its dialog where the picture was clicked, then given a drop shadow.
click 9 SwitchScreen=11; wait_log '^screen 11 panels'
click 11 'Escrever texto'; wait_log '^tool 1109'
click_at $(doc 100 100)
wait_window Texto
type_text "Festa 2026"; key ctrl+Return
wait_log '^state .*layers=2 .*text=\[Festa 2026\]' > /dev/null
shown "$WORK/with_text.bmp"
click 11 'Sombra projetada'; wait_window 'Sombra projetada'
key Return
wait_log '^state .*layers=2' > /dev/null

# Three steps back (the shadow, the text, the effect), two forward again: the text stays,
# its shadow does not.
for button in edit-undo edit-undo edit-undo edit-redo edit-redo; do click 0 $button; wait_log '^state' > /dev/null; done
shown "$WORK/redone.bmp"
[ "$(differing "$WORK/with_text.bmp" "$WORK/redone.bmp")" = 0 ] || fail "undo and redo did not give back the text without its shadow"

save_picture "$WORK/festa.jpg"
click 0 image-close; wait_log '^state windows=0' > /dev/null
open_picture "$WORK/festa.jpg"
shown "$WORK/reopened.bmp"

# The file holds what was shown (JPEG's loss aside), and opens as it was written.
size=$(field size <<< "$cropped")
[ "$(size_of "$WORK/festa.jpg")" = "$size" ] || fail "saved $(size_of "$WORK/festa.jpg"), cropped to $size"
# JPEG rings around the lettering's edges (a tenth of the picture high): under 1 % of the pixels.
[ "$(differing "$WORK/festa.jpg" "$WORK/redone.bmp" 8)" -lt 20000 ] || fail "the saved JPEG is not the picture shown"
[ "$(differing "$WORK/festa.jpg" "$WORK/reopened.bmp" 1)" -lt 100 ] || fail "the reopened picture is not the file"
read -r r g b <<< "$(pixel "$WORK/festa.jpg" "$eye_x" "$eye_y")"
[ "$r" -lt $((g + 60)) ] || fail "the red eye is still red: $r $g $b"
[ "$(convert "$WORK/festa.jpg" -crop 160x30+100+100 +repage "$WORK/before_text.bmp" -crop 160x30+100+100 +repage \
     -compose difference -composite -format '%[fx:int(255*maxima)]' info:)" -gt 60 ] || fail "the text is not in the file"
read -r r0 g0 b0 <<< "$(pixel "$WORK/party.jpg" $((left + 900)) $((top + 1100)))"
read -r r g b <<< "$(pixel "$WORK/festa.jpg" 900 1100)"
[ $((r + g + b)) -gt $((r0 + g0 + b0 + 30)) ] || fail "not brightened: $r $g $b from $r0 $g0 $b0"
