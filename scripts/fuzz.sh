#!/usr/bin/env bash
# Fuzzes the readers: builds every fuzz target with clang (all libraries instrumented) into
# build-fuzz/ and runs each on its seed corpus for the given time, one after the other.
#   bash scripts/fuzz.sh [seconds] [target...]     (default 600 s, every target)
# Per target it prints the runs, the coverage reached and the findings; the log, the grown
# corpus and any reproducers stay in build-fuzz/fuzz-work/<target>/. A finding does not end the
# run: the fuzzer goes on, and every reproducer is kept for replaying.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=600
if [[ $# -gt 0 && $1 =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi

# clang and its fuzzer and sanitizer runtimes.
missing=()
for p in clang-14 libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  bash scripts/install-deps.sh
  as_root=()
  [[ $(id -u) -eq 0 ]] || as_root=(sudo)
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
fi

targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  for src in fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi
for t in "${targets[@]}"; do
  [[ -f fuzz/$t.cpp ]] || { echo "no fuzz target $t (fuzz/$t.cpp)" >&2; exit 2; }
done

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Two runs may start at once (the targets split between them): configure only once.
mkdir -p build-fuzz
exec 9>build-fuzz/configure.lock
flock 9
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKEZ_FUZZ=ON -DKEZ_TESTS=OFF -DKEZ_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j2 --target "${targets[@]}"
flock -u 9

root=$PWD
export LSAN_OPTIONS="suppressions=$root/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
printf '%-24s %12s %8s %9s\n' target runs cov findings
for t in "${targets[@]}"; do
  work=build-fuzz/fuzz-work/$t
  mkdir -p "$work/corpus" "$work/findings"
  dict=()
  [[ -f fuzz/dict/$t.dict ]] && dict=(-dict="fuzz/dict/$t.dict")
  # Fork mode with crashes, hangs and memory blow-ups ignored: the run takes its whole time and
  # keeps a reproducer of each finding in findings/.
  "build-fuzz/bin/$t" -max_total_time="$seconds" -fork=1 -ignore_crashes=1 \
    -ignore_timeouts=1 -ignore_ooms=1 -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$root/$work/findings/" "${dict[@]}" \
    "$work/corpus" "fuzz/corpus/$t" >"$work/log" 2>&1 || true
  last=$(grep -E '^#[0-9]+: cov:' "$work/log" | tail -n 1 || true)
  runs=$(sed -E 's/^#([0-9]+):.*/\1/' <<<"$last")
  cov=$(sed -E 's/.* cov: ([0-9]+).*/\1/' <<<"$last")
  findings=$(find "$work/findings" -type f | wc -l)
  printf '%-24s %12s %8s %9s\n' "$t" "${runs:-?}" "${cov:-?}" "$findings"
done
