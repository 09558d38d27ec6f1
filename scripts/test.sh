#!/usr/bin/env bash
# Builds, then runs every test headlessly; ctest ends with its summary line.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
cd build
ctest -j2 --output-on-failure --timeout 120
