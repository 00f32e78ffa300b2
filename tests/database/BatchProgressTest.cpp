// The progress report of the batch runs: told once per row, in order, before the row is worked,
// so that a window can show a long run coming along.

#include "database/Batch.h"
#include "database/Summary.h"

#include "DatabaseSupport.h"
#include "calc/State.h"
#include "files/DatabaseFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace velmora {
namespace {

State fourRowState() {
    return test::stateWith({"% first", test::caseLine(), test::caseLine({{1, "Case B"}}), "End"});
}

using Calls = std::vector<std::pair<int, int>>;
const Calls kEveryRow = {{0, 3}, {1, 3}, {2, 3}, {3, 3}};

TEST(BatchProgress, ResultsRunTellsEveryRowInOrder) {
    State st = fourRowState();
    Calls calls;
    std::vector<RowMessage> stopped, warnings;
    resultsFileText(st, stopped, warnings, [&](int row, int last) {
        // Told before the row is worked: the case of row 2 is not yet loaded when row 2 comes.
        if (row == 2) {
            EXPECT_EQ("Case A", st.dc.identification);
        }
        calls.emplace_back(row, last);
    });
    EXPECT_EQ(kEveryRow, calls);
    EXPECT_EQ("Case B", st.dc.identification);
}

TEST(BatchProgress, SummaryTellsEveryRowAndWithoutListenerStillRuns) {
    State st = fourRowState();
    Calls calls;
    const SummaryGroups all{true, true, true, true, true, true, true};
    const SummaryTable t =
        buildSummaryTable(st, all, [&](int row, int last) { calls.emplace_back(row, last); });
    EXPECT_EQ(kEveryRow, calls);
    ASSERT_EQ(4u, t.lines.size());
    EXPECT_EQ(4u, buildSummaryTable(st, all).lines.size());
}

} // namespace
} // namespace velmora
