#!/usr/bin/env bash
# Builds the benchmarks in their own build folder and prints the median of five repetitions of
# each, then times the command-line batch of a 1001-row database as a whole process (start, data
# files, read, calculate, write): wall time and peak memory, the median of several runs.
#
#   bench/run.sh [BASELINE...]
#
# For each git revision BASELINE, that revision is built in a scratch worktree and timed in the
# same run, beside the current tree: its benchmarks (where it has the same benchmark program; the
# medians are shown in one table, a column per tree) and its whole-process batch.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VELMORA_BENCH_BUILD:-build-bench}
baselines=("$@")
cmake --preset bench -B "$build" >/dev/null
cmake --build "$build" -j2 >/dev/null

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
benches=()
for baseline in "${baselines[@]}"; do
  tree="$work/baseline-$baseline"
  git worktree add --detach "$tree" "$baseline" >/dev/null 2>&1
  # Built as the bench preset builds the current tree. Older trees made every warning an error;
  # GCC 12's false -Wrestrict only appears at -O3.
  bench=OFF
  [ -f "$tree/bench/CMakeLists.txt" ] && bench=ON
  cmake -S "$tree" -B "$tree/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=g++ -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_UI=OFF \
    -DVELMORA_BUILD_BENCH=$bench >/dev/null
  cmake --build "$tree/build" -j2 --target velmora-dnv-cli >/dev/null
  if [ $bench = ON ] && cmake --build "$tree/build" -j2 --target velmora_bench >/dev/null 2>&1; then
    benches+=("baseline $baseline:$tree/build/bin/velmora_bench")
  fi
  tools+=("baseline $baseline:$tree/build/bin/velmora-dnv-cli")
done
tools+=("current:$build/bin/velmora-dnv-cli")
benches+=("current:$build/bin/velmora_bench")

# The benchmarks of every tree, one tree after the other, then their medians side by side
# (wall time; the processor time of the calling thread in brackets where it differs by more
# than a tenth, as where other threads do part of the work).
for i in "${!benches[@]}"; do
  "${benches[$i]#*:}" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_out="$work/bench-$i.json" --benchmark_out_format=json >/dev/null
done
python3 - "$work" "${benches[@]}" <<'PY'
import json, sys
work, entries = sys.argv[1], sys.argv[2:]
names, results = [], []
for i, e in enumerate(entries):
    name = e.split(":", 1)[0]
    data = json.load(open(f"{work}/bench-{i}.json"))
    med = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") == "median":
            med[b["run_name"]] = (b["real_time"], b["cpu_time"], b["time_unit"])
    names.append(name)
    results.append(med)
order = list(results[-1]) + [k for r in results[:-1] for k in r if k not in results[-1]]
print("\n%-48s" % "Benchmark (median of 5)" + "".join("%24s" % n for n in names))
for k in dict.fromkeys(order):
    cells = []
    for r in results:
        if k not in r:
            cells.append("%24s" % "-")
            continue
        real, cpu, unit = r[k]
        unit = {"us": "µs"}.get(unit, unit)
        text = "%.3g %s" % (real, unit)
        if abs(cpu - real) > 0.1 * real:
            text += " (%.3g)" % cpu
        cells.append("%24s" % text)
    print("%-48s" % k + "".join(cells))
PY

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
