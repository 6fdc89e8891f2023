#!/usr/bin/env bash
# Makes docs/screenshots/effects.jpg: every artistic effect of `lumivista-tool effect --list`
# and every enhancement mode, applied by the command line to a painted sample photo, with
# the automatic fixes shown on deliberately spoiled copies (dark, flat, colour cast).
#
# usage: scripts/effects-contact-sheet.sh [TOOL] [OUT]
# Needs python3 with numpy and PIL, and ImageMagick's montage (fonts-liberation for labels).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
tool=${1:-$root/build/release/program/lumivista-tool}
out=${2:-$root/docs/screenshots/effects.jpg}
python=/usr/bin/python3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$python" "$root/scripts/make-sample-photo.py" "$work/photo.png" 800 600
for flaw in dark flat cast; do
  "$python" "$root/scripts/make-sample-photo.py" "$work/$flaw.png" 800 600 --flaw "$flaw"
done

tiles=()
add() { # add FILE LABEL
  tiles+=(-label "$2" "$1")
}

add "$work/photo.png" "Original"
enhance() { # enhance NAME LABEL ARGS...
  local name=$1 label=$2; shift 2
  "$tool" enhance "$work/photo.png" "$work/$name.png" "$@"
  add "$work/$name.png" "$label"
}
enhance m0 "Brilho 70" --mode 0 --sliders 70
enhance m1 "Brilho 50, contraste 75" --mode 1 --sliders 50,75
enhance m2 "Matiz 65, saturação 75" --mode 2 --sliders 65,75
enhance m3 "RGB 65, 50, 35" --mode 3 --sliders 65,50,35
enhance m4 "Nitidez 100" --mode 4 --sliders 100
enhance m5 "Suavizar 80" --mode 5 --sliders 80
fix() { # fix FLAW MODE BEFORE AFTER
  "$tool" enhance "$work/$1.png" "$work/$1-fixed.png" --mode "$2"
  add "$work/$1.png" "$3"
  add "$work/$1-fixed.png" "$4"
}
fix dark 6 "Foto escura" "Automático"
fix flat 6 "Foto sem contraste" "Automático"
fix cast 7 "Foto amarelada" "Equilibrar"
"$tool" enhance "$work/photo.png" "$work/auto.png" --mode 6
add "$work/auto.png" "Automático (foto boa)"

# Every effect of the catalogue at the slider's default position.
"$tool" effect --list --json | "$python" -c '
import json, sys
for e in json.load(sys.stdin):
    print(e["code"], e["name"], sep="\t")' > "$work/list.tsv"
while IFS=$'\t' read -r code name; do
  "$tool" effect "$work/photo.png" "$work/e$code.png" --op "$code" --strength 50
  add "$work/e$code.png" "$code $name"
done < "$work/list.tsv"

mkdir -p "$(dirname "$out")"
montage "${tiles[@]}" -font Liberation-Sans -pointsize 13 -tile 6x -geometry 260x195+4+4 \
  -background '#f4f4f4' -quality 82 "$work/sheet.jpg"
mv "$work/sheet.jpg" "$out"
echo "wrote $out ($(du -k "$out" | cut -f1) KiB, ${#tiles[@]} arguments)"
