#!/usr/bin/env bash
# Installs the Debian packages the build, the programs and the tests need, skipping those that
# are already there. Runs as root (or through sudo when it is available).
set -euo pipefail

packages=(build-essential cmake pkg-config qt6-base-dev qt6-multimedia-dev libfontconfig-dev
          gstreamer1.0-plugins-good fonts-dejavu-core fonts-liberation
          fonts-urw-base35 libgtest-dev libgmock-dev libbenchmark-dev)
# The Debian package's dependencies are found by looking at its programs with "file".
packages+=(file)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
  "${missing[@]}"
