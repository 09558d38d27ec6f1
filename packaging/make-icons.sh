#!/usr/bin/env bash
# Remakes the menu icons under packaging/icons from the programs' own pictures in office/:
# the job manager's from the sun and panel of its start picture, the to-do program's from its
# dialog icon. Needs imagemagick; the results are committed, so a build does not.
set -euo pipefail
cd "$(dirname "$0")/.."
sizes=(16 24 32 48 64 128)
for size in "${sizes[@]}"; do
  folder=packaging/icons/${size}x${size}
  mkdir -p "$folder"
  convert office/StartPic.jpg -crop 70x70+0+0 +repage -filter Lanczos -resize "${size}x${size}" \
    -strip "PNG32:$folder/kez-jobs.png"
  # The dialog icon's largest picture is 32 x 32: smaller sizes are smoothed, larger ones keep
  # its pixels sharp rather than blurred.
  filter=Lanczos
  [ "$size" -gt 32 ] && filter=Point
  convert 'office/todo.ico[0]' -filter "$filter" -resize "${size}x${size}" -strip \
    "PNG32:$folder/kez-todo.png"
done
