# A calendar page: an album made from a folder, a calendar template with one of its photos
# in the photo box, the year and month changed with their arrows, the project saved and
# printed (the printer writes PDF, as LUMIVISTA_PRINT_TO sets it).
mkdir "$WORK/fotos"
for i in 1 2 3; do convert -size 320x240 xc:"rgb($((60 * i)),100,150)" "$WORK/fotos/foto$i.jpg"; done
export LUMIVISTA_PRINT_TO="$WORK/calendario.pdf"
start_program
make_album Festa "$WORK/fotos" > /dev/null
click 0 Projetos; on_screen 19
click 19 SwitchScreen=20; on_screen 20
click 20 Modelo; wait_log '^dialog template gallery'; sleep 0.3
key Return; wait_log '^project opened' > /dev/null
# From the page's background up to the photo box (the template's 780 x 500 placeholder).
for _ in 1 2 3 4; do
  grep '^state' "$log" | tail -1 | grep -q ' layer=60,60,840,560 ' && break
  click 20 'Próximo'; wait_log '^state' > /dev/null
done
grep '^state' "$log" | tail -1 | grep -q ' layer=60,60,840,560 ' || fail "Próximo never reached the photo box"
click 20 'Colocar foto'; wait_log '^dialog photo picker'; sleep 0.3
key Return; wait_log '^project drop ok' > /dev/null
click 20 CalendarYear=65536; wait_log '^project screen=20 year=2027 '
click 20 CalendarMonth=4294901760; wait_log '^project screen=20 year=2027 month=11 '
shown "$WORK/page.bmp"

click 20 'Salvar projeto'; wait_window 'Salvar como'
type_text "$WORK/calendario.vlf"; key Return
wait_file "$WORK/calendario.vlf"

click 20 Imprimir; print_dialogs 'Imprimir a imagem'; wait_log '^print single printed' > /dev/null
wait_file "$WORK/calendario.pdf"
[ "$(pdfinfo "$WORK/calendario.pdf" | awk '/^Pages:/ {print $2}')" = 1 ] || fail "the PDF has not one page"
# The printed page is the page shown: both brought to 90 x 120, the PDF's margins trimmed.
pdftoppm -r 50 -png -singlefile "$WORK/calendario.pdf" "$WORK/printed"
convert "$WORK/printed.png" -fuzz 2% -trim +repage -resize '90x120!' "$WORK/printed_small.png"
convert "$WORK/page.bmp" -resize '90x120!' "$WORK/page_small.png"
[ "$(differing "$WORK/printed_small.png" "$WORK/page_small.png" 12)" -lt 300 ] || fail "the printed page is not the calendar shown"
near "$(pixel "$WORK/page.bmp" 450 300)" "60 100 150" || fail "no album photo in the photo box: $(pixel "$WORK/page.bmp" 450 300)"
