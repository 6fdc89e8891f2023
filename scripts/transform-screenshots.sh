#!/usr/bin/env bash
# Redraws the transform pictures of docs/screenshots with real pointer events on a virtual X
# server: a layer's corner being dragged with the resize tool (handles and dotted outline
# while the button is held), the layer being turned with the free-rotate tool, and the
# Tamanho (image size) dialog. Needs xvfb-run, xdotool and ImageMagick.
#   scripts/transform-screenshots.sh [path/to/lumivista]   (the test build's: it logs)
set -euo pipefail
program=$(realpath "${1:-build/test/program/lumivista}")
here=$(cd "$(dirname "$0")" && pwd)
out=$here/../docs/screenshots
source "$here/../app/tests/x11_session.sh"
[ "${LV_X11_SESSION:-}" = 1 ] || echo "pictures go to $out"
x11_session_run "$program" "$here/$(basename "$0")"

# A beach of 640 x 440 (shown at 100 %) with a garden photo of 180 x 240 as the top layer.
beach=$WORK/praia.jpg
garden=$WORK/jardim.jpg
convert -size 640x250 gradient:'#4676c9-#e6dcf0' \( -size 640x190 gradient:'#2a6486-#3f8a9a' \) -append \
  -fill '#fff0b8' -draw 'circle 470,160 470,190' \
  -fill '#5c788c' -draw 'polygon 0,235 70,195 140,225 200,200 260,235 460,235 510,195 580,222 640,205 640,250 0,250' \
  -fill '#d8c596' -draw 'polygon 0,440 0,370 300,400 640,350 640,440' -blur 0x1 "$beach"
convert -size 180x240 gradient:'#9fd3f7-#fdf6e3' \
  -fill '#3e8e4f' -draw 'polygon 0,240 0,150 60,140 120,155 180,140 180,240' \
  -fill '#e0526a' -draw 'circle 50,180 50,192' -fill '#f2c14e' -draw 'circle 120,196 120,208' \
  -bordercolor white -border 6 -blur 0x0.6 "$garden"
"$(dirname "$program")/lumivista-tool" vlf make "$WORK/ferias.vlf" --size 640x440 \
  "image=$garden,x=60,y=120,name=Jardim" "image=$beach,name=Fundo" >/dev/null

x11_open "$WORK/ferias.vlf"
read -r _ _ _ ww wh < <(grep '^ready' "$log")
shot() { sleep 0.6; import -window root -crop "${ww}x${wh}+${wx}+${wy}" +repage "$1"; echo "wrote $1"; }

xdotool mousemove $(at 526 32) click 1          # Editar
wait_for "^screen 2 panels"
xdotool mousemove $(at 456 734) click 1         # the resize choice of the transform buttons
wait_for "^tool 1121$"
# The garden (192 x 252 with its border) stands at column 60, rows 68 to 320: its bottom-right
# corner pulled out and held.
xdotool mousemove $(doc 250 318) mousedown 1
for step in 1 2 3 4; do xdotool mousemove $(doc $((250 + 15 * step)) $((318 + 20 * step))); done
shot "$out/transform-resize_800.png"
xdotool mouseup 1
sleep 0.5

xdotool mousemove $(at 506 734) click 1         # free rotate
sleep 0.5
box=$(send state; sleep 0.5; grep -o 'layer=[-0-9,]*' "$log" | tail -1 | cut -d= -f2)
IFS=, read -r l t r b <<< "$box"
xdotool mousemove $(doc $((r - 2)) $((t + 2))) mousedown 1
for step in 1 2 3 4; do xdotool mousemove $(doc $((r - 2 + 12 * step)) $((t + 2 + 22 * step))); done
shot "$out/transform-rotate_800.png"
xdotool mouseup 1
sleep 0.5

xdotool mousemove $(at 166 355) click 1         # Tamanho, on the first page of Editar
sleep 1
shot "$out/image-size-dialog_800.png"
xdotool key Escape
send quit
wait
for picture in transform-resize_800 transform-rotate_800 image-size-dialog_800; do
  convert "$out/$picture.png" -dither None -colors 256 -strip "$out/$picture.png"
done
