"""The manual's worked example: the script runs as printed and lists exactly the members whose
case, calculated one by one with calc, does not pass."""

import csv
import os
import subprocess
import sys

import velmora

EXAMPLES = os.path.join(os.path.dirname(__file__), "..", "..", "docs", "examples")


def test_example_lists_the_members_calc_finds_failing():
    script = os.path.join(EXAMPLES, "check_members.py")
    done = subprocess.run([sys.executable, script], capture_output=True, text=True, check=True)
    listed = [line.split()[0] for line in done.stdout.splitlines()[1:]]

    failing = []
    with open(os.path.join(EXAMPLES, "members.csv"), encoding="utf-8") as f:
        for row in csv.DictReader(f):
            case = velmora.new_case()
            case["cylinderType"] = 1
            del case["loadCases"]  # one load case, from the loads at the top
            for name in ("r", "t", "l", "Sigx", "Tau", "pd"):
                case[name] = float(row[name])
            if velmora.calc(case)["verdict"]["status"] != "passes":
                failing.append(row["member"])
    assert listed == failing
    assert 0 < len(failing) < 8
    assert done.stdout.startswith(f"8 members checked, {len(failing)} do not pass:")
