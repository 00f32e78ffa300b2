// Ring frames: the torsional buckling length limit (Ch 3.9), panel ring buckling with its area
// and moment-of-inertia requirements (Ch 3.5.2), the special calculation of Ih (Ch 3.5.2.7)
// and the heavy ring-frame requirement.
#include "base/Fp.h"
#include "checks/CalcTrace.h"
#include "checks/Checks.h"
#include "checks/Kept.h"
#include "checks/Torsion.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace velmora {

namespace {

// Contributions to the required moment of inertia of a ring frame over the length `span`:
// axial compression (Ix), shear (Ixh) and external pressure (Ih).
struct InertiaParts {
    double Ix = 0;
    double Ixh = 0;
    double Ih = 0;
};

// Raises fT so that fT/2 - |SighRing| stays positive in the pressure term. The raised value is
// also taken when 2 |SighRing| equals fT, where the pressure term would otherwise divide by
// zero.
float raisedTorsionalStrength(float fT, float SighRing, CalcTrace* trace = nullptr) {
    const double sigh = std::fabs(static_cast<double>(SighRing));
    if (2.0 * sigh >= fT) {
        const float raised = toSingle(2.001 * sigh);
        if (trace)
            trace->add("fT", "2.001 * abs({})", {{"SighRing", SighRing}}, raised, "MPa", "Ch 3.5.2",
                       "2 |SighRing| = " + traceNumber(2.0 * sigh) + " is not below fT = " +
                           traceNumber(fT) + ", so fT is raised to 2.001 |SighRing|");
        return raised;
    }
    return fT;
}

// What the inertia requirements read of the ring frame's check.
struct RingState {
    double r0 = 0;
    float SighRing = 0;
    double zt = 0;
    double stiffenerArea = 0;
};

// Ix, Ixh and Ih over `span`: the ring spacing l for a panel ring frame, the cylinder length L
// for a heavy ring frame.
InertiaParts inertiaParts(const DesignCase& dc, const RingState& ring, double span, float fT,
                          RingInvariants& kept, CalcTrace* trace = nullptr,
                          const char* spanName = "l") {
    const char* ref = "Ch 3.5.2";
    const double r = dc.r;
    const double t = dc.t;
    const double E = dc.E;
    const double L = dc.L;
    const double r0 = ring.r0;
    const double Sigx = dc.Sigx;
    const double Tau = dc.Tau;
    const double pd = dc.pd;
    if (kept.r0 != r0) {
        kept.r0 = r0;
        kept.r0Pow4.reset();
        kept.r0Pow2.reset();
        kept.r0L.reset();
    }

    // Stringers add their area to the shell that the ring frame carries.
    const double alphaS = dc.cylinderType == CylinderType::RingStiffened
                              ? 0.0
                              : fdiv(ring.stiffenerArea, static_cast<double>(dc.s) * t);

    InertiaParts ip;
    if (trace) {
        if (dc.cylinderType == CylinderType::RingStiffened)
            trace->add("alphaS", "0", {}, alphaS, "", ref,
                       "a ring-stiffened cylinder has no stringers, so alphaS = 0");
        else
            trace->add("alphaS", "{} / ({} * {})",
                       {{"As", ring.stiffenerArea}, {"s", dc.s}, {"t", t}}, alphaS, "", ref);
    }
    if (Sigx < 0.0)
        ip.Ix = fdiv(std::fabs(Sigx) * t * (1.0 + alphaS) *
                         keep(kept.r0Pow4, [&] { return fpow(r0, 4); }),
                     500.0 * E * span);
    if (trace) {
        if (Sigx < 0.0)
            trace->add("Ix", "abs({}) * {} * (1 + {}) * {}^4 / (500 * {} * {})",
                       {{"Sigx", Sigx},
                        {"t", t},
                        {"alphaS", alphaS},
                        {"r0", r0},
                        {"E", E},
                        {spanName, span}},
                       ip.Ix, "mm4", "Ch 3.5.2.4",
                       "Sigx = " + traceNumber(Sigx) + " is compressive");
        else
            trace->add("Ix", "0", {}, ip.Ix, "mm4", "Ch 3.5.2.4",
                       "Sigx = " + traceNumber(Sigx) + " is not compressive, so Ix = 0");
    }
    if (Tau != 0.0)
        ip.Ixh = fpow(fdiv(std::fabs(Tau), E), 8.0 / 5.0) *
                 keep(kept.r0L, [&] { return fpow(fdiv(r0, L), 1.0 / 5.0); }) * L * r0 * t * span;
    if (trace) {
        if (Tau != 0.0)
            trace->add("Ixh", "(abs({}) / {})^(8 / 5) * ({} / {})^(1 / 5) * {} * {} * {} * {}",
                       {{"Tau", Tau},
                        {"E", E},
                        {"r0", r0},
                        {"L", L},
                        {"L", L},
                        {"r0", r0},
                        {"t", t},
                        {spanName, span}},
                       ip.Ixh, "mm4", "Ch 3.5.2.5");
        else
            trace->add("Ixh", "0", {}, ip.Ixh, "mm4", "Ch 3.5.2.5", "Tau = 0, so Ixh = 0");
    }
    // Initial out-of-roundness of the shell.
    const double delta0 = 0.005 * r;
    if (pd < 0.0) {
        const double sigh = std::fabs(static_cast<double>(ring.SighRing));
        const double zt = ring.zt;
        const double r02 = keep(kept.r0Pow2, [&] { return fpow(r0, 2); });
        ip.Ih = fdiv(std::fabs(pd) * r * r02 * span, 3.0 * E) *
                (1.5 + fdiv(3.0 * E * zt * delta0, r02 * (static_cast<double>(fT) / 2.0 - sigh)));
        if (trace) {
            const double margin = static_cast<double>(fT) / 2.0 - sigh;
            trace->add("delta0", "0.005 * {}", {{"r", r}}, delta0, "mm", "Ch 3.5.2.6");
            trace->add("fT/2 - |SighRing|", "{} / 2 - abs({})",
                       {{"fT", fT, kTraceDigits}, {"SighRing", ring.SighRing, kTraceDigits}},
                       margin, "MPa", "Ch 3.5.2.6");
            trace->add(
                "Ih",
                "abs({}) * {} * {}^2 * {} / (3 * {}) * (1.5 + 3 * {} * {} * {} / ({}^2 * {}))",
                {{"pd", pd},
                 {"r", r},
                 {"r0", r0},
                 {spanName, span},
                 {"E", E},
                 {"E", E},
                 {"zt", zt},
                 {"delta0", delta0},
                 {"r0", r0},
                 {"fT/2 - |SighRing|", margin}},
                ip.Ih, "mm4", "Ch 3.5.2.6", "pd = " + traceNumber(pd) + " is an external pressure");
        }
    } else if (trace) {
        trace->add("Ih", "0", {}, ip.Ih, "mm4", "Ch 3.5.2.6",
                   "pd = " + traceNumber(pd) + " is no external pressure, so Ih = 0");
    }
    return ip;
}

} // namespace

