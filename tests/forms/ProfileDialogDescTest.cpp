// The profile dialog family as data, and the dialog behaviour that needs no window: storing and
// checking typed dimensions, the summary texts, the table lists. Expected section values are
// worked out by hand (parallel-axis sums about the plate-side end of the web).

#include "forms/ProfileDialogDesc.h"

#include "calc/Calc.h"
#include "calc/State.h"
#include "support/RecordingNotifier.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <set>

using namespace velmora;

namespace {

const ProfileDialogDesc& desc(const char* name) {
    const ProfileDialogDesc* d = findProfileDialog(name);
    if (!d)
        throw std::runtime_error(std::string("no dialog ") + name);
    return *d;
}

std::string summaryText(const State& st, const ProfileDialogDesc& d, const std::string& name) {
    for (const auto& l : profileSummary(st, d))
        if (l.name == name)
            return l.text;
    return "<absent>";
}

std::vector<std::string> boxNames(const ProfileDialogDesc& d) {
    std::vector<std::string> out;
    for (const auto& b : d.boxes)
        out.push_back(b.name);
    return out;
}

} // namespace

TEST(ProfileDialogDescs, FamilyHasOneMemberPerMemberAndKind) {
    const auto& all = profileDialogDescs();
    ASSERT_EQ(all.size(), 20u);
    std::set<std::string> names;
    for (const auto& d : all)
        names.insert(d.name);
    EXPECT_EQ(names.size(), 20u);
    const char* stiff[] = {"stiffl",  "stifflb", "stifft",   "stifftb",  "stifff",
                           "stifffb", "stiffhp", "stiffrhs", "stiffusp", "stiffib"};
    const char* ring[] = {"girdl",  "girdlb", "girdt",   "girdtb",  "girdf",
                          "girdfb", "girdhp", "girdrhs", "girdusp", "girdib"};
    for (int k = 0; k < 10; ++k) {
        EXPECT_STREQ(profileDialogFor(ProfileMember::Stiffener, k)->name, stiff[k]);
        EXPECT_STREQ(profileDialogFor(ProfileMember::Ring, k)->name, ring[k]);
        EXPECT_EQ(profileDialogFor(ProfileMember::Ring, k)->isPicker(),
                  isTableKind(static_cast<int16_t>(k)));
    }
    EXPECT_EQ(profileDialogFor(ProfileMember::Stiffener, 10), nullptr);
    EXPECT_EQ(profileDialogFor(ProfileMember::Ring, -1), nullptr);
    EXPECT_EQ(findProfileDialog("stiffx"), nullptr);
}

TEST(ProfileDialogDescs, CaptionsKeepTheirBlanks) {
    EXPECT_STREQ(desc("stiffl").caption, "Stiffener:  L-table");
    EXPECT_STREQ(desc("stifff").caption, "Stiffener:  Flatbar-table");
    EXPECT_STREQ(desc("girdl").caption, "Ringframe:  L-table");
    EXPECT_STREQ(desc("girdf").caption, "Ringframe: Flatbar-table");
    EXPECT_STREQ(desc("stiffrhs").caption, "Stiffener:  RHS");
    EXPECT_STREQ(desc("girdrhs").caption, "Ringframe: RHS");
    EXPECT_STREQ(desc("stiffhp").caption, "Stiffener: Bulb Flat");
    EXPECT_STREQ(desc("girdusp").caption, "Ringframe: Trapez-profile");
    EXPECT_STREQ(kindCaption(ProfileMember::Stiffener, 9), "I-built up");
    EXPECT_STREQ(kindCaption(ProfileMember::Ring, 9), "I-profile");
}

