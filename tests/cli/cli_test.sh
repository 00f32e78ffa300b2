#!/usr/bin/env bash
# End-to-end run of the command-line tool: new, calc, batch, summary, sweep and optimise, with
# their exit codes and outputs. Called with the tool's path and the folder of the delivered data files.
set -uo pipefail
cli=$1
data=$2
export LC_ALL=C
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# expect_rc CODE command...: runs the command with stdout and stderr kept in $work.
expect_rc() {
  local want=$1
  shift
  "$@" >"$work/stdout" 2>"$work/stderr"
  local got=$?
  [ "$got" -eq "$want" ] || fail "exit $got, wanted $want: $* ($(head -c 300 "$work/stderr"))"
}

# Member of a zip archive on stdout.
zip_member() {
  if command -v unzip >/dev/null; then
    unzip -p "$1" "$2"
  else
    python3 -c 'import sys, zipfile; sys.stdout.write(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]).decode())' "$1" "$2"
  fi
}

# case file with line N (1-based) of a.cys replaced by VALUE: variant NAME VALUE LINE
variant() {
  sed "$3s/.*/$2\r/" "$work/a.cys" >"$work/$1.cys"
}

# --version, new, and new refusing to replace a file
expect_rc 0 "$cli" --version
grep -Eq '^velmora-dnv-cli \(Velmora DNV\) [0-9]+\.[0-9]+\.[0-9]+$' "$work/stdout" ||
  fail "--version: $(cat "$work/stdout")"
expect_rc 0 "$cli" new "$work/a.cys" --data-dir "$data"
[ -s "$work/a.cys" ] || fail "new wrote no case file"
[ ! -s "$work/stderr" ] || fail "new printed on stderr: $(cat "$work/stderr")"
printf 'kept\r\n' >"$work/kept.cys"
expect_rc 1 "$cli" new "$work/kept.cys" --data-dir "$data"
grep -q 'exists already; give --force to replace it' "$work/stderr" || fail "new overwrote silently"
[ "$(cat "$work/kept.cys")" = $'kept\r' ] || fail "new replaced an existing file without --force"
expect_rc 0 "$cli" new "$work/kept.cys" --force --data-dir "$data"
cmp -s "$work/kept.cys" "$work/a.cys" || fail "new --force did not write the new case"

# calc: the panels, the checks and the verdict as the last line. The new case (fyp 355) fails
# on the ring-frame area: Areq = (2 / Zl^2 + 0.06) l t = 3601.5 mm2 with Zl = 286.18, against
# A = 188 * 9 + 90 * 12 = 2772 mm2 of the T 200x90x9x12 ring frame: 1.30.
expect_rc 0 "$cli" calc "$work/a.cys" --data-dir "$data"
grep -q "Shell Buckling" "$work/stdout" || fail "calc printed no shell panel"
[ "$(tail -n 1 "$work/stdout")" = "FAILS - governing: ring-frame area (Ch 3.5.2), UF 1.30 of 1.00" ] ||
  fail "calc verdict line: $(tail -n 1 "$work/stdout")"
grep -qx '  shell as an unstiffened cylinder (Ch 3.4.2): UF 1.01 > 1.00' "$work/stdout" ||
  fail "calc lists no unstiffened check"
# The JSON case keeps the codes as the case file's numbers: a new case is LRFD (0) and
# stringer stiffened (2). Its checks: the curved panel 112.3 / 197.7 = 0.568, the shell as an
# unstiffened cylinder (s/t = 30 > 3 sqrt(75) = 25.98) 112.3 / 111.7 = 1.005, the ring frame.
expect_rc 0 "$cli" calc "$work/a.cys" --json --data-dir "$data"
python3 - "$work/stdout" <<'PY' || fail "calc --json codes, checks and verdict"
import json, sys
d = json.load(open(sys.argv[1]))
c = d["case"]
assert (c["designFormat"], c["cylinderType"]) == (0, 2), c
checks = {x["name"]: x for x in d["checks"]}
assert [x["name"] for x in d["checks"]] == ["shell", "unstiffened", "ringArea", "ringInertia"], d["checks"]
assert list(d["checks"][0]) == ["name", "chapter", "uf", "permitted", "passes"], d["checks"][0]
s = checks["shell"]
assert s["chapter"] == "3.3.2" and abs(s["uf"] - 0.568) < 1e-3 and s["permitted"] == 1 and s["passes"]
u = checks["unstiffened"]
assert u["chapter"] == "3.4.2" and abs(u["uf"] - 1.0054) < 1e-3 and not u["passes"], u
v = d["verdict"]
assert list(v) == ["status", "governing", "ratio", "reasons", "loadCase"], v
assert v["loadCase"] == "LC1" and [x["name"] for x in d["loadCases"]] == ["LC1"], d["loadCases"]
assert d["loadCases"][0]["checks"] == d["checks"] and d["loadCases"][0]["verdict"]["status"] == "fails"
assert v["status"] == "fails" and v["governing"] == "ringArea" and abs(v["ratio"] - 1.2992) < 1e-3, v
assert len(v["reasons"]) == 2 and v["reasons"][1] == "ring-frame area (Ch 3.5.2): UF 1.30 > 1.00", v
PY

