// Stiffener and ring-frame sections. Expected values are worked out by hand (parallel-axis sums
// about the plate-side end of the web, checked with a calculator), not taken from the program.

#include "sections/Sections.h"
#include "base/Fp.h"
#include "calc/State.h"
#include "calc/Steps.h"
#include "support/RecordingNotifier.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace velmora;

namespace {

MaterialRow bandedRow(const std::string& name, std::array<float, 13> v) {
    return {name, v};
}

// Row 0: 355 MPa up to 16 mm, 345 up to 40 mm, lower above; row 1: 525 MPa at every
// thickness; row 2: the user-defined material.
MaterialTable testMaterials() {
    MaterialTable m;
    m.rows.push_back(
        bandedRow("S355", {355, 16, 345, 40, 335, 63, 325, 80, 315, 100, 295, 150, 285}));
    m.rows.push_back(
        bandedRow("S525", {525, 16, 525, 40, 525, 63, 525, 80, 525, 100, 525, 150, 525}));
    m.rows.push_back(bandedRow("User defined", {}));
    return m;
}

ProfileRow lRow(float H, float B, float tw, float tf) {
    return {H, B, tw, tf, 0, 0, 0};
}

State testState() {
    State st;
    newCase(st);
    st.materials = testMaterials();
    st.dc.stiffMaterial = 0;
    st.dc.ringMaterial = 0;
    st.profiles.L.rows = {lRow(200, 90, 9, 12), lRow(100, 65, 7, 7)};
    st.profiles.T.rows = {lRow(250, 100, 10, 14)};
    st.profiles.flat.rows = {lRow(100, 0, 10, 0), lRow(200, 0, 10, 0)};
    st.profiles.bulb.rows = {{200, 0, 10, 0, 30, 8, 2600}};
    return st;
}

void setBuiltUp(ProfileRecord& p, int16_t kind, float H, float B, float a, float tw, float tf) {
    p.savedSet(kind) = {H, B, a, tw, tf};
}

} // namespace

// ---- Stiffener ---------------------------------------------------------------------------

TEST(StiffenerSection, LTableRowGivesHandCalculatedProperties) {
    State st = testState();
    RecordingNotifier nt;
    computeStiffenerSection(st, nt, ProfileKind::LTable);

    const SectionProps& s = st.res.stiffSection;
    EXPECT_EQ(st.dc.stiff.H, 200.0f);
    EXPECT_EQ(st.dc.stiff.B, 90.0f);
    EXPECT_DOUBLE_EQ(s.hw, 188.0);
    EXPECT_DOUBLE_EQ(s.Aw, 1692.0);
    EXPECT_FLOAT_EQ(s.Af, 1080.0f);
    EXPECT_DOUBLE_EQ(s.A, 2772.0);
    EXPECT_NEAR(s.g, 21.76, 0.005);
    // zc = (1080*194 + 9*188^2/2) / 2772 = 368568 / 2772
    EXPECT_NEAR(s.zc, 132.961039, 1e-5);
    // About the web end: 12960 + 40646880 + 19934016 = 60593856, less A zc^2 = 49005184.21
    EXPECT_NEAR(s.Iy, 11588671.79, 0.05);
    // Af B^2/12 = 729000; ef = 40.5: 1640.25*1080 / (1 + 1080/1692) = 1081286.88
    EXPECT_NEAR(s.Iz, 1810286.88, 0.05);

    EXPECT_EQ(st.res.webCheckText, "h <= 296 (Eq 3.10.7) ==> OK");
    // bf = 81 against 0.4*12*sqrt(210000/355) = 116.74
    EXPECT_EQ(st.res.flangeCheckText, "bf <= 117 (Eq 3.10.9) ==> OK");
    EXPECT_EQ(st.res.stiffProfileText, "L 200x90x9.0x12.0");
    EXPECT_EQ(st.res.stiffSketch, ProfileSketch::L);
    EXPECT_FLOAT_EQ(st.res.tGovern, 12.0f);
    EXPECT_FLOAT_EQ(st.dc.fys, 355.0f);
    EXPECT_TRUE(nt.calls.empty());
}

