#!/usr/bin/env bash
# make-wdb-data.sh CONVERTER FOLDER [RESOLUTION]: extracts GSHHG's shorelines, borders and rivers
# with GMT (Debian's gmt and gmt-gshhg-low) and converts them into the World Data Bank files in
# FOLDER. The shorelines are extracted once whole and once for each area the converter grades
# them by. GMT is needed here only, never when the program runs.
set -euo pipefail
converter=$1
folder=$2
resolution=${3:-l}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export GMT_USERDIR="$work" GMT_TMPDIR="$work"
gmt coast -Rg -D"$resolution" -W -M >shores.txt
gmt coast -Rg -D"$resolution" -Na -M >borders.txt
gmt coast -Rg -D"$resolution" -Ia -M >rivers.txt
larger=()
for area in $("$converter" areas); do
  gmt coast -Rg -D"$resolution" -W -M -A"$area" >"shores-$area.txt"
  larger+=("shores-$area.txt")
done
"$converter" "$folder" shores.txt borders.txt rivers.txt "${larger[@]}"
