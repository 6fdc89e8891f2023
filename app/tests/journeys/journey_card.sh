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

click 0 Compartilhar; on_screen 25
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