TEST(StiffenerSection, ProfileTextFollowsDecimalSeparator) {
    State st = testState();
    st.run.decimalPointLocale = false;
    RecordingNotifier nt;
    setBuiltUp(st.dc.stiff, ProfileKind::TBuiltUp, 250, 100, 0, 10, 14.5f);
    computeStiffenerSection(st, nt, ProfileKind::TBuiltUp);
    EXPECT_EQ(st.res.stiffProfileText, "T 250x100x10,0x14,5");
    EXPECT_EQ(st.res.stiffSketch, ProfileSketch::T);
}

TEST(StiffenerSection, WebEqualToLimitPassesAndJustAboveFails) {
    State st = testState();
    st.dc.stiffMaterial = 1; // 525 MPa: sqrt(210000/525) = 20, limit 1.35*10*20 = 270
    RecordingNotifier nt;
    setBuiltUp(st.dc.stiff, ProfileKind::LBuiltUp, 282, 90, 0, 10, 12); // hw = 270
    computeStiffenerSection(st, nt, ProfileKind::LBuiltUp);
    EXPECT_DOUBLE_EQ(st.res.stiffSection.hw, 270.0);
    EXPECT_EQ(st.res.webCheckText, "h <= 270 (Eq 3.10.7) ==> OK");

    setBuiltUp(st.dc.stiff, ProfileKind::LBuiltUp, std::nextafter(282.0f, 300.0f), 90, 0, 10, 12);
    computeStiffenerSection(st, nt, ProfileKind::LBuiltUp);
    EXPECT_EQ(st.res.webCheckText, "h <= 270 (Eq 3.10.7) ==> NOK");
}

TEST(StiffenerSection, FlangeOutstandAboveLimitFails) {
    State st = testState();
    RecordingNotifier nt;
    // T: bf = (300 - 10)/2 = 145 against 0.4*12*24.3218 = 116.74
    setBuiltUp(st.dc.stiff, ProfileKind::TBuiltUp, 200, 300, 0, 10, 12);
    computeStiffenerSection(st, nt, ProfileKind::TBuiltUp);
    EXPECT_EQ(st.res.flangeCheckText, "bf <= 117 (Eq 3.10.9) ==> NOK");
    EXPECT_DOUBLE_EQ(st.res.stiffSection.Iz, 3600.0 * 300 * 300 / 12); // ef = 0
}

TEST(StiffenerSection, FlatBarAfterLKeepsFlangeText) {
    State st = testState();
    RecordingNotifier nt;
    computeStiffenerSection(st, nt, ProfileKind::LTable);
    const std::string flange = st.res.flangeCheckText;

    computeStiffenerSection(st, nt, ProfileKind::FlatTable);
    EXPECT_EQ(st.res.flangeCheckText, flange);
    // hw = 100 against 0.4*10*24.3218 = 97.29
    EXPECT_EQ(st.res.webCheckText, "h <= 97 (Eq 3.10.6) ==> NOK");
    const SectionProps& s = st.res.stiffSection;
    EXPECT_DOUBLE_EQ(s.A, 1000.0);
    EXPECT_FLOAT_EQ(s.Af, 0.0f);
    EXPECT_DOUBLE_EQ(s.zc, 50.0);
    EXPECT_NEAR(s.Iy, 833333.333, 1e-3);
    EXPECT_NEAR(s.Iz, 8333.333, 1e-3);
    EXPECT_EQ(st.res.stiffProfileText, "Fb 100x10.0");
    EXPECT_EQ(st.res.stiffSketch, ProfileSketch::Flat);
    EXPECT_FLOAT_EQ(st.res.tGovern, 10.0f);
}

