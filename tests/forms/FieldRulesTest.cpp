// The input-box rules worked on the case without a window: stored value, shown text, warning,
// focus and recalculation.
#include "forms/FieldRules.h"
#include "calc/State.h"

#include <gtest/gtest.h>

#include <set>

using namespace velmora;

namespace {

State freshCase(bool decimalPoint = true) {
    State st;
    newCase(st);
    st.run.decimalPointLocale = decimalPoint;
    return st;
}

} // namespace

TEST(FieldRules, TableCoversEveryBoxOnce) {
    std::set<std::string_view> names;
    for (const FieldRule& r : fieldRules()) {
        EXPECT_TRUE(names.insert(r.control).second) << r.control;
        EXPECT_TRUE((r.number != nullptr) != (r.text != nullptr)) << r.control;
    }
    EXPECT_EQ(names.size(), 27u);
    // The two shared pairs set one field each.
    EXPECT_EQ(findFieldRule("icyll")->number, findFieldRule("icolL")->number);
    EXPECT_EQ(findFieldRule("ipp")->number, findFieldRule("ip")->number);
    EXPECT_EQ(findFieldRule("nosuchbox"), nullptr);
    State st;
    EXPECT_FALSE(leaveField(st, "nosuchbox", "1").known);
}

TEST(FieldRules, DecimalPointLocaleReadsEitherSeparator) {
    State st = freshCase(true);
    FieldOutcome o = leaveField(st, "it", "1,5");
    EXPECT_FLOAT_EQ(st.dc.t, 1.5f);
    EXPECT_EQ(o.shown, "1.5");
    EXPECT_TRUE(o.warning.empty());
    EXPECT_TRUE(o.recalc);

    leaveField(st, "it", "12abc");
    EXPECT_FLOAT_EQ(st.dc.t, 12.0f);

    // A text without a number is refused as the comma locale refuses it, never taken as 0:
    // the field keeps its value, the text stays in the box, the focus goes back.
    for (const char* text : {"abc", "", "  ", "-", ".", "e5", "abc5"}) {
        o = leaveField(st, "it", text);
        EXPECT_TRUE(o.mismatch) << text;
        EXPECT_EQ(o.warning, "Input string mismatch ") << text;
        EXPECT_TRUE(o.focusBack) << text;
        EXPECT_FALSE(o.recalc) << text;
        EXPECT_EQ(o.shown, text);
        EXPECT_FLOAT_EQ(st.dc.t, 12.0f) << text;
    }
    // Enter refuses it too.
    o = enterInField(st, "is1", "abc");
    EXPECT_TRUE(o.mismatch);
    EXPECT_FALSE(o.moveOn);
    // A leading zero is a number.
    leaveField(st, "it", "0abc");
    EXPECT_EQ(st.dc.t, 0.0f);
}

TEST(FieldRules, CommaLocaleShowsCommaAndRefusesBadText) {
    State st = freshCase(false);
    FieldOutcome o = leaveField(st, "it", "1.5");
    EXPECT_FLOAT_EQ(st.dc.t, 1.5f);
    EXPECT_EQ(o.shown, "1,5");

    o = leaveField(st, "it", "abc");
    EXPECT_TRUE(o.mismatch);
    EXPECT_EQ(o.warning, "Input string mismatch ");
    EXPECT_TRUE(o.focusBack);
    EXPECT_FALSE(o.recalc);
    EXPECT_EQ(o.shown, "abc"); // the typed text stays in the box
    EXPECT_FLOAT_EQ(st.dc.t, 1.5f);

    // l and Sigx still recalculate after a bad text; l refreshes the window first.
    o = leaveField(st, "il", "x");
    EXPECT_TRUE(o.mismatch);
    EXPECT_TRUE(o.refresh);
    EXPECT_TRUE(o.recalc);
    EXPECT_FLOAT_EQ(st.dc.l, 3000.0f);
    o = leaveField(st, "isigx", "x");
    EXPECT_FALSE(o.refresh);
    EXPECT_TRUE(o.recalc);
    // At Enter a bad text keeps the focus and stores nothing.
    o = enterInField(st, "isigy", "x");
    EXPECT_TRUE(o.focusBack);
    EXPECT_FALSE(o.moveOn);
    EXPECT_FLOAT_EQ(st.dc.Sigy, -10.0f);
}

