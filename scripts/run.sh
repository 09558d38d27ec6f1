#!/usr/bin/env bash
# Builds, then starts the programs on the bundled office data in build/bin.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd build/bin
pids=()
for program in jobs todo; do
  if [ -x "./$program" ]; then
    "./$program" &
    pids+=($!)
  fi
done
wait "${pids[@]}"
