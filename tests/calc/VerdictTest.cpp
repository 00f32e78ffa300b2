// The verdict of a calculated case: its status in order (not calculated, inputs out of limits,
// fails, passes), the checks that apply with the governing one, the reasons and the one-line
// text; the shell of a stringer-stiffened cylinder too slender for its stringers checked as an
// unstiffened cylinder; the input limits of every field in use.
#include "calc/Verdict.h"

#include "calc/Calc.h"
#include "checks/Checks.h"
#include "support/RecordingNotifier.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velmora {
namespace {

// The new case (fyp 355 as a user-defined plate) as the given cylinder type, calculated.
State calculated(CylinderType type, bool ringFrames = true) {
    State st = test::userDefinedPlateState();
    st.dc.cylinderType = type;
    st.dc.ringControl = ringFrames ? 1 : 0;
    RecordingNotifier nt;
    calcAll(st, nt);
    return st;
}

bool hasReason(const Verdict& v, const std::string& text) {
    return std::find(v.reasons.begin(), v.reasons.end(), text) != v.reasons.end();
}

// The shell of the new case as an unstiffened cylinder (Ch 3.4.2): Zl = 3000^2 / (1500 * 20)
// sqrt(0.91) = 286.18, SigjSd = 112.3 and fksd = 111.7 (gm 1.45 at lamdas 1.40), so UF = 1.0054.
constexpr double kUnstiffenedUF = 1.0054;

TEST(Verdict, UnstiffenedNewCaseFailsItsShellCheck) {
    const State st = calculated(CylinderType::Unstiffened, false);
    const Verdict v = caseVerdict(st);
    EXPECT_EQ(v.status, VerdictStatus::Fails);
    ASSERT_EQ(v.governing, CheckId::Shell);
    EXPECT_NEAR(v.checks[0].uf, kUnstiffenedUF, 1e-3);
    EXPECT_EQ(v.checks[0].permitted, 1.0);
    EXPECT_NEAR(v.ratio, kUnstiffenedUF, 1e-3);
    EXPECT_EQ(v.line, "FAILS - governing: shell buckling (Ch 3.4.2), UF 1.01 of 1.00");
    EXPECT_EQ(v.reasons, std::vector<std::string>{"shell buckling (Ch 3.4.2): UF 1.01 > 1.00"});
    // Only the shell check applies to an unstiffened cylinder without ring-frame check.
    for (int c = 1; c < kCheckCount; ++c)
        EXPECT_FALSE(v.checks[static_cast<size_t>(c)].present) << checkName(CheckId(c));
    EXPECT_STREQ(verdictStatusText(v.status), "FAILS");
    EXPECT_STREQ(verdictStatusJson(v.status), "fails");
}

TEST(Verdict, PassesWithTheGoverningCheckAndEveryCheckAsReason) {
    State st = test::userDefinedPlateState();
    st.dc.cylinderType = CylinderType::Unstiffened;
    st.dc.ringControl = 0;
    st.dc.UF = 1.2f; // the same shell, 1.0054 of 1.20 allowed
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    const Verdict v = caseVerdict(st);
    EXPECT_EQ(v.status, VerdictStatus::Passes);
    EXPECT_EQ(v.line, "PASSES - governing: shell buckling (Ch 3.4.2), UF 1.01 of 1.20");
    EXPECT_EQ(v.reasons, std::vector<std::string>{"shell buckling (Ch 3.4.2): UF 1.01 <= 1.20"});
    EXPECT_NEAR(v.ratio, kUnstiffenedUF / 1.2, 1e-3);
    // The same with a decimal comma.
    st.run.decimalPointLocale = false;
    EXPECT_EQ(caseVerdict(st).line,
              "PASSES - governing: shell buckling (Ch 3.4.2), UF 1,01 of 1,20");
}

TEST(Verdict, SlenderStringerShellIsAlsoCheckedAsAnUnstiffenedCylinder) {
    // s/t = 600 / 20 = 30 > 3 sqrt(1500 / 20) = 25.98: the stringers are too far apart.
    const State stringer = calculated(CylinderType::StringerStiffened, false);
    ASSERT_TRUE(stringer.res.slenderNote);
    const Verdict v = caseVerdict(stringer);
    const CheckValue& shell = v.checks[static_cast<size_t>(CheckId::Shell)];
    const CheckValue& unstiffened = v.checks[static_cast<size_t>(CheckId::Unstiffened)];
    // The curved panel passes (112.3 / 197.7 = 0.57), the same shell as an unstiffened cylinder
    // does not, and the stiffener check is absent where the note takes its panel's place.
    EXPECT_NEAR(shell.uf, 112.3 / 197.7, 2e-3);
    ASSERT_TRUE(unstiffened.present);
    EXPECT_NEAR(unstiffened.uf, kUnstiffenedUF, 1e-3);
    EXPECT_FALSE(v.checks[static_cast<size_t>(CheckId::Stiffener)].present);
    EXPECT_EQ(v.status, VerdictStatus::Fails);
    EXPECT_EQ(v.governing, CheckId::Unstiffened);
    EXPECT_EQ(v.line,
              "FAILS - governing: shell as an unstiffened cylinder (Ch 3.4.2), UF 1.01 of 1.00");

    // It is the shell check of the same case as an unstiffened cylinder, from the design
    // stresses (not the stiffener check's SigaSd and Zl, which it rewrites for its own use).
    const State plain = calculated(CylinderType::Unstiffened, false);
    EXPECT_EQ(stringer.res.unstiffenedUF, plain.res.shellUF);
    EXPECT_EQ(stringer.res.unstiffenedUFallow, plain.res.shellUFallow);
    // The panels stay as they were: the shell panel is the curved panel's.
    EXPECT_EQ(stringer.res.shellPanel.value[10], "0.57");

    // s = 500: s/t = 25 is not above 25.98; the stiffener check is back, no unstiffened one.
    State close = test::userDefinedPlateState();
    close.dc.s = 500;
    close.dc.ringControl = 0;
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(close, nt));
    const CheckValues checks = caseChecks(close.dc, close.res);
    EXPECT_TRUE(checks[static_cast<size_t>(CheckId::Stiffener)].present);
    EXPECT_FALSE(checks[static_cast<size_t>(CheckId::Unstiffened)].present);
}

