// Design stresses and shell buckling of the cylinder wall: the curved panel between stringers
// (Ch 3.3.2) and the unstiffened cylinder between ring frames (Ch 3.4.2). Both follow one path:
// elastic buckling strengths, equivalent von Mises stress, reduced slenderness, characteristic
// strength, slenderness-dependent material factor and usage factor.
#include "base/Fp.h"
#include "checks/CalcTrace.h"
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

ShellGeometry shellGeometry(const DesignCase& dc, CalcTrace* trace) {
    ShellGeometry g;
    const double l = dc.l;
    g.Zl = fdiv(l * l, static_cast<double>(dc.r) * dc.t) * std::sqrt(1 - 0.3 * 0.3);
    // Effective shell length of a ring frame, at most the ring spacing.
    const double leo = 1.56 * fsqrt(static_cast<double>(dc.r) * dc.t);
    g.leo = leo > l ? l : leo;
    if (trace) {
        trace->add("Zl", "{} * {} / ({} * {}) * sqrt(1 - 0.3^2)",
                   {{"l", l}, {"l", l}, {"r", dc.r}, {"t", dc.t}}, g.Zl, "", "Ch 3.4.2, Table 3-3");
        if (leo > l)
            trace->add("leo", "{}", {{"l", l}}, g.leo, "mm", "Ch 3.2",
                       "1.56 sqrt(r t) = " + traceNumber(leo) + " exceeds l = " + traceNumber(l) +
                           ", so leo = l");
        else
            trace->add("leo", "1.56 * sqrt({} * {})", {{"r", dc.r}, {"t", dc.t}}, g.leo, "mm",
                       "Ch 3.2");
    }
    return g;
}

DesignStressResult designStresses(const DesignCase& dc, const ShellGeometry& g,
                                  const std::function<double()>& ringArea, CalcTrace* trace) {
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
        const double A = ringArea();
        const double alpha = fdiv(A, leo * t);
        double zeta = fdiv(2 * (sinhB * std::cos(betaR) + coshB * std::sin(betaR)),
                           sinh2B + std::sin(2 * betaR));
        const double zeta0 = zeta;
        if (zeta < 0)
            zeta = 0;
        out.SighPd = fin(prt - fdiv(alpha * zeta, alpha + 1) * (prt - kNu * dc.Sigx));
        if (trace) {
            const char* ref = "Ch 3.2, ring-stiffened shells";
            trace->add("beta_r", "{} / (1.56 * sqrt({} * {}))", {{"l", l}, {"r", r}, {"t", t}},
                       betaR, "", ref);
            trace->add("alpha", "{} / ({} * {})", {{"A", A}, {"leo", leo}, {"t", t}}, alpha, "",
                       ref);
            if (zeta0 < 0)
                trace->add("zeta", "0", {}, zeta, "", ref,
                           "2 (sinh beta_r cos beta_r + cosh beta_r sin beta_r) / (sinh 2beta_r "
                           "+ sin 2beta_r) = " +
                               traceNumber(zeta0) + " is negative, so zeta = 0");
            else
                trace->add("zeta",
                           "2 * (sinh({}) * cos({}) + cosh({}) * sin({})) / (sinh(2 * {}) + "
                           "sin(2 * {}))",
                           {{"beta_r", betaR},
                            {"beta_r", betaR},
                            {"beta_r", betaR},
                            {"beta_r", betaR},
                            {"beta_r", betaR},
                            {"beta_r", betaR}},
                           zeta, "", ref);
            trace->add("SighPd", "{} * {} / {} - {} * {} / ({} + 1) * ({} * {} / {} - 0.3 * {})",
                       {{"pd", dc.pd},
                        {"r", r},
                        {"t", t},
                        {"alpha", alpha},
                        {"zeta", zeta},
                        {"alpha", alpha},
                        {"pd", dc.pd},
                        {"r", r},
                        {"t", t},
                        {"Sigx", dc.Sigx}},
                       out.SighPd, "MPa", ref);
        }
    } else {
        out.SighPd = prt;
        traceAdd(trace, "SighPd", "{} * {} / {}", {{"pd", dc.pd}, {"r", r}, {"t", t}}, out.SighPd,
                 "MPa", "Ch 3.2");
    }

    float Sigy = dc.Sigy;
    float Tau = dc.Tau;
    if (dc.cylinderType == CylinderType::Column) {
        Sigy = 0;
        Tau = 0;
    }
    out.SighSd = fin(Sigy + out.SighPd);
    traceAdd(trace, "SighSd", "{} + {}", {{"Sigy", Sigy}, {"SighPd", out.SighPd}}, out.SighSd,
             "MPa", "Ch 3.2");

    out.Sigy = Sigy;
    out.Tau = Tau;
    if (dc.cylinderType == CylinderType::Column) {
        // Axial force N in kN over the tube wall, in MPa.
        out.SigaSd = fdiv(1000.0 * dc.N, kTwoPi * r * t);
        out.Sigx = toSingle(out.SigaSd);
        traceAdd(trace, "SigaSd", "1000 * {} / ({} * {} * {})",
                 {{"N", dc.N}, {"2pi", kTwoPi}, {"r", r}, {"t", t}}, out.SigaSd, "MPa", "Ch 3.8");
    } else {
        out.SigaSd = dc.Sigx;
        out.Sigx = dc.Sigx;
        traceAdd(trace, "SigaSd", "{}", {{"Sigx", dc.Sigx}}, out.SigaSd, "MPa", "Ch 3.2");
    }
    return out;
}