TEST(StiffenerSection, BulbFlatEquivalentFlangeKeepsTableArea) {
    State st = testState();
    RecordingNotifier nt;
    st.res.flangeCheckText = "previous";
    computeStiffenerSection(st, nt, ProfileKind::BulbFlat);

    const ProfileRecord& p = st.dc.stiff;
    EXPECT_EQ(p.a, 30.0f);
    EXPECT_EQ(p.Ro, 8.0f);
    EXPECT_EQ(p.B, 36.4f); // 30 + 10 - 0.45*8
    EXPECT_EQ(p.tf, static_cast<float>(600 / (static_cast<double>(36.4f) - 10))); // 22.727
    const SectionProps& s = st.res.stiffSection;
    EXPECT_NEAR(s.Aw + s.Af, 2600.0, 1e-3);
    EXPECT_NEAR(s.A, 2600.0, 1e-3);
    EXPECT_FLOAT_EQ(st.res.tGovern, 10.0f);
    EXPECT_EQ(st.res.flangeCheckText, "previous");
    EXPECT_EQ(st.res.stiffProfileText, "BF 200x10.0");
    EXPECT_EQ(st.res.stiffSketch, ProfileSketch::Bulb);
    // hw = 177.27 against 1.35*10*24.3218 = 328.3
    EXPECT_EQ(st.res.webCheckText, "h <= 328 (Eq 3.10.7) ==> OK");
}

TEST(StiffenerSection, RHSAndTrapezoidAreasByHand) {
    State st = testState();
    RecordingNotifier nt;
    computeStiffenerSection(st, nt, ProfileKind::LTable);
    const SectionProps before = st.res.stiffSection;
    const std::string web = st.res.webCheckText;

    computeStiffenerSection(st, nt, ProfileKind::RHS); // 200 x 90 x 9
    const SectionProps& s = st.res.stiffSection;
    EXPECT_DOUBLE_EQ(s.A, 4896.0); // 18000 - 182*72
    EXPECT_DOUBLE_EQ(s.zc, 100.0);
    EXPECT_DOUBLE_EQ(s.Iy, 23828592.0); // (90*200^3 - 72*182^3)/12
    EXPECT_NEAR(s.g, 38.4336, 1e-9);
    EXPECT_DOUBLE_EQ(s.hw, 182.0);
    EXPECT_DOUBLE_EQ(s.Aw, before.Aw);
    EXPECT_FLOAT_EQ(s.Af, before.Af);
    EXPECT_DOUBLE_EQ(s.Iz, before.Iz);
    EXPECT_EQ(st.dc.stiff.tf, 9.0f);
    EXPECT_FLOAT_EQ(st.res.tGovern, 9.0f);
    EXPECT_EQ(st.res.webCheckText, web);
    EXPECT_EQ(st.res.stiffProfileText, "RHS 200x90x9.0");

    computeStiffenerSection(st, nt, ProfileKind::Trapez); // 200 x 90, a 50, t 9
    // Webs inclined by atan(50/200): 2*191*9 / cos = 3438 * sqrt(1.0625) = 3543.8093
    EXPECT_NEAR(s.A, 4353.80929, 1e-5);
    EXPECT_NEAR(s.zc, 114.104398, 1e-5);
    EXPECT_NEAR(s.Iy, 17371986.82, 0.05);
    EXPECT_DOUBLE_EQ(s.Iz, before.Iz);
    EXPECT_EQ(st.dc.stiff.a, 50.0f);
    EXPECT_EQ(st.res.stiffProfileText, "TPZ 200x90x50x9.0");
    EXPECT_EQ(st.res.stiffSketch, ProfileSketch::Trapez);
}

TEST(StiffenerSection, IBuiltUpIsSymmetricAndKeepsIz) {
    State st = testState();
    RecordingNotifier nt;
    st.res.stiffSection.Iz = 1234.5;
    setBuiltUp(st.dc.stiff, ProfileKind::IBuiltUp, 300, 150, 0, 10, 15);
    computeStiffenerSection(st, nt, ProfileKind::IBuiltUp);
    const SectionProps& s = st.res.stiffSection;
    EXPECT_DOUBLE_EQ(s.hw, 270.0);
    EXPECT_DOUBLE_EQ(s.A, 7200.0);
    EXPECT_DOUBLE_EQ(s.zc, 150.0);
    EXPECT_DOUBLE_EQ(s.Iy, 107865000.0); // 150*300^3/12 - 140*270^3/12
    EXPECT_DOUBLE_EQ(s.Iz, 1234.5);
    EXPECT_EQ(st.res.stiffProfileText, "I 300x150x10.0x15.0");
    // bf = 70 against 0.4*15*24.3218 = 145.9
    EXPECT_EQ(st.res.flangeCheckText, "bf <= 146 (Eq 3.10.9) ==> OK");
}

