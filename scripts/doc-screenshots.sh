#!/usr/bin/env bash
# Redraws the pictures of docs/screenshots: the start screen and the first screen of each of
# the five areas, in both window sizes, plus a tooltip, dialogs and a photo or two. Needs xvfb-run
# and ImageMagick.
#   scripts/doc-screenshots.sh [program-folder]   (the test build's: it drives the program)
set -euo pipefail
here=$(dirname "$0")
program_dir=${1:-build/test/program}
out=$here/../docs/screenshots
mkdir -p "$out"

# Centres of the area buttons 155, 147, 148, 154, 151 (app/skin/button_table_main.cpp).
declare -A areas_800=([1]="302 32" [18]="414 32" [2]="526 32" [19]="638 32" [25]="750 32")
declare -A areas_640=([1]="258 28" [18]="354 28" [2]="450 28" [19]="546 28" [25]="642 28")

for mode in 800 640; do
  "$here/screenshot.sh" "$program_dir" "$out/screen-0_$mode.png" "$mode"
  declare -n areas="areas_$mode"
  for screen in "${!areas[@]}"; do
    "$here/screenshot.sh" "$program_dir" "$out/screen-${screen}_$mode.png" "$mode" "click ${areas[$screen]}"
  done
  unset -n areas
done
# The photo store's page and the favourite links, as a user first meets them.
"$here/screenshot.sh" "$program_dir" "$out/screen-24_800.png" 800 "screen 24" "sleep 1"
printf '[USER]\nCreateLink1=https://www.exemplo.com.br/fotos\nCreateLink2=https://familia.exemplo.org/\nCreateLink3=https://receitas.exemplo.net/bolo\n[vuruvizi]\nCreateLink1=Fotos da viagem\nCreateLink2=Blog da família\nCreateLink3=Receitas\n' > "$out/.links.ini"
SCREENSHOT_INI="$out/.links.ini" "$here/screenshot.sh" "$program_dir" "$out/links_800.png" 800 "screen 29" "sleep 1"
rm -f "$out/.links.ini"
# The status text and tooltip of "Desfazer" on the Editar screen.
"$here/screenshot.sh" "$program_dir" "$out/tooltip_800.png" 800 "click 526 32" "move 38 734" "sleep 1.3"
# A photo opened on the Editar screen: a drawn beach, 1600 x 1067, so it opens fitted at 33 %.
photos=$(mktemp -d)
photo=$photos/praia.jpg
convert -size 1600x590 gradient:'#4676c9-#e6dcf0' \( -size 1600x477 gradient:'#2a6486-#3f8a9a' \) -append \
  -fill '#fff0b8' -draw 'circle 1150,380 1150,438' \
  -fill '#5c788c' -draw 'polygon 0,560 160,470 330,540 470,480 620,560 1100,560 1220,470 1380,530 1520,478 1600,520 1600,590 0,590' \
  -fill '#34603f' -draw 'polygon 0,600 0,520 300,500 600,540 900,500 1250,545 1600,505 1600,600' \
  -fill '#f4e0b0' -draw 'polygon 1130,600 1170,600 1160,760 1140,760' \
  -fill '#d8c596' -draw 'polygon 0,1067 0,860 720,960 1600,820 1600,1067' -blur 0x1.5 "$photo"
"$here/screenshot.sh" "$program_dir" "$out/editing_800.png" 800 "click 526 32" "open $photo"
# The Seleção page with the magic wand's click on the sky: the wand at (156, 167), each
# tolerance raised three pages to 62 by clicks near the right end of its track, the sky at
# document point (400, 200) of the photo fitted at 33 %.
raise_tolerances=()
for y in 309 351 393; do raise_tolerances+=("click 146 $y" "click 146 $y" "click 146 $y"); done
"$here/screenshot.sh" "$program_dir" "$out/selection_800.png" 800 "click 526 32" "click 56 89" "open $photo" \
  "click 156 167" "${raise_tolerances[@]}" "click 488 284" "sleep 0.6"
