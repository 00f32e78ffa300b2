#!/usr/bin/env bash
# Builds the benchmarks in their own build folder and prints the median of five repetitions of
# each, then times the command-line batch of a 1001-row database as a whole process (start, data
# files, read, calculate, write): wall time and peak memory, the median of several runs.
#
#   bench/run.sh [BASELINE...]
#
# For each git revision BASELINE, that revision's command-line tool is built in a scratch
# worktree and its whole-process batch is timed in the same run, beside the current one.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VELMORA_BENCH_BUILD:-build-bench}
baselines=("$@")
cmake --preset bench -B "$build" >/dev/null
cmake --build "$build" -j2 >/dev/null
"$build/bin/velmora_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_format=console | grep -E 'median|^Benchmark|^-'

work=$(mktemp -d)
cleanup() {
  for tree in "$work"/baseline-*; do
    [ -d "$tree" ] && git worktree remove --force "$tree" >/dev/null 2>&1 || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

# 1000 case rows (the delivered cases repeated) and the end marker.
python3 - "$work/big_in.csv" <<'PY'
import sys
lines = open("data/Velmora_Dnv_in.csv", "rb").read().split(b"\r\n")
cases = [l for l in lines if l and not l.startswith(b"%") and l != b"End;"]
rows = [cases[i % len(cases)] for i in range(1000)] + [b"End;"]
open(sys.argv[1], "wb").write(b"\r\n".join(rows) + b"\r\n")
PY

tools=()
for baseline in "${baselines[@]}"; do
  tree="$work/baseline-$baseline"
  git worktree add --detach "$tree" "$baseline" >/dev/null 2>&1
  # Older trees made every warning an error; GCC 12's false -Wrestrict only appears at -O3.
  cmake -S "$tree" -B "$tree/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DVELMORA_BUILD_TESTS=OFF >/dev/null
  cmake --build "$tree/build" -j2 --target velmora-dnv-cli >/dev/null
  tools+=("baseline $baseline:$tree/build/bin/velmora-dnv-cli")
done
tools+=("current:$build/bin/velmora-dnv-cli")

# The results file is written with fsync, which on ext4 also waits for whatever the builds above
# left unwritten: let that reach the disk first.
sync
sleep 2

# Each tool is started by velmora_proc_time (posix_spawn and wait4, no wrapper process between)
# in 3 rounds of 7 runs, the tools taking turns so that a change in the machine's load falls on
# all of them. Shown: the middle of the three medians, the shortest run, the median peak.
printf '\n%-44s %10s %10s %12s\n' "Whole-process batch, 1001 rows (3 x 7 runs)" "wall ms" \
  "min ms" "peak KB"
declare -A walls mins peaks
for round in 1 2 3; do
  for entry in "${tools[@]}"; do
    name=${entry%%:*}
    cli=${entry#*:}
    read -r wall peak min < <("$build/bin/velmora_proc_time" 7 "$cli" batch "$work/big_in.csv" \
      "$work/big_out.csv" --data-dir data)
    walls[$name]+="$wall "
    mins[$name]+="$min "
    peaks[$name]+="$peak "
  done
done
for entry in "${tools[@]}"; do
  name=${entry%%:*}
  wall=$(printf '%s\n' ${walls[$name]} | sort -n | sed -n 2p)
  min=$(printf '%s\n' ${mins[$name]} | sort -n | head -1)
  peak=$(printf '%s\n' ${peaks[$name]} | sort -n | sed -n 2p)
  printf '%-44s %10s %10s %12s\n' "$name" "$(awk -v u="$wall" 'BEGIN { printf "%.1f", u / 1000 }')" \
    "$(awk -v u="$min" 'BEGIN { printf "%.1f", u / 1000 }')" "$peak"
done
