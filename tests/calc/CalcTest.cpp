// The new case and the calculation driver: which checks run for which case, the slenderness
// note, and runs that stop on a floating-point fault.
#include "calc/Calc.h"
#include "support/RecordingNotifier.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(NewCase, DefaultsAndFixedLabels) {
    State st;
    st.dc.ring.rowT = 1;
    st.dc.stiff.rowL = 2;
    st.run.fileName = "old.cys";
    st.summaryGroups.fill(false);
    newCase(st);
    EXPECT_EQ(st.dc.cylinderType, CylinderType::StringerStiffened);
    EXPECT_EQ(st.dc.pd, -0.3f);
    EXPECT_NE(static_cast<double>(st.dc.pd), -0.3);
    EXPECT_EQ(st.dc.stiff.kind, 0);
    EXPECT_EQ(st.dc.ring.kind, 2);
    // The ring frame keeps its table rows, the stiffener's go back to 0.
    EXPECT_EQ(st.dc.ring.rowT, 1);
    EXPECT_EQ(st.dc.stiff.rowL, 0);
    EXPECT_EQ(st.run.fileName, "New File");
    for (bool g : st.summaryGroups)
        EXPECT_TRUE(g);
    EXPECT_EQ(st.dc.ring.savedSet(5).H, 200);
    EXPECT_EQ(st.dc.ring.savedSet(5).tw, 9);
    EXPECT_EQ(st.dc.stiff.savedSet(5).H, 100);
    EXPECT_EQ(st.dc.stiff.savedSet(5).tw, 10);
    EXPECT_EQ(st.dc.stiff.savedSet(8).a, 50);
    EXPECT_EQ(st.res.shellPanel.lineCount, 10);
    EXPECT_EQ(st.res.stiffPanel.lineCount, 13);
    EXPECT_EQ(st.res.ringPanel.lineCount, 12);
    EXPECT_EQ(st.res.columnPanel.lineCount, 14);
    EXPECT_EQ(st.res.columnPanel.label[14], "UF2 =  ");
    EXPECT_EQ(st.res.ringPanel.label[11], "UF = IR/I = ");
    EXPECT_STREQ(stiffKindCaption(9), "I-built up");
    EXPECT_STREQ(ringKindCaption(9), "I-profile");
    EXPECT_STREQ(ringKindCaption(6), "Bulb Flat");
}

TEST(Driver, StringerStiffenedChoosesShellCheckByPanelAspect) {
    State st = test::userDefinedPlateState();
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt)) << st.run.calcMessage;
    EXPECT_EQ(st.res.shellPanel.label[0], "Shell Buckling: (Ch 3.3.2)");
    EXPECT_EQ(st.res.shellPanel.value[10], "0.57");

    st.dc.l = 500;
    ASSERT_TRUE(calcAll(st, nt)) << st.run.calcMessage;
    EXPECT_EQ(st.res.shellPanel.label[0], "Shell Buckling: (Ch 3.4.2)");

    // l = s: l / s = 1 is not below 1.
    st.dc.l = 600;
    ASSERT_TRUE(calcAll(st, nt)) << st.run.calcMessage;
    EXPECT_EQ(st.res.shellPanel.label[0], "Shell Buckling: (Ch 3.3.2)");
}

TEST(Driver, SlendernessNoteForEveryCylinderType) {
    State st = test::userDefinedPlateState();
    RecordingNotifier nt;
    // s / t = 30 > 3 sqrt(75) = 25.98.
    ASSERT_TRUE(calcAll(st, nt));
    EXPECT_TRUE(st.res.slenderNote);
    st.dc.s = 500; // s / t = 25
    ASSERT_TRUE(calcAll(st, nt));
    EXPECT_FALSE(st.res.slenderNote);
    st.dc.s = 600;
    st.dc.cylinderType = CylinderType::RingStiffened;
    ASSERT_TRUE(calcAll(st, nt));
    EXPECT_TRUE(st.res.slenderNote);
}

TEST(Driver, PlateYieldLookedUpEveryRun) {
    State st = test::newTestState();
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    EXPECT_EQ(st.dc.fyp, 355.0f); // row 2 at t = 20
    st.dc.t = 45;
    ASSERT_TRUE(calcAll(st, nt));
    EXPECT_EQ(st.dc.fyp, 345.0f);
}

TEST(Driver, ChecksThatDoNotRunKeepTheirResults) {
    State st = test::userDefinedPlateState();
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    const ResultPanel stiff = st.res.stiffPanel;
    st.dc.cylinderType = CylinderType::Unstiffened;
    st.dc.ringControl = 0;
    st.dc.r = 1400;
    ASSERT_TRUE(calcAll(st, nt));
    EXPECT_EQ(st.res.stiffPanel.value, stiff.value);
    EXPECT_EQ(st.res.shellPanel.label[0], "Shell Buckling: (Ch 3.4.2)");
}

