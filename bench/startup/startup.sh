#!/usr/bin/env bash
# Start-up time and resident memory of both programs beside a bare Qt Widgets window of the
# same size, on the display given (an X display such as :95, or "offscreen"):
#   bash bench/startup/startup.sh [DISPLAY] [BUILD_DIR] [RUNS]
# Runs the bare window and each program alternately, RUNS times each (10 by default), times
# exec to the first shown window (and the processor time used by then, which a busy machine
# disturbs far less than the wall clock), samples resident memory a second later, and prints
# medians, the ratios to the bare window and the memory above it. Use a Release build.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
display=${1:-offscreen}
build=$(cd "${2:-$here/../../build-rel}" && pwd)
runs=${3:-10}
probe=$build/bench/startup_probe
preload=$build/bench/libfirst_shown.so
bin=$build/bin
for needed in "$probe" "$preload" "$build/bench/bare_window" "$bin/jobs" "$bin/todo"; do
  [ -e "$needed" ] || { echo "missing $needed: build $build first" >&2; exit 1; }
done
if [ "$display" = offscreen ]; then
  export QT_QPA_PLATFORM=offscreen
else
  export DISPLAY=$display QT_QPA_PLATFORM=xcb
fi

# The windows as the programs open them: the job manager's main frame, the to-do main dialog.
declare -A size=([jobs]="1010 706" [todo]="833 340")
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

measure() {  # name, program and its arguments: appends "ms cpu-ms kib" to the name's results
  local name=$1
  shift
  local line
  line=$(cd "$bin" && "$probe" "$preload" "$@")
  [ "$line" != timeout ] || { echo "$name: no window within 30 s" >&2; exit 1; }
  echo "$line" >>"$results/$name"
}

for ((run = 1; run <= runs; run++)); do
  for program in jobs todo; do
    # shellcheck disable=SC2086
    measure "bare-$program" "$build/bench/bare_window" ${size[$program]}
    measure "$program" "$bin/$program"
  done
done

median() {  # column of a results file
  sort -n -k"$2" "$1" | awk -v c="$2" '{v[NR] = $c} END {
    if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo "display $display, $runs runs each, medians"
printf '%-6s %10s %10s %6s %10s %10s %6s %10s %10s %10s\n' program start-up bare ratio \
  cpu bare ratio resident bare extra
for program in jobs todo; do
  columns=()
  for column in 1 2 3; do
    columns+=("$(median "$results/$program" $column)" "$(median "$results/bare-$program" $column)")
  done
  awk -v p="$program" -v values="${columns[*]}" 'BEGIN {
    split(values, v, " ")
    printf "%-6s %7.1f ms %7.1f ms %6.2f %7.1f ms %7.1f ms %6.2f %6.1f MiB %6.1f MiB %+6.1f MiB\n",
      p, v[1], v[2], v[1] / v[2], v[3], v[4], v[3] / v[4], v[5] / 1024, v[6] / 1024,
      (v[5] - v[6]) / 1024 }'
done
