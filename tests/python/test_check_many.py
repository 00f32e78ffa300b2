"""check_many: every row the same verdict, governing check, load case and checks as calc of that
row's case (the inputs set in the dict), for random rows of random cases of every cylinder type,
rows whose run stops and rows out of limits among them; the same arrays on any number of
threads; bad names, arrays of unequal length or shape and bad values refused with their
messages."""

import copy
import math
import random

import pytest

import velmora
from conftest import random_case

np = pytest.importorskip("numpy")

CHECKS = ["shell", "unstiffened", "stiffener", "ringArea", "ringInertia", "column1", "column2"]
LOADS = {"UF", "Sigx", "Sigy", "Tau", "pd", "N", "M1a", "M1b", "M2a", "M2b"}


def case_of_row(case, inputs):
    """The case with the inputs of one row typed in: a load of the selected load case in the
    loads at the top and in its entry of "loadCases"; a profile row in the profile's record."""
    row = copy.deepcopy(case)
    for name, value in inputs.items():
        value = float(value)
        if name in ("stiffRow", "ringRow"):
            record = row["stiff" if name == "stiffRow" else "ring"]
            record[TABLE_ROW[record["kind"]]] = int(value)
            continue
        row[name] = value
        if name in LOADS and "loadCases" in row:
            row["loadCases"][row.get("selectedLoadCase", 0)][name] = value
    return row


# The stored row of each profile kind that takes a table row (L, T, flat bar, bulb flat).
TABLE_ROW = {0: "rowL", 2: "rowT", 4: "rowFlat", 6: "rowBulb"}


def assert_row_is_calc(result, i, expected, what):
    verdict = expected["verdict"]
    assert result["status"][i] == verdict["status"], what
    assert bool(result["passes"][i]) == (verdict["status"] == "passes"), what
    assert result["loadCase"][i] == verdict["loadCase"], what
    assert result["governing"][i] == (verdict["governing"] or ""), what
    if verdict["governing"] is None:
        assert math.isnan(result["ratio"][i]), what
    else:
        assert result["ratio"][i] == verdict["ratio"], what
    checks = {c["name"]: c for c in expected["checks"]}
    for name in CHECKS:
        uf, permitted = result[name][i], result[name + "_permitted"][i]
        if name in checks:
            assert (uf, permitted) == (checks[name]["uf"], checks[name]["permitted"]), (what, name)
        else:
            assert math.isnan(uf) and math.isnan(permitted), (what, name)


def random_columns(rng, n, ranges):
    columns = {}
    for name, (low, high) in ranges.items():
        values = [rng.uniform(low, high) for _ in range(n)]
        if name == "t":
            # Every fifth row or so with no wall: its run stops.
            values = [0.0 if rng.random() < 0.2 else v for v in values]
        columns[name] = np.array(values)
    return columns


@pytest.mark.parametrize("cylinder_type", [0, 1, 2, 3])
def test_every_row_equals_calc_of_its_case(cylinder_type):
    rng = random.Random(1900 + cylinder_type)
    statuses = set()
    for k in range(3):
        case = random_case(rng, cylinder_type, load_cases=[1, 3, 2][k])
        ranges = {"t": (4, 60), "s": (200, 1200), "l": (500, 8000), "Sigx": (-250, 50),
                  "UF": (0.3, 1.8)}
        if cylinder_type == 3:
            ranges.update({"N": (-20000, 5000), "M1a": (-3000, 3000), "L": (2000, 30000)})
        columns = random_columns(rng, 25, ranges)
        result = velmora.check_many(case, **columns)
        assert set(result) == {"passes", "ratio", "governing", "status", "loadCase"} | set(
            CHECKS) | {c + "_permitted" for c in CHECKS}
        assert result["passes"].dtype == bool and result["ratio"].dtype == np.float64
        for i in range(25):
            inputs = {name: values[i] for name, values in columns.items()}
            expected = velmora.calc(case_of_row(case, inputs))
            assert_row_is_calc(result, i, expected, (k, i, inputs))
            statuses.add(expected["verdict"]["status"])
    # Rows that stop and rows that are calculated were both compared.
    assert "not calculated" in statuses and len(statuses) >= 3, statuses


