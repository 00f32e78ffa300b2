// The value of a study input in the case: what applyStudyValues stores reads back under the
// same name for every input, and the names without a value.
#include "calc/State.h"
#include "case/Notifier.h"
#include "study/StudyInputs.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

TEST(StudyInputValue, ReadsBackWhatTheGridStores) {
    const State base = test::newTestState();
    QuietNotifier nt;
    for (std::string_view name : studyInputNames()) {
        State st = base;
        StudyRange r;
        r.name = std::string(name);
        r.from = 1;
        r.to = 1;
        r.step = 1;
        StudyGrid grid;
        ASSERT_EQ(makeStudyGrid(st, {r}, grid), "") << name;
        applyStudyValues(st, nt, grid, {1.0f});
        ASSERT_EQ(studyInputValue(st, name), 1.0) << name;
        // Every other input keeps the value it had.
        for (std::string_view other : studyInputNames()) {
            if (other != name) {
                EXPECT_EQ(studyInputValue(st, other), studyInputValue(base, other))
                    << name << " changed " << other;
            }
        }
    }
}

TEST(StudyInputValue, NoneForUnknownNamesAndBuiltUpProfiles) {
    State st = test::newTestState();
    EXPECT_EQ(studyInputValue(st, "thickness"), std::nullopt);
    st.dc.ring.kind = 3; // T built-up
    EXPECT_EQ(studyInputValue(st, "ringRow"), std::nullopt);
    EXPECT_TRUE(studyInputValue(st, "stiffRow").has_value());
}

} // namespace
} // namespace velmora
