"""sweep and optimise: what the command line's --json prints, and the interpreter lock let go
while they run."""

import os
import random
import signal
import threading
import time

import pytest

import velmora
from conftest import cli_json, random_case, write_json


def vary_args(vary):
    args = []
    for name, (start, stop, step) in vary.items():
        args += ["--vary", f"{name}={start}:{stop}:{step}"]
    return args


def test_sweep_equals_the_command_line(cli, tmp_path):
    # The stringer case with ring frames over one input (with thresholds) and over a grid.
    case = velmora.new_case()
    path = write_json(tmp_path / "case.json", case)
    for vary in ({"l": (1000, 3000, 250)}, {"s": (400, 800, 100), "Sigx": (-150, -50, 25)}):
        expected = cli_json(cli, "sweep", path, *vary_args(vary), "--json")
        got = velmora.sweep(case, vary)
        assert got == expected
        assert len(got["points"]) == len(expected["points"]) > 1
    # The ring-frame spacing crosses from passing to failing near 2307 mm.
    (threshold,) = velmora.sweep(case, {"l": (1000, 3000, 250)})["thresholds"]
    assert threshold["between"] == [2250, 2500]


def test_sweep_of_chosen_load_cases_equals_the_command_line(cli, tmp_path):
    case = random_case(random.Random(5), 2, load_cases=3)
    path = write_json(tmp_path / "case.json", case)
    vary = {"t": (8, 40, 4)}
    expected = cli_json(
        cli, "sweep", path, *vary_args(vary), "--load-case", "LC3", "--load-case", "LC1", "--json"
    )
    assert velmora.sweep(case, vary, load_cases=["LC3", "LC1"]) == expected
    assert velmora.sweep(case, vary, proportions=True, threads=1) == velmora.sweep(case, vary)


def test_optimise_equals_the_command_line(cli, tmp_path):
    case = velmora.new_case()
    path = write_json(tmp_path / "case.json", case)
    vary = {"l": (1000, 3000, 250), "s": (400, 900, 100)}
    expected = cli_json(cli, "optimise", path, *vary_args(vary), "--top", "4", "--json")
    got = velmora.optimise(case, vary, top=4, threads=2)
    assert got == expected
    assert len(got["designs"]) == 4
    masses = [d["mass"] for d in got["designs"]]
    assert masses == sorted(masses)
    # A grid where nothing passes: no designs, as the command line prints it.
    hopeless = {"t": (2, 3, 1)}
    rc, out, _ = cli("optimise", path, *vary_args(hopeless), "--json")
    assert rc == 1
    assert velmora.optimise(case, hopeless) == cli_json(
        cli, "optimise", path, *vary_args(hopeless), "--json"
    )


def test_a_study_lets_other_python_threads_run():
    case = velmora.new_case()
    done = threading.Event()
    result = {}

    def work():
        result["sweep"] = velmora.sweep(case, {"t": (10, 30, 0.002)}, threads=1)
        done.set()

    worker = threading.Thread(target=work)
    worker.start()
    turns = 0
    while not done.is_set():
        turns += 1
        done.wait(0.001)
    worker.join()
    assert len(result["sweep"]["points"]) == 10001
    # Holding the lock the whole time, the sweep would leave this loop a turn or two.
    assert turns > 20, turns


def test_ctrl_c_stops_a_long_study_at_once():
    # Nearly a million points on one thread would take the better part of a minute.
    timer = threading.Timer(0.3, lambda: os.kill(os.getpid(), signal.SIGINT))
    start = time.monotonic()
    timer.start()
    try:
        with pytest.raises(KeyboardInterrupt):
            velmora.sweep(velmora.new_case(), {"t": (10, 30, 0.00002)}, threads=1)
    finally:
        timer.cancel()
    assert time.monotonic() - start < 5
