// Panel stiffener buckling and the torsional buckling strength of the stiffener. Expected values
// are hand calculations of the formulas of DNV-RP-C202 3.6.3 and 3.9 for a 200 x 10 flat bar on
// the new case's shell (r 1500, t 20, s 600, l 3000).
#include "base/Fp.h"
#include "calc/Calc.h"
#include "calc/State.h"
#include "calc/Steps.h"
#include "case/CaseResults.h"
#include "checks/Checks.h"
#include "support/RecordingNotifier.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

// Relative comparison for values that pass through single precision on the way.
void expectRel(double expected, double actual, double rel = 2e-6) {
    EXPECT_NEAR(expected, actual, std::fabs(expected) * rel) << "expected " << expected;
}

void expectSamePanel(const ResultPanel& a, const ResultPanel& b) {
    EXPECT_EQ(a.lineCount, b.lineCount);
    EXPECT_EQ(a.label, b.label);
    EXPECT_EQ(a.value, b.value);
    EXPECT_EQ(a.unit, b.unit);
}

// The new case with typed yield strengths of 355 (no material table is loaded, so the
// look-ups keep them), a built-up 200 x 10 flat-bar stiffener, and the results the Ch 3.3
// curved-panel check leaves for this case (worked by hand: SigjSd = 112.28, fks = 275.18).
class StiffenerCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        newCase(st);
        st.dc.fyp = 355;
        st.dc.fys = 355;
        st.dc.fyr = 355;
        st.dc.stiff.kind = ProfileKind::FlatBuiltUp;
        st.dc.stiff.savedSet(ProfileKind::FlatBuiltUp) = {200, 0, 0, 10, 0};
        st.res.SighPd = -22.50000089406967; // pd r / t with pd the single nearest -0.3
        st.res.SighSd = -32.50000089406967;
        st.res.SigjSd = 112.27755772507506;
        st.res.fks = 275.18324f;
        st.res.shellStressRatio = 0.4080101626787637;
    }

    // A flat bar set up directly, for the torsional strength on its own.
    void setFlatBar(float H, float tw) {
        st.dc.stiff.kind = ProfileKind::FlatBuiltUp;
        st.dc.stiff.H = H;
        st.dc.stiff.tw = tw;
        st.dc.stiff.tf = 0;
        st.res.stiffSection.Aw = static_cast<double>(H) * tw;
        st.res.stiffSection.Af = 0;
    }

    // The stiffener's torsional strength for the stored section, as the check takes it.
    void torsion() {
        st.res.fT = stiffenerTorsionalStrength(st.dc, st.dc.stiff, st.res.stiffSection, st.dc.fys,
                                               st.res.shellStressRatio);
    }

    State st;
    RecordingNotifier nt;
};

TEST_F(StiffenerCheckTest, TorsionalStrengthOfSlenderFlatBar) {
    // eta = 0.408: C = (200/600) (20/10)^3 sqrt(0.592) = 2.0518, beta = 2.8224,
    // fET = (beta + 0.2 * 200/1500) G (10/200)^2 = 575.28, lamT = 0.7855 -> fT = 311.03.
    setFlatBar(200, 10);
    torsion();
    expectRel(311.02759177260384, st.res.fT);

    // A buckled plate gives no restraint: C = 0 and beta = 1, fET = 207.31, lamT = 1.3086,
    // fT = 163.44.
    st.res.shellStressRatio = 1.0;
    torsion();
    expectRel(163.4405046524664, st.res.fT);
    st.res.shellStressRatio = 1.7;
    torsion();
    expectRel(163.4405046524664, st.res.fT);
}

TEST_F(StiffenerCheckTest, TorsionalStrengthNeverAbovePlateYield) {
    // A stocky 100 x 20 bar has lamT = 0.37 <= 0.6: fT = fys, cut to fyp when fys is higher.
    setFlatBar(100, 20);
    st.dc.fys = 460;
    st.dc.fyp = 500;
    torsion();
    EXPECT_FLOAT_EQ(460.0f, st.res.fT);
    st.dc.fyp = 355;
    torsion();
    EXPECT_FLOAT_EQ(355.0f, st.res.fT);
}

TEST_F(StiffenerCheckTest, ClosedAndIStiffenersTakeTheYieldStrength) {
    for (int16_t kind : {ProfileKind::RHS, ProfileKind::Trapez, ProfileKind::IBuiltUp}) {
        // A slender web that would trip if it were an open section.
        st.dc.stiff.kind = kind;
        st.dc.stiff.H = 400;
        st.dc.stiff.B = 90;
        st.dc.stiff.tw = 4;
        st.dc.stiff.tf = 4;
        st.dc.fys = 300;
        st.dc.fyp = 355;
        torsion();
        EXPECT_FLOAT_EQ(300.0f, st.res.fT) << "kind " << kind;
        st.dc.fys = 420;
        torsion();
        EXPECT_FLOAT_EQ(355.0f, st.res.fT) << "kind " << kind;
    }
}

