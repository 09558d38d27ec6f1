#!/usr/bin/env bash
# Builds, then runs every test headlessly; ctest ends with its summary line.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
# The Debian package, its menu entries and metainfo, checked as Debian's packagers check them.
bash scripts/check-package.sh
export QT_QPA_PLATFORM=offscreen
cd build
ctest -j2 --output-on-failure --timeout 120
