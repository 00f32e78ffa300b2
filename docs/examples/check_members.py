"""Checks the member sections of members.csv as ring-stiffened cylinders and lists those that
fail, with the governing check and its ratio of usage factor to permitted value."""

import os
import sys

import numpy as np

import velmora

here = os.path.dirname(os.path.abspath(__file__))
path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "members.csv")
inputs = ["r", "t", "l", "Sigx", "Tau", "pd"]

try:
    import pandas

    table = pandas.read_csv(path)
    names = table["member"].to_numpy()
    columns = {name: table[name].to_numpy(dtype=float) for name in inputs}
except ImportError:
    table = np.genfromtxt(path, delimiter=",", names=True, dtype=None, encoding="utf-8")
    names = table["member"]
    columns = {name: table[name].astype(float) for name in inputs}

case = velmora.new_case()
case["cylinderType"] = 1  # ring-stiffened; the ring frames of the new case, every l mm
result = velmora.check_many(case, **columns)

print(f"{len(names)} members checked, {np.count_nonzero(~result['passes'])} do not pass:")
for i in np.flatnonzero(~result["passes"]):
    print(f"  {names[i]:6} {result['status'][i]:20} {result['governing'][i]:12}"
          f" ratio {result['ratio'][i]:.3f}")