def test_profile_rows_and_typed_yield_strength_equal_calc():
    case = velmora.new_case()
    kinds = (case["stiff"]["kind"], case["ring"]["kind"])
    assert kinds[0] in TABLE_ROW and kinds[1] in TABLE_ROW, kinds
    rng = random.Random(5)
    n = 30
    columns = {
        "stiffRow": np.array([rng.randrange(0, 10) for _ in range(n)], dtype=np.int64),
        "ringRow": [float(rng.randrange(0, 20)) for _ in range(n)],  # a plain list
        "t": np.array([rng.uniform(10, 30) for _ in range(n)], dtype=np.float32),
    }
    result = velmora.check_many(case, **columns)
    for i in range(n):
        inputs = {name: values[i] for name, values in columns.items()}
        assert_row_is_calc(result, i, velmora.calc(case_of_row(case, inputs)), inputs)


def test_stopped_rows_have_no_checks():
    result = velmora.check_many(velmora.new_case(), t=[0.0, 20.0])
    assert list(result["status"]) == ["not calculated", "passes" if result["passes"][1] else
                                      result["status"][1]]
    assert not result["passes"][0] and result["governing"][0] == ""
    assert math.isnan(result["ratio"][0])
    for name in CHECKS:
        assert math.isnan(result[name][0]) and math.isnan(result[name + "_permitted"][0])
    assert not math.isnan(result["shell"][1])


def test_same_arrays_on_any_number_of_threads():
    rng = random.Random(11)
    columns = random_columns(rng, 3000, {"t": (8, 35), "s": (300, 900), "Sigx": (-250, 0)})
    one = velmora.check_many(velmora.new_case(), threads=1, **columns)
    for threads in (2, 3, None, 0):
        other = velmora.check_many(velmora.new_case(), threads=threads, **columns)
        for key, values in one.items():
            if values.dtype == np.float64:
                assert np.array_equal(values, other[key], equal_nan=True), key
            else:
                assert np.array_equal(values, other[key]), key


def test_no_rows_give_empty_arrays():
    result = velmora.check_many(velmora.new_case(), t=np.array([]))
    assert all(len(v) == 0 for v in result.values())


@pytest.mark.parametrize(
    "columns, message",
    [
        ({"thickness": [1.0]}, 'unknown input "thickness"; the inputs are t, r, l, L, s, '),
        ({"t": [10.0, 12.0, 14.0, 16.0, 18.0], "s": [500.0, 600.0, 700.0, 800.0]},
         "columns of unequal length: t has 5 rows, s has 4"),
        ({"t": [[10.0, 12.0]]}, "t: give a one-dimensional array of numbers (got 2 dimensions)"),
        ({"t": 10.0}, "t: give a one-dimensional array of numbers (got 0 dimensions)"),
        ({"t": ["ten"]}, "t: give a one-dimensional array of numbers (got dtype <U3)"),
        ({"t": [10.0, float("nan")]}, "t: row 1 is nan, not a finite number"),
        ({"ringRow": [0, 1.5]}, "ringRow: row 1 is 1.5, not a whole row number"),
        ({"ringRow": [0, 100000]}, "ringRow: row 1 is 100000; the T-table of the ring frame has "
                                   "rows 0 to "),
        ({"r": [1e300]}, "r: row 0 is 1e+300, beyond the range of the case's single-precision "
                         "fields"),
        ({}, "no inputs given: give at least one input with its values"),
    ],
)
def test_bad_columns_raise_with_their_messages(columns, message):
    with pytest.raises(ValueError) as error:
        velmora.check_many(velmora.new_case(), **columns)
    assert str(error.value).startswith(message)


def test_bad_threads_and_case_keys_raise():
    with pytest.raises(ValueError, match="threads"):
        velmora.check_many(velmora.new_case(), threads=-1, t=[10.0])
    with pytest.raises(ValueError, match="^t: "):
        velmora.check_many({"t": "thin"}, s=[500.0])
