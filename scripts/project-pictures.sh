#!/usr/bin/env bash
# Makes the README's project pictures from the shipped templates with the command line: a
# calendar page refilled for a month with a photo dropped in, a birthday card and a framed
# photo, each flattened to a JPEG in docs/screenshots.
#
# usage: scripts/project-pictures.sh [PROGRAM_FOLDER] [OUT_FOLDER]
# Needs python3 with numpy and PIL (for the sample photo).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$root/build/release/program}
out=${2:-$root/docs/screenshots}
tool=$program/lumivista-tool
python=/usr/bin/python3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Photos shaped like the placeholders they go into (a photo keeps its shape inside the box).
"$python" "$root/scripts/make-sample-photo.py" "$work/wide.png" 1170 750
"$python" "$root/scripts/make-sample-photo.py" "$work/tall.png" 660 855
"$python" "$root/scripts/make-sample-photo.py" "$work/photo.png" 1200 900

# The index of the first layer whose name starts with PREFIX, front first.
layer_of() { # layer_of FILE PREFIX
  "$tool" vlf info "$1" --json | "$python" -c '
import json, sys
layers = json.load(sys.stdin)["layers"]
print(next(i for i, layer in enumerate(layers) if layer["name"].startswith(sys.argv[1])))' "$2"
}

# drop TEMPLATE OUT PREFIX PHOTO: the photo into the template's placeholder named PREFIX...
drop() {
  "$tool" project drop "$1" "$2" --layer "$(layer_of "$1" "$3")" "$4"
}

calendar=$program/projects/calendars/classico-alto.vlf
"$tool" calendar refill "$calendar" "$work/march.vlf" --year 2027 --month 3
drop "$work/march.vlf" "$work/calendar.vlf" "Foto" "$work/wide.png"
"$tool" convert "$work/calendar.vlf" "$out/project-calendar.jpg"

drop "$program/projects/cards/aniversario.vlf" "$work/card.vlf" "Foto" "$work/tall.png"
"$tool" convert "$work/card.vlf" "$out/project-card.jpg"

drop "$program/projects/frames/dourada.vlf" "$work/frame.vlf" "background" "$work/photo.png"
"$tool" convert "$work/frame.vlf" "$out/project-frame.jpg"
echo "project pictures written to $out"