# Two photos side by side, each fitted whole into its half: the beach and a tall garden.
garden=$photos/jardim.jpg
convert -size 900x1200 gradient:'#9fd3f7-#fdf6e3' \
  -fill '#3e8e4f' -draw 'polygon 0,1200 0,760 260,700 520,780 900,700 900,1200' \
  -fill '#e0526a' -draw 'circle 250,900 250,960' -fill '#f2c14e' -draw 'circle 600,980 600,1040' \
  -fill '#8a5cc7' -draw 'circle 420,1080 420,1130' -blur 0x1.2 "$garden"
"$here/screenshot.sh" "$program_dir" "$out/side-by-side_800.png" 800 "click 526 32" "open $photo" "open $garden"
# The Save-as dialog in Portuguese, its preview showing the picture being saved.
"$here/screenshot.sh" "$program_dir" "$out/save-dialog_800.png" 800 "click 526 32" "open $photo" "dialog saveas" "sleep 0.8"
# The beach on the brushes page (Pintar, then Pincéis): slider readouts and the Cores box.
"$here/screenshot.sh" "$program_dir" "$out/colours_800.png" 800 "click 526 32" "click 85 88" "click 61 170" "open $photo"
# The other paint pages' options with the beach: Clonar (aligned and soft edge) and Olhos e
# borracha (the eraser's soft edge and strength) below Pintar, Preencher e carimbos (the fill's
# tolerance and transparency), and its "Carimbos" picking a stamp from the shapes album.
"$here/screenshot.sh" "$program_dir" "$out/paint-clone_800.png" 800 "click 526 32" "click 85 88" "click 61 230" "open $photo"
"$here/screenshot.sh" "$program_dir" "$out/paint-eraser_800.png" 800 "click 526 32" "click 85 88" "click 165 230" "open $photo"
"$here/screenshot.sh" "$program_dir" "$out/paint-fill_800.png" 800 "click 526 32" "click 113 84" "open $photo"
"$here/screenshot.sh" "$program_dir" "$out/stamp-album_800.png" 800 "click 526 32" "click 113 84" "open $photo" \
  "click 61 290" "sleep 1"
# The layer palette beside the beach with two more layers: the eye and lock of each row.
"$here/screenshot.sh" "$program_dir" "$out/layer-palette_1024.png" 800 "click 526 32" "open $photo" "addlayer" "addlayer" \
  "palette show" "sleep 0.5"
# Calendário with a finished page: the next month, the first calendar of the gallery, "Próximo"
# to its photo space and the beach from an album of its own put there.
beach_album=$photos/viagem.abm
"$program_dir/lumivista-tool" album make "$beach_album" "$photo" >/dev/null
album_ini=$(mktemp --suffix=.ini)
printf '[USUÁRIO]\nAlbum Name=%s\n' "$beach_album" > "$album_ini"
SCREENSHOT_INI=$album_ini "$here/screenshot.sh" "$program_dir" "$out/calendar_800.png" 800 "click 638 32" "click 56 89" \
  "click 199 359" "click 62 175" "sleep 1" "project pick 0" "sleep 1" "click 166 235" "click 166 175" "sleep 1" \
  "project pick 0" "sleep 1.5"
rm -f "$album_ini"
# "Encomendar cópias" on the photo-store page for a 4:3 photo of an album: the 10 × 15 print's
# part marked on it (the dialog waits for the user, so the test log does not answer it).
order_photo=$photos/farol.jpg
convert -size 1600x1200 gradient:'#4676c9-#e6dcf0' -fill '#fff0b8' -draw 'circle 1150,380 1150,438' \
  -fill '#d8c596' -draw 'polygon 0,1200 0,900 720,1010 1600,860 1600,1200' -blur 0x1.2 "$order_photo"
order_album=$photos/farol.abm
"$program_dir/lumivista-tool" album make "$order_album" "$order_photo" >/dev/null
order_ini=$(mktemp --suffix=.ini)
printf '[USUÁRIO]\nAlbum Name=%s\nLogin_ID=ana\n' "$order_album" > "$order_ini"
LUMIVISTA_TEST_DIALOGS=manual SCREENSHOT_INI=$order_ini "$here/screenshot.sh" "$program_dir" "$out/print-order_800.png" 800 \
  "click 750 32" "click 166 235" "key Tab" "key Tab" "type senha" "click 114 375" "sleep 1.5"
