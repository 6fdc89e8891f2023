# An album from a folder of 40 files (38 photos, one cut short, one text file named .jpg):
# a photo moved by dragging, searches by name and by date whose results become albums, the
# slide show played and stopped with Esc. The album files are read back with the tool.
mkdir "$WORK/fotos"
for i in $(seq 10 47); do convert -size 160x120 xc:"rgb($((i * 5)),$((250 - i * 5)),120)" "$WORK/fotos/foto$i.jpg"; done
touch -d 2020-06-15 "$WORK"/fotos/foto1[0-4].jpg
head -c 600 "$WORK/fotos/foto47.jpg" > "$WORK/fotos/cortada.jpg"; rm "$WORK/fotos/foto47.jpg"
echo "lista de compras" > "$WORK/fotos/notas.jpg"
tool=$(dirname "$program")/lumivista-tool
entries() { "$tool" album info "$1" --json | grep -o '"[^"]*\.jpg"' | sed 's|.*/||; s|"||g'; }
start_program
added=$(make_album Viagem "$WORK/fotos")
album=$(field path <<< "$added")
# The grid's cells (main-window coordinates, from the page's layout line); cell N's centre.
read -r _ _ gx gy cw ch sx sy columns _ <<< "$(grep '^album layout' "$log" | tail -1)"
cell() { at $((gx + (cw + sx) * ($1 % columns) + cw / 2)) $((gy + (ch + sy) * ($1 / columns) + ch / 2)); }
# The grid shows the rows from `head` on: the third photo shown dragged onto the seventh.
first=$(($(field head <<< "$added") * columns))
act
read -r fx fy <<< "$(cell 2)"; read -r tx ty <<< "$(cell 6)"
xdotool mousemove "$fx" "$fy" sleep 0.2 mousedown 1 sleep 0.2 mousemove $((fx + 15)) $((fy + 5)) sleep 0.2 \
  mousemove $(((fx + tx) / 2)) "$ty" sleep 0.2 mousemove "$tx" "$ty" sleep 0.2 mouseup 1
wait_log '^album moved ' > /dev/null
click 0 Editar; wait_log '^album left' > /dev/null
entries "$album" > "$WORK/entries.txt"
{ echo cortada.jpg; for i in $(seq 10 46); do echo "foto$i.jpg"; done; } |
  awk -v a=$((first + 2)) -v b=$((first + 6)) '{ l[NR - 1] = $0 } END {
    m = l[a]; for (i = a; i < b; i++) l[i] = l[i + 1]; l[b] = m; for (i = 0; i < NR; i++) print l[i] }' > "$WORK/expected.txt"
# The text file is refused; the photo cut short is kept (its thumbnail drawn as far as it goes).
diff "$WORK/expected.txt" "$WORK/entries.txt" > /dev/null || fail "the album's photos: $(diff "$WORK/expected.txt" "$WORK/entries.txt")"

# search WORDS KEYS: a search in the dialog, its results made an album; prints its photos.
search() {
  click 0 'Álbum'; wait_log '^album shown' > /dev/null
  click 18 Pesquisar; wait_window 'Pesquisar fotos'
  [ -n "$1" ] && type_text "$1"
  [ -n "${2:-}" ] && key "$2"
  key Return; sleep 1.5
  key alt+c
  wait_log '^search 2 ' > /dev/null
  local shown
  shown=$(wait_log '^album shown .*name=\[Resultados da pesquisa\]')
  click 0 Editar; wait_log '^album left' > /dev/null
  entries "$(field path <<< "$shown")" | sort
}
[ "$(search foto2 | paste -sd' ')" = "$(seq -f 'foto%g.jpg' 20 29 | paste -sd' ')" ] || fail "the search by name"
# "Desde" ticked: a year back, which leaves out the five photos of 2020.
[ "$(search '' alt+d | paste -sd' ')" = "$({ echo cortada.jpg; seq -f 'foto%g.jpg' 15 46; } | sort | paste -sd' ')" ] ||
  fail "the search by date: $(search '' alt+d | paste -sd' ')"

# The slide show of the open album (the results) over the whole screen, stopped with Esc.
click 0 Compartilhar; on_screen 25
click 25 'Apresentação'; on_screen 7
click 7 Iniciar; wait_log '^dialog slideshowsettings' > /dev/null; sleep 0.3
key Return; wait_log '^slideshow slide 2 ' > /dev/null
id=$(xdotool search --onlyvisible --pid "$program_pid" | while read -r w; do
  window_place "$w"; echo "$((WIDTH * HEIGHT)) $w"; done | sort -n | tail -1 | cut -d' ' -f2)
window_place "$id"
[ "${WIDTH}x$HEIGHT" = 1280x1024 ] || fail "the slide show covers ${WIDTH}x$HEIGHT"
key Escape; wait_log '^slideshow closed' > /dev/null