# A value outside its limits is kept, told on stderr and makes the verdict; the case is
# calculated all the same (exit 0). Line 11 of a case file is UF.
variant uf7 7 11
expect_rc 0 "$cli" calc "$work/uf7.cys" --data-dir "$data"
grep -qx 'input out of limits: UF = 7, limit 0.5 <= UF <= 1.5' "$work/stderr" ||
  fail "UF 7 not told: $(cat "$work/stderr")"
tail -n 1 "$work/stdout" | grep -q '^INPUT OUT OF LIMITS - UF = 7, limit 0.5 <= UF <= 1.5$' ||
  fail "UF 7 verdict: $(tail -n 1 "$work/stdout")"
grep -q '0.57 <= 7.00' "$work/stdout" || fail "UF 7 not kept"
expect_rc 0 "$cli" calc "$work/uf7.cys" --json --data-dir "$data"
python3 -c 'import json, sys; v = json.load(open(sys.argv[1]))["verdict"]
assert v["status"] == "inputs out of limits" and v["reasons"] == ["UF = 7, limit 0.5 <= UF <= 1.5"], v' \
  "$work/stdout" || fail "UF 7 JSON verdict"

# A case whose run stops (t = 0, line 35) was not calculated: exit 1, and no report.
variant t0 0 35
expect_rc 1 "$cli" calc "$work/t0.cys" --json --data-dir "$data"
python3 -c 'import json, sys; v = json.load(open(sys.argv[1]))["verdict"]
assert v["status"] == "not calculated" and v["governing"] is None and v["ratio"] is None, v' \
  "$work/stdout" || fail "stopped run JSON verdict"
expect_rc 1 "$cli" calc "$work/t0.cys" --data-dir "$data"
tail -n 1 "$work/stdout" | grep -q '^NOT CALCULATED - ' || fail "stopped run verdict line"

# A column case (line 12) keeps the typed Sigx, Sigy and Tau: its check takes the stress of N.
variant column 3 12
expect_rc 0 "$cli" calc "$work/column.cys" --json --data-dir "$data"
python3 -c 'import json, sys; c = json.load(open(sys.argv[1]))["case"]
assert (c["Sigx"], c["Sigy"], c["Tau"]) == (-100, -10, 40), c' "$work/stdout" ||
  fail "column case changed the typed loads"

# report: nothing on stderr but the program's own messages; a case not calculated gets none.
if [ -x "$(dirname "$cli")/velmora-dnv-report" ]; then
  expect_rc 0 "$cli" report "$work/a.cys" -o "$work/a.pdf" --data-dir "$data"
  [ -s "$work/a.pdf" ] || fail "report wrote no PDF"
  [ ! -s "$work/stderr" ] || fail "report printed on stderr: $(cat "$work/stderr")"
  expect_rc 1 "$cli" report "$work/t0.cys" -o "$work/t0.pdf" --data-dir "$data"
  grep -q '^The case was not calculated: ' "$work/stderr" || fail "report refusal: $(cat "$work/stderr")"
  [ ! -e "$work/t0.pdf" ] || fail "report written for a case not calculated"
  expect_rc 0 "$cli" report "$work/uf7.cys" -o "$work/uf7.pdf" --data-dir "$data"
  [ "$(cat "$work/stderr")" = 'input out of limits: UF = 7, limit 0.5 <= UF <= 1.5' ] ||
    fail "report of UF 7: $(cat "$work/stderr")"
fi

# sheet: the lines as JSON, each expression giving its value; the verdict as calc prints it;
# HTML and PDF files; a case not calculated gets no sheet; -o needs .pdf or .html.
for c in a column; do
  expect_rc 0 "$cli" calc "$work/$c.cys" --json --data-dir "$data"
  cp "$work/stdout" "$work/$c.calc.json"
  expect_rc 0 "$cli" sheet "$work/$c.cys" --json --data-dir "$data"
  python3 - "$work/stdout" "$work/$c.calc.json" <<'PY' || fail "sheet --json of $c"
import json, math, re, sys
sheet = json.load(open(sys.argv[1]))
calc = json.load(open(sys.argv[2]))
assert sheet["verdict"] == calc["verdict"], (sheet["verdict"], calc["verdict"])
lines = sheet["lines"]
assert len(lines) > 30, len(lines)
names = {"sqrt": math.sqrt, "exp": math.exp, "ln": math.log, "sin": math.sin, "cos": math.cos,
         "sinh": math.sinh, "cosh": math.cosh, "abs": abs, "min": min, "max": max}
for l in lines:
    assert list(l)[:7] == ["check", "symbol", "formula", "expression", "value", "unit", "ref"], l
    assert l["check"] in ("shell", "unstiffened", "stiffener", "ringArea", "ringInertia",
                          "column1", "column2"), l
    e = l["expression"]
    assert re.fullmatch(r"[0-9.e+\-*/^() ,a-z]*", e) and not set(re.findall(r"[a-z]+", re.sub(r"[0-9.]e[+-]?[0-9]", "", e))) - set(names), e
    v = eval(e.replace("^", "**"), {"__builtins__": {}}, names)
    assert abs(v - l["value"]) <= 1e-5 * max(abs(l["value"]), 1e-3), (l, v)
