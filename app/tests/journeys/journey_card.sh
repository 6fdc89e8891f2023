# A card: an album made from a folder, the first card template with an album photo in its
# photo box and the user's words in its text, printed; then the album's contact sheet
# printed from the Imprimir page. The printer writes PDF (LUMIVISTA_PRINT_TO).
mkdir "$WORK/fotos"
for i in 1 2 3; do convert -size 320x240 xc:"rgb($((60 * i)),100,150)" "$WORK/fotos/foto$i.jpg"; done
export LUMIVISTA_PRINT_TO="$WORK/printed.pdf"
start_program
make_album Festa "$WORK/fotos" > /dev/null
click 0 Projetos; on_screen 19
click 19 Modelo; wait_log '^dialog template gallery'; sleep 0.3
key Return; wait_log '^project opened' > /dev/null
# "Próximo" from the background up: the photo box (60,90,500,660), then the first text.
photo_box=' layer=60,90,500,660 '
click 19 'Próximo'; wait_log "^state .*$photo_box" > /dev/null
click 19 'Colocar foto'; wait_log '^dialog photo picker'; sleep 0.3
key Return; wait_log '^project drop ok' > /dev/null
click 19 'Próximo'; text=$(wait_log '^state')
IFS=, read -r left top right bottom <<< "$(field layer <<< "$text")"
shown "$WORK/before.bmp"
click_at $(doc $(((left + right) / 2)) $(((top + bottom) / 2)))
wait_window 'Editar texto'
key ctrl+a; type_text "Feliz aniversario, Bia"; key ctrl+Return
wait_log '^state .*text=\[Feliz aniversario, Bia\]' > /dev/null
shown "$WORK/card.bmp"
click 19 Imprimir; print_dialogs 'Imprimir a imagem'; wait_log '^print single printed' > /dev/null
wait_file "$WORK/printed.pdf"
mv "$WORK/printed.pdf" "$WORK/card.pdf"

# A file dragged from a file manager onto the photo box fills it in one undo step; dropped
# on the words (no photo box) it opens as a picture of its own.
convert -size 200x150 xc:'rgb(230,200,40)' "$WORK/praia.png"
# drop_file X Y: the file dragged from the file manager's window to a screen point.
drop_file() {
  "$LV_DRAG_SOURCE" "$WORK/praia.png" > "$WORK/drag.out" & local dragger=$!
  wait_window Arquivos
  local sx=$((X + WIDTH / 2)) sy=$((Y + HEIGHT / 2)) i
  act
  xdotool mousemove $sx $sy sleep 0.2 mousedown 1 sleep 0.2 mousemove $((sx - 10)) $((sy - 10)) sleep 0.3
  # Slowly, so each window on the way answers the file manager before the button goes up.
  for i in 1 2 3 4 5 6; do xdotool mousemove $((sx + ($1 - sx) * i / 6)) $((sy + ($2 - sy) * i / 6)) sleep 0.15; done
  xdotool sleep 0.5 mouseup 1
  wait "$dragger" || fail "the file manager's drag failed"
}
drop_file $(doc 280 375)
wait_log '^project drop ok' > /dev/null
shown "$WORK/dropped.bmp"
near "$(pixel "$WORK/dropped.bmp" 280 375)" "230 200 40" || fail "the dropped file is not in the photo box"
grep '^state' "$log" | tail -1 | grep -q '^state windows=1 ' || fail "the dropped file opened a picture"
click 0 edit-undo; wait_log '^state' > /dev/null
shown "$WORK/undone.bmp"
[ "$(differing "$WORK/undone.bmp" "$WORK/card.bmp")" = 0 ] || fail "one undo did not take the dropped file out"
drop_file $(doc $(((left + right) / 2)) $(((top + bottom) / 2)))
wait_log "^state windows=2 .*active=$WORK/praia.png " > /dev/null
click 0 image-close; wait_log '^state windows=1 ' > /dev/null

# Leaving the changed card asks whether to keep it: "Sim" keeps it open.
click 0 Compartilhar; answer 'Lumivista 2000' Return; on_screen 25
click 25 Imprimir; on_screen 5
click 5 Contatos; wait_log '^print sheet photos 3' > /dev/null
print_dialogs 'Folha de contatos'; wait_log '^print sheet printed' > /dev/null
wait_file "$WORK/printed.pdf"

# The card printed is the card shown, photo and words; the words changed the text's place.
pdftoppm -r 40 -png -singlefile "$WORK/card.pdf" "$WORK/card_page"
convert "$WORK/card_page.png" -fuzz 2% -trim +repage -resize '105x75!' "$WORK/card_small.png"
convert "$WORK/card.bmp" -resize '105x75!' "$WORK/shown_small.png"
[ "$(differing "$WORK/card_small.png" "$WORK/shown_small.png" 12)" -lt 250 ] || fail "the printed card is not the card shown"
near "$(pixel "$WORK/card.bmp" 280 375)" "60 100 150" || fail "no album photo in the photo box"
[ "$(convert "$WORK/card.bmp" -crop $((right - left))x$((bottom - top))+$left+$top +repage "$WORK/before.bmp" \
     -crop $((right - left))x$((bottom - top))+$left+$top +repage -compose difference -composite \
     -format '%[fx:int(255*maxima)]' info:)" -gt 60 ] || fail "the words did not change the card"
# The contact sheet: one page with the album's three photos, each colour somewhere on it.
[ "$(pdfinfo "$WORK/printed.pdf" | awk '/^Pages:/ {print $2}')" = 1 ] || fail "the contact sheet has not one page"
pdftoppm -r 40 -png -singlefile "$WORK/printed.pdf" "$WORK/sheet"
for red in 60 120 180; do
  convert "$WORK/sheet.png" -format %c histogram:info: | tr '(),:' '    ' |
    awk -v r=$red '$1 > 200 && ($2 - r)^2 <= 36 && ($3 - 100)^2 <= 36 && ($4 - 150)^2 <= 36 {found = 1} END {exit !found}' ||
    fail "photo rgb($red,100,150) is not on the contact sheet"
done