TEST(FieldRules, UsageFactorLimitsAndRecalculation) {
    State st = freshCase();
    for (const char* ok : {"0.5", "1.5", "1"}) {
        FieldOutcome o = leaveField(st, "iufb", ok);
        EXPECT_TRUE(o.warning.empty()) << ok;
        EXPECT_TRUE(o.recalc) << ok;
    }
    FieldOutcome o = leaveField(st, "iufb", "0.49");
    EXPECT_EQ(o.warning, " 0.5 < UF < 1.5 ");
    EXPECT_TRUE(o.focusBack);
    EXPECT_FALSE(o.recalc); // refused: not recalculated
    EXPECT_FLOAT_EQ(st.dc.UF, 0.49f);
    EXPECT_EQ(o.shown, "0.49");
    o = leaveField(st, "iufb", "1.51");
    EXPECT_EQ(o.warning, " 0.5 < UF < 1.5 ");
}

TEST(FieldRules, YieldStrengthLimitsKeepTheValue) {
    State st = freshCase();
    EXPECT_TRUE(leaveField(st, "ifys", "50").warning.empty());
    EXPECT_TRUE(leaveField(st, "ifys", "2000").warning.empty());
    FieldOutcome o = leaveField(st, "ifys", "2001");
    EXPECT_EQ(o.warning, " 50 <= fys <= 2000 ");
    EXPECT_TRUE(o.recalc);
    EXPECT_FLOAT_EQ(st.dc.fys, 2001.0f);
    EXPECT_EQ(leaveField(st, "ifyp", "49").warning, " 50 <= fyp <= 2000 ");
    EXPECT_FALSE(leaveField(st, "ifyg", "49.9").warning.empty());
    EXPECT_TRUE(leaveField(st, "ifyg", "355").warning.empty());
}

TEST(FieldRules, SpacingUpToTheRadius) {
    State st = freshCase();
    FieldOutcome o = leaveField(st, "is1", "1500"); // s = r
    EXPECT_TRUE(o.warning.empty());
    o = leaveField(st, "is1", "1501");
    EXPECT_EQ(o.warning, " s  <= r  ");
    EXPECT_FALSE(o.focusBack); // leaving: the focus moves on
    o = enterInField(st, "is1", "1501");
    EXPECT_EQ(o.warning, " s  <= r  ");
    EXPECT_TRUE(o.focusBack); // at Enter the focus stays
    EXPECT_FALSE(o.moveOn);
    o = leaveField(st, "is1", "9");
    EXPECT_EQ(o.warning, " 10 <= s   ");
    EXPECT_TRUE(o.focusBack);
}

TEST(FieldRules, CylinderLengthReportsOnlyTheFirstFailure) {
    State st = freshCase();
    leaveField(st, "il", "100");
    FieldOutcome o = leaveField(st, "icyll", "40");
    EXPECT_EQ(o.warning, " L >= 50  ");
    o = leaveField(st, "icyll", "60");
    EXPECT_EQ(o.warning, " L >= l  ");
    EXPECT_TRUE(o.focusBack);
    EXPECT_TRUE(o.recalc);
    EXPECT_FLOAT_EQ(st.dc.L, 60.0f);
    // The column box knows only the lower limit, and writes its twin.
    o = leaveField(st, "icolL", "60");
    EXPECT_TRUE(o.warning.empty());
    EXPECT_TRUE(o.refresh);
    EXPECT_EQ(o.twin, "icyll");
    EXPECT_EQ(o.twinText, "60");
}

TEST(FieldRules, RingFrameLtCorrectedToTheCh39Limit) {
    State st = freshCase();
    // r 1500, ring frame H 200, tf 12: h = 188; pi sqrt(1500 * 188) = 1668.3012 in single.
    FieldOutcome o = leaveField(st, "igilt", "1668");
    EXPECT_TRUE(o.warning.empty());
    o = leaveField(st, "igilt", "1669");
    EXPECT_EQ(o.warning, " lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects the value ");
    EXPECT_FLOAT_EQ(st.dc.ltRing, 1667.30126953125f);
    EXPECT_EQ(o.shown, "1667");
    EXPECT_TRUE(o.focusBack);
    EXPECT_TRUE(o.recalc);
    o = leaveField(st, "igilt", "49");
    EXPECT_EQ(o.warning, " 50 <= lt ");
    EXPECT_FLOAT_EQ(st.dc.ltRing, 49.0f);
    EXPECT_FLOAT_EQ(ringTorsionalLengthLimit(st.dc), 1668.30126953125f);
}