std::optional<float> correctedRingTorsionalLength(const DesignCase& dc) {
    if (dc.cylinderType == CylinderType::Column)
        return std::nullopt;
    const double h = static_cast<double>(dc.ring.H) - dc.ring.tf;
    const double limit = kPi * fsqrt(static_cast<double>(dc.r) * h);
    if (!(dc.ltRing > toSingle(limit)))
        return std::nullopt;
    // A limit of 1 or less (a radius or ring-frame height still to be mended) would make the
    // length zero or negative: the length then stays as it is, outside its limit.
    const float corrected = toSingle(limit - 1.0);
    if (!(corrected > 0))
        return std::nullopt;
    return corrected;
}

RingEffectiveSection ringEffectiveSection(const DesignCase& dc, const ProfileRecord& ring,
                                          const SectionProps& sp, double le, CalcTrace* trace) {
    const double t = dc.t;
    const double r = dc.r;
    const double H = ring.H;
    const char* ref = "Ch 3.5.2";
    RingEffectiveSection out;
    out.eff = effectiveSection(sp, H, t, le, trace, "le", ref);
    if (dc.outsideStiffening == 1) {
        out.r0 = r + out.eff.e;
        out.rf = r + H + t / 2.0;
        if (trace) {
            trace->add("r0", "{} + {}", {{"r", r}, {"e", out.eff.e}}, out.r0, "mm", ref,
                       "ring frames outside the shell");
            trace->add("rf", "{} + {} + {} / 2", {{"r", r}, {"H", H}, {"t", t}}, out.rf, "mm", ref);
        }
    } else {
        out.r0 = r - out.eff.e;
        out.rf = r - H - t / 2.0;
        if (trace) {
            trace->add("r0", "{} - {}", {{"r", r}, {"e", out.eff.e}}, out.r0, "mm", ref,
                       "ring frames inside the shell");
            trace->add("rf", "{} - {} - {} / 2", {{"r", r}, {"H", H}, {"t", t}}, out.rf, "mm", ref);
        }
    }
    return out;
}

