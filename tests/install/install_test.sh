#!/usr/bin/env bash
# Installs the build tree under a fresh prefix and checks the installed layout: every file in
# place, the desktop entry valid, the manuals readable PDFs with their content, and the
# command-line tool working from the prefix with the installed data files.
#
#   install_test.sh BUILD_DIR
set -u
build=${1:?usage: install_test.sh BUILD_DIR}
prefix=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$prefix" "$work"' EXIT

passed=0
failed=0
ok() { passed=$((passed + 1)); }
bad() { failed=$((failed + 1)); echo "FAIL: $*"; }
check() { # description, command...
    local what=$1
    shift
    if "$@"; then ok; else bad "$what"; fi
}

if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "0 passed, 1 failed"
    exit 1
fi

share="$prefix/share/velmora-dnv"
docs="$share/Documentation"
files=(
    "$prefix/bin/velmora-dnv"
    "$prefix/bin/velmora-dnv-cli"
    "$prefix/libexec/velmora-dnv-report"
    "$share/DNVmat.dat"
    "$share/lprof.dat"
    "$share/tprof.dat"
    "$share/fprof.dat"
    "$share/bfprof.dat"
    "$share/Velmora_Dnv_in.csv"
    "$docs/Velmora DNV Theory Manual.pdf"
    "$docs/Velmora DNV Update.pdf"
    "$docs/Velmora DNV Database.pdf"
    "$prefix/share/applications/velmora-dnv.desktop"
    "$prefix/share/icons/hicolor/scalable/apps/velmora-dnv.svg"
)
for f in "${files[@]}"; do
    check "installed: ${f#"$prefix"/}" test -s "$f"
done
check "velmora-dnv is executable" test -x "$prefix/bin/velmora-dnv"
check "velmora-dnv-cli is executable" test -x "$prefix/bin/velmora-dnv-cli"
# The data files arrive unchanged.
for n in DNVmat.dat lprof.dat tprof.dat fprof.dat bfprof.dat Velmora_Dnv_in.csv; do
    check "$n installed unchanged" cmp -s "$build/bin/$n" "$share/$n"
done

# Desktop entry and icon.
desktop="$prefix/share/applications/velmora-dnv.desktop"
if command -v desktop-file-validate >/dev/null 2>&1; then
    if out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ]; then ok; else
        bad "desktop-file-validate: $out"
    fi
else
    echo "note: desktop-file-validate not available, desktop entry checked by its keys only"
fi
check "desktop entry starts velmora-dnv" grep -qx 'Exec=velmora-dnv' "$desktop"
check "desktop entry names the icon" grep -qx 'Icon=velmora-dnv' "$desktop"
check "icon is an SVG document" grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/velmora-dnv.svg"

# Each manual: a valid PDF of at least one page, titled, with its key content as text.
pdf_holds() { # pdf, title, phrases...
    local pdf=$1 title=$2
    shift 2
    local info pages text
    if ! info=$(pdfinfo "$pdf" 2>&1); then
        bad "not a valid PDF: $pdf: $info"
        return
    fi
    pages=$(sed -n 's/^Pages: *//p' <<<"$info")
    if [ "${pages:-0}" -ge 1 ]; then ok; else bad "no pages: $pdf"; fi
    if grep -q "^Title: *$title\$" <<<"$info"; then ok; else bad "PDF title of $pdf is not $title"; fi
    text=$(pdftotext -layout "$pdf" - 2>/dev/null | tr -s ' \n' ' ')
    for phrase in "$title" "$@"; do
        if grep -qF -- "$phrase" <<<"$text"; then ok; else bad "$pdf lacks \"$phrase\""; fi
    done
}
if command -v pdfinfo >/dev/null 2>&1 && command -v pdftotext >/dev/null 2>&1; then
    pdf_holds "$docs/Velmora DNV Theory Manual.pdf" "Velmora DNV Theory Manual" \
        "Ch 3.3.2" "3.4" "Ch 3.5" "Ch 3.6" "Ch 3.8" "Ch 3.9" "reduced slenderness" \
        "material factor" "NORSOK N-004" "Eq 3.8.8" "3.5.2.7" "Heavy ringframe" "DNVmat.dat" \
        "Page 1 of"
    pdf_holds "$docs/Velmora DNV Database.pdf" "Velmora DNV Database" \
        "End" "Velmora_Dnv_in.csv" "Velmora_Dnv_out.csv" "Windows-1252" "CR LF" \
        "Identification" "Dim mom" "Ringfr Prof" "35 fields"
    pdf_holds "$docs/Velmora DNV Update.pdf" "Velmora DNV Update" \
        "1.8.5" "velmora-dnv-cli" "batch" "summary" "report" "temporary file"
else
    bad "pdfinfo and pdftotext (poppler-utils) are needed to check the manuals"
fi

# The installed command-line tool, run from the prefix, finds the installed tables: a new case
# calculates with the yield strength looked up from the installed material table.
cli="$prefix/bin/velmora-dnv-cli"
(
    cd "$work" || exit 1
    LC_ALL=C "$cli" new x.cys >new.out 2>new.err
) && ok || bad "installed velmora-dnv-cli new x.cys: $(cat "$work/new.err")"
check "new wrote the case file" test -s "$work/x.cys"
if (cd "$work" && LC_ALL=C "$cli" calc x.cys >calc.out 2>calc.err); then ok; else
    bad "installed velmora-dnv-cli calc x.cys: $(cat "$work/calc.err")"
