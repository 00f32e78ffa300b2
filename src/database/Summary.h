// The summary table of a case database: every row calculated and tabulated with selectable
// column groups, as the detailed summary window shows it and its workbook export writes it.
#pragma once

#include "database/Batch.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace velmora {

struct State;

// The seven column groups, in the order of State::summaryGroups.
namespace SummaryGroup {
inline constexpr int StiffenerInputs = 0;
inline constexpr int RingInputs = 1;
inline constexpr int StressInputs = 2;
inline constexpr int ColumnInputs = 3;
inline constexpr int StiffenerResults = 4;
inline constexpr int RingResults = 5;
inline constexpr int ColumnResults = 6;
inline constexpr int Count = 7;
} // namespace SummaryGroup

using SummaryGroups = std::array<bool, SummaryGroup::Count>;

struct SummaryTable {
    std::vector<std::string> headings;
    // One line per database row: a comment row has its text alone, a case row one cell per
    // heading.
    std::vector<std::vector<std::string>> lines;
    // Per line, the cells whose usage factor lies above its permitted value (the values the
    // result panels draw red); "UFmax =" among them when its factor does.
    std::vector<std::vector<size_t>> abovePermitted;
    std::vector<RowMessage> stopped;
    std::vector<RowMessage> warnings;
    // The decimal separator of the numbers in the cells.
    char decimalSep = '.';
};

// Column headings for the groups that are on; "UFmax =" and "Verdict" (the case's verdict,
// "PASSES", "FAILS", "INPUT OUT OF LIMITS" or "NOT CALCULATED") end every table.
std::vector<std::string> summaryHeadings(const SummaryGroups& groups);

// Loads and calculates every case row of the database and tabulates it. Leaves the last case
// row in the design case. A row whose run stopped shows "Error" in its usage-factor cells and
// "NOT CALCULATED" as its verdict.
SummaryTable buildSummaryTable(State& st, const SummaryGroups& groups,
                               const RowProgress& progress = {});

// The text of the largest usage factor among (value, text) pairs, compared as numbers (the
// first of equal values); "0" for an empty list.
std::string largestUsageFactor(const std::vector<std::pair<double, std::string>>& factors);

} // namespace velmora