TEST(Verdict, WsdPermittedValuesAndTheGoverningRatio) {
    // WSD with n0 = 0.9: the shell compares with 1.15 beta n0 (beta 0.8 above lamdas 1.0), the
    // ring frame with n0 itself; the governing check has the largest uf / permitted.
    State st = test::userDefinedPlateState();
    st.dc.cylinderType = CylinderType::RingStiffened;
    st.dc.designFormat = DesignFormat::WSD;
    st.dc.UF = 0.9f;
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    const Verdict v = caseVerdict(st);
    ASSERT_GT(st.res.lamdas, 1.0f);
    EXPECT_NEAR(v.checks[static_cast<size_t>(CheckId::Shell)].permitted, 1.15 * 0.8 * 0.9f, 1e-12);
    EXPECT_EQ(v.checks[static_cast<size_t>(CheckId::RingArea)].permitted, 0.9f);
    EXPECT_EQ(v.checks[static_cast<size_t>(CheckId::RingInertia)].permitted, 0.9f);
    for (const CheckValue& c : v.checks) {
        if (c.present) {
            EXPECT_LE(c.ratio(), v.ratio);
        }
    }
}

TEST(Verdict, ColumnLinesCompareWithTheColumnCheckPermittedValue) {
    State st = test::userDefinedPlateState();
    st.dc.cylinderType = CylinderType::Column;
    st.dc.ringControl = 0;
    st.dc.designFormat = DesignFormat::WSD;
    st.dc.UF = 0.9f;
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    const CheckValues c = caseChecks(st.dc, st.res);
    EXPECT_NEAR(c[static_cast<size_t>(CheckId::Column1)].permitted, 1.15 * 0.9f, 1e-12);
    EXPECT_NEAR(c[static_cast<size_t>(CheckId::Column2)].permitted, 1.15 * 0.9f, 1e-12);
    EXPECT_EQ(c[static_cast<size_t>(CheckId::Column1)].uf, st.res.UF1);
    EXPECT_STREQ(checkChapter(CheckId::Column2, st.dc), "3.8");
    EXPECT_STREQ(checkChapter(CheckId::Shell, st.dc), "3.4.2");
}

