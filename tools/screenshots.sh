#!/usr/bin/env bash
# Makes docs/screenshot.png: a holiday folder of camera photos, documents and
# a subfolder of videos, shown by the window offscreen (window_screenshot).
# The folder sits at a fixed place so the picture shows no home folder, and
# its times are fixed so the dates in names and columns are always the same.
# Usage: tools/screenshots.sh WINDOW_SCREENSHOT OUTPUT.png
set -euo pipefail
program=$(realpath "$1")
out=$(realpath -m "$2")
trip="/tmp/Trip 2024"
[[ -e $trip ]] && { echo "$trip exists already; move it away first" >&2; exit 1; }
runtime=$(mktemp -d)
trap 'rm -rf "$trip" "$runtime"' EXIT
mkdir -p "$trip/Videos"

export TZ=UTC LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$runtime
while read -r when size name; do
    truncate -s "$size" "$trip/$name"
    touch -d "$when" "$trip/$name"
done <<'FILES'
2024-06-03T12:40 112K Hotel booking.PDF
2024-06-10T07:55 95K Boarding pass LIS.PDF
2024-06-12T09:41 6246K DSC_0412.JPG
2024-06-12T09:42 5939K DSC_0413.JPG
2024-06-12T17:05 7373K DSC_0427.JPG
2024-06-12T18:20 6815K DSC_0430.JPG
2024-06-13T10:12 6553K DSC_0431.JPG
2024-06-13T10:47 6102K DSC_0436.JPG
2024-06-13T16:03 7011K DSC_0440.JPG
2024-06-14T11:26 5874K DSC_0447.JPG
2024-06-14T19:30 6041K DSC_0458.JPG
2024-06-13T21:08 3379K IMG_4187.JPG
2024-06-14T20:31 3122K IMG_4190.JPG
2024-06-14T09:15 41K Museum tickets.PDF
2024-06-13T11:02 151552K Videos/MOV_0031.MOV
2024-06-14T18:44 98304K Videos/MOV_0032.MOV
FILES
mkdir -p "$(dirname "$out")"
"$program" "$trip" "$out"
echo "wrote $out"