TEST(StiffenerSection, GoverningThicknessSelectsYieldBand) {
    State st = testState();
    RecordingNotifier nt;
    setBuiltUp(st.dc.stiff, ProfileKind::LBuiltUp, 200, 90, 0, 9, 20); // flange governs
    computeStiffenerSection(st, nt, ProfileKind::LBuiltUp);
    EXPECT_FLOAT_EQ(st.res.tGovern, 20.0f);
    EXPECT_FLOAT_EQ(st.dc.fys, 345.0f);

    setBuiltUp(st.dc.stiff, ProfileKind::LBuiltUp, 200, 90, 0, 18, 12); // web governs
    computeStiffenerSection(st, nt, ProfileKind::LBuiltUp);
    EXPECT_FLOAT_EQ(st.res.tGovern, 18.0f);
    EXPECT_FLOAT_EQ(st.dc.fys, 345.0f);

    setBuiltUp(st.dc.stiff, ProfileKind::RHS, 200, 90, 0, 16, 0); // plate thickness only
    computeStiffenerSection(st, nt, ProfileKind::RHS);
    EXPECT_FLOAT_EQ(st.res.tGovern, 16.0f);
    EXPECT_FLOAT_EQ(st.dc.fys, 355.0f);

    st.dc.stiffMaterial = 2; // user-defined: typed strength stays
    st.dc.fys = 300;
    computeStiffenerSection(st, nt, ProfileKind::LTable);
    EXPECT_FLOAT_EQ(st.dc.fys, 300.0f);
}

TEST(StiffenerSection, RowOutsideTableFallsBackToRowZero) {
    State st = testState();
    RecordingNotifier nt;
    st.dc.stiff.rowL = 45;
    computeStiffenerSection(st, nt, ProfileKind::LTable);
    ASSERT_EQ(nt.warnings().size(), 1u);
    EXPECT_EQ(nt.warnings()[0], " Profile row 45 is not in lprof.dat; row 0 is used ");
    EXPECT_EQ(st.dc.stiff.rowL, 0);
    EXPECT_EQ(st.dc.stiff.H, 200.0f);
    EXPECT_EQ(st.res.stiffProfileText, "L 200x90x9.0x12.0");

    nt.clear();
    st.dc.stiff.rowBulb = -1;
    computeStiffenerSection(st, nt, ProfileKind::BulbFlat);
    ASSERT_EQ(nt.warnings().size(), 1u);
    EXPECT_EQ(nt.warnings()[0], " Profile row -1 is not in bfprof.dat; row 0 is used ");
    EXPECT_EQ(st.dc.stiff.rowBulb, 0);

    nt.clear();
    st.dc.stiff.rowL = 1; // the last row is valid
    computeStiffenerSection(st, nt, ProfileKind::LTable);
    EXPECT_TRUE(nt.calls.empty());
    EXPECT_EQ(st.res.stiffProfileText, "L 100x65x7.0x7.0");
}

TEST(StiffenerSection, EmptyTableFaultsAndChangesNothing) {
    State st = testState();
    RecordingNotifier nt;
    computeStiffenerSection(st, nt, ProfileKind::LTable);
    const State before = st;
    st.profiles.T.rows.clear();
    st.dc.stiff.rowT = 3;
    try {
        computeStiffenerSection(st, nt, ProfileKind::TTable);
        FAIL() << "an empty table must not give a section";
    } catch (const CalcFault& e) {
        EXPECT_NE(std::string(e.what()).find("tprof.dat"), std::string::npos);
    }
    EXPECT_EQ(st.dc.stiff.rowT, 3);
    EXPECT_EQ(st.dc.stiff.H, before.dc.stiff.H);
    EXPECT_EQ(st.res.stiffProfileText, before.res.stiffProfileText);
    EXPECT_DOUBLE_EQ(st.res.stiffSection.A, before.res.stiffSection.A);
    EXPECT_TRUE(nt.calls.empty());
}