ufs = {l["check"]: l["value"] for l in lines if l["symbol"] in ("UF", "UF1", "UF2")}
for c in calc["checks"]:
    assert ufs[c["name"]] == c["uf"], (c, ufs)
PY
done
expect_rc 0 "$cli" sheet "$work/a.cys" -o "$work/a.html" --data-dir "$data"
grep -q 'Calculation sheet' "$work/a.html" || fail "sheet HTML title"
grep -q 'SigjSd / fksd' "$work/a.html" && ! grep -qE '<script|src=|href=' "$work/a.html" ||
  fail "sheet HTML is not one self-contained file"
expect_rc 1 "$cli" sheet "$work/t0.cys" --json --data-dir "$data"
grep -q '^The case was not calculated: ' "$work/stderr" || fail "sheet refusal: $(cat "$work/stderr")"
[ ! -s "$work/stdout" ] || fail "sheet printed for a case not calculated"
expect_rc 1 "$cli" sheet "$work/t0.cys" -o "$work/t0.html" --data-dir "$data"
[ ! -e "$work/t0.html" ] || fail "sheet written for a case not calculated"
expect_rc 2 "$cli" sheet "$work/a.cys" -o "$work/a.txt" --data-dir "$data"
if [ -x "$(dirname "$cli")/velmora-dnv-report" ]; then
  expect_rc 0 "$cli" sheet "$work/a.cys" -o "$work/a-sheet.pdf" --data-dir "$data"
  [ -s "$work/a-sheet.pdf" ] || fail "sheet wrote no PDF"
  expect_rc 1 "$cli" sheet "$work/t0.cys" -o "$work/t0.pdf" --data-dir "$data"
  [ ! -e "$work/t0.pdf" ] || fail "sheet PDF written for a case not calculated"
fi

# batch of the delivered start-up database
expect_rc 0 "$cli" batch "$data/Velmora_Dnv_in.csv" "$work/db_out.csv" --data-dir "$data"
in_lines=$(wc -l <"$data/Velmora_Dnv_in.csv")
out_lines=$(wc -l <"$work/db_out.csv")
[ "$out_lines" -eq $((in_lines + 1)) ] || fail "results file has $out_lines lines for $in_lines rows"
head -n 1 "$work/db_out.csv" | grep -q '^Project;Identification;Design-method;' ||
  fail "results header"
[ "$(tail -n 1 "$work/db_out.csv" | tr -d '\r')" = "End" ] || fail "results file does not end in End"
grep -q $'\r$' "$work/db_out.csv" || fail "results file lines do not end in CR LF"
if grep -q ';Error;' "$work/db_out.csv"; then fail "a delivered case stopped"; fi

# a row that stops: the whole file is written, the row is reported, exit 1
good=$(grep -v '^%' "$data/Velmora_Dnv_in.csv" | head -n 1 | tr -d '\r')
bad=$(echo "$good" | awk -F';' 'BEGIN{OFS=";"} {$2="Bad row"; $13="0"; print}')
printf '%s\r\n%s\r\n%s\r\nEnd;\r\n' "$good" "$bad" "$good" >"$work/stop_in.csv"
expect_rc 1 "$cli" batch "$work/stop_in.csv" "$work/stop_out.csv" --data-dir "$data"
grep -q 'Row 2 (Bad row)' "$work/stderr" || fail "stopped row not reported: $(cat "$work/stderr")"
[ "$(wc -l <"$work/stop_out.csv")" -eq 5 ] || fail "results file of a stopped batch incomplete"
sed -n 3p "$work/stop_out.csv" | grep -q ';Error;' || fail "stopped row does not read Error"

# a row with a value outside its limits: calculated, each such field told with its row
uf7=$(echo "$good" | awk -F';' 'BEGIN{OFS=";"} {$2="Wide UF"; $4="7"; print}')
printf '%s\r\n%s\r\nEnd;\r\n' "$good" "$uf7" >"$work/limits_in.csv"
expect_rc 0 "$cli" batch "$work/limits_in.csv" "$work/limits_out.csv" --data-dir "$data"
grep -qx 'Row 2 (Wide UF): input out of limits: UF = 7, limit 0.5 <= UF <= 1.5' "$work/stderr" ||
  fail "row out of limits not told: $(cat "$work/stderr")"

# file errors and wrong usage
expect_rc 1 "$cli" batch "$work/none_in.csv" "$work/x_out.csv" --data-dir "$data"
grep -q "can't find file - " "$work/stderr" || fail "missing database not named"
printf '%s\r\nProject;short;\r\n' "$good" >"$work/short_in.csv"
expect_rc 1 "$cli" batch "$work/short_in.csv" "$work/x_out.csv" --data-dir "$data"
grep -q 'short_in.csv, line 2: ' "$work/stderr" || fail "malformed line not named"
[ ! -e "$work/x_out.csv" ] || fail "results written for an unreadable database"
expect_rc 2 "$cli" batch "$data/Velmora_Dnv_in.csv"
expect_rc 2 "$cli" summary "$data/Velmora_Dnv_in.csv"

