#!/usr/bin/env bash
# Redraws docs/screenshots/transitions.gif: a few slide-show transitions between two drawn
# pictures, made from the pictures lumivista-tool writes of each transition step by step.
# Needs ImageMagick.
#   scripts/transitions-gif.sh [lumivista-tool]
set -euo pipefail
here=$(dirname "$0")
tool=${1:-build/release/program/lumivista-tool}
convert=${CONVERT:-/usr/bin/convert}
out=$here/../docs/screenshots/transitions.gif
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$(dirname "$out")"

# Two slides drawn here: a beach at dusk (wide) and a sailing boat at noon (a little taller),
# so the black bands around a slide show too.
"$convert" -size 320x112 gradient:'#2b3a78-#f09a5a' \( -size 320x88 gradient:'#30506e-#16283c' \) -append \
  -fill '#ffd98a' -draw 'circle 230,104 230,126' \
  -fill '#1d2f45' -draw 'polygon 0,116 60,92 130,110 190,96 260,114 320,100 320,120 0,120' \
  -fill '#d9b77a' -draw 'polygon 0,200 0,160 140,150 320,172 320,200' -blur 0x0.6 "BMP3:$work/beach.bmp"
"$convert" -size 280x120 gradient:'#6fb6f0-#d8f0ff' \( -size 280x90 gradient:'#1f78a8-#0b3d5c' \) -append \
  -fill '#fff4c0' -draw 'circle 60,40 60,58' \
  -fill '#f8f8f2' -draw 'polygon 140,40 140,118 196,118' -fill '#e8564a' -draw 'polygon 136,52 136,118 100,118' \
  -fill '#5b3a24' -draw 'polygon 96,122 204,122 188,138 110,138' -blur 0x0.6 "BMP3:$work/boat.bmp"

frames=()
n=0
# transition, variant, every K-th step, from, to
while read -r transition variant every from to; do
  n=$((n + 1))
  "$tool" slideshow frames "$work/$from.bmp" "$work/$to.bmp" "$work/t$n" --size 320x200 \
    --transition "$transition" --variant "$variant" --every "$every" --format bmp > /dev/null
  for f in "$work/t$n"/frame-*.bmp; do frames+=("$f"); done
  # Hold the finished slide a moment.
  for _ in 1 2 3 4 5 6; do frames+=("$(ls "$work/t$n"/frame-*.bmp | tail -1)"); done
done <<'LIST'
33 2 6 beach boat
3 0 4 boat beach
27 2 28 beach boat
30 0 2 boat beach
2 0 12 beach boat
20 2 4 boat beach
10 4 100 beach boat
25 2 4 boat beach
LIST

"$convert" -delay 6 -loop 0 "${frames[@]}" -dither None -colors 128 -layers Optimize "$out"
ls -l "$out"