TEST(Driver, FaultStopsRunAndLeavesPanels) {
    State st = test::userDefinedPlateState();
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    const CaseResults before = st.res;
    nt.clear();

    // No stress at all: the slenderness divides by SigjSd = 0.
    st.dc.Sigx = st.dc.Sigy = st.dc.Tau = st.dc.pd = 0;
    EXPECT_FALSE(calcAll(st, nt));
    EXPECT_FALSE(st.run.lastRunCompleted);
    ASSERT_EQ(nt.warnings().size(), 1u);
    EXPECT_FALSE(nt.warnings()[0].empty());
    EXPECT_EQ(nt.warnings()[0], st.run.calcMessage);
    EXPECT_EQ(st.res.shellPanel.value, before.shellPanel.value);
    EXPECT_EQ(st.res.stiffPanel.value, before.stiffPanel.value);
    EXPECT_EQ(st.res.ringPanel.value, before.ringPanel.value);

    // The next good run clears the message and completes.
    st.dc.Sigx = -100;
    nt.clear();
    EXPECT_TRUE(calcAll(st, nt));
    EXPECT_TRUE(st.run.calcMessage.empty());
}

TEST(Driver, RunStoppedInTheRingFrameKeepsWhatEarlierChecksStored) {
    State st = test::userDefinedPlateState();
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    const CaseResults before = st.res;

    // More axial compression changes the shell and stiffener checks; a flat-bar ring frame of
    // no thickness then stops the run in the ring-frame check (its torsional strength divides
    // by the web thickness).
    st.dc.Sigx = -120;
    st.dc.ring.kind = ProfileKind::FlatBuiltUp;
    st.dc.ring.savedSet(ProfileKind::FlatBuiltUp).tw = 0;
    nt.clear();
    EXPECT_FALSE(calcAll(st, nt));
    EXPECT_NE(st.run.calcMessage.find("Panel Ring Buckling"), std::string::npos)
        << st.run.calcMessage;

    // The shell and stiffener checks ran: panels and numbers are those of Sigx = -120. Worked
    // by hand with SighSd = -10 - 0.3 * 1500 / 20 = -32.5:
    // SigjSd = sqrt(120^2 - 120 * 32.5 + 32.5^2 + 3 * 40^2) = 127.89.
    EXPECT_EQ(st.res.shellPanel.value[5], "127.9");
    EXPECT_NE(st.res.shellUF, before.shellUF);
    EXPECT_NE(st.res.stiffUF, before.stiffUF);
    EXPECT_NE(st.res.stiffPanel.value, before.stiffPanel.value);
    // The ring-frame check and its section keep everything from before the run, panel and
    // numbers alike, so the summary, the JSON output and the panels agree.
    EXPECT_EQ(st.res.ringPanel.value, before.ringPanel.value);
    EXPECT_EQ(st.res.ringAreaUF, before.ringAreaUF);
    EXPECT_EQ(st.res.ringInertiaUF, before.ringInertiaUF);
    EXPECT_EQ(st.res.Ih, before.Ih);
    EXPECT_EQ(st.res.ringSection.A, before.ringSection.A);
    EXPECT_EQ(st.res.ringProfileText, before.ringProfileText);
}

TEST(Driver, HeavyRingFrameOnlyWithTheRingFrameCheck) {
    // A fresh state: no ring-frame check has ever run, so there is no ring frame to extend.
    State st = test::userDefinedPlateState();
    st.dc.ringControl = 0;
    st.dc.heavyRingControl = 1;
    RecordingNotifier nt;
    EXPECT_TRUE(calcAll(st, nt)) << st.run.calcMessage;
    EXPECT_EQ(st.res.Ihr, 0.0);
    EXPECT_EQ(st.res.ringPanel.value[12], "");

    // With the ring-frame check on, both run and row 12 shows the heavy ring frame.
    st.dc.ringControl = 1;
    ASSERT_TRUE(calcAll(st, nt)) << st.run.calcMessage;
    EXPECT_EQ(st.res.ringPanel.label[12], "Heavy ringframe Ihr>= ");
    const double Ihr = st.res.Ihr;
    EXPECT_GT(Ihr, 0.0);
    // Off again: the heavy ring frame of the last run is not computed anew from other values.
    st.dc.ringControl = 0;
    st.dc.r = 1400;
    ASSERT_TRUE(calcAll(st, nt)) << st.run.calcMessage;
    EXPECT_EQ(st.res.Ihr, Ihr);
}