# summary workbooks
expect_rc 0 "$cli" summary "$data/Velmora_Dnv_in.csv" -o "$work/all.xlsx" --data-dir "$data"
strings=$(zip_member "$work/all.xlsx" xl/sharedStrings.xml)
for h in Ident 'Stiff spac' 'Ring Ax' 'Column UF2 =' 'UFmax =' Verdict; do
  grep -qF "<t>$h</t>" <<<"$strings" || fail "summary lacks heading $h"
done
grep -Eq '<t>(PASSES|FAILS)</t>' <<<"$strings" || fail "summary shows no verdicts"
zip_member "$work/all.xlsx" xl/worksheets/sheet1.xml | grep -q '<col min="1" max="1" [^>]*style="1"' ||
  fail "column A has no style"
zip_member "$work/all.xlsx" xl/styles.xml | grep -q 'horizontal="center"' || fail "column A not centred"

expect_rc 0 "$cli" summary "$data/Velmora_Dnv_in.csv" -o "$work/some.xlsx" --stiffener-results \
  --data-dir "$data"
strings=$(zip_member "$work/some.xlsx" xl/sharedStrings.xml)
grep -qF '<t>Stiff UF =</t>' <<<"$strings" || fail "chosen group missing"
if grep -qF '<t>Ring Ax</t>' <<<"$strings"; then fail "group not chosen is shown"; fi

expect_rc 0 "$cli" summary "$data/Velmora_Dnv_in.csv" -o "$work/none.xlsx" --no-groups \
  --data-dir "$data"
strings=$(zip_member "$work/none.xlsx" xl/sharedStrings.xml)
if grep -qF '<t>Stiff UF =</t>' <<<"$strings"; then fail "--no-groups shows a group"; fi
grep -qF '<t>Shell UF =</t>' <<<"$strings" || fail "--no-groups lacks the fixed columns"

expect_rc 1 "$cli" summary "$work/stop_in.csv" -o "$work/stop.xlsx" --data-dir "$data"
[ -s "$work/stop.xlsx" ] || fail "summary with a stopped row not written"

# design study: sweep of the new case's wall thickness. Below t = 26.7 the stringers are too far
# apart (s/t > 3 sqrt(r/t)) and the shell as an unstiffened cylinder fails up to t = 20 (1.005 at
# t = 20); the ring-frame area fails from t = 16 on: every point fails.
expect_rc 0 "$cli" sweep "$work/a.cys" --vary t=10:30:1 --data-dir "$data"
[ "$(grep -c '^t = ' "$work/stdout")" -eq 21 ] || fail "sweep printed no line per point"
grep -q '^t = 14: shell 0.945 <= 1.00, unstiffened .* > 1.00, .*; governing unstiffened; fails$' \
  "$work/stdout" || fail "sweep point line: $(grep '^t = 14' "$work/stdout")"
grep -q '^t = 30: shell .*, stiffener .*; governing ringArea; fails$' "$work/stdout" ||
  fail "sweep point line with the stiffener check"
grep -qx 'Thresholds: none, every point fails' "$work/stdout" || fail "sweep thresholds"
# The allowable usage factor: the case passes from the ring-frame area's 3601.5 / 2772 = 1.2992
# on (its unstiffened shell needs 1.0054).
expect_rc 0 "$cli" sweep "$work/a.cys" --vary UF=1:1.5:0.1 --data-dir "$data"
grep -q '^  UF: passes from 1\.299.* (between 1\.2 and 1\.3; fails below it on ringArea)$' \
  "$work/stdout" || fail "UF threshold: $(cat "$work/stdout")"
# --proportions is still taken and changes nothing.
cp "$work/stdout" "$work/plain.txt"
expect_rc 0 "$cli" sweep "$work/a.cys" --vary UF=1:1.5:0.1 --proportions --data-dir "$data"
cmp -s "$work/stdout" "$work/plain.txt" || fail "--proportions changed the sweep"
expect_rc 0 "$cli" sweep "$work/a.cys" --vary t=10:30:1 --json --data-dir "$data"
python3 - "$work/stdout" <<'PY' || fail "sweep --json"
import json, sys
d = json.load(open(sys.argv[1]))
assert list(d) == ["case", "vary", "points", "thresholds"], list(d)
assert d["case"]["t"] == 20 and d["vary"] == [{"name": "t", "from": 10, "to": 30, "step": 1}]
assert len(d["points"]) == 21
p = d["points"][4]
assert list(p) == ["inputs", "completed", "message", "uf", "permitted", "governing", "loadCase",
                   "passes", "status", "mass"], list(p)
