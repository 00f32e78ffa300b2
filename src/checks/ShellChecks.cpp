// Design stresses and shell buckling of the cylinder wall: the curved panel between stringers
// (Ch 3.3.2) and the unstiffened cylinder between ring frames (Ch 3.4.2). Both follow one path:
// elastic buckling strengths, equivalent von Mises stress, reduced slenderness, characteristic
// strength, slenderness-dependent material factor and usage factor.
#include "calc/State.h"
#include "checks/Checks.h"
#include "base/Fp.h"
#include "base/NumberText.h"
#include "sections/Sections.h"

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

// Elastic buckling strengths of one shell check; fEm only enters the Ch 3.4 check.
struct ShellStrengths {
    double fEa = 0;
    double fEm = 0;
    double fEtau = 0;
    double fEh = 0;
};
} // namespace

void designStresses(State& st, Notifier& nt) {
    DesignCase& dc = st.dc;
    CaseResults& res = st.res;
    const double r = dc.r;
    const double t = dc.t;
    const double l = dc.l;

    const double rootRT = 1.56 * fsqrt(r * t);
    double leo = rootRT;
    if (leo > l)
        leo = l;
    res.leo = leo;

    // Hoop stress from the lateral pressure; p r is a single-precision product.
    const double pr = static_cast<double>(dc.pd * dc.r);
    const double prt = fdiv(pr, t);
    if (dc.cylinderType == 1) {
        // Ring frames carry part of the hoop force: reduce by the ring-frame area ratio and the
        // shell's bending response between frames.
        const double betaR = fdiv(l, rootRT);
        const double sinhB = sinhExp(betaR);
        const double coshB = coshExp(betaR);
        const double sinh2B = sinhExp(2 * betaR);
        computeRingSection(st, nt, dc.ring.kind);
        const double alpha = fdiv(res.ringSection.A, leo * t);
        double zeta = fdiv(2 * (sinhB * std::cos(betaR) + coshB * std::sin(betaR)),
                           sinh2B + std::sin(2 * betaR));
        if (zeta < 0)
            zeta = 0;
        res.SighPd = fin(prt - fdiv(alpha * zeta, alpha + 1) * (prt - kNu * dc.Sigx));
    } else {
        res.SighPd = prt;
    }

    if (dc.cylinderType == 3) {
        dc.Sigy = 0;
        dc.Tau = 0;
    }
    res.SighSd = fin(dc.Sigy + res.SighPd);

    if (dc.cylinderType == 3) {
        // Axial force N in kN over the tube wall, in MPa.
        res.SigaSd = fdiv(1000.0 * dc.N, kTwoPi * r * t);
        dc.Sigx = toSingle(res.SigaSd);
    } else {
        res.SigaSd = dc.Sigx;
    }
}

double elasticStrength(const State& st, double psi, double xi, double rho, double length) {
    const double ratio = fdiv(rho * xi, psi);
    const double C = toSingle(psi * fsqrt(1 + ratio * ratio));
    const double tl = fdiv(st.dc.t, length);
    return fin((kPi * kPi * C * st.dc.E / 12) / (1 - kNu * kNu) * (tl * tl));
}

void materialFactor(State& st, double lamdas) {
    CaseResults& res = st.res;
    if (st.dc.designFormat == 0) {
        if (lamdas < 0.5)
            res.gM = 1.15;
        else if (lamdas <= 1.0)
            res.gM = 0.85 + 0.60 * lamdas;
        else
            res.gM = 1.45;
        res.UFallow = st.dc.UF;
    } else {
        res.gM = 1.15;
        if (lamdas < 0.5)
            res.beta = 1.0;
        else if (lamdas <= 1.0)
            res.beta = 1.2 - 0.4 * lamdas;
        else
            res.beta = 0.8;
        res.UFallow = 1.15 * res.beta * st.dc.UF;
    }
}

