// Panel stiffener buckling (DNV-RP-C202 Ch 3.6.3) with the torsional buckling strength of the
// stiffener (Ch 3.9) and the stiffener's effective plate flange.
#include "base/Fp.h"
#include "checks/CalcTrace.h"
#include "checks/Checks.h"
#include "checks/Kept.h"
#include "checks/Torsion.h"

#include <cmath>

namespace velmora {

float stiffenerTorsionalStrength(const DesignCase& dc, const ProfileRecord& rec,
                                 const SectionProps& sp, float fys, double shellStressRatio,
                                 CalcTrace* trace) {
    TorsionInvariants none;
    return stiffenerTorsionalStrength(dc, rec, sp, fys, shellStressRatio, none, trace);
}

float stiffenerTorsionalStrength(const DesignCase& dc, const ProfileRecord& rec,
                                 const SectionProps& sp, float fys, double shellStressRatio,
                                 TorsionInvariants& kept, CalcTrace* trace) {
    float fT =
        torsionalStrength({rec, sp, dc.E, dc.t, dc.s, dc.r, dc.ltStiff, fys, shellStressRatio},
                          kept, trace, "fys", "s");
    // The torsional strength never exceeds the plate's yield strength.
    if (fT > dc.fyp) {
        if (trace)
            trace->add("fT", "{}", {{"fyp", dc.fyp}}, dc.fyp, "MPa", "Ch 3.9",
                       "fT = " + traceNumber(fT) + " exceeds fyp = " + traceNumber(dc.fyp) +
                           ", so fT = fyp");
        fT = dc.fyp;
    }
    return fT;
}

namespace {

// With t3 = t^3.
EffectiveSection effectiveSection(const SectionProps& sp, double H, double t, double t3, double b,
                                  CalcTrace* trace, const char* bName, const char* ref) {
    const double A = sp.A;
    const double zc = sp.zc;
    EffectiveSection eff;
    eff.Aeff = A + b * t;
    eff.e = fdiv(A * (zc + t / 2.0), eff.Aeff);
    eff.zt = H + t / 2.0 - eff.e;
    eff.Ie =
        fdiv(b * t3, 12.0) + sp.Iy + A * fpow(zc + t / 2.0 - eff.e, 2) + b * t * fpow(eff.e, 2);
    fin(eff.Ie);
    if (trace) {
        trace->add("Aeff", "{} + {} * {}", {{"A", A}, {bName, b}, {"t", t}}, eff.Aeff, "mm2", ref);
        trace->add("e", "{} * ({} + {} / 2) / {}",
                   {{"A", A}, {"zc", zc}, {"t", t}, {"Aeff", eff.Aeff}}, eff.e, "mm", ref);
        trace->add("zt", "{} + {} / 2 - {}", {{"H", H}, {"t", t}, {"e", eff.e}}, eff.zt, "mm", ref);
        trace->add("Ie", "{} * {}^3 / 12 + {} + {} * ({} + {} / 2 - {})^2 + {} * {} * {}^2",
                   {{bName, b},
                    {"t", t},
                    {"Iy", sp.Iy},
                    {"A", A},
                    {"zc", zc},
                    {"t", t},
                    {"e", eff.e},
                    {bName, b},
                    {"t", t},
                    {"e", eff.e}},
                   eff.Ie, "mm4", ref);
    }
    return eff;
}

} // namespace

EffectiveSection effectiveSection(const SectionProps& sp, double H, double t, double b,
                                  CalcTrace* trace, const char* bName, const char* ref) {
    return effectiveSection(sp, H, t, fpow(t, 3), b, trace, bName, ref);
}

namespace {

struct StiffenerPathValues {
    double SigaSd, SighSd, Siga0Sd, Sigh0Sd, TauSd, SigjSd, fT, fEa, fEh, fEtau;
};

void traceStiffenerPath(CalcTrace& trace, const DesignCase& dc, const StiffenerPathValues& v,
                        const StiffenerResult& out, const char* ref) {
    traceCompressive(trace, "Siga0Sd", "SigaSd", v.SigaSd, "Sigx", dc.Sigx, v.Siga0Sd, ref);
    trace.add("TauSd", "abs({})", {{"Tau", dc.Tau}}, v.TauSd, "MPa", ref);
    traceCompressive(trace, "Sigh0Sd", "SighSd", v.SighSd, "SighSd", v.SighSd, v.Sigh0Sd, ref);
    traceVonMises(trace, v.SigaSd, v.SighSd, v.TauSd, v.SigjSd, ref);
    trace.add("lamdas", "sqrt({} / {} * ({} / {} + {} / {} + {} / {}))",
              {{"fT", v.fT},
               {"SigjSd", v.SigjSd},
               {"Siga0Sd", v.Siga0Sd},
               {"fEa", v.fEa},
               {"Sigh0Sd", v.Sigh0Sd},
               {"fEh", v.fEh},
               {"TauSd", v.TauSd},
               {"fEtau", v.fEtau}},
              out.lamdas, "", ref);
    trace.add("fks", "{} / sqrt(1 + {}^4)", {{"fT", v.fT}, {"lamdas", out.lamdas}}, out.fks, "MPa",
              ref);
    trace.add("gm", "1.15", {}, out.gM, "", ref,
              "the stiffener check keeps gM = 1.15 whatever the slenderness");
    trace.add("fksd", "{} / {}", {{"fks", out.fks}, {"gM", out.gM}}, out.fksd, "MPa", ref);
    trace.add("UF", "{} / {}", {{"SigjSd", v.SigjSd}, {"fksd", out.fksd}}, out.stiffUF, "", ref);
    if (dc.designFormat == DesignFormat::WSD)
        trace.add("UFallow", "{} * {} * {}", {{"gM", out.gM}, {"beta", out.beta}, {"n0", dc.UF}},
                  out.stiffUFallow, "", "Ch 3.1", "WSD: gM beta n0 with gM = 1.15 and beta = 1.0");
    else
        trace.add("UFallow", "{}", {{"UF", dc.UF}}, out.stiffUFallow, "", "Ch 3.1",
                  "LRFD: the permitted usage factor is the allowable usage factor UF");
}

} // namespace

StiffenerResult checkStiffenerBuckling(const DesignCase& dc, const CaseResults& res,
                                       const SectionResult& section, CalcTrace* trace) {
    StiffenerInvariants none;
    return checkStiffenerBuckling(dc, res, section, none, trace);
}

StiffenerResult checkStiffenerBuckling(const DesignCase& dc, const CaseResults& res,
                                       const SectionResult& section, StiffenerInvariants& kept,
                                       CalcTrace* trace) {
    StiffenerResult out;
    const char* ref = "Ch 3.6.3";
    const char* table = "Ch 3.6.3, Table 3-4";
    traceAdd(trace, "eta", "{} / {}", {{"SigjSd", res.SigjSd}, {"fks", res.fks}},
             res.shellStressRatio, "", "Ch 3.9");
    out.fT = stiffenerTorsionalStrength(dc, section.record, section.props, section.fy,
                                        res.shellStressRatio, kept.torsion, trace);

    const double r = dc.r;
    const double t = dc.t;
    const double l = dc.l;
    const double s = dc.s;
    const double Sigx = dc.Sigx;
    const double fT = out.fT;
    const double A = section.props.A;
    const double nu2 = keep(kept.nu2, [] { return fpow(0.3, 2); });

    // Effective plate width from the shell's own buckling strength; the full spacing acts when
    // there is no axial compression.
    float se = dc.s;
    if (Sigx < 0.0)
        se = toSingle(fdiv(s * res.fks * std::fabs(Sigx), res.SigjSd * fT));
    out.se = se;
    if (trace) {
        if (Sigx < 0.0)
            trace->add(
                "se", "{} * {} * abs({}) / ({} * {})",
                {{"s", s}, {"fks", res.fks}, {"Sigx", Sigx}, {"SigjSd", res.SigjSd}, {"fT", fT}},
                se, "mm", ref,
                "Sigx = " + traceNumber(Sigx) +
                    " is compressive, so the plate acts with the effective width se");
        else
            trace->add("se", "{}", {{"s", s}}, se, "mm", ref,
                       "Sigx = " + traceNumber(Sigx) + " is not compressive, so se = s");
    }

    const double t3 = keep(kept.t3, [&] { return fpow(t, 3); });
    out.eff = effectiveSection(section.props, section.record.H, t, t3, se, trace, "se", ref);
    const double Isef = out.eff.Ie;

    // Axial stress of the stiffener with its effective flange.
    const double SigaSd = fdiv(Sigx * t * s + Sigx * A, A + se * t);

    const double gamma = fdiv(12.0 * (1.0 - nu2) * Isef, s * t3);
    const double Zl = keep(kept.Zl, [&] { return fdiv(fpow(l, 2), r * t) * fsqrt(1.0 - nu2); });
    if (trace) {
        trace->add("SigaSd", "({} * {} * {} + {} * {}) / ({} + {} * {})",
                   {{"Sigx", Sigx},
                    {"t", t},
                    {"s", s},
                    {"Sigx", Sigx},
                    {"A", A},
                    {"A", A},
                    {"se", se},
                    {"t", t}},
                   SigaSd, "MPa", ref);
        trace->add("gamma", "12 * (1 - 0.3^2) * {} / ({} * {}^3)",
                   {{"Isef", Isef}, {"s", s}, {"t", t}}, gamma, "", table);
        trace->add("Zl", "{}^2 / ({} * {}) * sqrt(1 - 0.3^2)", {{"l", l}, {"r", r}, {"t", t}}, Zl,
                   "", table);
    }

    // Buckling coefficients of the stringer-stiffened shell (Ch 3.6, Table 3-4), with the
    // stiffener's relative bending stiffness gamma.
    const double psiA = fdiv(1.0 + gamma, 1.0 + fdiv(A, se * t));
    const double xiA = 0.702 * Zl;
    if (trace) {
        trace->add("psi_a", "(1 + {}) / (1 + {} / ({} * {}))",
                   {{"gamma", gamma}, {"A", A}, {"se", se}, {"t", t}}, psiA, "", table);
        trace->add("xi_a", "0.702 * {}", {{"Zl", Zl}}, xiA, "", table);
        trace->add("rho_a", "0.5", {}, 0.5, "", table);
    }
    const double fEa = elasticStrength(dc, psiA, xiA, 0.5, l, {trace, "a", "fEa", "l", table});
    const double psiT = 5.34 + 1.82 * keep(kept.ls, [&] { return fpow(fdiv(l, s), 4.0 / 3.0); }) *
                                   fpow(gamma, 1.0 / 3.0);
    const double xiT = keep(kept.xiT, [&] { return 0.856 * fpow(Zl, 3.0 / 4.0); });
    if (trace) {
        trace->add("psi_tau", "5.34 + 1.82 * ({} / {})^(4 / 3) * {}^(1 / 3)",
                   {{"l", l}, {"s", s}, {"gamma", gamma}}, psiT, "", table);
        trace->add("xi_tau", "0.856 * {}^(3 / 4)", {{"Zl", Zl}}, xiT, "", table);
        trace->add("rho_tau", "0.6", {}, 0.6, "", table);
    }
    const double fEtau =
        elasticStrength(dc, psiT, xiT, 0.6, l, {trace, "tau", "fEtau", "l", table});
    const double psiH = 2.0 * (1.0 + fsqrt(1.0 + gamma));
    const double xiH = 1.04 * fsqrt(Zl);
    if (trace) {
        trace->add("psi_h", "2 * (1 + sqrt(1 + {}))", {{"gamma", gamma}}, psiH, "", table);
        trace->add("xi_h", "1.04 * sqrt({})", {{"Zl", Zl}}, xiH, "", table);
        trace->add("rho_h", "0.6", {}, 0.6, "", table);
    }
    const double fEh = elasticStrength(dc, psiH, xiH, 0.6, l, {trace, "h", "fEh", "l", table});

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
    if (trace)
        traceStiffenerPath(
            *trace, dc, {SigaSd, SighSd, siga0, sigh0, tau, SigjSd, fT, fEa, fEh, fEtau}, out, ref);
    return out;
}

} // namespace velmora
