#!/usr/bin/env bash
# Builds, then makes the Debian package kez-office_<version>_amd64.deb:
#   bash scripts/package.sh [OUTPUT_DIR]      (default: build/)
set -euo pipefail
cd "$(dirname "$0")/.."
output=$(realpath -m "${1:-build}")
bash scripts/build.sh
mkdir -p "$output"
(cd build && cpack -G DEB -B "$output" >/dev/null)
rm -rf "$output/_CPack_Packages"
ls "$output"/kez-office_*_amd64.deb
