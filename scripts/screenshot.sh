#!/usr/bin/env bash
# Starts a program from build/bin under a virtual X display and saves a picture of the screen:
#   bash scripts/screenshot.sh jobs /tmp/jobs.png [seconds]
# Needs xvfb and imagemagick (apt-get install xvfb imagemagick).
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-jobs}
picture=${2:-/tmp/$program.png}
wait_seconds=${3:-4}
display=:97
bin=${KEZ_BIN:-build/bin}
Xvfb "$display" -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
(cd "$bin" && DISPLAY=$display "./$program" >/dev/null 2>&1 &
 echo $! > /tmp/screenshot-$program.pid)
sleep "$wait_seconds"
DISPLAY=$display import -window root "$picture"
kill "$(cat /tmp/screenshot-$program.pid)" 2>/dev/null || true
echo "saved $picture"