namespace {

// Common path of the shell checks; returns the design buckling strength fksd.
float runShellPath(State& st, const ShellStrengths& fE, bool withBending) {
    CaseResults& res = st.res;
    const DesignCase& dc = st.dc;
    const double SigaSd = res.SigaSd;
    const double SighSd = res.SighSd;
    const double SigmSd = withBending ? res.SigmSd : 0.0;

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

    res.Siga0Sd = Siga0Sd;
    res.SigjSd = SigjSd;
    res.lamdas = lamdas;
    res.fks = fks;
    res.shellStressRatio = fdiv(SigjSd, fks);
    materialFactor(st, lamdas);
    const float fksd = toSingle(fdiv(fks, res.gM));
    res.shellUF = fdiv(SigjSd, fksd);
    return fksd;
}

void fillShellPanel(State& st, const char* title, const char* line2Label, double line2Value,
                    double fksd) {
    const char sep = st.decimalSep();
    const CaseResults& r = st.res;
    auto f = [sep](double v, const char* pattern) { return formatNumber(v, pattern, sep); };
    ResultPanel p = st.res.shellPanel;
    p.lineCount = 10;
    p.label[0] = title;
    p.value[0] = "";
    p.unit[0] = "";
    const char* labels[] = {"fEa = ",    line2Label, "fEh = ", "SighSd = ", "SigjSd = ",
                            "lamdas = ", "fks = ",   "gm = ",  "fksd = "};
    const double values[] = {r.fEa,    line2Value, r.fEh, r.SighPd, r.SigjSd,
                             r.lamdas, r.fks,      r.gM,  fksd};
    const char* patterns[] = {"0.0", "0.0", "0.0", "0.0", "0.0", "0.00", "0.0", "0.00", "0.0"};
    const char* units[] = {"  MPa",  "  MPa", "  MPa", "  MPa (only lateral pressure)",
                           "  MPa ", " ",     "  MPa", " ",
                           "  MPa"};
    for (int i = 0; i < 9; ++i) {
        p.label[i + 1] = labels[i];
        p.value[i + 1] = f(values[i], patterns[i]);
        p.unit[i + 1] = units[i];
    }
    p.label[10] = "UF = SigjSd/fksd = " + f(r.SigjSd, "0.0") + "/" + f(fksd, "0.0") + " = ";
    p.value[10] = f(r.shellUF, "0.00");
    p.unit[10] = " <= " + f(r.UFallow, "0.00");
    st.res.shellPanel = p;
}

} // namespace

void checkCurvedPanel(State& st) {
    const DesignCase& dc = st.dc;
    const double r = dc.r;
    const double t = dc.t;
    const double s = dc.s;
    const double l = dc.l;

    const double Zs = fdiv(s * s, r * t) * fsqrt(1 - kNu * kNu);
    const double sl = fdiv(s, l);
    ShellStrengths fE;
    fE.fEa = elasticStrength(st, 4, 0.702 * Zs, 0.5 * fpow(1 + fdiv(r, 150 * t), -0.5), s);
    fE.fEtau =
        elasticStrength(st, 5.34 + 4 * sl * sl, 0.856 * fpow(sl, 0.5) * fpow(Zs, 0.75), 0.6, s);
    const double psiH = (1 + sl * sl) * (1 + sl * sl);
    fE.fEh = toSingle(elasticStrength(st, psiH, 1.04 * sl * fsqrt(Zs), 0.6, s));

    st.res.fEa = fE.fEa;
    st.res.fEh = fE.fEh;
    st.res.fEtau = fE.fEtau;
    const float fksd = runShellPath(st, fE, false);
    fillShellPanel(st, "Shell Buckling: (Ch 3.3.2)", "fEtau = ", fE.fEtau, fksd);
}

void checkUnstiffenedCylinder(State& st) {
    const DesignCase& dc = st.dc;
    const double r = dc.r;
    const double t = dc.t;
    const double l = dc.l;
    const double Zl = st.res.Zl;

    ShellStrengths fE;
    fE.fEa = elasticStrength(st, 1, 0.702 * Zl, 0.5 * fpow(1 + fdiv(r, 150 * t), -0.5), l);
    fE.fEm = elasticStrength(st, 1, 0.702 * Zl, 0.5 * fpow(1 + fdiv(r, 300 * t), -0.5), l);
    fE.fEtau = elasticStrength(st, 5.34, 0.856 * fpow(Zl, 0.75), 0.6, l);
    double fEh = elasticStrength(st, 4, 1.04 * fsqrt(Zl), 0.6, l);

    // Long cylinders: shear and hoop buckling no longer depend on the length.
    const double lr = fdiv(l, r);
    const double rootRT = fsqrt(fdiv(r, t));
    if (lr > 3.85 * rootRT)
        fE.fEtau = 0.25 * dc.E * fpow(fdiv(t, r), 1.5);
    if (lr > 2.25 * rootRT)
        fEh = 0.25 * dc.E * fpow(fdiv(t, r), 2);
    fE.fEh = toSingle(fEh);

    st.res.fEa = fE.fEa;
    st.res.fEh = fE.fEh;
    st.res.fEtau = fE.fEtau;
    const float fksd = runShellPath(st, fE, true);
    // In a column case Tau is zero, so the bending strength is the informative one.
    const double line2 = dc.cylinderType == 3 ? fE.fEm : fE.fEtau;
    fillShellPanel(st, "Shell Buckling: (Ch 3.4.2)", "fEtau/fEm = ", line2, fksd);
}

} // namespace velmora
