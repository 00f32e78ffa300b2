// The calculation sheet as one self-contained HTML file: the same title, inputs, lines, usage
// factors and verdict as the pages, with its own style sheet for the screen and for printing.
#include "base/Version.h"
#include "calc/State.h"
#include "report/CalcSheet.h"
#include "report/Sketches.h"
#include "report/SvgSurface.h"

#include <string>

namespace velmora {

namespace {

std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

constexpr const char* kStyle = R"(
body { font-family: Arial, Helvetica, sans-serif; font-size: 10pt; margin: 12mm; color: #000; }
table { border-collapse: collapse; }
.title { width: 100%; border: 1px solid #000; margin-bottom: 6mm; }
.title td { border: 1px solid #000; padding: 2mm; vertical-align: top; }
.title .program { font-size: 13pt; font-weight: bold; }
h2 { font-size: 12pt; border-bottom: 1px solid #000; margin: 6mm 0 2mm 0; clear: both; }
h3 { font-size: 10.5pt; margin: 4mm 0 1mm 0; }
.inputs td { padding: 0.5mm 2mm; }
.sketch { float: right; margin: 0 0 4mm 4mm; }
.inputs td.value { text-align: right; }
.lines { width: 100%; }
.lines td { padding: 0.4mm 1.5mm; vertical-align: top; }
.lines td.symbol { font-weight: bold; white-space: nowrap; width: 14%; }
.lines td.eq { width: 1.5em; }
.lines td.ref { color: #444; font-size: 8.5pt; width: 18%; }
.lines tr.branch td { font-style: italic; color: #444; padding-top: 1.5mm; }
.lines tr.value td { font-weight: bold; padding-bottom: 1.5mm; }
.lines tr.value td, .lines tr.last td { border-bottom: 1px solid #ddd; }
.uf td { padding: 0.5mm 3mm; }
.passes { color: #008000; font-weight: bold; }
.fails { color: #800000; font-weight: bold; }
.other { color: #bf6e00; font-weight: bold; }
.verdict { font-size: 12pt; font-weight: bold; margin-top: 4mm; }
@media print { body { margin: 0; } @page { size: A4; margin: 12mm; }
  tbody.line { break-inside: avoid; } h2, h3 { break-after: avoid; } }
)";

std::string statusClass(VerdictStatus s) {
    switch (s) {
    case VerdictStatus::Passes:
        return "passes";
    case VerdictStatus::Fails:
        return "fails";
    default:
        return "other";
    }
}

} // namespace

std::string calcSheetHtml(const State& st, const CalcSheet& sheet, const SheetStamp& stamp) {
    std::string h;
    h += "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n<title>Calculation "
         "sheet - " +
         escaped(st.dc.projectName) + " - " + escaped(st.dc.identification) + "</title>\n<style>" +
         kStyle + "</style>\n</head><body>\n";
    h += "<table class=\"title\"><tr><td><div class=\"program\">Velmora DNV</div>"
         "<b>Calculation sheet</b><br>Cylinder shell buckling based on DNV-RP-C202<br>"
         "Velmora DNV " +
         std::string(kVersionLine) + "</td>";
    h += "<td>Project: <b>" + escaped(st.dc.projectName) + "</b><br>Identification: <b>" +
         escaped(st.dc.identification) + "</b><br>File: <b>" + escaped(stamp.fileName) +
         "</b></td>";
    h += "<td>Date and time: " + escaped(stamp.dateTime) + "<br>Page 1 of 1</td></tr></table>\n";

    h += "<h2>Inputs</h2>\n";
    // The cylinder sketch beside the inputs, as on the first page.
    SvgSurface sketch(0, 0, 66, 60);
    sketch.setFont("arial", 7);
    drawCylinderSketch(sketch, st.dc, {1, 1, 65, 59});
    h += "<div class=\"sketch\">" + sketch.svg(80) + "</div>\n";
    std::string section;
    for (const SheetInput& in : sheetInputs(st)) {
        if (in.section != section) {
            if (!section.empty())
                h += "</table>\n";
            section = in.section;
            h += "<h3>" + escaped(section) + "</h3>\n<table class=\"inputs\">\n";
        }
        h += "<tr><td>" + escaped(in.label) + "</td><td>" + escaped(in.symbol) + "</td><td>" +
             (in.symbol.empty() ? "" : "=") + "</td><td class=\"value\">" + escaped(in.value) +
             "</td><td>" + escaped(in.unit) + "</td></tr>\n";
    }
    if (!section.empty())
        h += "</table>\n";

    h += "<h2>Calculation</h2>\n";
    std::string group;
    bool open = false;
    for (const TraceLine& line : sheet.lines) {
        if (line.group != group) {
            if (open)
                h += "</table>\n";
            group = line.group;
            h += "<h3>" + escaped(group) + "</h3>\n<table class=\"lines\">\n";
            open = true;
        }
        h += "<tbody class=\"line\">";
        if (!line.branch.empty())
            h += "<tr class=\"branch\"><td></td><td></td><td colspan=\"2\">" +
                 escaped(line.branch) + "</td></tr>";
        h += "<tr><td class=\"symbol\">" + escaped(line.symbol) +
             "</td><td class=\"eq\">=</td><td>" + escaped(line.formula) +
             "</td><td class=\"ref\">" + escaped(line.ref) + "</td></tr>";
        h += "<tr><td></td><td class=\"eq\">=</td><td colspan=\"2\">" + escaped(line.expression) +
             "</td></tr>";
        h += "<tr class=\"value\"><td></td><td class=\"eq\">=</td><td colspan=\"2\">" +
             traceNumber(line.value) + (line.unit.empty() ? "" : " " + escaped(line.unit)) +
             "</td></tr></tbody>\n";
    }
    if (open)
        h += "</table>\n";

    const bool several = sheet.loadCases.size() > 1;
    h += several ? "<h2>Usage factors of load case " + escaped(st.dc.loadCaseName) +
                       " and verdict</h2>\n"
                 : std::string("<h2>Usage factors and verdict</h2>\n");
    h += "<table class=\"uf\">\n";
    for (int c = 0; c < kCheckCount; ++c) {
        const CheckValue& value = sheet.loadCaseVerdict.checks[static_cast<size_t>(c)];
        if (!value.present)
            continue;
        const auto id = static_cast<CheckId>(c);
        h += "<tr><td>" + escaped(checkTitle(id)) + " (Ch " + checkChapter(id, st.dc) +
             ")</td><td>UF = " + traceNumber(value.uf) + "</td><td>" +
             (value.exceeds() ? "&gt; " : "&lt;= ") + traceNumber(value.permitted) +
             "</td><td class=\"" + (value.exceeds() ? "fails\">fails" : "passes\">passes") +
             "</td></tr>\n";
    }
    h += "</table>\n";
    if (several) {
        // Every load case; the selected one, which the lines cover, in bold.
        h += "<h3>Load cases</h3>\n<table class=\"uf loadcases\">\n<tr><th>Load case</th>"
             "<th>Format, UF</th><th>Governing check</th><th>Ratio</th><th>Verdict</th></tr>\n";
        for (const LoadCaseRow& r : sheet.loadCases)
            h += std::string("<tr><td>") + (r.selected ? "<b>" : "") + escaped(r.name) +
                 (r.selected ? " (this sheet)</b>" : "") + "</td><td>" + escaped(r.format) +
                 "</td><td>" + escaped(r.check) + "</td><td>" + escaped(r.ratio) +
                 "</td><td class=\"" + statusClass(r.status) + "\">" + verdictStatusText(r.status) +
                 "</td></tr>\n";
        h += "</table>\n";
    }
    // The case's verdict, naming the governing load case where there are several.
    const Verdict& v = sheet.verdict;
    h += "<p class=\"verdict " + statusClass(v.status) + "\">" + escaped(v.line) + "</p>\n<ul>\n";
    for (const std::string& r : v.reasons)
        h += "<li>" + escaped(r) + "</li>\n";
    h += "</ul>\n</body></html>\n";
    return h;
}

} // namespace velmora
