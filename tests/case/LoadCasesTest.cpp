#include "case/LoadCases.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

std::vector<std::string> names(const DesignCase& dc) {
    return loadCaseNames(dc);
}

TEST(LoadCases, NewCaseHasOneLoadCaseLC1HoldingItsLoads) {
    const DesignCase dc;
    ASSERT_EQ(1, loadCaseCount(dc));
    const LoadCase lc = loadCaseAt(dc, 0);
    EXPECT_EQ("LC1", lc.name);
    EXPECT_EQ(dc.Sigx, lc.Sigx);
    EXPECT_EQ(-0.3f, lc.pd);
    EXPECT_EQ(LoadCase{}, lc);
}

TEST(LoadCases, SelectionMovesLoadsThroughTheFlatFieldsAndKeepsTheOrder) {
    DesignCase dc;
    dc.Sigx = -70;
    ASSERT_EQ(1, addLoadCase(dc)); // LC2, selected, with a new case's loads
    EXPECT_EQ("LC2", dc.loadCaseName);
    EXPECT_EQ(-100.0f, dc.Sigx);
    EXPECT_EQ(-0.3f, dc.pd);
    dc.Sigx = -55;
    dc.designFormat = DesignFormat::WSD;
    ASSERT_EQ(2, addLoadCase(dc)); // LC3 takes the format and UF of LC2
    EXPECT_EQ(DesignFormat::WSD, dc.designFormat);
    ASSERT_TRUE(selectLoadCase(dc, 0));
    EXPECT_EQ(-70.0f, dc.Sigx);
    EXPECT_EQ(DesignFormat::LRFD, dc.designFormat);
    EXPECT_EQ((std::vector<std::string>{"LC1", "LC2", "LC3"}), names(dc));
    EXPECT_EQ(-55.0f, loadCaseAt(dc, 1).Sigx);
    EXPECT_FALSE(selectLoadCase(dc, 3));
    EXPECT_FALSE(selectLoadCase(dc, -1));
    EXPECT_EQ(0, dc.selectedLoadCase);
}

TEST(LoadCases, NamesAreUniqueNonEmptyOneLineAndAtMostThirtyCharacters) {
    DesignCase dc;
    addLoadCase(dc);
    EXPECT_NE("", renameLoadCase(dc, 1, "LC1"));
    EXPECT_NE("", renameLoadCase(dc, 1, ""));
    EXPECT_NE("", renameLoadCase(dc, 1, "a\nb"));
    EXPECT_NE("", renameLoadCase(dc, 1, std::string(31, 'x')));
    EXPECT_EQ("LC2", dc.loadCaseName);
    EXPECT_EQ("", renameLoadCase(dc, 1, std::string(30, 'x')));
    // Thirty characters, not bytes: each "ü" is two bytes of UTF-8.
    std::string umlauts;
    for (int i = 0; i < 30; ++i)
        umlauts += "\xC3\xBC";
    EXPECT_EQ("", renameLoadCase(dc, 0, umlauts));
    EXPECT_EQ("", renameLoadCase(dc, 1, "LC2")); // its own name again
    EXPECT_EQ(umlauts, loadCaseAt(dc, 0).name);
}

TEST(LoadCases, DuplicateCopiesTheSelectedOneAfterItUnderAFreeName) {
    DesignCase dc;
    dc.Tau = 12;
    ASSERT_EQ(1, duplicateLoadCase(dc));
    EXPECT_EQ("LC1 (2)", dc.loadCaseName);
    EXPECT_EQ(12.0f, dc.Tau);
    selectLoadCase(dc, 0);
    ASSERT_EQ(1, duplicateLoadCase(dc));
    EXPECT_EQ((std::vector<std::string>{"LC1", "LC1 (3)", "LC1 (2)"}), names(dc));
    renameLoadCase(dc, 0, std::string(30, 'y'));
    selectLoadCase(dc, 0);
    duplicateLoadCase(dc);
    EXPECT_EQ(std::string(26, 'y') + " (2)", dc.loadCaseName);
}

TEST(LoadCases, DeleteNeverTheLastAndTheSelectionFollows) {
    DesignCase dc;
    EXPECT_FALSE(deleteLoadCase(dc, 0));
    addLoadCase(dc);
    addLoadCase(dc);
    dc.Sigy = 7; // LC3 selected
    ASSERT_TRUE(deleteLoadCase(dc, 0));
    EXPECT_EQ((std::vector<std::string>{"LC2", "LC3"}), names(dc));
    EXPECT_EQ("LC3", dc.loadCaseName);
    EXPECT_EQ(7.0f, dc.Sigy);
    ASSERT_TRUE(deleteLoadCase(dc, 1)); // the selected one: the one before it is selected
    EXPECT_EQ("LC2", dc.loadCaseName);
    EXPECT_EQ(-10.0f, dc.Sigy);
    EXPECT_FALSE(deleteLoadCase(dc, 0));
    EXPECT_EQ(1, loadCaseCount(dc));
}

TEST(LoadCases, AtMostThirty) {
    DesignCase dc;
    for (int i = 1; i < kMaxLoadCases; ++i)
        ASSERT_EQ(i, addLoadCase(dc));
    EXPECT_EQ(-1, addLoadCase(dc));
    EXPECT_EQ(-1, duplicateLoadCase(dc));
    EXPECT_EQ(kMaxLoadCases, loadCaseCount(dc));
}

TEST(LoadCases, RestrictKeepsTheNamedOnesAndSelectsTheFirstNamed) {
    DesignCase dc;
    addLoadCase(dc);
    addLoadCase(dc);
    EXPECT_NE("", restrictLoadCases(dc, {"LC3", "nope"}));
    EXPECT_EQ(3, loadCaseCount(dc));
    ASSERT_EQ("", restrictLoadCases(dc, {"LC3", "LC1"}));
    EXPECT_EQ((std::vector<std::string>{"LC1", "LC3"}), names(dc));
    EXPECT_EQ("LC3", dc.loadCaseName);
    EXPECT_EQ(-100.0f, dc.Sigx);
}

} // namespace
} // namespace velmora