assert p["inputs"] == {"t": 14} and not p["passes"] and p["status"] == "fails"
assert p["governing"] == "unstiffened"
assert set(p["uf"]) == {"shell", "unstiffened", "ringArea", "ringInertia"}
assert p["permitted"]["shell"] == 1
assert set(d["points"][20]["uf"]) == {"shell", "stiffener", "ringArea", "ringInertia"}
assert d["thresholds"] == []
PY
expect_rc 0 "$cli" sweep "$work/a.cys" --vary t=0:20:10 --vary l=2000:3000:1000 \
  --csv "$work/sweep.csv" --data-dir "$data"
[ "$(wc -l <"$work/sweep.csv")" -eq 7 ] || fail "csv has no line per point"
head -n 1 "$work/sweep.csv" | grep -q $'^t,l,completed,message,shell,.*,mass\r$' || fail "csv header"
python3 - "$work/sweep.csv" <<'PY' || fail "csv does not read back"
import csv, sys
rows = list(csv.DictReader(open(sys.argv[1], newline="")))
assert rows[0]["t"] == "0" and rows[0]["completed"] == "false" and rows[0]["message"], rows[0]
assert rows[5]["t"] == "20" and rows[5]["l"] == "3000" and rows[5]["governing"] == "ringArea"
assert rows[5]["loadCase"] == "LC1", rows[5]
PY
expect_rc 2 "$cli" sweep "$work/a.cys" --vary t=30:10:1 --data-dir "$data"
grep -q 't: FROM 30 is greater than TO 10' "$work/stderr" || fail "reversed range not named"
expect_rc 2 "$cli" sweep "$work/a.cys" --vary thick=1:2:1 --data-dir "$data"
grep -q 'unknown input "thick"' "$work/stderr" || fail "unknown input not named"
expect_rc 2 "$cli" sweep "$work/a.cys" --vary ringRow=0:99:1 --data-dir "$data"
grep -q 'ringRow: the T-table of the ring frame has rows 0 to ' "$work/stderr" ||
  fail "row outside the table not named"
expect_rc 2 "$cli" sweep "$work/a.cys" --vary t=1:2:1 --json --csv "$work/x.csv" --data-dir "$data"
expect_rc 1 "$cli" sweep "$work/none.cys" --vary t=1:2:1 --data-dir "$data"

# optimise: the lightest passing designs of a grid, the lightest written as a case file. No
# wall of 20 mm or less passes: its shell fails as an unstiffened cylinder.
expect_rc 0 "$cli" optimise "$work/a.cys" --vary t=19:25:1 --vary ringRow=0:5:1 --top 3 \
  --data-dir "$data"
grep -q '^ *1\. t = 2[1-5], ringRow = [0-5] (T[0-9x]*): .* kg/m; governing [a-zA-Z]*; .*; passes$' \
  "$work/stdout" || fail "optimise lightest line: $(cat "$work/stdout")"
[ "$(grep -c '^ *[0-9]\. ' "$work/stdout")" -eq 3 ] || fail "optimise --top 3"
expect_rc 0 "$cli" optimise "$work/a.cys" --vary t=19:25:1 --vary ringRow=0:5:1 --json \
  -o "$work/best.cys" --data-dir "$data"
python3 - "$work/stdout" <<'PY' || fail "optimise --json"
import json, sys
d = json.load(open(sys.argv[1]))
assert list(d) == ["designs", "evaluated", "passing"] and d["evaluated"] == 42, d
masses = [x["mass"] for x in d["designs"]]
assert masses == sorted(masses) and len(masses) == min(10, d["passing"]) and d["passing"] > 0
assert all(x["passes"] and x["status"] == "passes" for x in d["designs"])
assert all(x["inputs"]["t"] > 20 for x in d["designs"]), d["designs"]
PY
# The lightest design passes the verdict of calc as well.
expect_rc 0 "$cli" calc "$work/best.cys" --json --data-dir "$data"
python3 -c 'import json, sys; d = json.load(open(sys.argv[1]))
assert d["case"]["t"] > 20 and d["verdict"]["status"] == "passes", d["verdict"]' \
  "$work/stdout" || fail "best design not written or not passing"
expect_rc 1 "$cli" optimise "$work/a.cys" --vary t=16:30:1 -o "$work/none_best.cys" --data-dir "$data"
grep -q 'none of the 15 points passes; no case file written' "$work/stderr" ||
  fail "no passing point not told"
[ ! -e "$work/none_best.cys" ] || fail "a case file written without a passing point"
expect_rc 2 "$cli" optimise "$work/a.cys" --vary t=12:18:1 --top 0 --data-dir "$data"

# Load cases through JSON cases: the case as calc --json prints it, with three load cases; the
# ring-frame check off so that the light load case passes.
expect_rc 0 "$cli" calc "$work/a.cys" --json --data-dir "$data"
python3 - "$work/stdout" "$work/three.json" <<'PY' || fail "three load cases: JSON case made"
import json, sys
c = json.load(open(sys.argv[1]))["case"]
assert c["loadCases"] == [{"name": "LC1", "designFormat": 0, "UF": 1, "Sigx": -100, "Sigy": -10,
                           "Tau": 40, "pd": -0.3, "N": -1000, "M1a": -200, "M1b": 100,
                           "M2a": -100, "M2b": 100}], c["loadCases"]