TEST(Verdict, ProportionLimitOfTheStiffenerFails) {
    // A built-up L stiffener with a 2 mm web: h = 188 > 1.35 tw sqrt(E / fy) = 1.35 * 2 *
    // sqrt(210000 / 355) = 65.7 (Eq 3.10.7).
    State st = test::userDefinedPlateState();
    st.dc.s = 500;
    st.dc.ringControl = 0;
    st.dc.stiff.kind = ProfileKind::LBuiltUp;
    st.dc.stiff.savedSet(ProfileKind::LBuiltUp).tw = 2;
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    const Verdict v = caseVerdict(st);
    EXPECT_EQ(v.status, VerdictStatus::Fails);
    EXPECT_TRUE(hasReason(v, "stiffener proportion limit (Ch 3.10): h <= 66 (Eq 3.10.7) ==> NOK"))
        << ::testing::PrintToString(v.reasons);
    // The failing limit as the window's profile line shows it; the ring frame passes its own.
    const ProportionFailure stiffener = proportionFailure(st.dc, st.res, ProfileRole::Stiffener);
    EXPECT_TRUE(stiffener.fails);
    EXPECT_EQ(stiffener.limits, std::vector<std::string>{"h <= 66 (Eq 3.10.7) ==> NOK"});
    EXPECT_FALSE(proportionFailure(st.dc, st.res, ProfileRole::RingFrame).fails);
    // The same profile as a ring frame's stiffener does not count for an unstiffened cylinder.
    st.dc.cylinderType = CylinderType::Unstiffened;
    st.dc.UF = 1.2f;
    ASSERT_TRUE(calcAll(st, nt));
    EXPECT_EQ(caseVerdict(st).status, VerdictStatus::Passes);
    EXPECT_FALSE(proportionFailure(st.dc, st.res, ProfileRole::Stiffener).fails);
}

TEST(Verdict, InputsOutOfLimitsComeBeforeFailing) {
    State st = test::userDefinedPlateState();
    st.dc.UF = 7;
    st.dc.t = 0.01f;
    RecordingNotifier nt;
    calcAll(st, nt);
    ASSERT_TRUE(st.run.lastRunCompleted) << st.run.calcMessage;
    const Verdict v = caseVerdict(st);
    EXPECT_EQ(v.status, VerdictStatus::InputOutOfLimits);
    ASSERT_EQ(v.reasons.size(), 2u);
    EXPECT_EQ(v.reasons[0], "UF = 7, limit 0.5 <= UF <= 1.5");
    EXPECT_EQ(v.reasons[1], "t = 0.01, limit t >= 0.1");
    EXPECT_EQ(v.line, "INPUT OUT OF LIMITS - UF = 7, limit 0.5 <= UF <= 1.5");
    // The value is kept as it came in.
    EXPECT_EQ(st.dc.UF, 7.0f);
    EXPECT_EQ(verdictOfRun(st).status, VerdictStatus::InputOutOfLimits);
}