TEST(StiffenerSection, FaultLeavesSectionAsItWas) {
    State st = testState();
    RecordingNotifier nt;
    computeStiffenerSection(st, nt, ProfileKind::LTable);
    const State before = st;

    // Bulb with c = 0.45 r: the equivalent flange width equals tw, a zero divisor.
    st.profiles.bulb.rows = {{200, 0, 10, 0, 9, 20, 2600}};
    EXPECT_THROW(computeStiffenerSection(st, nt, ProfileKind::BulbFlat), CalcFault);
    EXPECT_EQ(st.dc.stiff.H, before.dc.stiff.H);
    EXPECT_EQ(st.dc.stiff.B, before.dc.stiff.B);
    EXPECT_EQ(st.dc.stiff.a, before.dc.stiff.a);
    EXPECT_DOUBLE_EQ(st.res.stiffSection.A, before.res.stiffSection.A);

    // A user-defined strength of 0 faults in the proportion limits, after the look-up.
    st.dc.stiffMaterial = 2;
    st.dc.fys = 0;
    setBuiltUp(st.dc.stiff, ProfileKind::TBuiltUp, 300, 120, 0, 11, 30);
    EXPECT_THROW(computeStiffenerSection(st, nt, ProfileKind::TBuiltUp), CalcFault);
    EXPECT_FLOAT_EQ(st.res.tGovern, before.res.tGovern);
    EXPECT_EQ(st.dc.stiff.H, before.dc.stiff.H);
    EXPECT_EQ(st.res.webCheckText, before.res.webCheckText);
    EXPECT_EQ(st.res.stiffProfileText, before.res.stiffProfileText);
    EXPECT_EQ(st.res.stiffSketch, before.res.stiffSketch);

    // RHS has no proportion limits, so the same strength does not stop it.
    EXPECT_NO_THROW(computeStiffenerSection(st, nt, ProfileKind::RHS));
}

// ---- Ring frame --------------------------------------------------------------------------

TEST(RingSection, TTableFrameHandValuesAndPassesEccentricity) {
    State st = testState();
    RecordingNotifier nt;
    computeRingSection(st, nt, ProfileKind::TTable); // T 250x100x10x14, r 1500, t 20

    // rf = 1500 - 10 - 250 = 1240, hw = 236
    EXPECT_EQ(st.res.ringWebCheckText, "h <= 328 (Eq 3.10.2) ==> OK");
    // (2/3) sqrt(1240*10*210000 / (1400*355)) = 48.256, hw/tw = 23.6
    EXPECT_EQ(st.res.ringSlendernessCheckText, "h/tw <= 48 (Eq 3.10.4) ==> OK");
    EXPECT_EQ(st.res.ringFlangeCheckText, "bf <= 136 (Eq 3.10.3) ==> OK");
    // (1/3)*1240*10 / 1400 = 2.95, ef = 0
    EXPECT_EQ(st.res.ringEccentricityCheckText, "ef/tw <= 3 (Eq 3.10.5) ==> OK");

    const SectionProps& s = st.res.ringSection;
    EXPECT_DOUBLE_EQ(s.A, 3760.0);
    EXPECT_NEAR(s.zc, 164.542553, 1e-5);
    EXPECT_NEAR(s.Iy, 24706466.52, 0.05);
    EXPECT_NEAR(s.Iz, 1166666.667, 1e-3);
    EXPECT_EQ(st.res.ringProfileText, "T 250x100x10.0x14.0");
    EXPECT_EQ(st.res.ringSketch, ProfileSketch::T);
    EXPECT_FLOAT_EQ(st.dc.fyr, 355.0f);
    EXPECT_TRUE(nt.calls.empty());
}

TEST(RingSection, LFrameFailsEccentricity) {
    State st = testState();
    RecordingNotifier nt;
    st.dc.ring.rowL = 0; // L 200x90x9x12, rf = 1290
    computeRingSection(st, nt, ProfileKind::LTable);
    // (1/3)*1290*9 / 1080 = 3.58 against ef/tw = 40.5/9 = 4.5
    EXPECT_EQ(st.res.ringEccentricityCheckText, "ef/tw <= 4 (Eq 3.10.5) ==> NOK");
    EXPECT_EQ(st.res.ringSlendernessCheckText, "h/tw <= 53 (Eq 3.10.4) ==> OK");
    EXPECT_NEAR(st.res.ringSection.Iz, 1810286.88, 0.05);
    EXPECT_EQ(st.res.ringProfileText, "L 200x90x9.0x12.0");
}

