// The load cases of the calculated case as the report and the calculation sheet list them: one
// row per load case with its name, design format and usage factor, governing check, ratio and
// verdict.
#pragma once

#include "calc/Verdict.h"

#include <string>
#include <vector>

namespace velmora {

struct State;

struct LoadCaseRow {
    std::string name;
    std::string format; // "LRFD, UF 1.00" or "WSD, n0 0.80"
    std::string check;  // the governing check's title, "-" without one
    std::string ratio;  // its uf / permitted, "0.00"; "-" without one
    VerdictStatus status = VerdictStatus::NotCalculated;
    bool selected = false; // the load case the panels show
};

// Every load case of the case in list order, each judged by loadCaseVerdict.
std::vector<LoadCaseRow> loadCaseRows(const State& st);

} // namespace velmora