float ringTorsionalStrength(const DesignCase& dc, const ProfileRecord& ring, const SectionProps& sp,
                            float fyr, double leo, double shellStressRatio, CalcTrace* trace) {
    TorsionInvariants none;
    return ringTorsionalStrength(dc, ring, sp, fyr, leo, shellStressRatio, none, trace);
}

float ringTorsionalStrength(const DesignCase& dc, const ProfileRecord& ring, const SectionProps& sp,
                            float fyr, double leo, double shellStressRatio, TorsionInvariants& kept,
                            CalcTrace* trace) {
    float fT =
        torsionalStrength({ring, sp, dc.E, dc.t, leo, dc.r, dc.ltRing, fyr, shellStressRatio}, kept,
                          trace, "fyr", "leo");
    // A cold-formed ring frame keeps 90 % of the strength of a fabricated one.
    if (dc.ringFabrication == 1) {
        const float formed = toSingle(static_cast<double>(fT) * 0.9);
        if (trace)
            trace->add("fT", "0.9 * {}", {{"fT", fT}}, formed, "MPa", "Ch 3.9",
                       "a cold-formed ring frame keeps 90 % of the strength");
        fT = formed;
    }
    if (fT > dc.fyp) {
        if (trace)
            trace->add("fT", "{}", {{"fyp", dc.fyp}}, dc.fyp, "MPa", "Ch 3.9",
                       "fT = " + traceNumber(fT) + " exceeds fyp = " + traceNumber(dc.fyp) +
                           ", so fT = fyp");
        fT = dc.fyp;
    }
    return fT;
}

double specialIhZl(const DesignCase& dc) {
    const double L = dc.L;
    return fdiv(fpow(L, 2), static_cast<double>(dc.r) * dc.t) * fsqrt(0.91);
}

double specialIhStep(const DesignCase& dc, const SpecialIhInputs& in, double Ih) {
    SpecialIhInvariants none;
    return specialIhStep(dc, in, Ih, none);
}