TEST(Verdict, NotCalculatedAfterAStoppedRunOrChangedInputs) {
    State st = test::userDefinedPlateState();
    st.dc.t = -5;
    RecordingNotifier nt;
    ASSERT_FALSE(calcAll(st, nt));
    Verdict v = caseVerdict(st);
    EXPECT_EQ(v.status, VerdictStatus::NotCalculated);
    EXPECT_FALSE(v.governing.has_value());
    ASSERT_EQ(v.reasons.size(), 1u);
    EXPECT_EQ(v.line, "NOT CALCULATED - " + v.reasons[0]);
    EXPECT_NE(v.reasons[0].find("Design stresses"), std::string::npos) << v.reasons[0];
    EXPECT_EQ(v.reasons[0].front(), 'C'); // no leading blank
    EXPECT_EQ(reportRefusal(st), "The case was not calculated: " + v.reasons[0]);

    // Mended and calculated: current. A box that stores without calculating (E) makes the
    // results older than the inputs; a new project name or identification does not.
    st.dc.t = 20;
    ASSERT_TRUE(calcAll(st, nt));
    EXPECT_TRUE(resultsCurrent(st));
    EXPECT_FALSE(reportRefusal(st).has_value());
    st.dc.projectName = "Other";
    st.dc.identification = "B-2";
    EXPECT_TRUE(resultsCurrent(st));
    st.dc.E = 200000;
    v = caseVerdict(st);
    EXPECT_EQ(v.status, VerdictStatus::NotCalculated);
    EXPECT_EQ(v.line, "NOT CALCULATED - the inputs changed after the last calculation");
    EXPECT_EQ(reportRefusal(st),
              "The case was not calculated: the inputs changed after the last calculation");
    // A state never calculated is not current either.
    EXPECT_FALSE(resultsCurrent(test::newTestState()));
}

TEST(Verdict, ARefusedValueStoredWithoutARunReadsOutOfLimits) {
    // The UF box stores a refused value without recalculating: the verdict names the limit
    // (and weighs no check of the older run) instead of calling the results merely old.
    State st = test::userDefinedPlateState();
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    st.dc.UF = 7;
    const Verdict v = caseVerdict(st);
    EXPECT_EQ(v.status, VerdictStatus::InputOutOfLimits);
    EXPECT_FALSE(v.governing.has_value());
    EXPECT_EQ(v.line, "INPUT OUT OF LIMITS - UF = 7, limit 0.5 <= UF <= 1.5");
    EXPECT_TRUE(reportRefusal(st).has_value());
}

TEST(RunState, PanelsNotRecalculatedByAStoppedRun) {
    // A column case whose local buckling root fails (Eq 3.8.8): the column check stops the run,
    // so its panel and the shell panel it fills are old; the ring panel is not part of the run.
    State st = test::userDefinedPlateState();
    st.dc.cylinderType = CylinderType::Column;
    st.dc.ringControl = 0;
    st.dc.pd = -1.5f;
    RecordingNotifier nt;
    ASSERT_FALSE(calcAll(st, nt));
    EXPECT_EQ(st.run.calcMessage, kNegRootMessage);
    EXPECT_FALSE(st.run.recalculated(PanelId::Shell));
    EXPECT_FALSE(st.run.recalculated(PanelId::Column));
    EXPECT_TRUE(st.run.recalculated(PanelId::Ring));

    // A stringer-stiffened case that stops in its stiffener check (a zero yield strength of
    // the stiffener): the shell panel is current, the stiffener and ring panels are not.
    st = test::userDefinedPlateState();
    st.dc.stiffMaterial = static_cast<int16_t>(st.materials.materialCount());
    st.dc.fys = 0;
    ASSERT_FALSE(calcAll(st, nt));
    EXPECT_NE(st.run.calcMessage.find("Stiffener Buckling"), std::string::npos)
        << st.run.calcMessage;
    EXPECT_TRUE(st.run.recalculated(PanelId::Shell));
    EXPECT_FALSE(st.run.recalculated(PanelId::Stiffener));
    EXPECT_FALSE(st.run.recalculated(PanelId::Ring));

    // A run that completes brings every panel up to date.
    st.dc.fys = 355;
    ASSERT_TRUE(calcAll(st, nt));
    for (PanelId p : {PanelId::Shell, PanelId::Stiffener, PanelId::Ring, PanelId::Column})
        EXPECT_TRUE(st.run.recalculated(p));
}