double elasticStrength(const DesignCase& dc, double psi, double xi, double rho, double length,
                       const StrengthTrace& st) {
    const double ratio = fdiv(rho * xi, psi);
    const double C = toSingle(psi * fsqrt(1 + ratio * ratio));
    const double tl = fdiv(dc.t, length);
    const double fE = fin((kPi * kPi * C * dc.E / 12) / (1 - kNu * kNu) * (tl * tl));
    if (st.trace) {
        const std::string k = st.kind;
        const std::string sym[4] = {"psi_" + k, "xi_" + k, "rho_" + k, "C_" + k};
        st.trace->add(sym[3], "{} * sqrt(1 + ({} * {} / {})^2)",
                      {{sym[0], psi}, {sym[2], rho}, {sym[1], xi}, {sym[0], psi}}, C, "", st.ref);
        st.trace->add(st.symbol, "{}^2 * {} * {} / 12 / (1 - 0.3^2) * ({} / {})^2",
                      {{"pi", kPi}, {sym[3], C}, {"E", dc.E}, {"t", dc.t}, {st.lengthName, length}},
                      fE, "MPa", st.ref);
    }
    return fE;
}

namespace {

// The material factor's lines: the case of the rule the slenderness falls in, in words.
void traceMaterialFactor(CalcTrace& trace, const DesignCase& dc, double lamdas,
                         const MaterialFactor& m) {
    const char* ref = "Ch 3.1";
    const std::string lam = "lamdas = " + traceNumber(lamdas);
    const bool low = lamdas < 0.5;
    const bool high = !low && !(lamdas <= 1.0);
    const std::string where = low    ? lam + " is below 0.5, so "
                              : high ? lam + " is above 1.0, so "
                                     : lam + " lies between 0.5 and 1.0, so ";
    if (dc.designFormat == DesignFormat::LRFD) {
        if (low)
            trace.add("gm", "1.15", {}, m.gM, "", ref, where + "gM = 1.15 (LRFD)");
        else if (high)
            trace.add("gm", "1.45", {}, m.gM, "", ref, where + "gM = 1.45 (LRFD)");
        else
            trace.add("gm", "0.85 + 0.60 * {}", {{"lamdas", lamdas}}, m.gM, "", ref,
                      where + "gM = 0.85 + 0.60 lamdas (LRFD)");
        trace.add("UFallow", "{}", {{"UF", dc.UF}}, m.UFallow, "", ref,
                  "LRFD: the permitted usage factor is the allowable usage factor UF");
        return;
    }
    trace.add("gm", "1.15", {}, m.gM, "", ref, "WSD: gM = 1.15 whatever the slenderness");
    const double beta = m.beta.value_or(0);
    if (low)
        trace.add("beta", "1.0", {}, beta, "", ref, where + "beta = 1.0 (WSD)");
    else if (high)
        trace.add("beta", "0.8", {}, beta, "", ref, where + "beta = 0.8 (WSD)");
    else
        trace.add("beta", "1.2 - 0.4 * {}", {{"lamdas", lamdas}}, beta, "", ref,
                  where + "beta = 1.2 - 0.4 lamdas (WSD)");
    trace.add("UFallow", "1.15 * {} * {}", {{"beta", beta}, {"n0", dc.UF}}, m.UFallow, "", ref,
              "WSD: the basic usage factor n0 times 1.15 beta");
}

} // namespace

MaterialFactor materialFactor(const DesignCase& dc, double lamdas, CalcTrace* trace) {
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
    if (trace)
        traceMaterialFactor(*trace, dc, lamdas, m);
    return m;
}