double specialIhStep(const DesignCase& dc, const SpecialIhInputs& in, double Ih,
                     SpecialIhInvariants& kept, CalcTrace* trace) {
    const double A = in.A;
    const double leo = in.leo;
    const double t = dc.t;
    const double l = dc.l;
    const double L = dc.L;
    const double r = dc.r;
    const double E = dc.E;
    const double fT = in.fT;
    const double delta0 = 0.005 * r;

    const double beta = fdiv(10.92 * Ih, l * keep(kept.t3, [&] { return fpow(t, 3); }));
    const double alpha = fdiv(A, leo * t);
    const double i2 = fdiv(Ih, A + leo * t);

    // Curvature parameter of the whole cylinder length.
    const double Zl = keep(kept.Zl, [&] { return specialIhZl(dc); });

    const double C1 = keep(kept.C1, [&] { return 2.0 * fsqrt(1.0 + 0.27 * Zl); });
    const double C2 = fdiv(2.0 * (1.0 + beta), 1.0 + alpha) *
                      (fsqrt(1.0 + fdiv(0.27 * Zl, fsqrt(1.0 + beta))) - fdiv(beta, 1.0 + beta));
    const double fE =
        fdiv(C2 * kPi * kPi * E, 12.0 * 0.91) * keep(kept.tL2, [&] { return fpow(fdiv(t, L), 2); });

    double mu = 0;
    if (!(C1 > C2))
        mu = fdiv(fdiv(in.zt * delta0, i2) * fdiv(in.rf, r) * fdiv(l, leo) * (1.0 - fdiv(C1, C2)),
                  0.85);

    const double lam = fsqrt(fdiv(fT, fE));
    const double lam2 = fpow(lam, 2);
    const double fr =
        fT * fdiv(1.0 + mu + lam2 - fsqrt(fpow(1.0 + mu + lam2, 2) - 4.0 * lam2), 2.0 * lam2);

    const double pRd =
        fdiv(fdiv(fdiv(0.75 * fr, in.gM) * t * in.rf, keep(kept.r2, [&] { return fpow(r, 2); })) *
                 (1.0 + fdiv(A, leo * t)),
             0.85);
    const double ratio = std::fabs(fdiv(dc.pd, pRd));
    if (trace) {
        const char* ref = "Ch 3.5.2.7";
        trace->add("beta", "10.92 * {} / ({} * {}^3)", {{"Ih", Ih}, {"l", l}, {"t", t}}, beta, "",
                   ref);
        trace->add("alpha", "{} / ({} * {})", {{"A", A}, {"leo", leo}, {"t", t}}, alpha, "", ref);
        trace->add("i^2", "{} / ({} + {} * {})", {{"Ih", Ih}, {"A", A}, {"leo", leo}, {"t", t}}, i2,
                   "mm2", ref);
        trace->add("Zl", "{}^2 / ({} * {}) * sqrt(0.91)", {{"L", L}, {"r", r}, {"t", t}}, Zl, "",
                   ref, "the whole cylinder length L");
        trace->add("C1", "2 * sqrt(1 + 0.27 * {})", {{"Zl", Zl}}, C1, "", ref);
        trace->add("C2",
                   "2 * (1 + {}) / (1 + {}) * (sqrt(1 + 0.27 * {} / sqrt(1 + {})) - {} / (1 + {}))",
                   {{"beta", beta},
                    {"alpha", alpha},
                    {"Zl", Zl},
                    {"beta", beta},
                    {"beta", beta},
                    {"beta", beta}},
                   C2, "", ref);
        trace->add("fE", "{} * {}^2 * {} / (12 * 0.91) * ({} / {})^2",
                   {{"C2", C2}, {"pi", kPi}, {"E", E}, {"t", t}, {"L", L}}, fE, "MPa", ref);
        if (C1 > C2)
            trace->add("mu", "0", {}, mu, "", ref,
                       "C1 = " + traceNumber(C1) + " exceeds C2 = " + traceNumber(C2) +
                           ", so mu = 0");
        else
            trace->add("mu", "{} * {} / {} * ({} / {}) * ({} / {}) * (1 - {} / {}) / 0.85",
                       {{"zt", in.zt},
                        {"delta0", delta0},
                        {"i^2", i2},
                        {"rf", in.rf},
                        {"r", r},
                        {"l", l},
                        {"leo", leo},
                        {"C1", C1},
                        {"C2", C2}},
                       mu, "", ref,
                       "C1 = " + traceNumber(C1) + " does not exceed C2 = " + traceNumber(C2));
        trace->add("lam", "sqrt({} / {})", {{"fT", fT}, {"fE", fE}}, lam, "", ref);
        trace->add("fr", "{} * (1 + {} + {}^2 - sqrt((1 + {} + {}^2)^2 - 4 * {}^2)) / (2 * {}^2)",
                   {{"fT", fT},
                    {"mu", mu},
                    {"lam", lam},
                    {"mu", mu},
                    {"lam", lam},
                    {"lam", lam},
                    {"lam", lam}},
                   fr, "MPa", ref);
        trace->add("pRd", "0.75 * {} / {} * {} * {} / {}^2 * (1 + {} / ({} * {})) / 0.85",
                   {{"fr", fr},
                    {"gM", in.gM},
                    {"t", t},
                    {"rf", in.rf},
                    {"r", r},
                    {"A", A},
                    {"leo", leo},
                    {"t", t}},
                   pRd, "MPa", ref);
        trace->add("|pd/pRd|", "abs({} / {})", {{"pd", dc.pd}, {"pRd", pRd}}, ratio, "", ref);
    }
    return ratio;
}

RingResult checkPanelRing(const DesignCase& dc, const CaseResults& res,
                          const SectionResult& ringSec, CalcTrace* trace) {
    RingInvariants none;
    return checkPanelRing(dc, res, ringSec, none, trace);
}

