"""read_database and batch on the delivered start-up database."""

import os

import velmora

DATABASE = os.path.join(velmora.data_dir(), "Velmora_Dnv_in.csv")


def database_lines():
    with open(DATABASE, encoding="cp1252", newline="") as f:
        return [line.rstrip("\r\n") for line in f]


def test_read_database_gives_every_row_in_order():
    lines = database_lines()
    rows = velmora.read_database(DATABASE)
    assert [r["row"] for r in rows] == list(range(1, len(rows) + 1))
    assert rows[-1]["comment"] == "End"
    for row, line in zip(rows, lines):
        fields = line.split(";")
        if line.startswith("%") or fields[0] in ("End", "END"):
            assert row["case"] is None
            assert row["comment"] == line.rstrip(";")
            continue
        assert row["comment"] is None
        case = row["case"]
        assert case["projectName"] == fields[0]
        assert case["identification"] == fields[1]
        assert case["designFormat"] == int(fields[2])
        assert case["UF"] == float(fields[3])
        assert case["cylinderType"] == int(fields[4])
        assert len(case["loadCases"]) == 1
    assert sum(r["case"] is not None for r in rows) >= 10


def test_a_row_case_calculates_to_a_verdict():
    cases = [r["case"] for r in velmora.read_database(DATABASE) if r["case"]]
    statuses = {velmora.calc(c)["verdict"]["status"] for c in cases}
    assert statuses <= {"passes", "fails", "inputs out of limits", "not calculated"}
    assert "passes" in statuses


def test_batch_writes_the_command_lines_results_file(cli, tmp_path):
    ours = tmp_path / "ours_out.csv"
    theirs = tmp_path / "theirs_out.csv"
    rc, _, err = cli("batch", DATABASE, theirs)
    report = velmora.batch(DATABASE, ours)
    assert ours.read_bytes() == theirs.read_bytes()
    assert report["rows"] == len(velmora.read_database(DATABASE))
    # The command line's messages, one per warning and stopped row.
    for w in report["warnings"]:
        assert f"Row {w['row']} ({w['identification']}): {w['message']}" in err
    assert (rc == 0) == (not report["stopped"])
