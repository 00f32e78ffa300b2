#!/usr/bin/env bash
# Builds the benchmarks in their own build folder and prints the median of five repetitions of
# each, then times the command-line batch of a 1001-row database as a whole process (start, data
# files, read, calculate, write): wall time and peak memory, the median of several runs.
#
#   bench/run.sh [BASELINE]
#
# With a git revision BASELINE, that revision's command-line tool is built in a scratch worktree
# and its whole-process batch is timed in the same run, beside the current one.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VELMORA_BENCH_BUILD:-build-bench}
baseline=${1:-}
cmake --preset bench -B "$build" >/dev/null
cmake --build "$build" -j2 >/dev/null
"$build/bin/velmora_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_format=console | grep -E 'median|^Benchmark|^-'

work=$(mktemp -d)
cleanup() {
  if [ -n "$baseline" ] && [ -d "$work/baseline" ]; then
    git worktree remove --force "$work/baseline" >/dev/null 2>&1 || true
  fi
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

tools=("current:$build/bin/velmora-dnv-cli")
if [ -n "$baseline" ]; then
  git worktree add --detach "$work/baseline" "$baseline" >/dev/null 2>&1
  # The older tree made every warning an error; GCC 12's false -Wrestrict only appears at -O3.
  cmake -S "$work/baseline" -B "$work/baseline/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DVELMORA_BUILD_TESTS=OFF >/dev/null
  cmake --build "$work/baseline/build" -j2 --target velmora-dnv-cli >/dev/null
  tools=("baseline $baseline:$work/baseline/build/bin/velmora-dnv-cli" "${tools[@]}")
fi

printf '\n%-44s %10s %12s\n' "Whole-process batch, 1001 rows (median of 9)" "wall ms" "peak KB"
for entry in "${tools[@]}"; do
  name=${entry%%:*}
  cli=${entry#*:}
  walls=()
  peaks=()
  for run in 1 2 3 4 5 6 7 8 9; do
    start=$(date +%s%N)
    /usr/bin/time -f "%M" -o "$work/peak" \
      "$cli" batch "$work/big_in.csv" "$work/big_out.csv" --data-dir data >/dev/null 2>&1 || true
    end=$(date +%s%N)
    walls+=($(((end - start) / 1000)))
    peaks+=("$(cat "$work/peak")")
  done
  wall=$(printf '%s\n' "${walls[@]}" | sort -n | sed -n 5p)
  peak=$(printf '%s\n' "${peaks[@]}" | sort -n | sed -n 5p)
  printf '%-44s %10s %12s\n' "$name" "$(awk -v u="$wall" 'BEGIN { printf "%.1f", u / 1000 }')" \
    "$peak"
done