RingResult checkPanelRing(const DesignCase& dc, const CaseResults& res,
                          const SectionResult& ringSec, RingInvariants& kept, CalcTrace* trace) {
    RingResult out;
    const size_t firstLine = trace ? trace->lines.size() : 0;
    if (trace)
        trace->begin("ringArea", "Ring-frame area (Ch 3.5.2.3)");
    const double r = dc.r;
    const double t = dc.t;
    const double l = dc.l;
    const double pd = dc.pd;
    const double Sigx = dc.Sigx;

    // Area requirement of a ring frame (Ch 3.5.2.3).
    out.Areq = (fdiv(2.0, fpow(res.Zl, 2)) + 0.06) * l * t;
    traceAdd(trace, "Areq", "(2 / {}^2 + 0.06) * {} * {}", {{"Zl", res.Zl}, {"l", l}, {"t", t}},
             out.Areq, "mm2", "Ch 3.5.2.3");
    if (trace)
        trace->begin("ringInertia", "Ring-frame moment of inertia (Ch 3.5.2.4 to 3.5.2.6)");

    const double le0 = fdiv(1.56 * fsqrt(r * t), 1.0 + fdiv(12.0 * t, r));
    double le = le0;
    if (le > l)
        le = l;
    out.le = le;
    if (trace) {
        if (le0 > l)
            trace->add("le", "{}", {{"l", l}}, le, "mm", "Ch 3.5.2",
                       "1.56 sqrt(r t) / (1 + 12 t / r) = " + traceNumber(le0) +
                           " exceeds l, so le = l");
        else
            trace->add("le", "1.56 * sqrt({} * {}) / (1 + 12 * {} / {})",
                       {{"r", r}, {"t", t}, {"t", t}, {"r", r}}, le, "mm", "Ch 3.5.2");
    }

    const SectionProps& sp = ringSec.props;
    out.section =
        keep(kept.section, [&] { return ringEffectiveSection(dc, ringSec.record, sp, le, trace); });
    if (trace)
        trace->add("eta", "{}", {{"eta", res.shellStressRatio}}, res.shellStressRatio, "", "Ch 3.9",
                   "the ratio SigjSd / fks of the shell check");
    const float fT0 = ringTorsionalStrength(dc, ringSec.record, sp, ringSec.fy, res.leo,
                                            res.shellStressRatio, kept.torsion, trace);

    const double A = sp.A;
    const double H = ringSec.record.H;
    const double alpha =
        dc.cylinderType == CylinderType::RingStiffened ? fdiv(A, res.leo * t) : fdiv(A, l * t);
    // Radius to the ring-frame flange as the circumferential stress sees it.
    const double rho = dc.outsideStiffening == 1 ? r + t / 2.0 + H : r - t / 2.0 - H;
    const float SighRing =
        toSingle(dc.Sigy + fdiv(fdiv(fdiv(pd * r, t) - 0.3 * Sigx, 1.0 + alpha) * r, rho));
    out.SighRing = SighRing;
    if (trace) {
        const char* ref = "Ch 3.5.2";
        if (dc.cylinderType == CylinderType::RingStiffened)
            trace->add("alpha", "{} / ({} * {})", {{"A", A}, {"leo", res.leo}, {"t", t}}, alpha, "",
                       ref, "a ring-stiffened cylinder: alpha = A / (leo t)");
        else
            trace->add("alpha", "{} / ({} * {})", {{"A", A}, {"l", l}, {"t", t}}, alpha, "", ref,
                       "not a ring-stiffened cylinder: alpha = A / (l t)");
        if (dc.outsideStiffening == 1)
            trace->add("rho", "{} + {} / 2 + {}", {{"r", r}, {"t", t}, {"H", H}}, rho, "mm", ref,
                       "ring frames outside the shell");
        else
            trace->add("rho", "{} - {} / 2 - {}", {{"r", r}, {"t", t}, {"H", H}}, rho, "mm", ref,
                       "ring frames inside the shell");
        trace->add("SighRing", "{} + ({} * {} / {} - 0.3 * {}) / (1 + {}) * {} / {}",
                   {{"Sigy", dc.Sigy},
                    {"pd", pd},
                    {"r", r},
                    {"t", t},
                    {"Sigx", Sigx},
                    {"alpha", alpha},
                    {"r", r},
                    {"rho", rho}},
                   SighRing, "MPa", ref);
    }

    out.ringAreaUF = fdiv(out.Areq, A);
    if (trace) {
        trace->begin("ringArea", "Ring-frame area (Ch 3.5.2.3)");
        trace->add("UF", "{} / {}", {{"Areq", out.Areq}, {"A", A}}, out.ringAreaUF, "",
                   "Ch 3.5.2.3");
        trace->add("UFallow", "{}", {{"UF", dc.UF}}, dc.UF, "", "Ch 3.5.2",
                   "the ring frame is held to the input UF in LRFD and WSD alike");
        trace->begin("ringInertia", "Ring-frame moment of inertia (Ch 3.5.2.4 to 3.5.2.6)");
    }

    const float fT = raisedTorsionalStrength(fT0, SighRing, trace);
    out.fT = fT;

    const RingState state{out.section.r0, SighRing, out.section.eff.zt, res.stiffSection.A};
    const InertiaParts ip = inertiaParts(dc, state, l, fT, kept, trace);
    const double Ie = out.section.eff.Ie;
    double Ih = ip.Ih;
    double IR = ip.Ix + ip.Ixh + Ih;
    float ringInertiaUF = toSingle(fdiv(IR, Ie));

    out.special = pd < 0.0 && dc.specialIh == 1;
    if (out.special) {
        // Reduce Ih in steps of 1 % while the cylinder still carries the pressure. Ih shrinks
        // geometrically, so the step cap is never reached by a finite start value.
        const SpecialIhInputs in{A, res.leo, fT, res.gM, out.section.eff.zt, out.section.rf};
        constexpr int kMaxSteps = 200000;
        double ratio = 0;
        SpecialIhInvariants stepParts;
        const double Ih0 = Ih;
        int steps = 0;
        for (int step = 0; Ih > 100000.0 && ratio < 1.0 && step < kMaxSteps; ++step) {
            Ih *= 0.99;
            ratio = specialIhStep(dc, in, Ih, stepParts);
            out.Zl = *stepParts.Zl; // the step's own specialIhZl
            steps = step + 1;
        }
        IR = ip.Ix + ip.Ixh + Ih;
        ringInertiaUF = toSingle(fdiv(IR, Ie));
        if (trace) {
            trace->begin("ringInertia", "Special calculation of Ih (Ch 3.5.2.7)");
            trace->add("Ih", "{} * 0.99^{}", {{"Ih0", Ih0}, {"n", static_cast<double>(steps)}}, Ih,
                       "mm4", "Ch 3.5.2.7",
                       "Ih0, the Ih of the general calculation, is reduced in steps of 1 % while "
                       "Ih > 100000 mm4 and |pd/pRd| < 1: " +
                           std::to_string(steps) + " steps; the last step:");
            // The last step again, with its lines: the same function on the same values.
            if (steps > 0)
                specialIhStep(dc, in, Ih, stepParts, trace);
        }
    }
    if (trace) {
        const char* ref = out.special ? "Ch 3.5.2.7" : "Ch 3.5.2.4";
        trace->add("IR", "{} + {} + {}", {{"Ix", ip.Ix}, {"Ixh", ip.Ixh}, {"Ih", Ih}}, IR, "mm4",
                   ref);
        trace->add("UF", "{} / {}", {{"IR", IR}, {"I", Ie}}, ringInertiaUF, "", ref);
        if (!out.special)
            trace->add("UFallow", "{}", {{"UF", dc.UF}}, dc.UF, "", "Ch 3.5.2",
                       "the ring frame is held to the input UF in LRFD and WSD alike");
        // The area requirement first, as the sheet shows it.
        std::stable_partition(trace->lines.begin() + static_cast<std::ptrdiff_t>(firstLine),
                              trace->lines.end(),
                              [](const TraceLine& line) { return line.check == "ringArea"; });
    }

    out.Ix = ip.Ix;
    out.Ixh = ip.Ixh;
    out.Ih = Ih;
    out.IR = IR;
    out.Ie = Ie;
    out.ringInertiaUF = ringInertiaUF;
    return out;
}

HeavyRingResult checkHeavyRing(const DesignCase& dc, const CaseResults& res, CalcTrace* trace) {
    RingInvariants none;
    return checkHeavyRing(dc, res, none, trace);
}

HeavyRingResult checkHeavyRing(const DesignCase& dc, const CaseResults& res, RingInvariants& kept,
                               CalcTrace* trace) {
    HeavyRingResult out;
    if (trace)
        trace->begin("ringInertia", "Heavy ring frame (Ch 3.5.2)");
    out.fT = raisedTorsionalStrength(res.fT, res.SighRing, trace);
    const RingState state{res.r0, res.SighRing, res.eff.zt, res.stiffSection.A};
    const InertiaParts ip = inertiaParts(dc, state, dc.L, out.fT, kept, trace, "L");
    out.Ihr = ip.Ix + ip.Ixh + ip.Ih;
    traceAdd(trace, "Ihr", "{} + {} + {}", {{"Ix", ip.Ix}, {"Ixh", ip.Ixh}, {"Ih", ip.Ih}}, out.Ihr,
             "mm4", "Ch 3.5.2");
    return out;
}

} // namespace velmora
