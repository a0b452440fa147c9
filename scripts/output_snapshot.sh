#!/usr/bin/env bash
# Writes every output kalven-report makes of a set of projects into one folder: the text report at
# two margins, the drawing area at two sizes, the graphic page in both orientations as pictures,
# and each exit status with its messages. Two snapshots made before and after a change that must
# not change what the program shows compare with `diff -r`.
#   scripts/output_snapshot.sh KALVEN-REPORT OUTPUT-FOLDER [PROJECT...]
set -u
report=$(realpath "$1"); out=$2; shift 2
here=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -eq 0 ]; then
  set -- "$here"/share/examples/*.klv "$here"/tests/data/*.klv "$here"/fuzz/corpus/project_file/*
fi
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen
for project in "$@"; do
  name=$(basename "$project")
  dir="$out/$name"; mkdir -p "$dir"
  for margin in 0 5; do
    "$report" --margin $margin "$project" >"$dir/report-$margin.txt" 2>"$dir/report-$margin.err"
    echo $? >"$dir/report-$margin.status"
  done
  "$report" --png "$dir/area.png" "$project" >/dev/null 2>&1; echo $? >"$dir/area.status"
  "$report" --png "$dir/area-640x480.png" --size 640x480 "$project" >/dev/null 2>&1
  for orientation in portrait landscape; do
    flag=; [ $orientation = landscape ] && flag=--landscape
    if "$report" --pdf "$dir/page.pdf" $flag "$project" >/dev/null 2>&1; then
      pdftoppm -r 100 -png "$dir/page.pdf" "$dir/page-$orientation"
      pdftotext -layout "$dir/page.pdf" "$dir/page-$orientation.txt"
    fi
    rm -f "$dir/page.pdf"
  done
done
