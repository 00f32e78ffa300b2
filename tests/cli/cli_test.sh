#!/usr/bin/env bash
# End-to-end run of the command-line tool: new, calc, batch and summary, with their exit codes
# and outputs. Called with the tool's path and the folder of the delivered data files.
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

# new and calc
expect_rc 0 "$cli" new "$work/a.cys" --data-dir "$data"
[ -s "$work/a.cys" ] || fail "new wrote no case file"
expect_rc 0 "$cli" calc "$work/a.cys" --data-dir "$data"
grep -q "Shell Buckling" "$work/stdout" || fail "calc printed no shell panel"

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
for h in Ident 'Stiff spac' 'Ring Ax' 'Column UF2 =' 'UFmax ='; do
  grep -qF "<t>$h</t>" <<<"$strings" || fail "summary lacks heading $h"
done
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

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all command-line checks passed"
