"""Shared by the tests of the Python module: the command-line tool to compare with, and random
cases of every cylinder type."""

import json
import os
import random
import subprocess

import pytest

import velmora


@pytest.fixture(scope="session")
def cli():
    """Runs velmora-dnv-cli (named by VELMORA_CLI) and returns (exit status, stdout, stderr)."""
    path = os.environ.get("VELMORA_CLI")
    if not path:
        pytest.skip("VELMORA_CLI does not name the command-line tool")

    def run(*args):
        done = subprocess.run(
            [path, *map(str, args), "--data-dir", velmora.data_dir()],
            capture_output=True,
            text=True,
            check=False,
        )
        return done.returncode, done.stdout, done.stderr

    return run


def cli_json(cli, *args):
    rc, out, err = cli(*args)
    assert out, f"no output (exit {rc}): {err}"
    return json.loads(out)


def write_json(path, case):
    with open(path, "w", encoding="utf-8") as f:
        json.dump(case, f)
    return path


def _value(rng, low, high):
    return round(rng.uniform(low, high), 2)


def random_case(rng, cylinder_type, load_cases=1):
    """A new case with its geometry, loads, design format and switches drawn at random: values
    in and around the input limits, so that some cases pass, some fail and some stop."""
    case = velmora.new_case()
    case["cylinderType"] = cylinder_type
    case["projectName"] = f"random {rng.randrange(10**6)}"
    case["identification"] = f"type {cylinder_type}"
    case["t"] = _value(rng, 4, 60)
    case["r"] = _value(rng, 300, 6000)
    case["l"] = _value(rng, 500, 8000)
    case["L"] = _value(rng, case["l"], 4 * case["l"])
    case["s"] = _value(rng, 200, 1200)
    case["ringControl"] = rng.choice([0, 1])
    case["heavyRingControl"] = 0
    case["outsideStiffening"] = rng.choice([0, 1])
    case["ring"]["H"] = _value(rng, 100, 600)
    case["ring"]["tw"] = _value(rng, 6, 25)
    case["stiff"]["H"] = _value(rng, 50, 300)
    cases = []
    for i in range(load_cases):
        fmt = rng.choice([0, 1])
        cases.append(
            {
                "name": f"LC{i + 1}",
                "designFormat": fmt,
                "UF": rng.choice([1.0, 1.15, 1.3]) if fmt == 0 else rng.choice([0.8, 0.9, 1.0]),
                "Sigx": _value(rng, -250, 50),
                "Sigy": _value(rng, -150, 50),
                "Tau": _value(rng, 0, 120),
                "pd": _value(rng, -1.5, 0.5),
                "N": _value(rng, -20000, 5000),
                "M1a": _value(rng, -3000, 3000),
                "M1b": _value(rng, -3000, 3000),
                "M2a": _value(rng, -3000, 3000),
                "M2b": _value(rng, -3000, 3000),
            }
        )
    selected = rng.randrange(load_cases)
    # The loads at the top are the selected load case's.
    for key, value in cases[selected].items():
        if key != "name":
            case[key] = value
    case["loadCases"] = cases
    case["selectedLoadCase"] = selected
    return case
