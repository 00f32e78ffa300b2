"""Velmora DNV's buckling checks of cylindrical shells (DNV-RP-C202) for Python scripts.

A case is a plain dict with the keys of the JSON case: what ``velmora-dnv-cli calc --json``
prints under "case", "loadCases" included. Start from ``new_case()`` or ``read_case(path)``,
change what you need and hand it to ``calc``, ``sweep`` or ``optimise``; each returns what the
command line's ``--json`` prints, as a dict, with the same numbers and the same verdict as the
window.

The loads at the top of a case dict ("Sigx", "pd", "N", ...) are those of its selected load
case; with a "loadCases" list, change the loads in the list (a dict whose loads at the top
differ from the selected load case's is refused), or leave "loadCases" out for a case of one
load case made from the loads at the top.

A study (``sweep``, ``optimise``) runs on every core without holding Python's interpreter
lock; Ctrl-C stops it and raises KeyboardInterrupt.

A key a case does not know, or a value it cannot take, raises ValueError with the command
line's message ("t: not a number"); so do a bad input name or range of a study. A file that
cannot be read or written raises OSError with the command line's message.

The material and profile tables are read from the data folder of the build or of the
installation; ``data_dir=`` names another folder holding DNVmat.dat and the profile tables.
"""

import json
import os

from . import _velmora
from ._paths import DATA_DIR as _DATA_DIR_RELATIVE

__version__ = _velmora.__version__

__all__ = [
    "new_case",
    "read_case",
    "write_case",
    "calc",
    "sweep",
    "optimise",
    "read_database",
    "batch",
    "check_many",
    "data_dir",
    "input_names",
]


def data_dir():
    """The folder the tables are read from when no ``data_dir=`` is given."""
    here = os.path.dirname(os.path.abspath(__file__))
    return os.path.normpath(os.path.join(here, _DATA_DIR_RELATIVE))


def input_names():
    """The inputs a study can vary, in the order of the case's fields: "t", "r", "l", "L", "s",
    ..., "fyp", "fys", "fyr", "E", and the profile table rows "stiffRow" and "ringRow"."""
    return list(_velmora.input_names())


def _path(given):
    path = os.fspath(given)
    if isinstance(path, bytes):
        path = os.fsdecode(path)
    if "\0" in path:
        raise ValueError("embedded null character in path")
    return path


def _dir(given):
    return data_dir() if given is None else _path(given)


def _number(value):
    # numpy's scalars and the like, as the plain numbers JSON knows
    if hasattr(value, "item"):
        return value.item()
    raise TypeError(f"{type(value).__name__} is not a number or text of a case")


def _case_text(case):
    if not isinstance(case, dict):
        raise ValueError("not a case: the JSON is not an object")
    return json.dumps(case, allow_nan=False, default=_number)


def _vary_list(vary):
    if not isinstance(vary, dict):
        raise ValueError("vary: give a dict of input name -> (from, to, step)")
    ranges = []
    for name, bounds in vary.items():
        try:
            start, stop, step = (float(v) for v in bounds)
        except (TypeError, ValueError):
            raise ValueError(f"{name}: give the range as (from, to, step)") from None
        ranges.append((str(name), start, stop, step))
    return ranges


def _threads(threads):
    n = int(threads)
    if not 0 <= n < 2**32:
        raise ValueError("threads: give 0 (one per core) or the number of threads")
    return n


def _names(load_cases):
    if load_cases is None:
        return []
    if isinstance(load_cases, str):
        return [load_cases]
    return [str(n) for n in load_cases]


def new_case(*, data_dir=None):
    """A new case as ``velmora-dnv-cli new`` writes it: a dict of the JSON case."""
    return json.loads(_velmora.new_case(_dir(data_dir)))


def read_case(path, *, data_dir=None):
    """The case of a case file (.cys) or a JSON case (.json) as a dict.

    The case is returned as the file holds it, read over a new case: nothing is looked up or
    calculated (``calc`` does that). OSError when the file cannot be read or is not a case.
    """
    return json.loads(_velmora.read_case(_path(path), _dir(data_dir)))


