// Everything a calculation run produces: design stresses, the results of each check, the
// section properties of stiffener and ring frame, and the four result panels as text tables.
#pragma once

#include "case/ProfileKinds.h"

#include <array>
#include <string>

namespace velmora {

// One result panel: a line count and 16 rows of label, formatted value and unit text.
// Row 0's label is the panel title; rows 0..lineCount are shown.
struct ResultPanel {
    int lineCount = 0;
    std::array<std::string, 16> label{};
    std::array<std::string, 16> value{};
    std::array<std::string, 16> unit{};

    bool operator==(const ResultPanel&) const = default;
};

// Cross-section properties of one profile alone, without a plate flange (mm, mm2, mm4, kg/m).
struct SectionProps {
    double A = 0;
    double Aw = 0;
    float Af = 0;
    double g = 0;
    double zc = 0; // from the plate-side end of the web to the centroid
    double Iy = 0; // about the centroidal axis parallel to the shell plate
    double Iz = 0; // about the axis along the web
    double hw = 0;

    bool operator==(const SectionProps&) const = default;
};

// A profile together with its effective plate flange; rewritten by whichever check builds one
// last (the stiffener check, then the ring-frame check).
struct EffectiveSection {
    double Aeff = 0;
    double e = 0;  // shell mid-plane to the centroid of the combined section
    double zt = 0; // centroid to the free edge of the profile
    double Ie = 0;

    bool operator==(const EffectiveSection&) const = default;
};

// The proportion checks (Ch 3.10) of a profile, as flags: web height, web slenderness, flange
// outstand and flange eccentricity.
namespace ProportionBit {
inline constexpr unsigned Web = 1;
inline constexpr unsigned Slenderness = 2;
inline constexpr unsigned Flange = 4;
inline constexpr unsigned Eccentricity = 8;
} // namespace ProportionBit

// Which sketch belongs to a profile kind; None for a code outside 0..9.
ProfileSketch sketchForKind(int kind);

// What a run produces but the panels: the numbers of every check, the sections and their
// texts. A run without panel texts (each load case but the selected one, each point of a
// design study) changes only this part, so that is all it needs to copy.
struct RunResults {
    // Design stresses
    double Zl = 0;
    double SigaSd = 0;
    double SighSd = 0;
    double SighPd = 0;
    double SigmSd = 0;
    double Siga0Sd = 0;
    double leo = 0; // effective shell length of the ring-frame check
    // The axial, circumferential and shear stress the checks take for Sigx, Sigy and Tau: the
    // typed ones, except in a column case, where the design-stress step puts the axial stress
    // of N and no Sigy or Tau in their place. The typed values stay in the case.
    float checkedSigx = 0;
    float checkedSigy = 0;
    float checkedTau = 0;

    // Shell buckling
    double fEa = 0;
    double fEh = 0;
    double fEtau = 0;
    double SigjSd = 0;
    float lamdas = 0;
    float fks = 0;
    double gM = 0;
    double beta = 0;
    double shellStressRatio = 0;
    double UFallow = 0;
    double shellUF = 0;
    // The shell check's own permitted value. UFallow holds the last check's: in a column case
    // the column check's, which differs from the shell check's in WSD.
    double shellUFallow = 0;
    // A stringer-stiffened shell too slender for its stringers (s/t > 3 sqrt(r/t), Ch 3.6.1)
    // checked as an unstiffened cylinder (Ch 3.4.2) between its ring frames.
    double unstiffenedUF = 0;
    double unstiffenedUFallow = 0;

    // Panel stiffener buckling
    float se = 0;
    double Isef = 0;
    float fT = 0; // shared by the stiffener and ring-frame checks: the last one run wins
    double stiffUFallow = 0;
    double stiffUF = 0;

    // Panel ring buckling and heavy ring frame
    double Areq = 0;
    double le = 0;
    double r0 = 0;
    double rf = 0;
    float SighRing = 0;
    double Ix = 0;
    double Ixh = 0;
    double Ih = 0;
    double IR = 0;
    double ringAreaUF = 0;
    float ringInertiaUF = 0;
    double Ihr = 0;

    // Column buckling
    double fakd = 0;
    double fkcd1 = 0;
    double lamda1 = 0;
    double fE1 = 0;
    double fkcd2 = 0;
    double lamda2 = 0;
    double fE2 = 0;
    double M1Sd = 0;
    double M2Sd = 0;
    double Sigm1Sd = 0;
    double Sigm2Sd = 0;
    double UF1 = 0;
    double UF2 = 0;

    // Sections. tGovern is shared: the section computed last sets it.
    SectionProps stiffSection;
    SectionProps ringSection;
    EffectiveSection eff;
    float tGovern = 0;
    std::string webCheckText;
    std::string flangeCheckText;
    std::string stiffProfileText;
    ProfileSketch stiffSketch = ProfileSketch::None;
    std::string ringWebCheckText;
    std::string ringSlendernessCheckText;
    std::string ringFlangeCheckText;
    std::string ringEccentricityCheckText;
    std::string ringProfileText;
    ProfileSketch ringSketch = ProfileSketch::None;
    // Whether every proportion check (Ch 3.10) of the section computed last passed, and which
    // ones failed (ProportionBit flags).
    bool stiffProportionsOk = true;
    bool ringProportionsOk = true;
    unsigned stiffProportionsFailing = 0;
    unsigned ringProportionsFailing = 0;

    // True when s/t > 3 sqrt(r/t): the stiffener panel's place shows the slenderness note.
    bool slenderNote = false;

    bool operator==(const RunResults&) const = default;
};

// Everything a calculation run produces, with the four result panels.
struct CaseResults : RunResults {
    ResultPanel shellPanel;
    ResultPanel stiffPanel;
    ResultPanel ringPanel;
    ResultPanel columnPanel;

    // This part without the panels.
    RunResults& numbers() { return *this; }
    const RunResults& numbers() const { return *this; }

    bool operator==(const CaseResults&) const = default;
};

// Resets the fixed parts of the four panels to those of a new case: the line counts, the titles
// and the fixed labels. Values, units and the other labels keep what they showed.
void resetPanelLabels(CaseResults& res);

} // namespace velmora