c["ringControl"] = 0
c["s"] = 500
light = dict(c["loadCases"][0], name="Operation", Sigx=-50)
storm = dict(light, name="Storm", designFormat=1, UF=0.8, Sigx=-120, Tau=60)
heavy = dict(light, name="Accidental", Sigx=-300)
c["loadCases"] = [light, storm, heavy]
c["selectedLoadCase"] = 0
for k in ("Sigx", "Tau", "designFormat", "UF"):
    c[k] = light[k]
json.dump(c, open(sys.argv[2], "w"))
PY
expect_rc 0 "$cli" calc "$work/three.json" --json --data-dir "$data"
python3 - "$work/stdout" <<'PY' || fail "three load cases: calc --json"
import json, sys
d = json.load(open(sys.argv[1]))
lcs = d["loadCases"]
assert [x["name"] for x in lcs] == ["Operation", "Storm", "Accidental"], lcs
assert list(lcs[0]) == ["name", "designFormat", "UF", "selected", "checks", "verdict"], list(lcs[0])
assert lcs[0]["selected"] and lcs[1]["designFormat"] == 1 and lcs[1]["UF"] == 0.8
assert lcs[0]["verdict"]["status"] == "passes", lcs[0]["verdict"]
assert lcs[2]["verdict"]["status"] == "fails", lcs[2]["verdict"]
v = d["verdict"]
assert v["status"] == "fails" and v["loadCase"] == "Accidental", v
assert d["checks"] == lcs[2]["checks"]
assert all(r.startswith("Accidental: ") for r in v["reasons"]), v["reasons"]
# The panels are the selected load case's: its Sigx of -50 MPa.
assert d["case"]["Sigx"] == -50 and len(d["case"]["loadCases"]) == 3
PY
python3 - "$work/three.json" "$work/three_uf.json" <<'PY' || fail "three load cases: UF 7"
import json, sys
c = json.load(open(sys.argv[1]))
c["loadCases"][1]["UF"] = 7
c["l"] = 40
json.dump(c, open(sys.argv[2], "w"))
PY
expect_rc 0 "$cli" calc "$work/three_uf.json" --data-dir "$data"
grep -qx 'input out of limits: load case Storm: UF = 7, limit 0.5 <= UF <= 1.5' "$work/stderr" ||
  fail "load case UF 7 not told: $(cat "$work/stderr")"
[ "$(grep -c "^input out of limits: l = 40," "$work/stderr")" -eq 1 ] ||
  fail "l 40 not told once: $(cat "$work/stderr")"
expect_rc 0 "$cli" calc "$work/three.json" --data-dir "$data"
grep -qx 'Load cases' "$work/stdout" || fail "calc lists no load cases"
grep -q '^  Storm: WSD, n0 0.80$' "$work/stdout" || fail "calc: Storm line: $(cat "$work/stdout")"
grep -q '^  Operation: LRFD, UF 1.00 (selected' "$work/stdout" || fail "calc: selected line"
tail -n 1 "$work/stdout" | grep -q '^FAILS - governing: load case Accidental, ' ||
  fail "calc: case verdict: $(tail -n 1 "$work/stdout")"
# The sheet's lines cover the selected load case; its verdict is the case's, as calc prints it.
expect_rc 0 "$cli" sheet "$work/three.json" --json --data-dir "$data"
python3 -c 'import json, sys; v = json.load(open(sys.argv[1]))["verdict"]
assert v["status"] == "fails" and v["loadCase"] == "Accidental", v' "$work/stdout" ||
  fail "sheet --json of three load cases"
# The report lists up to 8 load cases on its page; the others continue on a second page.
if [ -x "$(dirname "$cli")/velmora-dnv-report" ]; then
  expect_rc 0 "$cli" report "$work/three.json" -o "$work/three.pdf" --data-dir "$data"
  grep -aq '/Count 1\b' "$work/three.pdf" || fail "report of three load cases is not one page"
  python3 - "$work/three.json" "$work/ten.json" <<'PY' || fail "ten load cases: JSON case made"
import json, sys
c = json.load(open(sys.argv[1]))
first = c["loadCases"][0]
c["loadCases"] = [dict(first, name="LC%d" % (i + 1), Sigx=-50 - 10 * i) for i in range(10)]
json.dump(c, open(sys.argv[2], "w"))
PY
  expect_rc 0 "$cli" report "$work/ten.json" -o "$work/ten.pdf" --data-dir "$data"
  grep -aq '/Count 2\b' "$work/ten.pdf" || fail "report of ten load cases is not two pages"