TEST(FieldRules, RingFrameLtNotCorrectedBelowOne) {
    // With r read as 0 the limit is pi sqrt(0 * 188) = 0: the length stays as typed, out of
    // its limit, and the warning names the limit without claiming a correction.
    State st = freshCase();
    st.dc.r = 0;
    const FieldOutcome o = leaveField(st, "igilt", "700");
    EXPECT_EQ(o.warning, " lt<=pi*Sqr(r*h), ref ch 3.9 ");
    EXPECT_FLOAT_EQ(st.dc.ltRing, 700.0f);
    EXPECT_EQ(o.shown, "700");
    EXPECT_TRUE(o.focusBack);
    EXPECT_TRUE(o.recalc);
    EXPECT_FALSE(inputLimit(LimitId::ltRingMax).holds(st.dc));
}

TEST(FieldRules, LimitTestsAreThoseOfTheOneTable) {
    // Every box with a check refuses what the table of input limits refuses, and the other way
    // round: a value just outside and one on the limit of each.
    struct Probe {
        const char* box;
        const char* outside;
        const char* onLimit;
        LimitId limit;
    };
    const Probe probes[] = {
        {"iufb", "1.51", "1.5", LimitId::UF},    {"icylr", "49", "50", LimitId::rMin},
        {"il", "49", "50", LimitId::lMin},       {"it", "0.09", "0.1", LimitId::tMin},
        {"ie", "999.4", "999.5", LimitId::EMin}, {"ifyp", "2001", "2000", LimitId::fyp},
        {"is1", "9", "10", LimitId::sMin},       {"ilt", "49", "50", LimitId::ltStiffMin},
        {"ifys", "49", "50", LimitId::fys},      {"ifyg", "2001", "2000", LimitId::fyr},
        {"ik1", "0.19", "0.2", LimitId::k1Min},  {"ik2", "0.19", "0.2", LimitId::k2Min},
        {"icolL", "49", "50", LimitId::LMin},
    };
    for (const Probe& p : probes) {
        State st = freshCase();
        EXPECT_FALSE(leaveField(st, p.box, p.outside).warning.empty()) << p.box;
        EXPECT_FALSE(inputLimit(p.limit).holds(st.dc)) << p.box;
        EXPECT_TRUE(leaveField(st, p.box, p.onLimit).warning.empty()) << p.box;
        EXPECT_TRUE(inputLimit(p.limit).holds(st.dc)) << p.box;
    }
}

TEST(FieldRules, ModulusTestedOnTheShownTextAndRecalculatedLikeAnyInput) {
    State st = freshCase();
    FieldOutcome o = leaveField(st, "ie", "999.6");
    EXPECT_EQ(o.shown, "1.00E+3");
    EXPECT_TRUE(o.warning.empty());
    EXPECT_TRUE(o.recalc);
    EXPECT_FLOAT_EQ(st.dc.E, 999.6f); // the stored value is the unrounded one
    o = leaveField(st, "ie", "994");
    EXPECT_EQ(o.warning, " 1000 <= E-modulus ");
    EXPECT_TRUE(o.recalc);
}

TEST(FieldRules, RadiusRingDistanceAndBucklingFactors) {
    State st = freshCase();
    FieldOutcome o = leaveField(st, "icylr", "1234.6");
    EXPECT_EQ(o.shown, "1235");
    EXPECT_FLOAT_EQ(st.dc.r, 1234.6f);
    o = leaveField(st, "icylr", "49");
    EXPECT_EQ(o.warning, " cylr >= 50 ");
    EXPECT_TRUE(o.focusBack);
    EXPECT_TRUE(o.recalc);
    o = leaveField(st, "il", "49");
    EXPECT_EQ(o.warning, " l >= 50 ");
    EXPECT_FALSE(o.focusBack);
    EXPECT_TRUE(o.refresh);
    EXPECT_TRUE(o.recalc);
    EXPECT_TRUE(leaveField(st, "ik1", "0.2").warning.empty());
    EXPECT_TRUE(leaveField(st, "ik2", "0.2").warning.empty());
    EXPECT_EQ(leaveField(st, "ik1", "0.19").warning, " k1 >= 0.2  ");
    EXPECT_EQ(leaveField(st, "ik2", "0.19").warning, " k2 >= 0.2  ");
    EXPECT_EQ(leaveField(st, "ilt", "49").warning, " 50 <= lt ");
}

