// The buckling checks after DNV-RP-C202 and the design-stress step that precedes them. Each
// check takes the design case, the results the earlier steps of the same run have stored, and
// the sections it needs, and returns what it computed; it writes nothing. A floating-point fault
// raises CalcFault (base/Fp.h) and the check returns nothing at all. The panel texts are made
// from the returned results in a separate step (checks/PanelTexts.h).
#pragma once

#include "case/CaseResults.h"
#include "case/DesignCase.h"
#include "checks/Torsion.h"
#include "sections/Sections.h"

#include <functional>
#include <optional>
#include <string>

namespace velmora {

class CalcTrace;

// ---------------------------------------------------------------------------------------------
// Design stresses

// The geometry terms the design-stress step begins with.
struct ShellGeometry {
    double Zl = 0;  // l^2 / (r t) sqrt(1 - 0.3^2)
    double leo = 0; // effective shell length of the ring-frame check
};

struct DesignStressResult {
    ShellGeometry geometry;
    double SighPd = 0;
    double SighSd = 0;
    double SigaSd = 0;
    // The stresses the checks take for Sigx, Sigy and Tau: the typed ones, or in a column case
    // the axial stress of N and no Sigy or Tau (the typed values stay in the case).
    float Sigx = 0;
    float Sigy = 0;
    float Tau = 0;
};

// Every check records its lines in `trace` when there is one (checks/CalcTrace.h); without
// one it records nothing and computes the same numbers.
ShellGeometry shellGeometry(const DesignCase& dc, CalcTrace* trace = nullptr);

// Design stresses SigaSd, SighPd and SighSd. A ring-stiffened cylinder reduces the hoop stress
// by its ring-frame area, which `ringArea` gives when the step needs it (the caller computes the
// ring-frame section there).
DesignStressResult designStresses(const DesignCase& dc, const ShellGeometry& g,
                                  const std::function<double()>& ringArea,
                                  CalcTrace* trace = nullptr);

// ---------------------------------------------------------------------------------------------
// Shell buckling (Ch 3.3.2, Ch 3.4.2)

// How the lines of one elastic buckling strength are named: C_a and fEa for kind "a".
struct StrengthTrace {
    CalcTrace* trace = nullptr;
    const char* kind = "";
    const char* symbol = "";
    const char* lengthName = "";
    const char* ref = "";
};

// C * pi^2 E / (12 (1 - 0.3^2)) * (t / length)^2 with C = psi sqrt(1 + (rho xi / psi)^2).
double elasticStrength(const DesignCase& dc, double psi, double xi, double rho, double length,
                       const StrengthTrace& st = {});

// Material factor gM, WSD buckling factor beta and permitted usage factor at slenderness
// `lamdas`. LRFD leaves beta as it was (no value here).
struct MaterialFactor {
    double gM = 0;
    std::optional<double> beta;
    double UFallow = 0;
};
MaterialFactor materialFactor(const DesignCase& dc, double lamdas, CalcTrace* trace = nullptr);

struct ShellResult {
    const char* title = "";      // "Shell Buckling: (Ch 3.3.2)" or "(Ch 3.4.2)"
    const char* line2Label = ""; // "fEtau = " or "fEtau/fEm = "
    double line2Value = 0;
    double fEa = 0;
    double fEh = 0;
    double fEtau = 0;
    double Siga0Sd = 0;
    double SigjSd = 0;
    float lamdas = 0;
    float fks = 0;
    double shellStressRatio = 0;
    MaterialFactor factor;
    float fksd = 0;
    double shellUF = 0;
};

// The design stresses a shell check reads.
struct ShellStresses {
    double Zl = 0;
    double SigaSd = 0;
    double SighSd = 0;
};
// Those the results hold now.
ShellStresses shellStresses(const CaseResults& res);

// Elastic buckling strengths of one shell check; fEm only enters the Ch 3.4 check. They depend
// on the geometry (and E) alone, so a run over several load cases computes them once.
struct ShellStrengths {
    double fEa = 0;
    double fEm = 0;
    double fEtau = 0;
    double fEh = 0;
};

// Those of the curved panel (Ch 3.3, Table 3-2) and of the unstiffened cylinder with the
// curvature parameter Zl (Ch 3.4, Table 3-3, with the long-cylinder limits of Ch 3.4.3, 3.4.4).
ShellStrengths curvedPanelStrengths(const DesignCase& dc, CalcTrace* trace = nullptr);
ShellStrengths unstiffenedCylinderStrengths(const DesignCase& dc, double Zl,
                                            CalcTrace* trace = nullptr);

// Ch 3.3.2: the curved panel between two stringers, panel width s. Reads the design stresses
// from `res`; the strengths are computed, or given as curvedPanelStrengths gave them.
ShellResult checkCurvedPanel(const DesignCase& dc, const CaseResults& res,
                             CalcTrace* trace = nullptr);
ShellResult checkCurvedPanel(const DesignCase& dc, const CaseResults& res, const ShellStrengths& fE,
                             CalcTrace* trace = nullptr);

// Ch 3.4.2: the shell between ring frames as an unstiffened cylinder of length l, with the
// bending stress `SigmSd` (0 except in a column case).
ShellResult checkUnstiffenedCylinder(const DesignCase& dc, const CaseResults& res, double SigmSd,
                                     CalcTrace* trace = nullptr);
ShellResult checkUnstiffenedCylinder(const DesignCase& dc, const ShellStresses& ds, double SigmSd,
                                     CalcTrace* trace = nullptr);
ShellResult checkUnstiffenedCylinder(const DesignCase& dc, const ShellStresses& ds, double SigmSd,
                                     const ShellStrengths& fE, CalcTrace* trace = nullptr);

// ---------------------------------------------------------------------------------------------
// Panel stiffener buckling (Ch 3.6.3)

// Ch 3.9 torsional buckling strength fT of the stiffener `rec` with section `sp`, limited to
// the plate's yield strength.
float stiffenerTorsionalStrength(const DesignCase& dc, const ProfileRecord& rec,
                                 const SectionProps& sp, float fys, double shellStressRatio,
                                 CalcTrace* trace = nullptr);
float stiffenerTorsionalStrength(const DesignCase& dc, const ProfileRecord& rec,
                                 const SectionProps& sp, float fys, double shellStressRatio,
                                 TorsionInvariants& kept, CalcTrace* trace = nullptr);

// The profile of height H and section `sp` with an effective plate flange of width b.
// `bName` names the plate width in the trace ("se", "le").
EffectiveSection effectiveSection(const SectionProps& sp, double H, double t, double b,
                                  CalcTrace* trace = nullptr, const char* bName = "b",
                                  const char* ref = "");

struct StiffenerResult {
    float fT = 0;
    float se = 0;
    EffectiveSection eff;
    double Isef = 0;
    double SigaSd = 0;
    double Zl = 0;
    double fEa = 0;
    double fEtau = 0;
    double fEh = 0;
    double SigjSd = 0;
    double lamdas = 0;
    float fks = 0;
    double gM = 0;
    double beta = 0;
    double fksd = 0;
    double stiffUFallow = 0;
    double stiffUF = 0;
};

// The parts of the stiffener check that depend on the geometry and the stiffener alone, kept
// over the load cases of one run (checks/Kept.h).
struct StiffenerInvariants {
    TorsionInvariants torsion;
    std::optional<double> nu2; // 0.3^2
    std::optional<double> t3;  // t^3
    std::optional<double> Zl;
    std::optional<double> ls;  // (l / s)^(4/3)
    std::optional<double> xiT; // 0.856 Zl^(3/4)
};

// Reads the shell check's fks, SigjSd, shellStressRatio and the design stress SighSd from `res`.
StiffenerResult checkStiffenerBuckling(const DesignCase& dc, const CaseResults& res,
                                       const SectionResult& section, CalcTrace* trace = nullptr);
StiffenerResult checkStiffenerBuckling(const DesignCase& dc, const CaseResults& res,
                                       const SectionResult& section, StiffenerInvariants& kept,
                                       CalcTrace* trace = nullptr);

// ---------------------------------------------------------------------------------------------
// Ring frames (Ch 3.5.2, Ch 3.9)

// Ch 3.9 limit of the ring frame's torsional buckling length: the corrected ltRing, pi sqrt(r h)
// less 1, when the stored one exceeds pi sqrt(r h); nothing otherwise, nothing when the
// corrected length would not be positive, and always nothing for a column case.
std::optional<float> correctedRingTorsionalLength(const DesignCase& dc);

// The ring frame with its effective shell flange of width le, and the radii r0 (to the
// centroid of the combined section) and rf (to the flange).
struct RingEffectiveSection {
    EffectiveSection eff;
    double r0 = 0;
    double rf = 0;
};
RingEffectiveSection ringEffectiveSection(const DesignCase& dc, const ProfileRecord& ring,
                                          const SectionProps& sp, double le,
                                          CalcTrace* trace = nullptr);

// Torsional buckling strength fT of the ring frame, for a cold-formed frame 90 % of it, limited
// to the plate's yield strength.
float ringTorsionalStrength(const DesignCase& dc, const ProfileRecord& ring, const SectionProps& sp,
                            float fyr, double leo, double shellStressRatio,
                            CalcTrace* trace = nullptr);
float ringTorsionalStrength(const DesignCase& dc, const ProfileRecord& ring, const SectionProps& sp,
                            float fyr, double leo, double shellStressRatio, TorsionInvariants& kept,
                            CalcTrace* trace = nullptr);

// The parts of the panel ring and heavy ring-frame checks that depend on the geometry and the
// ring frame alone, kept over the load cases of one run (checks/Kept.h).
struct RingInvariants {
    TorsionInvariants torsion;
    std::optional<RingEffectiveSection> section;
    // Powers of the radius r0 in the moment-of-inertia requirements, for the r0 in `r0`.
    double r0 = 0;
    std::optional<double> r0Pow4;
    std::optional<double> r0Pow2;
    std::optional<double> r0L; // (r0 / L)^(1/5)
};

// What one evaluation of the special calculation of Ih (Ch 3.5.2.7) reads.
struct SpecialIhInputs {
    double A = 0; // ring-frame area
    double leo = 0;
    double fT = 0;
    double gM = 0;
    double zt = 0; // effective section: centroid to the free edge
    double rf = 0;
};
// Curvature parameter of the whole cylinder length L that the special calculation uses.
double specialIhZl(const DesignCase& dc);
// The parts of a step that do not depend on Ih, each kept from the step that first worked it
// out at its own place in the sequence, so that a step after the first repeats none of them and
// a fault still comes from the same operation as without them.
struct SpecialIhInvariants {
    std::optional<double> t3;  // t^3
    std::optional<double> Zl;  // specialIhZl
    std::optional<double> C1;  // 2 sqrt(1 + 0.27 Zl)
    std::optional<double> tL2; // (t / L)^2
    std::optional<double> r2;  // r^2
};
// The pressure ratio |pd / pRd| for the moment of inertia Ih.
double specialIhStep(const DesignCase& dc, const SpecialIhInputs& in, double Ih);
double specialIhStep(const DesignCase& dc, const SpecialIhInputs& in, double Ih,
                     SpecialIhInvariants& kept, CalcTrace* trace = nullptr);

struct RingResult {
    double Areq = 0;
    double le = 0;
    RingEffectiveSection section;
    float fT = 0;
    float SighRing = 0;
    double ringAreaUF = 0;
    double Ix = 0;
    double Ixh = 0;
    double Ih = 0;
    double IR = 0;
    double Ie = 0;
    float ringInertiaUF = 0;
    bool special = false;     // Ih from the special calculation
    std::optional<double> Zl; // set when the special calculation ran a step
};

// Ch 3.5.2 panel ring buckling with the ring-frame section `ring`. Reads Zl, leo, gM and
// shellStressRatio of this run and the stiffener area from `res`.
RingResult checkPanelRing(const DesignCase& dc, const CaseResults& res, const SectionResult& ring,
                          CalcTrace* trace = nullptr);
RingResult checkPanelRing(const DesignCase& dc, const CaseResults& res, const SectionResult& ring,
                          RingInvariants& kept, CalcTrace* trace = nullptr);

struct HeavyRingResult {
    float fT = 0;
    double Ihr = 0;
};

// Required moment of inertia of a heavy ring frame over the cylinder length L; reads the panel
// ring check's fT, SighRing, r0 and effective section of the same run from `res`.
HeavyRingResult checkHeavyRing(const DesignCase& dc, const CaseResults& res,
                               CalcTrace* trace = nullptr);
HeavyRingResult checkHeavyRing(const DesignCase& dc, const CaseResults& res, RingInvariants& kept,
                               CalcTrace* trace = nullptr);

// ---------------------------------------------------------------------------------------------
// Column buckling (Ch 3.8)

struct ColumnResult {
    double SigmSd = 0;
    ShellResult shell;     // the Ch 3.4 check with the column's bending stress
    MaterialFactor factor; // the column's own permitted value (WSD: gM 1.15, beta 1)
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
};

// The message a failing local-buckling root (Eq 3.8.8) stops the run with.
extern const char* const kNegRootMessage;

// Ch 3.8: the whole cylinder as a column under axial force and biaxial end moments. Before an
// operation of Eq 3.8.8 that fails on a negative root the check sets `message`, which the run
// shows when it stops there.
ColumnResult checkColumnBuckling(const DesignCase& dc, const CaseResults& res, std::string& message,
                                 CalcTrace* trace = nullptr);

} // namespace velmora