fi
# A JSON case written by new reads as the new case file does.
expect_rc 0 "$cli" new "$work/fresh.json" --data-dir "$data"
expect_rc 0 "$cli" calc "$work/fresh.json" --json --data-dir "$data"
cp "$work/stdout" "$work/fresh_json.json"
expect_rc 0 "$cli" calc "$work/a.cys" --json --data-dir "$data"
python3 - "$work/stdout" "$work/fresh_json.json" <<'PY' || fail "new .json differs from new .cys"
import json, sys
a, b = json.load(open(sys.argv[1])), json.load(open(sys.argv[2]))
assert a["checks"] == b["checks"] and a["panels"] == b["panels"]
PY
# Bad JSON cases are refused with the key and the reason.
for bad in '{"t": "x"}|t: not a number' '{"tt": 1}|tt: not a key of a case' \
  '{"stiff": {"saved": [1]}}|stiff.saved: not a list of 10 dimension sets' \
  '{"loadCases": [{"name": "A"}, {"name": "A"}]}|loadCases[1].name: the case has a load case named "A" already' \
  '{"loadCases": [{"name": "A"}], "Sigx": 5}|Sigx: differs from the selected load case' \
  '{"cylinderType": 4}|cylinderType: must be 0 to 3' '[1|not JSON'; do
  printf '%s' "${bad%%|*}" >"$work/bad.json"
  expect_rc 1 "$cli" calc "$work/bad.json" --data-dir "$data"
  grep -qF "${bad#*|}" "$work/stderr" || fail "bad JSON ${bad%%|*}: $(cat "$work/stderr")"
done
# The study evaluates every load case; --load-case restricts it and names whose loads vary.
expect_rc 0 "$cli" sweep "$work/three.json" --vary t=14:24:2 --json --data-dir "$data"
python3 - "$work/stdout" <<'PY' || fail "three load cases: sweep"
import json, sys
d = json.load(open(sys.argv[1]))
assert all(p["loadCase"] == "Accidental" and not p["passes"] for p in d["points"]), d["points"]
PY
expect_rc 0 "$cli" sweep "$work/three.json" --vary Sigx=-140:-20:40 --load-case Storm \
  --load-case Operation --json --data-dir "$data"
python3 - "$work/stdout" <<'PY' || fail "three load cases: sweep --load-case"
import json, sys
d = json.load(open(sys.argv[1]))
assert [x["name"] for x in d["case"]["loadCases"]] == ["Operation", "Storm"]
assert d["case"]["Sigx"] == -120 and d["case"]["designFormat"] == 1  # Storm's, selected
assert {p["loadCase"] for p in d["points"]} <= {"Operation", "Storm"}
assert d["points"][-1]["inputs"] == {"Sigx": -20}
PY
expect_rc 2 "$cli" sweep "$work/three.json" --vary t=14:24:2 --load-case Nope --data-dir "$data"
grep -q 'no load case named "Nope"' "$work/stderr" || fail "unknown --load-case not told"
expect_rc 0 "$cli" optimise "$work/three.json" --vary t=14:30:2 --load-case Operation \
  --load-case Storm -o "$work/best3.json" --data-dir "$data"
grep -q '^ *1\. t = .*; load case [A-Za-z]*, governing ' "$work/stdout" ||
  fail "optimise names no load case: $(cat "$work/stdout")"
python3 -c 'import json, sys; c = json.load(open(sys.argv[1]))
assert [x["name"] for x in c["loadCases"]] == ["Operation", "Storm"], c' "$work/best3.json" ||
  fail "optimise -o .json"

# The same commands where the user's locale writes a decimal comma (de_DE.UTF-8). Where the
# system has not generated that locale it is built from the sources of the locales package into
# a private folder (no root needed) and found there through LOCPATH.
comma_env=(env LC_ALL=de_DE.UTF-8)
if [ "$("${comma_env[@]}" locale decimal_point 2>/dev/null)" != "," ]; then
  mkdir -p "$work/locales"
  localedef -i de_DE -f UTF-8 "$work/locales/de_DE.UTF-8" >"$work/localedef.log" 2>&1
  comma_env=(env LOCPATH="$work/locales" LC_ALL=de_DE.UTF-8)
fi
comma_cli=("${comma_env[@]}" "$cli")
if [ "$("${comma_env[@]}" locale decimal_point 2>/dev/null)" != "," ]; then
  fail "no decimal-comma locale: de_DE.UTF-8 is neither generated nor can it be built with" \
    "localedef (the locales package, see scripts/deps.sh): $(head -c 300 "$work/localedef.log")"
else
  # The C-locale outputs to hold the comma outputs against, and the rule between them: every
  # number shown as text has the comma, chapter and equation references ("Ch 3.3.2",
  # "Eq 3.10.7") keep their points, and JSON numbers are the same numbers.
  "$cli" calc "$work/a.cys" --data-dir "$data" >"$work/calc_c.txt"
  "$cli" calc "$work/a.cys" --json --data-dir "$data" >"$work/calc_c.json"
  "$cli" sweep "$work/a.cys" --vary UF=1:1.5:0.1 --data-dir "$data" >"$work/sweep_c.txt"
  "$cli" sweep "$work/a.cys" --vary UF=1:1.5:0.1 --json --data-dir "$data" >"$work/sweep_c.json"
  cat >"$work/comma.py" <<'EOF'
import re
def comma(text):
    parts = re.split(r"((?:Ch|ch|Eq) [0-9.]+)", text)
    return "".join(p if i % 2 else re.sub(r"(?<=[0-9])\.(?=[0-9])", ",", p)
                   for i, p in enumerate(parts))
