// Many variants of one case checked at once: a table of n rows whose columns are inputs of the
// design study (t, r, l, s, Sigx, ..., fyp, stiffRow, ringRow), each row the base case with
// those inputs set as typed into the window, calculated on its own and judged by the case's
// verdict. The results are plain arrays of n values, the same for any number of threads, and
// every row's numbers are those a plain calculation of that row's case gives.
//
// Each row is worked as a point of the design study: its values are stored as the window stores
// them (single precision; a typed yield strength makes its material the user-defined row; a
// profile row selects that row of the profile's table), on a copy of the base case restored
// before every row, and calculated without panel texts.
#pragma once

#include "calc/State.h"
#include "calc/Verdict.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velmora {

// One column of the table: an input name of the design study (studyInputNames) and its value
// in every row. A profile row (stiffRow, ringRow) is a whole row number of the profile's table.
struct CheckManyColumn {
    std::string name;
    std::span<const double> values;
};

// The verdict of every row, by row. A check that does not apply to the row's case (or whose
// place the slenderness note takes) or of a row whose run stopped has NaN for its usage factor
// and its permitted value.
struct CheckManyResult {
    int64_t rows = 0;
    std::vector<std::string> loadCaseNames; // of the base case, by `loadCase`
    std::vector<uint8_t> passes;            // 1 where the verdict is PASSES, else 0
    std::vector<VerdictStatus> status;
    // The governing check (CheckId), -1 where none is present (a stopped run).
    std::vector<int8_t> governing;
    // The governing check's uf / permitted; NaN where there is no governing check.
    std::vector<double> ratio;
    // The governing load case (list index), whose checks `uf` and `permitted` are.
    std::vector<int32_t> loadCase;
    // By CheckId: the usage factor and the permitted value of the verdict's checks.
    std::array<std::vector<double>, kCheckCount> uf;
    std::array<std::vector<double>, kCheckCount> permitted;
};

// Checks every row of `columns` on the case of `base` (a studyCopy or any calculated state with
// its tables; it is only read, and must stay as it is until the call returns), spread over
// `threads` threads (0: one per core). Returns an empty string and fills `out`, or returns the
// message of the first fault and leaves `out` alone:
//   - no columns; an unknown input name or one given twice (the design study's messages);
//   - columns of unequal length: "columns of unequal length: t has 5 rows, s has 4";
//   - a value that is not a finite number, or not finite as the case's single-precision field
//     stores it: "t: row 3 is nan, not a finite number";
//   - a profile row of a profile kind that takes no table row (the study's message), or a value
//     that is not a whole row number of the table: "stiffRow: row 3 is 2.5, not a whole row
//     number", "stiffRow: row 3 is 45; the L-table of the stiffener has rows 0 to 39".
// Row numbers in messages count from 0.
std::string checkMany(const State& base, const std::vector<CheckManyColumn>& columns,
                      unsigned threads, CheckManyResult& out);

} // namespace velmora
