"""calc and the case dicts: the same result as the command line's calc --json, and cases that
survive being written and read back."""

import os
import random
import subprocess

import pytest

import velmora
from conftest import cli_json, random_case, write_json

CYLINDER_TYPES = [0, 1, 2, 3]  # unstiffened, ring-stiffened, stringer-stiffened, column


@pytest.mark.parametrize("cylinder_type", CYLINDER_TYPES)
def test_calc_equals_the_command_line_on_random_cases(cli, tmp_path, cylinder_type):
    rng = random.Random(2300 + cylinder_type)
    statuses = set()
    for i in range(10):
        case = random_case(rng, cylinder_type, load_cases=rng.choice([1, 1, 3]))
        path = write_json(tmp_path / f"case{i}.json", case)
        expected = cli_json(cli, "calc", path, "--json")
        assert velmora.calc(case) == expected, f"case {i}: {case}"
        statuses.add(expected["verdict"]["status"])
    # The random cases reach more than one verdict, so that the comparison covers more than
    # one path through the checks.
    assert len(statuses) >= 2, statuses


def test_calc_of_a_case_file_read_equals_the_command_line_on_that_file(cli, tmp_path):
    rng = random.Random(23)
    for cylinder_type in CYLINDER_TYPES:
        path = tmp_path / f"type{cylinder_type}.cys"
        velmora.write_case(random_case(rng, cylinder_type, load_cases=2), path)
        expected = cli_json(cli, "calc", path, "--json")
        assert velmora.calc(velmora.read_case(path)) == expected


def test_new_case_is_the_command_lines_new_case(cli, tmp_path):
    path = tmp_path / "new.json"
    rc, _, err = cli("new", path)
    assert rc == 0, err
    assert velmora.new_case() == velmora.read_case(path)
    # The command line's new case as the dict's reader takes it: its own JSON form.
    assert velmora.calc(velmora.new_case())["case"] == cli_json(cli, "calc", path, "--json")["case"]


def test_the_version_is_the_command_lines(cli):
    out = subprocess.run(
        [os.environ["VELMORA_CLI"], "--version"], capture_output=True, text=True, check=True
    ).stdout
    assert out.split()[-1] == velmora.__version__ == "%d.%d.%d" % tuple(
        int(n) for n in velmora.__version__.split(".")
    )


def test_calc_keeps_the_keys_left_out_from_a_new_case():
    full = velmora.calc(velmora.new_case())
    assert velmora.calc({}) == full
    thinner = velmora.calc({"t": 12.5})
    assert thinner["case"]["t"] == 12.5
    assert thinner["case"]["r"] == full["case"]["r"]
    assert thinner["checks"] != full["checks"]


@pytest.mark.parametrize("suffix", [".json", ".cys"])
@pytest.mark.parametrize("cylinder_type", CYLINDER_TYPES)
def test_a_case_written_and_read_back_is_equal(tmp_path, suffix, cylinder_type):
    rng = random.Random(77 + cylinder_type)
    for i in range(3):
        case = random_case(rng, cylinder_type, load_cases=i + 1)
        path = tmp_path / f"case{i}{suffix}"
        velmora.write_case(case, path)
        assert velmora.read_case(path) == case


def test_numpy_numbers_are_taken_as_numbers():
    numpy = pytest.importorskip("numpy")
    assert velmora.calc({"t": numpy.float32(12.5), "cylinderType": numpy.int64(0)}) == (
        velmora.calc({"t": 12.5, "cylinderType": 0})
    )
