// The calculation sheet: every step the program took for the calculated case, with the formula,
// the numbers put in and the result, for a verifier who redoes the checks by hand. Its numbers
// are the run's own: the sheet reruns the case with a trace (checks/CalcTrace.h) and takes it
// only when that run gives exactly the results the case holds.
#pragma once

#include "calc/Verdict.h"
#include "checks/CalcTrace.h"
#include "report/LoadCaseTable.h"
#include "report/Report.h"

#include <optional>
#include <string>
#include <vector>

namespace velmora {

class Surface;
struct State;

// With several load cases the lines cover the selected one; every load case is listed with its
// verdict, and the case's verdict names the governing one.
struct CalcSheet {
    std::vector<TraceLine> lines;       // in the order the run computed them
    Verdict verdict;                    // the case's
    Verdict loadCaseVerdict;            // the selected load case's: the usage factors of the lines
    std::vector<LoadCaseRow> loadCases; // every load case in list order
};

// The sheet of the case, or the refusal ("The case was not calculated: " and why) when the case
// was not calculated or its results are not those of its inputs; `out` is left as it was then.
std::optional<std::string> makeCalcSheet(const State& st, CalcSheet& out);

// The usage factor a check's lines end with: the last line "UF" ("UF1", "UF2" for the column)
// of `check`; none when the sheet has no such line. Its permitted value is the verdict's.
std::optional<double> sheetUsageFactor(const CalcSheet& sheet, CheckId check);

// One input as the sheet lists it: "Geometry", "Cylinder radius", "r", "1500", "mm".
struct SheetInput {
    std::string section;
    std::string label;
    std::string symbol;
    std::string value;
    std::string unit;
};
// The inputs the checks of the case take: design format, geometry, materials with their yield
// strengths as looked up, the profiles with their dimensions and section properties, loads.
std::vector<SheetInput> sheetInputs(const State& st);

// What the title block of every page says besides the case.
struct SheetStamp {
    std::string dateTime; // "2026-12-09 18:30"
    std::string fileName;
};

// The sheet laid out on A4 pages (`s` stands for the printable area of one page): the number of
// pages, and page `page` (0-based) drawn with "Page n of `pageCount`".
int sheetPageCount(Surface& s, const State& st, const CalcSheet& sheet, const SheetStamp& stamp);
void drawSheetPage(Surface& s, const State& st, const CalcSheet& sheet, const SheetStamp& stamp,
                   int page, int pageCount);

// The sheet as one self-contained, printable HTML file (UTF-8).
std::string calcSheetHtml(const State& st, const CalcSheet& sheet, const SheetStamp& stamp);

} // namespace velmora