TEST(RingSection, FlatBarUsesFlatWebLimitOnly) {
    State st = testState();
    RecordingNotifier nt;
    computeRingSection(st, nt, ProfileKind::TTable);
    const State before = st;
    st.dc.ring.rowFlat = 1; // 200 x 10
    computeRingSection(st, nt, ProfileKind::FlatTable);
    // 0.4*10*24.3218 = 97.29 against hw = 200
    EXPECT_EQ(st.res.ringWebCheckText, "h <= 97 (Eq 3.10.1) ==> NOK");
    EXPECT_EQ(st.res.ringSlendernessCheckText, before.res.ringSlendernessCheckText);
    EXPECT_EQ(st.res.ringFlangeCheckText, before.res.ringFlangeCheckText);
    EXPECT_EQ(st.res.ringEccentricityCheckText, before.res.ringEccentricityCheckText);
    EXPECT_DOUBLE_EQ(st.res.ringSection.A, 2000.0);
    EXPECT_EQ(st.res.ringProfileText, "Fb 200x10.0");
}

TEST(RingSection, IProfileHandValues) {
    State st = testState();
    RecordingNotifier nt;
    setBuiltUp(st.dc.ring, ProfileKind::IBuiltUp, 300, 150, 0, 10, 15);
    computeRingSection(st, nt, ProfileKind::IBuiltUp);
    const SectionProps& s = st.res.ringSection;
    EXPECT_DOUBLE_EQ(s.A, 10.0 * (300 - 2 * 15) + 2 * 150 * 15);
    EXPECT_DOUBLE_EQ(s.zc, 150.0);
    EXPECT_DOUBLE_EQ(s.Iy, 107865000.0);
    EXPECT_DOUBLE_EQ(s.Iz, 4218750.0); // 2250 * 150^2 / 12
    EXPECT_NEAR(s.g, 56.52, 1e-9);
    EXPECT_EQ(st.res.ringProfileText, "I 300x150x10.0x15.0");
    EXPECT_EQ(st.res.ringSketch, ProfileSketch::I);
    EXPECT_FLOAT_EQ(st.res.tGovern, 15.0f);
}

TEST(RingSection, HeightBeyondRadiusWarnsEveryTime) {
    State st = testState();
    RecordingNotifier nt;
    st.res.ringSlendernessCheckText = "unchanged";
    setBuiltUp(st.dc.ring, ProfileKind::TBuiltUp, 1490, 100, 0, 10, 14); // rf = 0
    computeRingSection(st, nt, ProfileKind::TBuiltUp);
    computeRingSection(st, nt, ProfileKind::TBuiltUp);

    ASSERT_EQ(nt.calls.size(), 4u);
    for (size_t i = 0; i < 4; i += 2) {
        EXPECT_FALSE(nt.calls[i].isFocus);
        EXPECT_EQ(nt.calls[i].text, " r > height of ringframe  ");
        EXPECT_TRUE(nt.calls[i + 1].isFocus);
        EXPECT_EQ(nt.calls[i + 1].text, "icylr");
    }
    EXPECT_EQ(st.res.ringSlendernessCheckText, "unchanged");
    // The other checks and the properties are still computed.
    EXPECT_EQ(st.res.ringEccentricityCheckText, "ef/tw <= 0 (Eq 3.10.5) ==> OK");
    EXPECT_DOUBLE_EQ(st.res.ringSection.A, 10.0 * 1476 + 1400);
    EXPECT_EQ(st.res.ringProfileText, "T 1490x100x10.0x14.0");
}

TEST(RingSection, RingAndStiffenerKeepTheirOwnRecords) {
    State st = testState();
    RecordingNotifier nt;
    st.dc.stiff.rowL = 1;
    computeStiffenerSection(st, nt, ProfileKind::LTable);
    computeRingSection(st, nt, ProfileKind::TTable);
    EXPECT_EQ(st.dc.stiff.H, 100.0f);
    EXPECT_EQ(st.dc.ring.H, 250.0f);
    EXPECT_EQ(st.res.stiffProfileText, "L 100x65x7.0x7.0");
    EXPECT_DOUBLE_EQ(st.res.stiffSection.A, 7.0 * 93 + 65 * 7);
    EXPECT_FLOAT_EQ(st.res.tGovern, 14.0f); // the section computed last sets it
}