namespace {

struct ShellPathValues {
    double SigaSd, SighSd, SigmSd, Siga0Sd, Sigh0Sd, Sigm0Sd, TauSd, SigjSd;
};

void traceShellPath(CalcTrace& trace, const DesignCase& dc, const ShellStrengths& fE,
                    bool withBending, const ShellPathValues& v, const ShellResult& out,
                    const char* ref) {
    traceCompressive(trace, "Siga0Sd", "SigaSd", v.SigaSd, "Sigx", dc.Sigx, v.Siga0Sd, ref);
    if (withBending)
        traceCompressive(trace, "Sigm0Sd", "SigmSd", v.SigmSd, "SigmSd", v.SigmSd, v.Sigm0Sd, ref);
    traceCompressive(trace, "Sigh0Sd", "SighSd", v.SighSd, "SighSd", v.SighSd, v.Sigh0Sd, ref);
    trace.add("TauSd", "abs({})", {{"Tau", dc.Tau}}, v.TauSd, "MPa", ref);
    if (withBending) {
        trace.add("SigjSd", "sqrt(({} + {})^2 - ({} + {}) * {} + {}^2 + 3 * {}^2)",
                  {{"SigaSd", v.SigaSd},
                   {"SigmSd", v.SigmSd},
                   {"SigaSd", v.SigaSd},
                   {"SigmSd", v.SigmSd},
                   {"SighSd", v.SighSd},
                   {"SighSd", v.SighSd},
                   {"TauSd", v.TauSd}},
                  v.SigjSd, "MPa", ref);
        trace.add("lamdas", "sqrt({} / {} * ({} / {} + {} / {} + {} / {} + {} / {}))",
                  {{"fyp", dc.fyp},
                   {"SigjSd", v.SigjSd},
                   {"Siga0Sd", v.Siga0Sd},
                   {"fEa", fE.fEa},
                   {"Sigm0Sd", v.Sigm0Sd},
                   {"fEm", fE.fEm},
                   {"Sigh0Sd", v.Sigh0Sd},
                   {"fEh", fE.fEh},
                   {"TauSd", v.TauSd},
                   {"fEtau", fE.fEtau}},
                  out.lamdas, "", ref);
    } else {
        traceVonMises(trace, v.SigaSd, v.SighSd, v.TauSd, v.SigjSd, ref);
        trace.add("lamdas", "sqrt({} / {} * ({} / {} + {} / {} + {} / {}))",
                  {{"fyp", dc.fyp},
                   {"SigjSd", v.SigjSd},
                   {"Siga0Sd", v.Siga0Sd},
                   {"fEa", fE.fEa},
                   {"Sigh0Sd", v.Sigh0Sd},
                   {"fEh", fE.fEh},
                   {"TauSd", v.TauSd},
                   {"fEtau", fE.fEtau}},
                  out.lamdas, "", ref);
    }
    trace.add("fks", "{} / sqrt(1 + {}^4)", {{"fyp", dc.fyp}, {"lamdas", out.lamdas}}, out.fks,
              "MPa", ref);
    trace.add("eta", "{} / {}", {{"SigjSd", v.SigjSd}, {"fks", out.fks}}, out.shellStressRatio, "",
              ref);
}

// Common path of the shell checks, from the elastic strengths to the usage factor.
void runShellPath(const DesignCase& dc, const ShellStresses& ds, const ShellStrengths& fE,
                  bool withBending, double bending, ShellResult& out, CalcTrace* trace,
                  const char* ref) {
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
    if (trace) {
        ShellPathValues v{SigaSd, SighSd, SigmSd, Siga0Sd, Sigh0Sd, Sigm0Sd, TauSd, SigjSd};
        traceShellPath(*trace, dc, fE, withBending, v, out, ref);
    }
    out.factor = materialFactor(dc, lamdas, trace);
    out.fksd = toSingle(fdiv(fks, out.factor.gM));
    out.shellUF = fdiv(SigjSd, out.fksd);
    if (trace) {
        trace->add("fksd", "{} / {}", {{"fks", fks}, {"gM", out.factor.gM}}, out.fksd, "MPa", ref);
        trace->add("UF", "{} / {}", {{"SigjSd", SigjSd}, {"fksd", out.fksd}}, out.shellUF, "", ref);
    }
}

} // namespace

ShellStresses shellStresses(const CaseResults& res) {
    return {res.Zl, res.SigaSd, res.SighSd};
}