def same(a, b, path="$"):
    if isinstance(a, dict):
        assert isinstance(b, dict) and list(a) == list(b), path
        for key in a:
            same(a[key], b[key], path + "." + key)
    elif isinstance(a, list):
        assert isinstance(b, list) and len(a) == len(b), path
        for i, (x, y) in enumerate(zip(a, b)):
            same(x, y, "%s[%d]" % (path, i))
    elif isinstance(a, str) and path.endswith(".chapter"):
        assert b == a, (path, a, b)
    elif isinstance(a, str):
        assert b == comma(a), (path, a, b)
    else:
        assert type(a) is type(b) and a == b, (path, a, b)
EOF

  expect_rc 0 "${comma_cli[@]}" calc "$work/a.cys" --data-dir "$data"
  cp "$work/stdout" "$work/calc_comma.txt"
  expect_rc 0 "${comma_cli[@]}" sweep "$work/a.cys" --vary UF=1:1.5:0.1 --data-dir "$data"
  cp "$work/stdout" "$work/sweep_comma.txt"
  python3 - "$work" <<'PY' || fail "comma locale: calc or sweep text"
import re, sys
sys.path.insert(0, sys.argv[1])
from comma import comma
w = sys.argv[1]
for name in ["calc", "sweep"]:
    a, b = open(w + "/%s_c.txt" % name).read(), open(w + "/%s_comma.txt" % name).read()
    assert b == comma(a), [l for l in b.splitlines() if l not in comma(a).splitlines()][:5]
c = open(w + "/calc_comma.txt").read()
assert re.search(r"^  fEa = +[0-9]+,[0-9]  MPa$", c, re.M) and "(Ch 3.3.2)" in c, c
assert re.search(r"^  UF: passes from 1,299[0-9]* \(between 1,2 and 1,3;",
                 open(w + "/sweep_comma.txt").read(), re.M)
PY

  expect_rc 0 "${comma_cli[@]}" calc "$work/a.cys" --json --data-dir "$data"
  cp "$work/stdout" "$work/calc_comma.json"
  expect_rc 0 "${comma_cli[@]}" sweep "$work/a.cys" --vary UF=1:1.5:0.1 --json --data-dir "$data"
  cp "$work/stdout" "$work/sweep_comma.json"
  expect_rc 0 "${comma_cli[@]}" sweep "$work/a.cys" --vary t=10:11:0,5 --json --data-dir "$data"
  cp "$work/stdout" "$work/sweep_step.json"
  python3 - "$work" <<'PY' || fail "comma locale: --json"
import json, re, sys
sys.path.insert(0, sys.argv[1])
from comma import same
w = sys.argv[1]
for name in ["calc", "sweep"]:
    same(json.load(open(w + "/%s_c.json" % name)), json.load(open(w + "/%s_comma.json" % name)))
calc = open(w + "/calc_comma.json").read()
assert '"pd": -0.3,' in calc and re.search(r'"value": "[0-9]+,[0-9]"', calc)
step = json.load(open(w + "/sweep_step.json"))
assert step["vary"] == [{"name": "t", "from": 10, "to": 11, "step": 0.5}], step["vary"]
assert [p["inputs"]["t"] for p in step["points"]] == [10, 10.5, 11]
PY

  # The results file writes its numbers as the panels show them, with the comma; texts (the
  # profile designations of the database among them) and the ";" separator stay as they are.
  expect_rc 0 "${comma_cli[@]}" batch "$data/Velmora_Dnv_in.csv" "$work/comma_out.csv" \
    --data-dir "$data"
  python3 - "$work" <<'PY' || fail "comma locale: results file"
import sys
sys.path.insert(0, sys.argv[1])
from comma import comma
w = sys.argv[1]
point = open(w + "/db_out.csv", newline="", encoding="latin-1").read().split("\r\n")
commas = open(w + "/comma_out.csv", newline="", encoding="latin-1").read().split("\r\n")
assert len(point) == len(commas) and point[0] == commas[0]
texts = [i for i, h in enumerate(point[0].split(";"))
         if h in ("Project", "Identification", "Stiff Prof", "Ringfr Prof")]
assert len(texts) == 4, texts
changed = 0
for a, b in zip(point, commas):
    ca, cb = a.split(";"), b.split(";")
    assert len(ca) == len(cb), (a, b)
    for i, (x, y) in enumerate(zip(ca, cb)):
        assert y == (x if i in texts or len(ca) == 1 else comma(x)), (x, y)
        changed += y != x
assert changed > 100, changed
assert any(";21,0E+4;" in l and ";L 200x100x12.0x12.0;" in l for l in commas)
PY

  # The study CSV is invariant: "," separates its fields, so its numbers keep the point.
  expect_rc 0 "${comma_cli[@]}" sweep "$work/a.cys" --vary t=0:20:10 --vary l=2000:3000:1000 \
    --csv "$work/sweep_comma.csv" --data-dir "$data"
  cmp -s "$work/sweep.csv" "$work/sweep_comma.csv" || fail "comma locale: study CSV differs"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all command-line checks passed"
