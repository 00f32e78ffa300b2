// Column buckling of the whole cylinder (Ch 3.8). Expected values are hand calculations for
// the new case as a column (N -1000 kN, M1a -200, M1b 100, M2a -100, M2b 100 kNm, L 6000,
// k1 = k2 = 1) with a user-defined fyp of 355.
#include "calc/Steps.h"
#include "checks/Checks.h"
#include "support/RecordingNotifier.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmora {
namespace {

State columnState() {
    State st = test::userDefinedPlateState();
    st.dc.cylinderType = CylinderType::Column;
    st.dc.ringControl = 0;
    st.dc.heavyRingControl = 0;
    return st;
}

TEST(ColumnBuckling, MaximumMomentsAlongTheMember) {
    State st = columnState();
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    const ResultPanel& p = st.res.columnPanel;
    EXPECT_EQ(p.lineCount, 14);
    EXPECT_EQ(p.label[0], "Global Buckling: (Ch 3.8)");
    // Tube: A = 2 pi r t, I = pi (Do^4 - Di^4) / 64, i = 1060.7 mm; local strength from
    // Eq 3.8.8 fak = 282.13, fakd = fak / 1.45 = 194.57; lambda = (L / pi) / i sqrt(fak / E).
    EXPECT_EQ(p.value[1], "194.3");
    EXPECT_EQ(p.value[2], "0.07");
    EXPECT_EQ(p.value[3], "194.3");
    EXPECT_EQ(p.value[5], "194.6");
    EXPECT_EQ(p.value[6], "64772.2");
    EXPECT_EQ(p.value[8], "1.45");
    EXPECT_EQ(p.value[9], "5.3");
    EXPECT_EQ(p.value[10], "200.0/100.0");
    EXPECT_EQ(p.unit[10], " kNm (Max value)");
    EXPECT_EQ(p.value[11], "1.4");
    EXPECT_EQ(p.value[12], "0.7");
    EXPECT_EQ(p.value[13], "0.04");
    EXPECT_EQ(p.unit[13], " <= 1.00");
    EXPECT_EQ(p.label[14], "UF2 =  ");
    // The check takes the axial stress of N and no Sigy or Tau; the typed loads stay in the
    // case, so that another cylinder type finds them as they were typed.
    EXPECT_NEAR(st.res.checkedSigx, -5.30516f, 1e-5);
    EXPECT_EQ(st.res.checkedSigy, 0.0f);
    EXPECT_EQ(st.res.checkedTau, 0.0f);
    EXPECT_EQ(st.dc.Sigx, -100.0f);
    EXPECT_EQ(st.dc.Sigy, -10.0f);
    EXPECT_EQ(st.dc.Tau, 40.0f);
    // The shell panel is the Ch 3.4 check with the bending strength in row 2.
    EXPECT_EQ(st.res.shellPanel.label[0], "Shell Buckling: (Ch 3.4.2)");
    EXPECT_EQ(st.res.shellPanel.value[2], "757.9");
}

TEST(ColumnBuckling, ReducedMoments) {
    State st = columnState();
    st.dc.dimMoment = 1;
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    // psi1 = 100 / -200 = -0.5 gives C1 = 0.4; psi2 = -1 gives C2 = 0.2.
    EXPECT_EQ(st.res.columnPanel.value[10], "80.0/20.0");
    EXPECT_EQ(st.res.columnPanel.unit[10], " kNm (Reduced value)");
    EXPECT_EQ(st.res.columnPanel.value[13], "0.03");
}

TEST(ColumnBuckling, WsdShowsMaterialFactorButDividesByShellFactor) {
    State st = columnState();
    st.dc.designFormat = DesignFormat::WSD;
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    EXPECT_EQ(st.res.columnPanel.value[8], "1.15");
    EXPECT_EQ(st.res.columnPanel.unit[13], " <= 1.15");
    // WSD: the shell check's gM is 1.15 too, so fakd = 282.13 / 1.15 = 245.3.
    EXPECT_EQ(st.res.columnPanel.value[5], "245.3");
}

TEST(ColumnBuckling, BendingStressForShellIsNeverPositive) {
    State st = columnState();
    // Section modulus W = pi r^2 t; end moments giving mean stresses -50 and +30 MPa.
    const double W = static_cast<double>(3.141593f) * 1500.0 * 1500.0 * 20.0;
    st.dc.M1a = st.dc.M1b = static_cast<float>(-50 * W / 1e6);
    st.dc.M2a = st.dc.M2b = static_cast<float>(30 * W / 1e6);
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    EXPECT_NEAR(st.res.SigmSd, -(50 + 30) / std::sqrt(2.0), 1e-4);

    // Both moments of an axis zero: nothing from that axis.
    st.dc.M2a = st.dc.M2b = 0;
    ASSERT_TRUE(calcAll(st, nt));
    EXPECT_EQ(st.res.columnPanel.value[12], "0.0");
    EXPECT_NEAR(st.res.SigmSd, -50 / std::sqrt(2.0), 1e-4);
}

TEST(ColumnBuckling, NegativeRootStopsRunAndKeepsPanels) {
    State st = columnState();
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    const CaseResults before = st.res;

    // A high external pressure makes the discriminant of Eq 3.8.8 negative.
    st.dc.pd = -10;
    nt.clear();
    EXPECT_FALSE(calcAll(st, nt));
    ASSERT_EQ(nt.warnings().size(), 1u);
    EXPECT_EQ(nt.warnings()[0], " Neg Root, ref Eq 3.8.8 in Dnv RP C202, Calculation terminated ");
    EXPECT_EQ(st.run.calcMessage, nt.warnings()[0]);
    EXPECT_FALSE(st.run.lastRunCompleted);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(st.res.shellPanel.value[i], before.shellPanel.value[i]);
        EXPECT_EQ(st.res.columnPanel.value[i], before.columnPanel.value[i]);
        EXPECT_EQ(st.res.stiffPanel.value[i], before.stiffPanel.value[i]);
        EXPECT_EQ(st.res.ringPanel.value[i], before.ringPanel.value[i]);
    }
}

} // namespace
} // namespace velmora