TEST(InputLimits, OnlyTheFieldsInUse) {
    DesignCase dc;
    dc.fyp = dc.fys = dc.fyr = 355;
    EXPECT_TRUE(inputsWithinLimits(dc));
    // Stiffener data count for a stringer-stiffened cylinder only.
    dc.s = 5;
    dc.ltStiff = 10;
    dc.fys = 3000;
    EXPECT_EQ(violationTexts(dc, '.'),
              (std::vector<std::string>{"s = 5, limit s >= 10", "ltStiff = 10, limit ltStiff >= 50",
                                        "fys = 3000, limit 50 <= fys <= 2000"}));
    dc.cylinderType = CylinderType::RingStiffened;
    EXPECT_TRUE(inputsWithinLimits(dc));
    // Ring-frame data where the ring-frame check runs: L at least l, ltRing at least 50.
    dc.L = 2000;
    dc.ltRing = 20;
    EXPECT_EQ(violationTexts(dc, ','),
              (std::vector<std::string>{"L = 2000, limit L >= l, l = 3000",
                                        "ltRing = 20, limit ltRing >= 50"}));
    dc.ringControl = 0;
    EXPECT_TRUE(inputsWithinLimits(dc));
    // The column: k1, k2 and L at least 50, but not L at least l.
    dc.cylinderType = CylinderType::Column;
    dc.k1 = 0.1f;
    dc.k2 = 0.2f; // 0.2 in single precision is within
    EXPECT_EQ(violationTexts(dc, '.'), std::vector<std::string>{"k1 = 0.1, limit k1 >= 0.2"});
    dc.k1 = 1;
    dc.L = 40;
    EXPECT_EQ(violationTexts(dc, '.'), std::vector<std::string>{"L = 40, limit L >= 50"});
}

TEST(InputLimits, BoundariesAndRelativeLimits) {
    DesignCase dc;
    dc.fyp = dc.fys = dc.fyr = 355;
    // UF 0.5 and 1.5 are accepted; a yield strength of exactly 50 or 2000 too.
    for (float uf : {0.5f, 1.5f}) {
        dc.UF = uf;
        EXPECT_TRUE(inputsWithinLimits(dc)) << uf;
    }
    dc.UF = 0.49f;
    EXPECT_FALSE(inputsWithinLimits(dc));
    dc.UF = 1;
    dc.fyp = 2000;
    dc.fys = 50;
    EXPECT_TRUE(inputsWithinLimits(dc));
    // E as its box shows it: 999.6 shows as 1.00E+3, 999.4 as 9.99E+2.
    dc.E = 999.6f;
    EXPECT_TRUE(inputsWithinLimits(dc));
    dc.E = 999.4f;
    EXPECT_EQ(violationTexts(dc, '.'), std::vector<std::string>{"E = 999.4, limit E >= 1000"});
    dc.E = 210000;
    // s equal to r is accepted, 1 more is not.
    dc.s = dc.r;
    EXPECT_TRUE(inputsWithinLimits(dc));
    dc.s = dc.r + 1;
    EXPECT_EQ(violationTexts(dc, '.'),
              std::vector<std::string>{"s = 1501, limit s <= r, r = 1500"});
    dc.s = 600;
    // ltRing above pi sqrt(r h) = pi sqrt(1500 * 188) = 1668.3 (T 200x90x9x12 ring frame).
    dc.ltRing = 1700;
    EXPECT_EQ(violationTexts(dc, '.'),
              std::vector<std::string>{
                  "ltRing = 1700, limit ltRing <= pi sqrt(r h) (Ch 3.9), pi sqrt(r h) = 1668.301"});
}

} // namespace
} // namespace velmora