fi
check "calc printed the shell buckling panel" grep -q 'Shell Buckling' "$work/calc.out"
check "calc printed a usage factor" grep -q 'UF = SigjSd/fksd' "$work/calc.out"
if (cd "$work" && LC_ALL=C "$cli" calc x.cys --json >calc.json 2>/dev/null); then ok; else
    bad "installed velmora-dnv-cli calc --json"
fi
# Without the material table the tool would report a missing DNVmat.dat: no such message.
check "no data-file message from the installed tool" \
    bash -c '! grep -qi "DNVmat.dat\|prof.dat" "$1"' _ "$work/calc.err"
# Hide the installed tables: the tool must now fail to find them, so the run above used them.
mv "$share/DNVmat.dat" "$share/DNVmat.dat.hidden"
if (cd "$work" && LC_ALL=C "$cli" calc x.cys >hidden.out 2>hidden.err) &&
    ! grep -qi 'DNVmat' "$work/hidden.err"; then
    bad "calc without the installed material table did not notice it"
else
    ok
fi
mv "$share/DNVmat.dat.hidden" "$share/DNVmat.dat"
# The start-up database calculates from the prefix.
if (cd "$work" && LC_ALL=C "$cli" batch "$share/Velmora_Dnv_in.csv" out_out.csv \
    >batch.out 2>batch.err); then ok; else bad "batch of the installed start-up database: $(cat "$work/batch.err")"; fi
check "batch wrote the results file" test -s "$work/out_out.csv"
mkdir -p "$work/reports"
# The report command of the installed tool finds its helper in the prefix's libexec folder; the
# tool itself loads no part of Qt.
if (cd "$work" && LC_ALL=C QT_QPA_PLATFORM=offscreen "$cli" report x.cys -o reports/x.pdf \
    >report.out 2>report.err); then ok; else bad "installed report: $(cat "$work/report.err")"; fi
check "report wrote a one-page PDF" bash -c 'pdfinfo "$1" | grep -q "^Pages: *1$"' _ "$work/reports/x.pdf"
check "velmora-dnv-cli links no Qt library" bash -c '! ldd "$1" | grep -qi libQt' _ "$cli"
mv "$prefix/libexec/velmora-dnv-report" "$work/helper.hidden"
(cd "$work" && LC_ALL=C "$cli" report x.cys -o reports/y.pdf >missing.out 2>missing.err)
check "a missing helper fails with status 1" test $? -eq 1
check "a missing helper is named" grep -q 'velmora-dnv-report' "$work/missing.err"
check "a missing helper writes no report" test ! -e "$work/reports/y.pdf"
mv "$work/helper.hidden" "$prefix/libexec/velmora-dnv-report"

# The Python package, installed into the prefix's site-packages, finds the installed tables and
# gives the installed tool's result.
if [ -d "$build/python/velmora" ]; then
    site="$prefix/lib/python3/dist-packages"
    check "installed: the Python package" test -s "$site/velmora/__init__.py"
    if (cd "$work" && LC_ALL=C PYTHONPATH="$site" /usr/bin/python3 - "$share" "$work/calc.json" "$site" \
        >python.out 2>&1 <<'PY'
import json, sys
import velmora
assert velmora.__file__.startswith(sys.argv[3]), velmora.__file__
assert velmora.data_dir() == sys.argv[1], velmora.data_dir()
expected = json.load(open(sys.argv[2]))
case = velmora.read_case("x.cys")
assert velmora.calc(case) == expected
PY
    ); then ok; else bad "installed Python package: $(cat "$work/python.out")"; fi
    check "the Python module links no Qt library" \
        bash -c '! ldd "$1"/velmora/_velmora*.so | grep -qi libQt' _ "$site"
fi

# velmora-docgen keeps an existing PDF when it cannot render: the old file stays byte for byte.
docgen="$build/bin/velmora-docgen"
if [ -x "$docgen" ]; then
    cp "$docs/Velmora DNV Update.pdf" "$work/kept.pdf"
    cp "$work/kept.pdf" "$work/kept.orig"
    QT_QPA_PLATFORM=offscreen "$docgen" "$work/missing.html" "$work/kept.pdf" 2>"$work/docgen.err"
    check "docgen fails on a missing page" test $? -eq 1
    check "docgen names the missing page" grep -q 'missing.html' "$work/docgen.err"
    check "docgen left the old PDF" cmp -s "$work/kept.pdf" "$work/kept.orig"
    QT_QPA_PLATFORM=offscreen "$docgen" >/dev/null 2>&1
    check "docgen without arguments is wrong usage" test $? -eq 2
    printf '<html><head><title>Blank name</title></head><body><h1>x</h1></body></html>' \
        >"$work/page.html"
    QT_QPA_PLATFORM=offscreen "$docgen" "$work/page.html" "$work/with blank.pdf" 2>/dev/null
    check "docgen renders to a name with a blank" pdfinfo "$work/with blank.pdf" >/dev/null 2>&1
    check "docgen leaves no temporary file" \
        test "$(find "$work" -maxdepth 1 -name '*.pdf*' | wc -l)" -eq 2
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
