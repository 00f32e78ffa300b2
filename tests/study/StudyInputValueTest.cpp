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

TEST(StudyValueText, ProfileRowsNameTheirProfile) {
    State st = test::newTestState(); // stiffener from the L table, ring frame from the T table
    EXPECT_EQ(studyValueText(st, "ringRow", 1, '.'), "1 (T300x150x10x15)");
    EXPECT_EQ(studyValueText(st, "stiffRow", 2, '.'), "2 (L100x65x7x7)");
    EXPECT_EQ(studyValueText(st, "t", 14.5f, ','), "14,5");
    // The profile follows the kind the case uses; a built-up profile has no row to name.
    st.dc.ring.kind = 4; // flat bar table
    EXPECT_EQ(studyValueText(st, "ringRow", 1, '.'), "1 (Fb150x12)");
    st.dc.ring.kind = 5; // flat bar built-up
    EXPECT_EQ(studyValueText(st, "ringRow", 1, '.'), "1");
}

} // namespace
} // namespace velmora