TEST_F(StiffenerCheckTest, FlatBarOnNewCase) {
    runStiffenerCheck(st, nt);
    const CaseResults& res = st.res;

    // se = 600 * 275.18 * 100 / (112.28 * 311.03); the flat bar with a 472.8 mm plate flange
    // has e = 19.204 and Ie = 2.6957E+7.
    expectRel(472.80422860225923, res.se);
    expectRel(26957040.339649074, res.Isef);
    expectRel(26957040.339649074, res.eff.Ie);
    expectRel(190.7962311541556, res.eff.zt);
    expectRel(-122.20580174628255, res.SigaSd);
    expectRel(286.1817604250837, res.Zl, 1e-12);
    expectRel(129.68739095436982, res.SigjSd);
    expectRel(230.63149855739033, res.fks);
    EXPECT_DOUBLE_EQ(1.15, res.gM);
    EXPECT_DOUBLE_EQ(1.0, res.beta);
    EXPECT_DOUBLE_EQ(1.0, res.stiffUFallow);
    expectRel(0.6466614514080051, res.stiffUF);

    const ResultPanel& p = res.stiffPanel;
    EXPECT_EQ(13, p.lineCount);
    const char* labels[] = {"Stiffener Buckling: (Ch 3.6.3)",
                            "se =",
                            "Isef =",
                            "fEa =",
                            "fEtau = ",
                            "fEh = ",
                            "fT = ",
                            "SighSd = ",
                            "SigjSd = ",
                            "lamdas = ",
                            "fks = ",
                            "gm = ",
                            "fksd = ",
                            "UF = SigjSd/fksd = 129.7/200.5 = "};
    const char* values[] = {"",      "472.8", "2.696E+7", "952.0", "638.4", "174.5", "311.0",
                            "-22.5", "129.7", "0.95",     "230.6", "1.15",  "200.5", "0.65"};
    const char* units[] = {"",       "  mm",    "  mm4", "  MPa",
                           "  MPa",  "  MPa",   "  MPa", "  MPa (only lateral pressure)",
                           "  MPa ", " ",       "  MPa", " ",
                           "  MPa",  " <= 1.00"};
    for (size_t i = 0; i <= 13; ++i) {
        EXPECT_EQ(labels[i], p.label[i]) << "row " << i;
        EXPECT_EQ(values[i], p.value[i]) << "row " << i;
        EXPECT_EQ(units[i], p.unit[i]) << "row " << i;
    }
    EXPECT_TRUE(nt.warnings().empty());
}

TEST_F(StiffenerCheckTest, NoAxialCompressionKeepsFullPlateWidth) {
    st.dc.Sigx = 50;
    runStiffenerCheck(st, nt);
    EXPECT_FLOAT_EQ(600.0f, st.res.se);
    EXPECT_DOUBLE_EQ(50.0, st.res.SigaSd);
    EXPECT_EQ("600.0", st.res.stiffPanel.value[1]);
    st.dc.Sigx = 0;
    runStiffenerCheck(st, nt);
    EXPECT_FLOAT_EQ(600.0f, st.res.se);
    EXPECT_DOUBLE_EQ(0.0, st.res.SigaSd);
}

TEST_F(StiffenerCheckTest, PermittedUsageFactorByDesignFormat) {
    runStiffenerCheck(st, nt);
    EXPECT_EQ(" <= 1.00", st.res.stiffPanel.unit[13]);
    EXPECT_EQ("1.15", st.res.stiffPanel.value[11]);

    // WSD with n0 = 1: 1.15 * beta * n0 with beta = 1; the material factor stays 1.15.
    st.dc.designFormat = DesignFormat::WSD;
    runStiffenerCheck(st, nt);
    EXPECT_DOUBLE_EQ(1.15, st.res.stiffUFallow);
    EXPECT_EQ(" <= 1.15", st.res.stiffPanel.unit[13]);
    EXPECT_EQ("1.15", st.res.stiffPanel.value[11]);

    st.dc.UF = 0.8f;
    runStiffenerCheck(st, nt);
    EXPECT_EQ(" <= 0.92", st.res.stiffPanel.unit[13]);
}

TEST_F(StiffenerCheckTest, FaultLeavesPanelAndShellResultsUnchanged) {
    runStiffenerCheck(st, nt);
    const ResultPanel before = st.res.stiffPanel;

    // A zero shell stress makes the effective width a division by zero.
    st.res.SigjSd = 0;
    st.res.SigaSd = -100;
    st.res.gM = 1.39;
    EXPECT_THROW(runStiffenerCheck(st, nt), CalcFault);
    expectSamePanel(before, st.res.stiffPanel);
    EXPECT_DOUBLE_EQ(-100.0, st.res.SigaSd);
    EXPECT_DOUBLE_EQ(1.39, st.res.gM);

    // A zero wall thickness fails in the stiffness parameter gamma.
    st.res.SigjSd = 112.27755772507506;
    st.dc.t = 0;
    EXPECT_THROW(runStiffenerCheck(st, nt), CalcFault);
    expectSamePanel(before, st.res.stiffPanel);
}

// The whole run on the new case: the curved-panel check, then the stiffener check on its
// results, then the ring frame (built-up T 200 x 90 x 9 x 12) with the stiffener's gM and Zl.
TEST_F(StiffenerCheckTest, DriverRunFeedsShellResultsIntoStiffenerAndRing) {
    st.dc.ring.kind = ProfileKind::TBuiltUp;
    st.res = CaseResults{};
    resetPanelLabels(st.res);
    ASSERT_TRUE(calcAll(st, nt));
    const ResultPanel& p = st.res.stiffPanel;
    EXPECT_EQ("472.8", p.value[1]);
    EXPECT_EQ("311.0", p.value[6]);
    EXPECT_EQ("UF = SigjSd/fksd = 129.7/200.5 = ", p.label[13]);
    EXPECT_EQ("0.65", p.value[13]);
    EXPECT_EQ("UF = IR/I = 1.622E+7/4.726E+7 = ", st.res.ringPanel.label[11]);
    EXPECT_EQ("0.34", st.res.ringPanel.value[11]);
    EXPECT_FLOAT_EQ(355.0f, st.res.fT);
}

} // namespace
} // namespace velmora
