// The window's case kept aside while the database rows are calculated through it: after the
// batch run the case is judged exactly as before it, its verdict and the report included.

#include "database/KeptCase.h"

#include "DatabaseSupport.h"
#include "calc/Calc.h"
#include "calc/State.h"
#include "calc/Verdict.h"
#include "case/LoadCases.h"
#include "database/Batch.h"
#include "support/RecordingNotifier.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::caseLine;
using test::stateWith;

TEST(KeptCase, BatchRunLeavesTheWindowsCaseCalculated) {
    // Two rows that differ from the window's case, the second one stopping its run (t = 0).
    State st = stateWith({"% Rows", caseLine({{1, "Row A"}, {13, "700"}}),
                          caseLine({{1, "Row B"}, {12, "0"}}), "End;"});
    st.dc.identification = "In the window";
    st.dc.r = 1800;
    st.dc.ringControl = 0; // the loads govern, not the ring frame's area
    const int storm = addLoadCase(st.dc);
    ASSERT_EQ(1, storm);
    // The storm load case: the new case's loads with a heavier axial stress, so it governs.
    st.dc.Sigx = -180;
    st.dc.Sigy = -10;
    st.dc.Tau = 40;
    st.dc.pd = -0.3f;
    addLoadCase(st.dc);
    st.dc.Sigx = -40;
    selectLoadCase(st.dc, 0);
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    const Verdict before = caseVerdict(st);
    ASSERT_NE(VerdictStatus::NotCalculated, before.status) << before.line;
    ASSERT_EQ(storm, before.loadCase) << before.line;
    std::vector<std::string> loadCaseLines;
    for (int i = 0; i < 3; ++i)
        loadCaseLines.push_back(loadCaseVerdict(st, i).line);
    const RunState runBefore = st.run;
    const DesignCase dcBefore = st.dc;

    std::vector<RowMessage> stopped, warnings;
    {
        KeptCase keep(st);
        resultsFileText(st, stopped, warnings);
        // The rows did go through the case.
        EXPECT_EQ("Row B", st.dc.identification);
        EXPECT_FALSE(st.run.lastRunCompleted);
    }
    ASSERT_EQ(1u, stopped.size());

    EXPECT_EQ(dcBefore, st.dc);
    EXPECT_EQ(runBefore, st.run);
    EXPECT_FALSE(notCalculatedReason(st).has_value()) << *notCalculatedReason(st);
    EXPECT_FALSE(reportRefusal(st).has_value());
    const Verdict after = caseVerdict(st);
    EXPECT_EQ(before.status, after.status);
    EXPECT_EQ(before.line, after.line);
    EXPECT_EQ(storm, after.loadCase);
    ASSERT_EQ(3u, st.loadCaseResults.size());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(loadCaseLines[static_cast<size_t>(i)], loadCaseVerdict(st, i).line) << i;
}

} // namespace
} // namespace velmora
