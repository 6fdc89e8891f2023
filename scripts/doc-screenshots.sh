#!/usr/bin/env bash
# Redraws the pictures of docs/screenshots: the start screen and the first screen of each of
# the five areas, in both window sizes, plus a tooltip. Needs xvfb-run and ImageMagick.
#   scripts/doc-screenshots.sh [program-folder]
set -euo pipefail
here=$(dirname "$0")
program_dir=${1:-build/release/program}
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
# The status text and tooltip of "Desfazer" on the Editar screen.
"$here/screenshot.sh" "$program_dir" "$out/tooltip_800.png" 800 "click 526 32" "move 38 734" "sleep 1.3"
# Small files: the skin's flat colours fit a 256-colour palette.
for picture in "$out"/*.png; do
  convert "$picture" -dither None -colors 256 -strip "$picture"
done