TEST(ProfileDialogDescs, BoxesAndCyclicEnterOrder) {
    using V = std::vector<std::string>;
    EXPECT_EQ(boxNames(desc("stifflb")), (V{"isth", "istb", "isttw", "isttf"}));
    EXPECT_EQ(boxNames(desc("girdib")), (V{"isth", "istb", "isttw", "isttf"}));
    EXPECT_EQ(boxNames(desc("stifffb")), (V{"isth", "isttw"}));
    EXPECT_EQ(boxNames(desc("girdrhs")), (V{"isth", "istb", "isttw"}));
    EXPECT_EQ(boxNames(desc("stiffusp")), (V{"isth", "istb", "ista", "isttw"}));
    EXPECT_TRUE(desc("stiffl").boxes.empty());

    const auto& usp = desc("girdusp");
    EXPECT_STREQ(usp.nextBox("isth")->name, "istb");
    EXPECT_STREQ(usp.nextBox("istb")->name, "ista");
    EXPECT_STREQ(usp.nextBox("ista")->name, "isttw");
    EXPECT_STREQ(usp.nextBox("isttw")->name, "isth");
    EXPECT_STREQ(desc("stifflb").nextBox("isttf")->name, "isth");
    EXPECT_EQ(usp.nextBox("isttf"), nullptr);
}

