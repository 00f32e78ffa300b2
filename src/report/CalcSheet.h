// The calculation sheet: every step the program took for the calculated case, with the formula,
// the numbers put in and the result, for a verifier who redoes the checks by hand. Its numbers
// are the run's own: the sheet reruns the case with a trace (checks/CalcTrace.h) and takes it
// only when that run gives exactly the results the case holds.
#pragma once

#include "calc/Verdict.h"
#include "checks/CalcTrace.h"
#include "report/Report.h"

#include <optional>
#include <string>
#include <vector>

namespace velmora {

class Surface;
struct State;

struct CalcSheet {
    std::vector<TraceLine> lines; // in the order the run computed them
    Verdict verdict;
};

// The sheet of the case, or the refusal ("The case was not calculated: " and why) when the case
// was not calculated or its results are not those of its inputs; `out` is left as it was then.
std::optional<std::string> makeCalcSheet(const State& st, CalcSheet& out);

// The usage factor a check's lines end with: the last line "UF" ("UF1", "UF2" for the column)
// of `check`; none when the sheet has no such line. Its permitted value is the verdict's.
std::optional<double> sheetUsageFactor(const CalcSheet& sheet, CheckId check);

} // namespace velmora
