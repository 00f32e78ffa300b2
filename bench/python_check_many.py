#!/usr/bin/python3
"""Times velmora.check_many over 10^6 rows of the new case (stringers with ring frames; t, s, l
and Sigx drawn at random) against velmora.calc called once per row, extrapolated from a sample
of rows. Run from the source tree after a build:

    PYTHONPATH=build/python /usr/bin/python3 bench/python_check_many.py [rows] [calc_rows]
"""

import sys
import time

import numpy as np

import velmora


def main():
    rows = int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000
    calc_rows = int(sys.argv[2]) if len(sys.argv) > 2 else 2000
    case = velmora.new_case()
    rng = np.random.default_rng(1)
    columns = {
        "t": 10 + 20 * rng.random(rows),
        "s": 400 + 400 * rng.random(rows),
        "l": 2000 + 2000 * rng.random(rows),
        "Sigx": -200 + 180 * rng.random(rows),
    }

    times = []
    for _ in range(3):
        start = time.perf_counter()
        cpu = time.process_time()
        result = velmora.check_many(case, **columns)
        times.append((time.perf_counter() - start, time.process_time() - cpu))
    many, many_cpu = sorted(times)[1]
    passing = int(result["passes"].sum())

    start = time.perf_counter()
    for i in range(calc_rows):
        row = dict(case)
        # The stress is a load: the selected load case's entry of "loadCases" holds it too.
        row["loadCases"] = [dict(lc) for lc in case["loadCases"]]
        for name, values in columns.items():
            row[name] = float(values[i])
        row["loadCases"][case["selectedLoadCase"]]["Sigx"] = row["Sigx"]
        velmora.calc(row)
    per_row = (time.perf_counter() - start) / calc_rows

    print(f"check_many, {rows} rows: {many:.3f} s (median of 3; processor time of all its "
          f"threads {many_cpu:.3f} s; {passing} pass)")
    print(f"calc once per row: {per_row * 1e6:.1f} us per row over {calc_rows} rows, "
          f"{per_row * rows:.1f} s for {rows} rows")
    print(f"ratio: {per_row * rows / many:.0f}x")


if __name__ == "__main__":
    main()
