// Panel stiffener buckling (DNV-RP-C202 Ch 3.6.3) with the torsional buckling strength of the
// stiffener (Ch 3.9) and the stiffener's effective plate flange.
#include "case/Notifier.h"
#include "calc/State.h"
#include "checks/Checks.h"
#include "base/Fp.h"
#include "checks/Torsion.h"
#include "base/NumberText.h"
#include "sections/Sections.h"

#include <cmath>
#include <string>

namespace velmora {

void torsionalBucklingStrength(State& st) {
    const DesignCase& dc = st.dc;
    float fT = torsionalStrength({dc.stiff, st.res.stiffSection, dc.E, dc.t, dc.s, dc.r, dc.ltStiff,
                                  dc.fys, st.res.shellStressRatio});
    // The torsional strength never exceeds the plate's yield strength.
    if (fT > dc.fyp)
        fT = dc.fyp;
    st.res.fT = fT;
}

void stiffenerEffectiveSection(State& st) {
    const SectionProps& sp = st.res.stiffSection;
    const double t = st.dc.t;
    const double b = st.res.se;
    const double H = st.dc.stiff.H;
    const double A = sp.A;
    const double zc = sp.zc;

    EffectiveSection eff;
    eff.Aeff = A + b * t;
    eff.e = fdiv(A * (zc + t / 2.0), eff.Aeff);
    eff.zt = H + t / 2.0 - eff.e;
    eff.Ie = fdiv(b * fpow(t, 3), 12.0) + sp.Iy + A * fpow(zc + t / 2.0 - eff.e, 2) +
             b * t * fpow(eff.e, 2);
    fin(eff.Ie);
    st.res.eff = eff;
}

void checkStiffenerBuckling(State& st, Notifier& nt) {
    computeStiffenerSection(st, nt, st.dc.stiff.kind);
    torsionalBucklingStrength(st);

    const DesignCase& dc = st.dc;
    CaseResults& res = st.res;
    const double r = dc.r;
    const double t = dc.t;
    const double l = dc.l;
    const double s = dc.s;
    const double Sigx = dc.Sigx;
    const double fT = res.fT;
    const double A = res.stiffSection.A;
    const double nu2 = fpow(0.3, 2);

    // Effective plate width from the shell's own buckling strength; the full spacing acts when
    // there is no axial compression.
    float se = dc.s;
    if (Sigx < 0.0)
        se = toSingle(fdiv(s * res.fks * std::fabs(Sigx), res.SigjSd * fT));
    res.se = se;

    stiffenerEffectiveSection(st);
    const double Isef = res.eff.Ie;

    // Axial stress of the stiffener with its effective flange.
    const double SigaSd = fdiv(Sigx * t * s + Sigx * A, A + se * t);

    const double gamma = fdiv(12.0 * (1.0 - nu2) * Isef, s * fpow(t, 3));
    const double Zl = fdiv(fpow(l, 2), r * t) * fsqrt(1.0 - nu2);

    const double fEa =
        elasticStrength(st, fdiv(1.0 + gamma, 1.0 + fdiv(A, se * t)), 0.702 * Zl, 0.5, l);
    const double fEtau =
        elasticStrength(st, 5.34 + 1.82 * fpow(fdiv(l, s), 4.0 / 3.0) * fpow(gamma, 1.0 / 3.0),
                        0.856 * fpow(Zl, 3.0 / 4.0), 0.6, l);
    const double fEh =
        elasticStrength(st, 2.0 * (1.0 + fsqrt(1.0 + gamma)), 1.04 * fsqrt(Zl), 0.6, l);

    const double SighSd = res.SighSd;
    const double siga0 = Sigx >= 0.0 ? 0.0 : -SigaSd;
    const double tau = std::fabs(static_cast<double>(dc.Tau));
    const double sigh0 = SighSd >= 0.0 ? 0.0 : -SighSd;

    const double SigjSd =
        fsqrt(fpow(SigaSd, 2) - SigaSd * SighSd + fpow(SighSd, 2) + 3.0 * fpow(tau, 2));
    const double lamdas =
        fsqrt(fdiv(fT, SigjSd) * (fdiv(siga0, fEa) + fdiv(sigh0, fEh) + fdiv(tau, fEtau)));
    const float fks = toSingle(fdiv(fT, fsqrt(1.0 + fpow(lamdas, 4))));

    // The stiffener check keeps the material factor fixed at 1.15.
    const double gM = 1.15;
    const double beta = 1.0;
    const double stiffUFallow = dc.designFormat == 1 ? gM * beta * dc.UF : dc.UF;
    const double fksd = fdiv(fks, gM);
    const double stiffUF = fdiv(SigjSd, fksd);

    const char sep = st.decimalSep();
    auto fmt = [sep](double v, const char* pattern) { return formatNumber(v, pattern, sep); };
    ResultPanel panel = res.stiffPanel;
    auto row = [&panel](size_t i, const std::string& label, const std::string& value,
                        const std::string& unit) {
        panel.label[i] = label;
        panel.value[i] = value;
        panel.unit[i] = unit;
    };
    row(0, "Stiffener Buckling: (Ch 3.6.3)", "", "");
    row(1, "se =", fmt(se, "0.0"), "  mm");
    row(2, "Isef =", fmt(Isef, "0.000E+0"), "  mm4");
    row(3, "fEa =", fmt(fEa, "0.0"), "  MPa");
    row(4, "fEtau = ", fmt(fEtau, "0.0"), "  MPa");
    row(5, "fEh = ", fmt(fEh, "0.0"), "  MPa");
    row(6, "fT = ", fmt(fT, "0.0"), "  MPa");
    row(7, "SighSd = ", fmt(res.SighPd, "0.0"), "  MPa (only lateral pressure)");
    row(8, "SigjSd = ", fmt(SigjSd, "0.0"), "  MPa ");
    row(9, "lamdas = ", fmt(lamdas, "0.00"), " ");
    row(10, "fks = ", fmt(fks, "0.0"), "  MPa");
    row(11, "gm = ", fmt(gM, "0.00"), " ");
    row(12, "fksd = ", fmt(fksd, "0.0"), "  MPa");
    row(13, "UF = SigjSd/fksd = " + fmt(SigjSd, "0.0") + "/" + fmt(fksd, "0.0") + " = ",
        fmt(stiffUF, "0.00"), " <= " + fmt(stiffUFallow, "0.00"));
    panel.lineCount = 13;

    // Everything passed: publish the stiffener's values over the shell check's.
    res.Isef = Isef;
    res.SigaSd = SigaSd;
    res.Zl = Zl;
    res.SigjSd = SigjSd;
    res.fks = fks;
    res.gM = gM;
    res.beta = beta;
    res.stiffUFallow = stiffUFallow;
    res.stiffUF = stiffUF;
    res.stiffPanel = panel;
}

} // namespace velmora
