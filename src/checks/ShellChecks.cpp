// Design stresses and shell buckling of the cylinder wall: the curved panel between stringers
// (Ch 3.3.2) and the unstiffened cylinder between ring frames (Ch 3.4.2). Both follow one path:
// elastic buckling strengths, equivalent von Mises stress, reduced slenderness, characteristic
// strength, slenderness-dependent material factor and usage factor.
#include "base/Fp.h"
#include "checks/Checks.h"

#include <cmath>

namespace velmora {

namespace {
constexpr double kNu = 0.3;

double sinhExp(double x) {
    return (fexp(x) - fexp(-x)) / 2;
}
double coshExp(double x) {
    return (fexp(x) + fexp(-x)) / 2;
}

} // namespace

ShellGeometry shellGeometry(const DesignCase& dc) {
    ShellGeometry g;
    const double l = dc.l;
    g.Zl = fdiv(l * l, static_cast<double>(dc.r) * dc.t) * std::sqrt(1 - 0.3 * 0.3);
    // Effective shell length of a ring frame, at most the ring spacing.
    const double leo = 1.56 * fsqrt(static_cast<double>(dc.r) * dc.t);
    g.leo = leo > l ? l : leo;
    return g;
}

DesignStressResult designStresses(const DesignCase& dc, const ShellGeometry& g,
                                  const std::function<double()>& ringArea) {
    DesignStressResult out;
    out.geometry = g;
    const double r = dc.r;
    const double t = dc.t;
    const double l = dc.l;
    const double rootRT = 1.56 * fsqrt(r * t);
    const double leo = g.leo;

    // Hoop stress from the lateral pressure; p r is a single-precision product.
    const double pr = static_cast<double>(dc.pd * dc.r);
    const double prt = fdiv(pr, t);
    if (dc.cylinderType == CylinderType::RingStiffened) {
        // Ring frames carry part of the hoop force (Ch 3.2, stresses in ring-stiffened shells):
        // the membrane hoop stress p r / t is reduced by alpha zeta / (alpha + 1) times
        // (p r / t - 0.3 Sigx), with the area ratio alpha = A / (leo t) of the ring frame and
        // the shell's bending response zeta between frames at beta = l / (1.56 sqrt(r t)).
        const double betaR = fdiv(l, rootRT);
        const double sinhB = sinhExp(betaR);
        const double coshB = coshExp(betaR);
        const double sinh2B = sinhExp(2 * betaR);
        const double alpha = fdiv(ringArea(), leo * t);
        double zeta = fdiv(2 * (sinhB * std::cos(betaR) + coshB * std::sin(betaR)),
                           sinh2B + std::sin(2 * betaR));
        if (zeta < 0)
            zeta = 0;
        out.SighPd = fin(prt - fdiv(alpha * zeta, alpha + 1) * (prt - kNu * dc.Sigx));
    } else {
        out.SighPd = prt;
    }

    float Sigy = dc.Sigy;
    float Tau = dc.Tau;
    if (dc.cylinderType == CylinderType::Column) {
        Sigy = 0;
        Tau = 0;
    }
    out.SighSd = fin(Sigy + out.SighPd);

    out.Sigy = Sigy;
    out.Tau = Tau;
    if (dc.cylinderType == CylinderType::Column) {
        // Axial force N in kN over the tube wall, in MPa.
        out.SigaSd = fdiv(1000.0 * dc.N, kTwoPi * r * t);
        out.Sigx = toSingle(out.SigaSd);
    } else {
        out.SigaSd = dc.Sigx;
        out.Sigx = dc.Sigx;
    }
    return out;
}

double elasticStrength(const DesignCase& dc, double psi, double xi, double rho, double length) {
    const double ratio = fdiv(rho * xi, psi);
    const double C = toSingle(psi * fsqrt(1 + ratio * ratio));
    const double tl = fdiv(dc.t, length);
    return fin((kPi * kPi * C * dc.E / 12) / (1 - kNu * kNu) * (tl * tl));
}

MaterialFactor materialFactor(const DesignCase& dc, double lamdas) {
    // Material factor of shell buckling (Ch 3.1): 1.15 for stocky shells, rising linearly to
    // 1.45 between the reduced slendernesses 0.5 and 1.0. WSD keeps 1.15 and lowers the usage
    // factor by beta over the same range instead.
    MaterialFactor m;
    if (dc.designFormat == DesignFormat::LRFD) {
        if (lamdas < 0.5)
            m.gM = 1.15;
        else if (lamdas <= 1.0)
            m.gM = 0.85 + 0.60 * lamdas;
        else
            m.gM = 1.45;
        m.UFallow = dc.UF;
    } else {
        m.gM = 1.15;
        double beta = 0;
        if (lamdas < 0.5)
            beta = 1.0;
        else if (lamdas <= 1.0)
            beta = 1.2 - 0.4 * lamdas;
        else
            beta = 0.8;
        m.beta = beta;
        m.UFallow = 1.15 * beta * dc.UF;
    }
    return m;
}

namespace {

// Common path of the shell checks, from the elastic strengths to the usage factor.
void runShellPath(const DesignCase& dc, const ShellStresses& ds, const ShellStrengths& fE,
                  bool withBending, double bending, ShellResult& out) {
    const double SigaSd = ds.SigaSd;
    const double SighSd = ds.SighSd;
    const double SigmSd = withBending ? bending : 0.0;

    const double Siga0Sd = dc.Sigx >= 0 ? 0.0 : -SigaSd;
    const double Sigh0Sd = SighSd >= 0 ? 0.0 : -SighSd;
    const double Sigm0Sd = SigmSd >= 0 ? 0.0 : -SigmSd;
    const double TauSd = std::fabs(static_cast<double>(dc.Tau));

    const double axial = SigaSd + SigmSd;
    const double SigjSd =
        fsqrt(axial * axial - axial * SighSd + SighSd * SighSd + 3 * TauSd * TauSd);

    double sum = fdiv(Siga0Sd, fE.fEa);
    if (withBending)
        sum += fdiv(Sigm0Sd, fE.fEm);
    sum += fdiv(Sigh0Sd, fE.fEh);
    sum += fdiv(TauSd, fE.fEtau);
    const float lamdas = toSingle(fsqrt(fdiv(dc.fyp, SigjSd) * sum));
    const double lam = lamdas;
    const float fks = toSingle(fdiv(dc.fyp, fsqrt(1 + fpow(lam, 4))));

    out.fEa = fE.fEa;
    out.fEh = fE.fEh;
    out.fEtau = fE.fEtau;
    out.Siga0Sd = Siga0Sd;
    out.SigjSd = SigjSd;
    out.lamdas = lamdas;
    out.fks = fks;
    out.shellStressRatio = fdiv(SigjSd, fks);
    out.factor = materialFactor(dc, lamdas);
    out.fksd = toSingle(fdiv(fks, out.factor.gM));
    out.shellUF = fdiv(SigjSd, out.fksd);
}

} // namespace

ShellStresses shellStresses(const CaseResults& res) {
    return {res.Zl, res.SigaSd, res.SighSd};
}

ShellStrengths curvedPanelStrengths(const DesignCase& dc) {
    const double r = dc.r;
    const double t = dc.t;
    const double s = dc.s;
    const double l = dc.l;

    // Buckling coefficients of the curved panel (Ch 3.3, Table 3-2): psi, xi and rho for axial
    // stress, shear and circumferential stress, with the panel's curvature parameter Zs.
    const double Zs = fdiv(s * s, r * t) * fsqrt(1 - kNu * kNu);
    const double sl = fdiv(s, l);
    ShellStrengths fE;
    fE.fEa = elasticStrength(dc, 4, 0.702 * Zs, 0.5 * fpow(1 + fdiv(r, 150 * t), -0.5), s);
    fE.fEtau =
        elasticStrength(dc, 5.34 + 4 * sl * sl, 0.856 * fpow(sl, 0.5) * fpow(Zs, 0.75), 0.6, s);
    const double psiH = (1 + sl * sl) * (1 + sl * sl);
    fE.fEh = toSingle(elasticStrength(dc, psiH, 1.04 * sl * fsqrt(Zs), 0.6, s));
    return fE;
}

ShellResult checkCurvedPanel(const DesignCase& dc, const CaseResults& res) {
    return checkCurvedPanel(dc, res, curvedPanelStrengths(dc));
}

ShellResult checkCurvedPanel(const DesignCase& dc, const CaseResults& res,
                             const ShellStrengths& fE) {
    ShellResult out;
    out.title = "Shell Buckling: (Ch 3.3.2)";
    out.line2Label = "fEtau = ";
    out.line2Value = fE.fEtau;
    runShellPath(dc, shellStresses(res), fE, false, 0.0, out);
    return out;
}

ShellStrengths unstiffenedCylinderStrengths(const DesignCase& dc, double Zl) {
    const double r = dc.r;
    const double t = dc.t;
    const double l = dc.l;

    // Buckling coefficients of the unstiffened cylinder (Ch 3.4, Table 3-3): axial stress,
    // bending, torsion and shear, lateral pressure.
    ShellStrengths fE;
    fE.fEa = elasticStrength(dc, 1, 0.702 * Zl, 0.5 * fpow(1 + fdiv(r, 150 * t), -0.5), l);
    fE.fEm = elasticStrength(dc, 1, 0.702 * Zl, 0.5 * fpow(1 + fdiv(r, 300 * t), -0.5), l);
    fE.fEtau = elasticStrength(dc, 5.34, 0.856 * fpow(Zl, 0.75), 0.6, l);
    double fEh = elasticStrength(dc, 4, 1.04 * fsqrt(Zl), 0.6, l);

    // Long cylinders (Ch 3.4.3, 3.4.4): shear and hoop buckling no longer depend on the length.
    const double lr = fdiv(l, r);
    const double rootRT = fsqrt(fdiv(r, t));
    if (lr > 3.85 * rootRT)
        fE.fEtau = 0.25 * dc.E * fpow(fdiv(t, r), 1.5);
    if (lr > 2.25 * rootRT)
        fEh = 0.25 * dc.E * fpow(fdiv(t, r), 2);
    fE.fEh = toSingle(fEh);
    return fE;
}

ShellResult checkUnstiffenedCylinder(const DesignCase& dc, const CaseResults& res, double SigmSd) {
    return checkUnstiffenedCylinder(dc, shellStresses(res), SigmSd);
}

ShellResult checkUnstiffenedCylinder(const DesignCase& dc, const ShellStresses& ds, double SigmSd) {
    return checkUnstiffenedCylinder(dc, ds, SigmSd, unstiffenedCylinderStrengths(dc, ds.Zl));
}

ShellResult checkUnstiffenedCylinder(const DesignCase& dc, const ShellStresses& ds, double SigmSd,
                                     const ShellStrengths& fE) {
    ShellResult out;
    out.title = "Shell Buckling: (Ch 3.4.2)";
    out.line2Label = "fEtau/fEm = ";
    // In a column case Tau is zero, so the bending strength is the informative one.
    out.line2Value = dc.cylinderType == CylinderType::Column ? fE.fEm : fE.fEtau;
    runShellPath(dc, ds, fE, true, SigmSd, out);
    return out;
}

} // namespace velmora
