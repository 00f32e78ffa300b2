// Panel stiffener buckling (DNV-RP-C202 Ch 3.6.3) with the torsional buckling strength of the
// stiffener (Ch 3.9) and the stiffener's effective plate flange.
#include "base/Fp.h"
#include "checks/Checks.h"
#include "checks/Torsion.h"

#include <cmath>

namespace velmora {

float stiffenerTorsionalStrength(const DesignCase& dc, const ProfileRecord& rec,
                                 const SectionProps& sp, float fys, double shellStressRatio) {
    float fT =
        torsionalStrength({rec, sp, dc.E, dc.t, dc.s, dc.r, dc.ltStiff, fys, shellStressRatio});
    // The torsional strength never exceeds the plate's yield strength.
    if (fT > dc.fyp)
        fT = dc.fyp;
    return fT;
}

EffectiveSection effectiveSection(const SectionProps& sp, double H, double t, double b) {
    const double A = sp.A;
    const double zc = sp.zc;
    EffectiveSection eff;
    eff.Aeff = A + b * t;
    eff.e = fdiv(A * (zc + t / 2.0), eff.Aeff);
    eff.zt = H + t / 2.0 - eff.e;
    eff.Ie = fdiv(b * fpow(t, 3), 12.0) + sp.Iy + A * fpow(zc + t / 2.0 - eff.e, 2) +
             b * t * fpow(eff.e, 2);
    fin(eff.Ie);
    return eff;
}

StiffenerResult checkStiffenerBuckling(const DesignCase& dc, const CaseResults& res,
                                       const SectionResult& section) {
    StiffenerResult out;
    out.fT = stiffenerTorsionalStrength(dc, section.record, section.props, section.fy,
                                        res.shellStressRatio);

    const double r = dc.r;
    const double t = dc.t;
    const double l = dc.l;
    const double s = dc.s;
    const double Sigx = dc.Sigx;
    const double fT = out.fT;
    const double A = section.props.A;
    const double nu2 = fpow(0.3, 2);

    // Effective plate width from the shell's own buckling strength; the full spacing acts when
    // there is no axial compression.
    float se = dc.s;
    if (Sigx < 0.0)
        se = toSingle(fdiv(s * res.fks * std::fabs(Sigx), res.SigjSd * fT));
    out.se = se;

    out.eff = effectiveSection(section.props, section.record.H, t, se);
    const double Isef = out.eff.Ie;

    // Axial stress of the stiffener with its effective flange.
    const double SigaSd = fdiv(Sigx * t * s + Sigx * A, A + se * t);

    const double gamma = fdiv(12.0 * (1.0 - nu2) * Isef, s * fpow(t, 3));
    const double Zl = fdiv(fpow(l, 2), r * t) * fsqrt(1.0 - nu2);

    // Buckling coefficients of the stringer-stiffened shell (Ch 3.6, Table 3-4), with the
    // stiffener's relative bending stiffness gamma.
    const double fEa =
        elasticStrength(dc, fdiv(1.0 + gamma, 1.0 + fdiv(A, se * t)), 0.702 * Zl, 0.5, l);
    const double fEtau =
        elasticStrength(dc, 5.34 + 1.82 * fpow(fdiv(l, s), 4.0 / 3.0) * fpow(gamma, 1.0 / 3.0),
                        0.856 * fpow(Zl, 3.0 / 4.0), 0.6, l);
    const double fEh =
        elasticStrength(dc, 2.0 * (1.0 + fsqrt(1.0 + gamma)), 1.04 * fsqrt(Zl), 0.6, l);

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
    out.Isef = Isef;
    out.SigaSd = SigaSd;
    out.Zl = Zl;
    out.fEa = fEa;
    out.fEtau = fEtau;
    out.fEh = fEh;
    out.SigjSd = SigjSd;
    out.lamdas = lamdas;
    out.fks = fks;
    out.gM = gM;
    out.beta = beta;
    out.stiffUFallow = dc.designFormat == DesignFormat::WSD ? gM * beta * dc.UF : dc.UF;
    out.fksd = fdiv(fks, gM);
    out.stiffUF = fdiv(SigjSd, out.fksd);
    return out;
}

} // namespace velmora
