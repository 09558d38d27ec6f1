#!/usr/bin/env bash
# Pictures of every window of both programs, with realistic content (a job loaded with its
# customer and installation windows open; to-do entries, one of them in its alarm minute), as
# an X display at 96 dpi shows them, one PNG per window cropped to it, in docs/screenshots/:
#   bash scripts/screenshot.sh [display number, default 97]
# Builds first; installs Xvfb and ImageMagick when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
display=":${1:-97}"
out=docs/screenshots

bash scripts/build.sh
missing=()
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v import >/dev/null || missing+=(imagemagick)
if [ ${#missing[@]} -gt 0 ]; then
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
fi

# A copy of the staged office folder, so the walk changes nothing in build/bin.
folder=$(mktemp -d)
Xvfb "$display" -screen 0 1280x1024x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$folder"' EXIT
cp -r build/bin/. "$folder/"
sleep 1

mkdir -p "$out"
DISPLAY=$display QT_QPA_PLATFORM=xcb build/tests/screenshot_tour "$folder" "$PWD/$out"
# Small files: the windows hold few colours.
for picture in "$out"/*.png; do
  mogrify -strip -define png:compression-level=9 "$picture"
done
ls -l "$out"
