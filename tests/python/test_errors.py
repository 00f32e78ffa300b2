"""Faults come back as Python exceptions with the command line's messages: ValueError for bad
keys, names and ranges, OSError for files."""

import os

import pytest

import velmora
from conftest import write_json

BAD_CASES = [
    ({"tt": 1}, "tt: not a key of a case"),
    ({"t": "thick"}, "t: not a number"),
    ({"t": 1e39}, "t: not a finite number within the range of a single"),
    ({"cylinderType": 7}, "cylinderType: must be 0 to 3"),
    ({"ringControl": 1.5}, "ringControl: not a whole number"),
    ({"stiff": {"saved": [1, 2]}}, "stiff.saved: not a list of 10 dimension sets"),
    ({"loadCases": []}, "loadCases: not a list of 1 to 30 load cases"),
    ({"loadCases": [{"Sigx": 1}]}, "loadCases[0].name: missing: every load case has a name"),
]


@pytest.mark.parametrize("bad,message", BAD_CASES)
def test_a_bad_key_raises_value_error_with_the_command_lines_message(cli, tmp_path, bad, message):
    with pytest.raises(ValueError) as raised:
        velmora.calc(bad)
    assert str(raised.value) == message
    path = write_json(tmp_path / "bad.json", bad)
    rc, _, err = cli("calc", path, "--json")
    assert rc == 1
    assert err.strip() == f"{path}, {message}"
    with pytest.raises(ValueError, match="^" + message.replace("[", r"\[")):
        velmora.write_case(bad, tmp_path / "never.cys")
    assert not (tmp_path / "never.cys").exists()


def test_a_case_that_is_not_a_dict_raises_value_error():
    for bad in ([], "case", 3):
        with pytest.raises(ValueError, match="not a case"):
            velmora.calc(bad)


BAD_RANGES = [
    ({"q": (1, 2, 1)}, ["--vary", "q=1:2:1"]),
    ({"t": (10, 5, 1)}, ["--vary", "t=10:5:1"]),
    ({"t": (10, 20, 0)}, ["--vary", "t=10:20:0"]),
    ({"t": (10, 20, -1)}, ["--vary", "t=10:20:-1"]),
    ({"t": (0, 1, 1e-7)}, ["--vary", "t=0:1:1e-7"]),
    ({"stiffRow": (0.5, 3, 1)}, ["--vary", "stiffRow=0.5:3:1"]),
]


@pytest.mark.parametrize("vary,args", BAD_RANGES)
def test_a_bad_study_raises_value_error_with_the_command_lines_message(cli, tmp_path, vary, args):
    path = write_json(tmp_path / "case.json", velmora.new_case())
    rc, _, err = cli("sweep", path, *args, "--json")
    assert rc == 2
    for run in (velmora.sweep, velmora.optimise):
        with pytest.raises(ValueError) as raised:
            run(velmora.new_case(), vary)
        assert str(raised.value) == err.strip()


def test_the_input_names_are_those_the_unknown_name_message_lists():
    with pytest.raises(ValueError) as raised:
        velmora.sweep(velmora.new_case(), {"q": (1, 2, 1)})
    listed = str(raised.value).split("the inputs are ")[1].split(", ")
    assert velmora.input_names() == listed
    assert {"t", "r", "l", "s", "Sigx", "fyp", "stiffRow", "ringRow"} <= set(listed)


def test_an_unknown_load_case_raises_value_error_with_the_command_lines_message(cli, tmp_path):
    path = write_json(tmp_path / "case.json", velmora.new_case())
    rc, _, err = cli("sweep", path, "--vary", "t=10:12:1", "--load-case", "LC9", "--json")
    assert rc == 2
    with pytest.raises(ValueError) as raised:
        velmora.sweep(velmora.new_case(), {"t": (10, 12, 1)}, load_cases=["LC9"])
    assert str(raised.value) == err.strip()


def test_a_malformed_vary_raises_value_error():
    with pytest.raises(ValueError, match="t: give the range as"):
        velmora.sweep(velmora.new_case(), {"t": (10, 12)})
    with pytest.raises(ValueError, match="vary: give a dict"):
        velmora.sweep(velmora.new_case(), [("t", 10, 12, 1)])
    with pytest.raises(ValueError, match="top"):
        velmora.optimise(velmora.new_case(), {"t": (10, 12, 1)}, top=0)
    with pytest.raises(ValueError, match="threads"):
        velmora.sweep(velmora.new_case(), {"t": (10, 12, 1)}, threads=-1)


@pytest.mark.parametrize("name", ["missing.cys", "missing.json"])
def test_a_missing_case_file_raises_os_error_with_the_command_lines_message(cli, tmp_path, name):
    path = tmp_path / name
    rc, _, err = cli("calc", path)
    assert rc == 1
    with pytest.raises(OSError) as raised:
        velmora.read_case(path)
    assert str(raised.value) == err.strip()


@pytest.mark.parametrize("name,text", [("bad.cys", "not\na\ncase\n"), ("bad.json", "{not json")])
def test_a_malformed_case_file_raises_os_error_with_the_command_lines_message(
    cli, tmp_path, name, text
):
    path = tmp_path / name
    path.write_text(text)
    rc, _, err = cli("calc", path)
    assert rc == 1
    with pytest.raises(OSError) as raised:
        velmora.read_case(path)
    assert str(raised.value) == err.strip()


def test_an_unwritable_case_file_raises_os_error(tmp_path):
    for name in ("case.cys", "case.json"):
        path = tmp_path / "no such folder" / name
        with pytest.raises(OSError) as raised:
            velmora.write_case(velmora.new_case(), path)
        assert str(raised.value) == f"can't save file - {path}"


def test_database_files_that_cannot_be_read_or_written_raise_os_error(cli, tmp_path):
    missing = tmp_path / "missing_in.csv"
    rc, _, err = cli("batch", missing, tmp_path / "out.csv")
    assert rc == 1
    for run in (lambda: velmora.read_database(missing),
                lambda: velmora.batch(missing, tmp_path / "out.csv")):
        with pytest.raises(OSError) as raised:
            run()
        assert str(raised.value) == err.strip()
    database = os.path.join(velmora.data_dir(), "Velmora_Dnv_in.csv")
    out = tmp_path / "no such folder" / "out.csv"
    rc, _, err = cli("batch", database, out)
    assert rc == 1
    with pytest.raises(OSError) as raised:
        velmora.batch(database, out)
    assert str(raised.value) == err.strip().splitlines()[-1]


def test_a_data_folder_without_tables_raises_os_error(tmp_path):
    with pytest.raises(OSError, match="DNVmat.dat"):
        velmora.calc(velmora.new_case(), data_dir=tmp_path)


def test_a_path_with_a_null_character_raises_value_error(tmp_path):
    with pytest.raises(ValueError, match="null"):
        velmora.read_case("case\0.cys")
    with pytest.raises(ValueError, match="null"):
        velmora.write_case(velmora.new_case(), str(tmp_path / "case\0.json"))