rm -f "$order_ini"
# The Efeitos page of Aprimorar with the beach: each row of the effects list shows its effect.
"$here/screenshot.sh" "$program_dir" "$out/effects-list_800.png" 800 "click 526 32" "click 201 88" "open $photo" \
  "click 165 235" "sleep 3"
# The Texto page: a greeting placed with the text tool ("Escrever texto", a click on the photo,
# the text typed, Ctrl+Return) and the text dialog open for a second lettering. A smaller copy
# of the beach, opened at 100 %; the program saves it on quitting, so the others stay clean.
postcard=$photos/cartao.jpg
convert "$photo" -resize 720x "$postcard"
"$here/screenshot.sh" "$program_dir" "$out/text_800.png" 800 "click 526 32" "click 143 89" "open $postcard" \
  "click 113 233" "xclick 680 200" "sleep 1" "type Feliz Aniversário!" "xkey ctrl+Return" "sleep 0.5" \
  "xclick 290 600" "sleep 1" "type Férias na praia" "sleep 0.5"
rm -rf "$photos"
# The New dialog with sizes used before.
sizes=$(mktemp --suffix=.ini)
printf '[Recent Sizes]\nsize0=1024,768,Pixel\nsize1=4.000,6.000,Inch\nsize2=10.000,15.000,Cm\n' > "$sizes"
SCREENSHOT_INI=$sizes "$here/screenshot.sh" "$program_dir" "$out/new-dialog_800.png" 800 "click 526 32" "dialog new" "sleep 0.5"
rm -f "$sizes"
# The album page with a full grid and the photo search dialog with its hits: fifteen drawn
# landscapes added through the Adicionar button. The program runs on a folder of its own whose
# "albums" is empty, so the build's folder keeps no album from this.
landscapes=$(mktemp -d)
home=$(mktemp -d)
for entry in "$program_dir"/*; do
  [ "$(basename "$entry")" = albums ] || ln -s "$(realpath "$entry")" "$home/"
done
mkdir "$home/albums"
skies=("#4676c9-#e6dcf0" "#f08a4b-#fbd786" "#1e3c72-#2a5298" "#ff7e5f-#feb47b" "#83a4d4-#b6fbff" "#614385-#516395"
       "#00b4db-#0083b0" "#ee9ca7-#ffdde1" "#f7971e-#ffd200" "#3a6186-#89253e" "#56ab2f-#a8e063" "#2c3e50-#fd746c"
       "#4ca1af-#c4e0e5" "#c06c84-#f8b195" "#355c7d-#6c5b7b")
grounds=("#2a6486-#3f8a9a" "#3d5a2a-#7a9a4a" "#34495e-#2c3e50" "#8e6c4a-#c9a46b" "#2f6b3a-#5fa05a")
names=(praia por-do-sol noite-na-serra entardecer ceu-de-inverno montanhas lago verao campo-florido crepusculo fazenda
       cidade-ao-longe rio-azul ferias-2003 lua-cheia)
files=""
for i in $(seq 0 14); do
  sun=$((100 + (i * 53) % 600)); hill=$((300 + (i * 37) % 120))
  file="$landscapes/$(printf '%02d' "$i")-${names[$i]}.jpg"
  convert -size 800x$hill gradient:"${skies[$i]}" \( -size 800x$((600 - hill)) gradient:"${grounds[$((i % 5))]}" \) -append \
    -fill '#fff3c4' -draw "circle $sun,$((hill - 90)) $((sun + 35)),$((hill - 90))" -fill '#4a5a6a' \
    -draw "polygon 0,$((hill + 10)) $((120 + i * 7)),$((hill - 70)) $((260 + i * 5)),$((hill - 10)) $((420 - i * 3)),$((hill - 90)) 600,$((hill + 5)) 800,$((hill - 40)) 800,$((hill + 20)) 0,$((hill + 20))" \
    -blur 0x1 "$file"
  files="$files$file;"
done
# Album tab, name, the file dialog's answer, Adicionar; then a photo clicked, and Pesquisar.
LUMIVISTA_HOME=$home "$here/screenshot.sh" "$home" "$out/album_800.png" 800 "click 414 32" "albumname Férias de verão" \
  "albumfiles $files" "click 62 355" "sleep 4" "albumscroll -5" "click 456 180" "move 700 600"
LUMIVISTA_HOME=$home "$here/screenshot.sh" "$home" "$out/search_800.png" 800 "click 414 32" "click 166 415" "sleep 1" \
  "dialogtext name r" "dialogclick searchbutton" "sleep 2"
# "Orientação" (Projetos, screen 23) over the album, a phone's portrait stored turned among the
# landscapes, stood upright with the JPEG edges trimmed.
portrait=$landscapes/retrato.jpg
convert -size 600x900 gradient:'#9fd3f7-#fdf6e3' -fill '#3e8e4f' -draw 'polygon 0,900 0,600 200,560 400,620 600,560 600,900' \
  -fill '#e0526a' -draw 'circle 300,500 300,560' -rotate 90 "$portrait"
exiv2 -q -M'set Exif.Image.Orientation 8' "$portrait"
LUMIVISTA_HOME=$home "$here/screenshot.sh" "$home" "$out/orientation_800.png" 800 "click 414 32" "albumadd $portrait" \
  "sleep 1" "screen 23" "orientation open" "sleep 0.5" "orientation trim" "orientation auto" "sleep 1"
rm -rf "$landscapes" "$home"
# The slide show's settings dialog over three albums: Compartilhar, its Apresentação tile, Iniciar.
albums=$(mktemp --suffix=.ini)
printf '[albums]\nalbum1.abm=Férias na praia\nalbum2.abm=Natal em família\nalbum3.abm=Aniversário da vovó\n' > "$albums"
SCREENSHOT_INI=$albums "$here/screenshot.sh" "$program_dir" "$out/slideshow-dialog_800.png" 800 "click 750 32" "click 62 235" \
  "click 114 182" "sleep 0.8"
rm -f "$albums"
# The panorama window: three photos a turning camera takes of a drawn scene (a pinhole view of a
# cylinder each, focal length 900 pixels), stitched.
views=$(mktemp -d)
convert -seed 7 -size 2400x700 plasma:fractal -blur 0x1 \( -size 2400x700 xc:none -fill '#20304080' \
  -draw 'rectangle 100,100 180,190 rectangle 420,380 520,430 rectangle 800,150 860,260 rectangle 1200,420 1330,470' \
  -draw 'rectangle 1500,120 1570,200 rectangle 1900,300 2010,360 rectangle 2200,500 2290,610' -fill '#f0e0a0' \
  -draw 'circle 300,500 330,500 circle 950,520 990,520 circle 1420,300 1450,300 circle 1750,560 1790,560' \
  -draw 'circle 2050,180 2080,180 circle 650,200 670,200' \) -composite "$views/scene.png"
for c in 700 1150 1600; do
  convert -size 800x600 xc: "$views/scene.png" -virtual-pixel mirror \
    -fx "xx=i-400; v.p{$c+900*atan(xx/900), 350+900*(j-300)/hypot(xx,900)}" "$views/view$c.jpg"
done
"$program_dir/lumivista-tool" album make "$views/serra.abm" "$views"/view700.jpg "$views"/view1150.jpg "$views"/view1600.jpg >/dev/null
printf '[USUÁRIO]\nAlbum Name=%s\n' "$views/serra.abm" > "$views/album.ini"
SCREENSHOT_INI=$views/album.ini "$here/screenshot.sh" "$program_dir" "$out/panorama_800.png" 800 "click 638 32" "screen 23" \
  "click 62 175" "sleep 1" "key Space" "sleep 20"
rm -rf "$views"
# Small files: the skin's flat colours fit a 256-colour palette.
for picture in "$out"/*.png; do
  convert "$picture" -dither None -colors 256 -strip "$picture"
done