TEST(ProfileDialogDescs, OkAndClosingBehaviourByMember) {
    for (const char* n : {"stifflb", "stifftb", "stifffb", "stiffrhs", "stiffusp", "stiffib"})
        EXPECT_EQ(desc(n).ok, OkAction::RecheckAndClose) << n;
    for (const char* n : {"girdlb", "girdtb", "girdib", "girdl"})
        EXPECT_EQ(desc(n).ok, OkAction::Close) << n;
    for (const char* n : {"girdfb", "girdrhs", "girdusp", "stiffl", "stifft", "stifff", "stiffhp",
                          "girdt", "girdf", "girdhp"})
        EXPECT_EQ(desc(n).ok, OkAction::CloseAndRecalculate) << n;

    // Only the stiffener T-table picker recomputes the section on a row choice.
    for (const auto& d : profileDialogDescs())
        EXPECT_EQ(d.recomputeSectionOnRow, std::string(d.name) == "stifft") << d.name;

    // Closing re-checks H and B; flat bars H only; the ring-frame trapezoid also a.
    auto closing = [](const ProfileDialogDesc& d) {
        std::vector<std::string> out;
        for (const auto& b : d.boxes)
            if (b.checkedOnClose)
                out.push_back(b.name);
        return out;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(closing(desc("stifflb")), (V{"isth", "istb"}));
    EXPECT_EQ(closing(desc("girdfb")), (V{"isth"}));
    EXPECT_EQ(closing(desc("stiffusp")), (V{"isth", "istb"}));
    EXPECT_EQ(closing(desc("girdusp")), (V{"isth", "istb", "ista"}));
}

TEST(ProfileDialogDescs, LeavingAStiffenerBoxWarnsAndCorrectsOnlyThicknesses) {
    State st = test::newTestState();
    const auto& d = desc("stifflb");
    auto& set = st.dc.stiff.savedSet(ProfileKind::LBuiltUp);

    BoxOutcome o = leaveBox(st, d, *d.box("isttw"), "0.05");
    EXPECT_TRUE(o.parsed);
    EXPECT_EQ(o.warning, " tw >= 0.1 ");
    EXPECT_EQ(set.tw, 0.1f);
    EXPECT_EQ(boxText(st, d, *d.box("isttw")), "0.1");

    o = leaveBox(st, d, *d.box("isth"), "3");
    EXPECT_EQ(o.warning, " H >= 5 ");
    EXPECT_EQ(set.H, 3.0f); // kept as typed

    o = leaveBox(st, d, *d.box("istb"), "4,5"); // either decimal separator
    EXPECT_EQ(o.warning, " B >= 5 ");
    EXPECT_EQ(set.B, 4.5f);

    o = leaveBox(st, d, *d.box("isttf"), "0.1"); // equal to the limit passes
    EXPECT_FALSE(o.warning);
    EXPECT_EQ(set.tf, 0.1f);

    o = leaveBox(st, d, *d.box("isth"), "250");
    EXPECT_FALSE(o.warning);
    EXPECT_EQ(set.H, 250.0f);
    // Nothing else was touched: the other saved sets and the ring frame stay.
    EXPECT_EQ(st.dc.stiff.savedSet(ProfileKind::TBuiltUp).H, 200.0f);
    EXPECT_EQ(st.dc.ring.savedSet(ProfileKind::LBuiltUp).H, 200.0f);
}

TEST(ProfileDialogDescs, LeavingARingBoxRaisesHeightAndWidthToFive) {
    State st = test::newTestState();
    const auto& d = desc("girdlb");
    auto& set = st.dc.ring.savedSet(ProfileKind::LBuiltUp);
    EXPECT_EQ(leaveBox(st, d, *d.box("isth"), "3").warning, " H >= 5 ");
    EXPECT_EQ(set.H, 5.0f);
    EXPECT_EQ(leaveBox(st, d, *d.box("istb"), "-2").warning, " B >= 5 ");
    EXPECT_EQ(set.B, 5.0f);
    EXPECT_EQ(leaveBox(st, d, *d.box("isttf"), "0").warning, " tf >= 0.1 ");
    EXPECT_EQ(set.tf, 0.1f);
    EXPECT_EQ(st.dc.stiff.savedSet(ProfileKind::LBuiltUp).H, 200.0f);
}

TEST(ProfileDialogDescs, TrapezoidAIsWarnedAndKept) {
    State st = test::newTestState();
    for (const char* n : {"stiffusp", "girdusp"}) {
        const auto& d = desc(n);
        auto& set = memberRecord(st.dc, d.member).savedSet(ProfileKind::Trapez);
        EXPECT_EQ(leaveBox(st, d, *d.box("ista"), "-4").warning, " a >= 0 ") << n;
        EXPECT_EQ(set.a, -4.0f) << n;
        EXPECT_FALSE(leaveBox(st, d, *d.box("ista"), "0").warning) << n;
        // The plate thickness t is checked with the web-thickness texts.
        EXPECT_EQ(leaveBox(st, d, *d.box("isttw"), "0.01").warning, " tw >= 0.1 ") << n;
        EXPECT_EQ(set.tw, 0.1f) << n;
    }
    EXPECT_EQ(closingWarnings(st, desc("girdusp")), std::vector<std::string>{});
    st.dc.ring.savedSet(ProfileKind::Trapez).a = -1;
    st.dc.stiff.savedSet(ProfileKind::Trapez).a = -1;
    EXPECT_EQ(closingWarnings(st, desc("girdusp")), std::vector<std::string>{" a >= 0 "});
    EXPECT_EQ(closingWarnings(st, desc("stiffusp")), std::vector<std::string>{});
}

TEST(ProfileDialogDescs, TextWithoutANumberIsRefusedInTheDecimalPointLocaleToo) {
    State st = test::newTestState();
    const auto& d = desc("stifflb");
    const float before = st.dc.stiff.savedSet(ProfileKind::LBuiltUp).tw;
    ASSERT_NE(before, 0.0f);
    for (const char* text : {"abc", "", "-", "x12"}) {
        const BoxOutcome o = leaveBox(st, d, *d.box("isttw"), text);
        EXPECT_FALSE(o.parsed) << text;
        EXPECT_EQ(o.warning, "Input string mismatch ") << text;
        EXPECT_EQ(st.dc.stiff.savedSet(ProfileKind::LBuiltUp).tw, before) << text;
    }
    // The leading number of a text counts, as the locale reads it.
    EXPECT_TRUE(leaveBox(st, d, *d.box("isttw"), "7.5mm").parsed);
    EXPECT_EQ(st.dc.stiff.savedSet(ProfileKind::LBuiltUp).tw, 7.5f);
}

TEST(ProfileDialogDescs, MismatchLeavesTheSavedValue) {
    State st = test::newTestState();
    st.run.decimalPointLocale = false; // a comma locale converts strictly
    const auto& d = desc("stifflb");
    const BoxOutcome o = leaveBox(st, d, *d.box("isth"), "12abc");
    EXPECT_FALSE(o.parsed);
    EXPECT_EQ(o.warning, "Input string mismatch ");
    EXPECT_EQ(st.dc.stiff.savedSet(ProfileKind::LBuiltUp).H, 200.0f);
    EXPECT_TRUE(leaveBox(st, d, *d.box("isth"), "150,5").parsed);
    EXPECT_EQ(st.dc.stiff.savedSet(ProfileKind::LBuiltUp).H, 150.5f);
    EXPECT_EQ(boxText(st, d, *d.box("isth")), "151"); // "##0" rounds half away from zero
    EXPECT_EQ(boxText(st, d, *d.box("istb"), true), "90,0");
}

TEST(ProfileDialogDescs, OkWarningsUseTheClosingLimits) {
    State st = test::newTestState();
    const auto& d = desc("stifflb");
    auto& set = st.dc.stiff.savedSet(ProfileKind::LBuiltUp);
    EXPECT_TRUE(okWarnings(st, d).empty());
    set.tw = 0.5f;
    EXPECT_EQ(okWarnings(st, d), std::vector<std::string>{" tw >= 1 "});
    set.H = 3;
    set.B = 4;
    set.tf = 1; // equal to the limit passes
    EXPECT_EQ(okWarnings(st, d), (std::vector<std::string>{" H >= 5 ", " B >= 5 ", " tw >= 1 "}));
    EXPECT_EQ(closingWarnings(st, d), (std::vector<std::string>{" H >= 5 ", " B >= 5 "}));
    EXPECT_EQ(set.tw, 0.5f); // nothing corrected

    // RHS t against " tw >= 1 "; flat bar closing checks H only.
    st.dc.stiff.savedSet(ProfileKind::RHS).tw = 0.2f;
    EXPECT_EQ(okWarnings(st, desc("stiffrhs")), std::vector<std::string>{" tw >= 1 "});
    st.dc.stiff.savedSet(ProfileKind::FlatBuiltUp).H = 2;
    EXPECT_EQ(closingWarnings(st, desc("stifffb")), std::vector<std::string>{" H >= 5 "});
    // Ring-frame OK buttons re-check nothing.
    st.dc.ring.savedSet(ProfileKind::LBuiltUp).tw = 0.5f;
    EXPECT_TRUE(okWarnings(st, desc("girdlb")).empty());
}

TEST(ProfileDialogDescs, SummaryOfTheNewLBuiltUpStiffener) {
    State st = test::newTestState();
    const auto& d = desc("stifflb");
    activateKind(st, d);
    EXPECT_EQ(st.dc.stiff.kind, ProfileKind::LBuiltUp);
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    // L 200x90x9x12: A = 9*188 + 90*12 = 2772, g = 21.76 kg/m,
    // zc = 132.961, Iy = 1.1589E+7, Iz = 1.8103E+6; fys 355 gives the limits 295.5 and 116.7.
    EXPECT_EQ(summaryText(st, d, "isth"), "200");
    EXPECT_EQ(summaryText(st, d, "istb"), "90");
    EXPECT_EQ(summaryText(st, d, "isttw"), "9.0");
    EXPECT_EQ(summaryText(st, d, "isttf"), "12.0");
    EXPECT_EQ(summaryText(st, d, "sta"), "2772 mm2");
    EXPECT_EQ(summaryText(st, d, "stg"), "21.8 kg/m");
    EXPECT_EQ(summaryText(st, d, "stiy"), "1.159E+7 mm4");
    EXPECT_EQ(summaryText(st, d, "stiz"), "1.810E+6 mm4");
    EXPECT_EQ(summaryText(st, d, "webclass"), "h <= 296 (Eq 3.10.7) ==> OK");
    EXPECT_EQ(summaryText(st, d, "flangeclass"), "bf <= 117 (Eq 3.10.9) ==> OK");
    EXPECT_EQ(summaryText(st, d, "sth"), "<absent>");
}

TEST(ProfileDialogDescs, LabelsShowOnlyWhatTheKindComputes) {
    State st = test::newTestState();
    // Flat bars: no B, tf, Iz or flange labels.
    for (const char* n : {"stifff", "stifffb", "girdf", "girdfb"}) {
        const auto s = profileSummary(st, desc(n));
        for (const char* absent : {"stb", "sttf", "stiz", "flangeclass", "flangeclass1",
                                   "flangeclass2", "webclass2", "istb", "isttf"})
            for (const auto& l : s)
                EXPECT_NE(l.name, absent) << n;
    }
    // RHS and trapezoid: no proportion texts; no Iz from the section routine.
    for (const char* n : {"stiffrhs", "girdrhs", "stiffusp", "girdusp"}) {
        EXPECT_TRUE(desc(n).checks.empty()) << n;
        EXPECT_EQ(summaryText(st, desc(n), "stiz"), "<absent>") << n;
    }
    EXPECT_EQ(summaryText(st, desc("stiffib"), "stiz"), "<absent>");
    EXPECT_NE(summaryText(st, desc("girdib"), "stiz"), "<absent>");
    // The bulb flat has its web checks only.
    EXPECT_EQ(desc("stiffhp").checks.size(), 1u);
    EXPECT_EQ(desc("girdhp").checks.size(), 2u);
    EXPECT_EQ(desc("girdt").checks.size(), 4u);
    EXPECT_STREQ(desc("stiffl").profileFrameCaption, "Stiffener");
    EXPECT_STREQ(desc("girdl").profileFrameCaption, "Profile");
}

TEST(ProfileDialogDescs, BulbFlatPickerShowsTheEquivalentFlange) {
    State st = test::newTestState();
    const auto& d = desc("stiffhp");
    activateKind(st, d);
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    // Row BF 200x10, c 29, r 9, A 2820: B = 29 + 10 - 4.05 = 34.95, tf = (2820 - 2000)/24.95
    // = 32.866; Aw = 10 * 167.134 = 1671.3, Af = 34.95 * 32.866 = 1148.7, A = 2820.
    EXPECT_EQ(summaryText(st, d, "sth"), "200 mm");
    EXPECT_EQ(summaryText(st, d, "stb"), "35.0 mm");
    EXPECT_EQ(summaryText(st, d, "sttw"), "10.0 mm");
    EXPECT_EQ(summaryText(st, d, "sttf"), "32.9 mm");
    EXPECT_EQ(summaryText(st, d, "stc"), "29.0 mm");
    EXPECT_EQ(summaryText(st, d, "strr"), "9.0 mm");
    EXPECT_EQ(summaryText(st, d, "sta"), "2820 mm2");
    EXPECT_EQ(summaryText(st, d, "stg"), "22.1 kg/m");
}

TEST(ProfileDialogDescs, TableListsAndRowChoice) {
    State st = test::newTestState();
    const auto& l = desc("stiffl");
    EXPECT_EQ(tableListTexts(st, l),
              (std::vector<std::string>{"L200x90x9x12", "L150x90x10x10", "L100x65x7x7"}));
    EXPECT_EQ(selectedTableRow(st, l), 0);
    st.dc.stiff.rowL = 2;
    EXPECT_EQ(selectedTableRow(st, l), 2);
    st.dc.stiff.rowL = 3; // beyond the loaded table: nothing highlighted
    EXPECT_EQ(selectedTableRow(st, l), std::nullopt);

    const auto& gt = desc("girdt");
    EXPECT_TRUE(chooseTableRow(st, gt, 1));
    EXPECT_EQ(st.dc.ring.rowT, 1);
    EXPECT_EQ(st.dc.stiff.rowT, 0);
    EXPECT_FALSE(chooseTableRow(st, gt, 2));
    EXPECT_FALSE(chooseTableRow(st, gt, -1));
    EXPECT_EQ(st.dc.ring.rowT, 1);
    EXPECT_EQ(tableListTexts(st, desc("girdf")),
              (std::vector<std::string>{"Fb200x10", "Fb150x12"}));
    EXPECT_EQ(tableListTexts(st, desc("girdhp")), std::vector<std::string>{"BF 200x10"});
    EXPECT_TRUE(tableListTexts(st, desc("girdlb")).empty());
}

TEST(ProfileDialogDescs, WhichRunComputesWhichSection) {
    DesignCase dc;
    dc.cylinderType = CylinderType::StringerStiffened;
    dc.ringControl = 0;
    EXPECT_TRUE(runComputesSection(dc, ProfileMember::Stiffener));
    EXPECT_FALSE(runComputesSection(dc, ProfileMember::Ring));
    dc.cylinderType = CylinderType::RingStiffened;
    EXPECT_FALSE(runComputesSection(dc, ProfileMember::Stiffener));
    EXPECT_TRUE(runComputesSection(dc, ProfileMember::Ring));
    dc.cylinderType = CylinderType::Column;
    dc.ringControl = 1;
    EXPECT_TRUE(runComputesSection(dc, ProfileMember::Ring));
}