TEST(Driver, RunWithoutTextsStoresTheNumbersAndLeavesTheTexts) {
    State st = test::userDefinedPlateState();
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    const CaseResults shown = st.res;
    // A deeper T ring frame (row 1, 300x150x10x15) and more compression, calculated without
    // texts: the numbers are the new case's, every text is what the window showed.
    st.dc.ring.rowT = 1;
    st.dc.Sigx = -120;
    ASSERT_TRUE(calcAll(st, nt, CalcOptions{false}));
    EXPECT_NE(st.res.shellUF, shown.shellUF);
    // A = 10 * 285 + 150 * 15 = 5100 mm2.
    EXPECT_DOUBLE_EQ(st.res.ringSection.A, 5100);
    for (ResultPanel CaseResults::*p :
         {&CaseResults::shellPanel, &CaseResults::stiffPanel, &CaseResults::ringPanel}) {
        EXPECT_EQ((st.res.*p).value, (shown.*p).value);
        EXPECT_EQ((st.res.*p).label, (shown.*p).label);
    }
    EXPECT_EQ(st.res.ringProfileText, shown.ringProfileText);
    EXPECT_EQ(st.res.ringWebCheckText, shown.ringWebCheckText);
    EXPECT_TRUE(st.res.ringProportionsOk);
    // The same run with texts shows the new ring frame.
    ASSERT_TRUE(calcAll(st, nt));
    EXPECT_EQ(st.res.ringProfileText, "T 300x150x10.0x15.0");
}

TEST(NewCase, KeepsTheValuesThePanelsShowed) {
    State st = test::userDefinedPlateState();
    st.dc.l = 500; // the Ch 3.4 check: another title and line 2 label
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    const ResultPanel shell = st.res.shellPanel;
    ASSERT_EQ(shell.label[0], "Shell Buckling: (Ch 3.4.2)");
    newCase(st);
    EXPECT_EQ(st.res.shellPanel.label[0], "Shell Buckling: (Ch 3.3.2)");
    EXPECT_EQ(st.res.shellPanel.label[2], "fEtau = ");
    EXPECT_EQ(st.res.shellPanel.value, shell.value);
    EXPECT_EQ(st.res.shellPanel.unit, shell.unit);
}

TEST(Driver, DegenerateGeometryStopsRun) {
    State st = test::userDefinedPlateState();
    st.dc.cylinderType = CylinderType::Unstiffened;
    st.dc.ringControl = 0;
    RecordingNotifier nt;
    st.dc.t = 0;
    EXPECT_FALSE(calcAll(st, nt));
    st.dc.t = 20;
    st.dc.r = -1500;
    EXPECT_FALSE(calcAll(st, nt));
}

TEST(Driver, ColumnCaseLeavesTheTypedLoadsAlone) {
    // A stringer-stiffened case with its stiffener check (s 500: s/t = 25 <= 25.98).
    State st = test::userDefinedPlateState();
    st.dc.s = 500;
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    const State before = st;
    // Visiting the column type and coming back finds the loads as typed, and every result of
    // the stringer-stiffened case as it was.
    st.dc.cylinderType = CylinderType::Column;
    st.dc.ringControl = 0;
    ASSERT_TRUE(calcAll(st, nt));
    EXPECT_EQ(st.dc.Sigx, -100.0f);
    EXPECT_EQ(st.dc.Sigy, -10.0f);
    EXPECT_EQ(st.dc.Tau, 40.0f);
    st.dc.cylinderType = CylinderType::StringerStiffened;
    st.dc.ringControl = 1;
    ASSERT_TRUE(calcAll(st, nt));
    EXPECT_EQ(st.res.stiffUF, before.res.stiffUF);
    EXPECT_EQ(st.res.shellUF, before.res.shellUF);
    EXPECT_EQ(st.res.stiffPanel, before.res.stiffPanel);
    EXPECT_EQ(st.res.ringPanel, before.res.ringPanel);
}

TEST(Driver, RingFrameTorsionalLengthWaitsForAUsableRadius) {
    // A radius read as 0 stops the run but leaves ltRing as it was (it used to become -1 and
    // stay so after the radius was mended).
    State st = test::userDefinedPlateState();
    st.dc.r = 0;
    RecordingNotifier nt;
    EXPECT_FALSE(calcAll(st, nt));
    EXPECT_EQ(st.dc.ltRing, 600.0f);
    st.dc.r = 1500;
    ASSERT_TRUE(calcAll(st, nt));
    EXPECT_EQ(st.dc.ltRing, 600.0f);
}

TEST(Driver, TwoStatesDoNotInterfere) {
    State a = test::userDefinedPlateState();
    State b = test::userDefinedPlateState();
    b.dc.cylinderType = CylinderType::Unstiffened;
    b.dc.ringControl = 0;
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(a, nt));
    ASSERT_TRUE(calcAll(b, nt));
    EXPECT_EQ(a.res.shellPanel.value[10], "0.57");
    EXPECT_EQ(b.res.shellPanel.value[10], "1.01");
}

} // namespace
} // namespace velmora
