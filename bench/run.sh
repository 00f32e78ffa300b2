#!/usr/bin/env bash
# Builds the benchmarks in their own build folder and prints a table of the timings, then the
# whole-process batch of a 1001-row database (start, data files, read, calculate, write) with
# its wall time and peak memory.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VELMORA_BENCH_BUILD:-build-bench}
cmake --preset bench -B "$build" >/dev/null
cmake --build "$build" -j2 >/dev/null
"$build/bin/velmora_bench" --benchmark_format=console

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# 1000 case rows (the delivered cases repeated) and the end marker.
python3 - "$work/big_in.csv" <<'PY'
import sys
lines = open("data/Velmora_Dnv_in.csv", "rb").read().split(b"\r\n")
cases = [l for l in lines if l and not l.startswith(b"%") and l != b"End;"]
rows = [cases[i % len(cases)] for i in range(1000)] + [b"End;"]
open(sys.argv[1], "wb").write(b"\r\n".join(rows) + b"\r\n")
PY
printf '\n%-44s %10s %12s\n' "Whole-process batch, 1001 rows" "wall s" "peak KB"
for run in 1 2 3; do
  /usr/bin/time -f "%e %M" -o "$work/time" \
    "$build/bin/velmora-dnv-cli" batch "$work/big_in.csv" "$work/big_out.csv" --data-dir data
  read -r wall peak <"$work/time"
  printf '%-44s %10s %12s\n' "run $run" "$wall" "$peak"
done