ShellStrengths curvedPanelStrengths(const DesignCase& dc, CalcTrace* trace) {
    const double r = dc.r;
    const double t = dc.t;
    const double s = dc.s;
    const double l = dc.l;
    const char* table = "Ch 3.3.2, Table 3-2";

    // Buckling coefficients of the curved panel (Ch 3.3, Table 3-2): psi, xi and rho for axial
    // stress, shear and circumferential stress, with the panel's curvature parameter Zs.
    const double Zs = fdiv(s * s, r * t) * fsqrt(1 - kNu * kNu);
    const double sl = fdiv(s, l);
    traceAdd(trace, "Zs", "{} * {} / ({} * {}) * sqrt(1 - 0.3^2)",
             {{"s", s}, {"s", s}, {"r", r}, {"t", t}}, Zs, "", table);
    traceAdd(trace, "s/l", "{} / {}", {{"s", s}, {"l", l}}, sl, "", table);
    ShellStrengths fE;
    const double xiA = 0.702 * Zs;
    const double rhoA = 0.5 * fpow(1 + fdiv(r, 150 * t), -0.5);
    traceAdd(trace, "psi_a", "4", {}, 4, "", table);
    traceAdd(trace, "xi_a", "0.702 * {}", {{"Zs", Zs}}, xiA, "", table);
    traceAdd(trace, "rho_a", "0.5 * (1 + {} / (150 * {}))^(-0.5)", {{"r", r}, {"t", t}}, rhoA, "",
             table);
    fE.fEa = elasticStrength(dc, 4, xiA, rhoA, s, {trace, "a", "fEa", "s", table});
    const double psiT = 5.34 + 4 * sl * sl;
    const double xiT = 0.856 * fpow(sl, 0.5) * fpow(Zs, 0.75);
    traceAdd(trace, "psi_tau", "5.34 + 4 * {}^2", {{"s/l", sl}}, psiT, "", table);
    traceAdd(trace, "xi_tau", "0.856 * {}^0.5 * {}^0.75", {{"s/l", sl}, {"Zs", Zs}}, xiT, "",
             table);
    traceAdd(trace, "rho_tau", "0.6", {}, 0.6, "", table);
    fE.fEtau = elasticStrength(dc, psiT, xiT, 0.6, s, {trace, "tau", "fEtau", "s", table});
    const double psiH = (1 + sl * sl) * (1 + sl * sl);
    const double xiH = 1.04 * sl * fsqrt(Zs);
    traceAdd(trace, "psi_h", "(1 + {}^2)^2", {{"s/l", sl}}, psiH, "", table);
    traceAdd(trace, "xi_h", "1.04 * {} * sqrt({})", {{"s/l", sl}, {"Zs", Zs}}, xiH, "", table);
    traceAdd(trace, "rho_h", "0.6", {}, 0.6, "", table);
    fE.fEh = toSingle(elasticStrength(dc, psiH, xiH, 0.6, s, {trace, "h", "fEh", "s", table}));
    return fE;
}

ShellResult checkCurvedPanel(const DesignCase& dc, const CaseResults& res, CalcTrace* trace) {
    return checkCurvedPanel(dc, res, curvedPanelStrengths(dc, trace), trace);
}

ShellResult checkCurvedPanel(const DesignCase& dc, const CaseResults& res, const ShellStrengths& fE,
                             CalcTrace* trace) {
    ShellResult out;
    out.title = "Shell Buckling: (Ch 3.3.2)";
    out.line2Label = "fEtau = ";
    out.line2Value = fE.fEtau;
    runShellPath(dc, shellStresses(res), fE, false, 0.0, out, trace, "Ch 3.3.2");
    return out;
}