TEST(FieldRules, EnterStoresCheckedBoxesAndMovesOn) {
    State st = freshCase();
    FieldOutcome o = enterInField(st, "im1a", "123.4");
    EXPECT_FLOAT_EQ(st.dc.M1a, 123.4f);
    EXPECT_EQ(o.shown, "123.4");
    EXPECT_TRUE(o.moveOn);
    EXPECT_FALSE(o.recalc); // the recalculation follows when the box is left
    // Boxes checked only when left: Enter moves on without storing.
    o = enterInField(st, "icylr", "10");
    EXPECT_TRUE(o.moveOn);
    EXPECT_TRUE(o.warning.empty());
    EXPECT_FLOAT_EQ(st.dc.r, 1500.0f);
    // Text boxes store their text.
    o = enterInField(st, "iproj", "Jacket leg, 3\" pipe");
    EXPECT_EQ(st.dc.projectName, "Jacket leg, 3\" pipe");
    EXPECT_TRUE(o.moveOn);
    o = leaveField(st, "iident", "Case 7");
    EXPECT_EQ(st.dc.identification, "Case 7");
    EXPECT_FALSE(o.recalc);
}

TEST(FieldRules, LoadsNeverRefusedAndRefreshFormats) {
    State st = freshCase();
    for (const char* name : {"isigx", "isigy", "itau", "ipp", "ip", "inn", "im2b"}) {
        FieldOutcome o = leaveField(st, name, "-1e6");
        EXPECT_TRUE(o.warning.empty()) << name;
        EXPECT_TRUE(o.recalc) << name;
    }
    State fresh = freshCase();
    EXPECT_EQ(refreshText(fresh, *findFieldRule("ipp")), "-0.300");
    EXPECT_EQ(refreshText(fresh, *findFieldRule("ik1")), "1.00");
    EXPECT_EQ(refreshText(fresh, *findFieldRule("isigx")), "-100.0");
    fresh.dc.fyp = 50;
    EXPECT_EQ(refreshText(fresh, *findFieldRule("ifyp")), "050");
}

TEST(FieldRules, EnterTargetsFollowTheWindow) {
    std::set<std::string> shown;
    auto avail = [&](std::string_view n) { return shown.count(std::string(n)) > 0; };
    EXPECT_EQ(enterTarget("iident", avail), "icylr");
    EXPECT_EQ(enterTarget("ifyp", avail), "icolL");
    EXPECT_EQ(enterTarget("cbofyp", avail), "icolL");
    EXPECT_EQ(enterTarget("cbofys", avail), "icyll");
    EXPECT_EQ(enterTarget("cbofyg", avail), "isigx");
    shown = {"iufb", "fr121", "fr123", "ifyp", "ifyg"};
    EXPECT_EQ(enterTarget("iident", avail), "iufb");
    EXPECT_EQ(enterTarget("ifyp", avail), "icyll");
    EXPECT_EQ(enterTarget("cbofyp", avail), "ifyp");
    EXPECT_EQ(enterTarget("cbofyg", avail), "ifyg");
    shown = {"fr120", "fr121"};
    EXPECT_EQ(enterTarget("ifyp", avail), "is1");
    EXPECT_EQ(enterTarget("ipp", avail), "iproj");
    EXPECT_EQ(enterTarget("im2b", avail), "iproj");
    EXPECT_EQ(enterTarget("cbostiff", avail), "cbofys");
    EXPECT_EQ(enterTarget("cboring", avail), "cbofyg");
}

TEST(FieldRules, ProfilesPopupUnlessUnstiffened) {
    DesignCase dc;
    for (CylinderType t : {CylinderType::Unstiffened, CylinderType::RingStiffened,
                           CylinderType::StringerStiffened, CylinderType::Column}) {
        dc.cylinderType = t;
        EXPECT_EQ(profilesPopupOnRightClick(dc), t != CylinderType::Unstiffened);
    }
}