def write_case(case, path):
    """Writes the case to a case file, or to a JSON case when ``path`` ends in ".json".

    Keys left out keep a new case's values. ValueError for a bad key, OSError when the file
    cannot be written.
    """
    _velmora.write_case(_case_text(case), _path(path))


def calc(case, *, data_dir=None):
    """Opens the case as the window opens it, calculates it and returns what ``calc --json``
    prints: "case", "panels", "sections", "slenderNote", "messages", "completed", "checks",
    "verdict" and "loadCases"."""
    return json.loads(_velmora.calc(_case_text(case), _dir(data_dir)))


def sweep(case, vary, proportions=False, *, load_cases=None, threads=0, data_dir=None):
    """Calculates the case over a grid of inputs, as ``sweep --json`` does.

    ``vary`` maps an input name ("t", "r", "l", "s", "Sigx", "fyp", "stiffRow", ...) to
    (from, to, step); several inputs make a grid, the last one varying fastest. ``load_cases``
    names the load cases to study (all when None); ``threads`` 0 takes one per core. Returns
    "case", "vary", "points" (per point "inputs", "completed", "message", "uf", "permitted",
    "governing", "loadCase", "passes", "status", "mass") and "thresholds".
    """
    return json.loads(
        _velmora.sweep(
            _case_text(case),
            _vary_list(vary),
            bool(proportions),
            _names(load_cases),
            _threads(threads),
            _dir(data_dir),
        )
    )


def optimise(case, vary, top=10, proportions=False, *, load_cases=None, threads=0, data_dir=None):
    """The ``top`` lightest passing designs of the grid, as ``optimise --json`` prints them:
    "designs" (points as ``sweep`` gives them, lightest first), "evaluated" and "passing"."""
    return json.loads(
        _velmora.optimise(
            _case_text(case),
            _vary_list(vary),
            int(top),
            bool(proportions),
            _names(load_cases),
            _threads(threads),
            _dir(data_dir),
        )
    )


def read_database(path, *, data_dir=None):
    """The rows of a database file (_in.csv), one dict per row in the file's order.

    Each has "row" (its line in the file, from 1), "comment" (the text of a comment or marker
    row such as "End", else None) and "case" (the row's case as the window loads it into a new
    case, a dict as ``calc`` takes it; None for a comment row). OSError when the file cannot be
    read or is malformed.
    """
    return json.loads(_velmora.read_database(_path(path), _dir(data_dir)))


def batch(path_in, path_out, *, data_dir=None):
    """Calculates every row of the database ``path_in`` and writes its results file
    ``path_out``, as ``velmora-dnv-cli batch`` does.

    Returns {"rows": rows worked, "stopped": [...], "warnings": [...]}, each message a dict
    with "row" (from 1), "identification" and "message": the rows whose calculation stopped
    and the warnings of the runs. OSError when a file cannot be read or written.
    """
    return json.loads(_velmora.batch(_path(path_in), _path(path_out), _dir(data_dir)))


def check_many(case, threads=None, *, data_dir=None, **columns):
    """Checks many variants of the case at once, on every core (``threads`` to choose).

    Each keyword is an input name of the design study ("t", "r", "l", "s", "Sigx", "fyp",
    "stiffRow", ...) with a one-dimensional numpy array (or sequence) of numbers, all of one
    length n. Row i is the case with those inputs set as typed into the window, calculated
    and judged by its verdict. Returns a dict of numpy arrays of length n: "passes" (bool),
    "ratio" (the governing check's usage factor over its permitted value), "governing" (its
    name, "" where none), "status" ("passes", "fails", "not calculated", "inputs out of
    limits"), "loadCase" (the governing load case's name), and per check ("shell",
    "unstiffened", "stiffener", "ringArea", "ringInertia", "column1", "column2") its usage
    factor and "<name>_permitted", NaN where the check does not apply or the run stopped.
    ValueError for a bad name, value or array, with the message of the command line.
    """
    return _velmora.check_many(_case_text(case), columns, threads, _dir(data_dir))