ShellStrengths unstiffenedCylinderStrengths(const DesignCase& dc, double Zl, CalcTrace* trace) {
    const double r = dc.r;
    const double t = dc.t;
    const double l = dc.l;

    // Buckling coefficients of the unstiffened cylinder (Ch 3.4, Table 3-3): axial stress,
    // bending, torsion and shear, lateral pressure.
    const char* table = "Ch 3.4.2, Table 3-3";
    ShellStrengths fE;
    const double xiA = 0.702 * Zl;
    const double rhoA = 0.5 * fpow(1 + fdiv(r, 150 * t), -0.5);
    const double rhoM = 0.5 * fpow(1 + fdiv(r, 300 * t), -0.5);
    const double xiT = 0.856 * fpow(Zl, 0.75);
    const double xiH = 1.04 * fsqrt(Zl);
    if (trace) {
        trace->add("psi_a", "1", {}, 1, "", table);
        trace->add("xi_a", "0.702 * {}", {{"Zl", Zl}}, xiA, "", table);
        trace->add("rho_a", "0.5 * (1 + {} / (150 * {}))^(-0.5)", {{"r", r}, {"t", t}}, rhoA, "",
                   table);
    }
    fE.fEa = elasticStrength(dc, 1, xiA, rhoA, l, {trace, "a", "fEa", "l", table});
    if (trace) {
        trace->add("psi_m", "1", {}, 1, "", table);
        trace->add("xi_m", "0.702 * {}", {{"Zl", Zl}}, xiA, "", table);
        trace->add("rho_m", "0.5 * (1 + {} / (300 * {}))^(-0.5)", {{"r", r}, {"t", t}}, rhoM, "",
                   table);
    }
    fE.fEm = elasticStrength(dc, 1, xiA, rhoM, l, {trace, "m", "fEm", "l", table});
    if (trace) {
        trace->add("psi_tau", "5.34", {}, 5.34, "", table);
        trace->add("xi_tau", "0.856 * {}^0.75", {{"Zl", Zl}}, xiT, "", table);
        trace->add("rho_tau", "0.6", {}, 0.6, "", table);
    }
    fE.fEtau = elasticStrength(dc, 5.34, xiT, 0.6, l, {trace, "tau", "fEtau", "l", table});
    if (trace) {
        trace->add("psi_h", "4", {}, 4, "", table);
        trace->add("xi_h", "1.04 * sqrt({})", {{"Zl", Zl}}, xiH, "", table);
        trace->add("rho_h", "0.6", {}, 0.6, "", table);
    }
    double fEh = elasticStrength(dc, 4, xiH, 0.6, l, {trace, "h", "fEh", "l", table});

    // Long cylinders (Ch 3.4.3, 3.4.4): shear and hoop buckling no longer depend on the length.
    const double lr = fdiv(l, r);
    const double rootRT = fsqrt(fdiv(r, t));
    if (lr > 3.85 * rootRT) {
        fE.fEtau = 0.25 * dc.E * fpow(fdiv(t, r), 1.5);
        if (trace)
            trace->add("fEtau", "0.25 * {} * ({} / {})^1.5", {{"E", dc.E}, {"t", t}, {"r", r}},
                       fE.fEtau, "MPa", "Ch 3.4.3",
                       "l / r = " + traceNumber(lr) +
                           " exceeds 3.85 sqrt(r / t) = " + traceNumber(3.85 * rootRT) +
                           " (a long cylinder), so fEtau = 0.25 E (t / r)^1.5");
    }
    if (lr > 2.25 * rootRT) {
        fEh = 0.25 * dc.E * fpow(fdiv(t, r), 2);
        if (trace)
            trace->add("fEh", "0.25 * {} * ({} / {})^2", {{"E", dc.E}, {"t", t}, {"r", r}}, fEh,
                       "MPa", "Ch 3.4.4",
                       "l / r = " + traceNumber(lr) +
                           " exceeds 2.25 sqrt(r / t) = " + traceNumber(2.25 * rootRT) +
                           " (a long cylinder), so fEh = 0.25 E (t / r)^2");
    }
    fE.fEh = toSingle(fEh);
    return fE;
}

ShellResult checkUnstiffenedCylinder(const DesignCase& dc, const CaseResults& res, double SigmSd,
                                     CalcTrace* trace) {
    return checkUnstiffenedCylinder(dc, shellStresses(res), SigmSd, trace);
}

ShellResult checkUnstiffenedCylinder(const DesignCase& dc, const ShellStresses& ds, double SigmSd,
                                     CalcTrace* trace) {
    return checkUnstiffenedCylinder(dc, ds, SigmSd, unstiffenedCylinderStrengths(dc, ds.Zl, trace),
                                    trace);
}

ShellResult checkUnstiffenedCylinder(const DesignCase& dc, const ShellStresses& ds, double SigmSd,
                                     const ShellStrengths& fE, CalcTrace* trace) {
    ShellResult out;
    out.title = "Shell Buckling: (Ch 3.4.2)";
    out.line2Label = "fEtau/fEm = ";
    // In a column case Tau is zero, so the bending strength is the informative one.
    out.line2Value = dc.cylinderType == CylinderType::Column ? fE.fEm : fE.fEtau;
    runShellPath(dc, ds, fE, true, SigmSd, out, trace, "Ch 3.4.2");
    return out;
}

} // namespace velmora
