// Ring frames: the torsional buckling length limit (Ch 3.9), panel ring buckling with its area
// and moment-of-inertia requirements (Ch 3.5.2), the special calculation of Ih (Ch 3.5.2.7)
// and the heavy ring-frame requirement.
#include "base/Fp.h"
#include "checks/Checks.h"
#include "checks/Torsion.h"

#include <cmath>

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
float raisedTorsionalStrength(float fT, float SighRing) {
    const double sigh = std::fabs(static_cast<double>(SighRing));
    if (2.0 * sigh >= fT)
        return toSingle(2.001 * sigh);
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
InertiaParts inertiaParts(const DesignCase& dc, const RingState& ring, double span, float fT) {
    const double r = dc.r;
    const double t = dc.t;
    const double E = dc.E;
    const double L = dc.L;
    const double r0 = ring.r0;
    const double Sigx = dc.Sigx;
    const double Tau = dc.Tau;
    const double pd = dc.pd;

    // Stringers add their area to the shell that the ring frame carries.
    const double alphaS = dc.cylinderType == CylinderType::RingStiffened
                              ? 0.0
                              : fdiv(ring.stiffenerArea, static_cast<double>(dc.s) * t);

    InertiaParts ip;
    if (Sigx < 0.0)
        ip.Ix = fdiv(std::fabs(Sigx) * t * (1.0 + alphaS) * fpow(r0, 4), 500.0 * E * span);
    if (Tau != 0.0)
        ip.Ixh = fpow(fdiv(std::fabs(Tau), E), 8.0 / 5.0) * fpow(fdiv(r0, L), 1.0 / 5.0) * L * r0 *
                 t * span;
    // Initial out-of-roundness of the shell.
    const double delta0 = 0.005 * r;
    if (pd < 0.0) {
        const double sigh = std::fabs(static_cast<double>(ring.SighRing));
        const double zt = ring.zt;
        ip.Ih = fdiv(std::fabs(pd) * r * fpow(r0, 2) * span, 3.0 * E) *
                (1.5 +
                 fdiv(3.0 * E * zt * delta0, fpow(r0, 2) * (static_cast<double>(fT) / 2.0 - sigh)));
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
                                          const SectionProps& sp, double le) {
    const double t = dc.t;
    const double r = dc.r;
    const double H = ring.H;
    RingEffectiveSection out;
    out.eff = effectiveSection(sp, H, t, le);
    if (dc.outsideStiffening == 1) {
        out.r0 = r + out.eff.e;
        out.rf = r + H + t / 2.0;
    } else {
        out.r0 = r - out.eff.e;
        out.rf = r - H - t / 2.0;
    }
    return out;
}

float ringTorsionalStrength(const DesignCase& dc, const ProfileRecord& ring, const SectionProps& sp,
                            float fyr, double leo, double shellStressRatio) {
    float fT =
        torsionalStrength({ring, sp, dc.E, dc.t, leo, dc.r, dc.ltRing, fyr, shellStressRatio});
    // A cold-formed ring frame keeps 90 % of the strength of a fabricated one.
    if (dc.ringFabrication == 1)
        fT = toSingle(static_cast<double>(fT) * 0.9);
    if (fT > dc.fyp)
        fT = dc.fyp;
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

namespace {
template <class F> double keep(std::optional<double>& slot, F work) {
    if (!slot)
        slot = work();
    return *slot;
}
} // namespace

double specialIhStep(const DesignCase& dc, const SpecialIhInputs& in, double Ih,
                     SpecialIhInvariants& kept) {
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
    return std::fabs(fdiv(dc.pd, pRd));
}

RingResult checkPanelRing(const DesignCase& dc, const CaseResults& res,
                          const SectionResult& ringSec) {
    RingResult out;
    const double r = dc.r;
    const double t = dc.t;
    const double l = dc.l;
    const double pd = dc.pd;
    const double Sigx = dc.Sigx;

    // Area requirement of a ring frame (Ch 3.5.2.3).
    out.Areq = (fdiv(2.0, fpow(res.Zl, 2)) + 0.06) * l * t;

    double le = fdiv(1.56 * fsqrt(r * t), 1.0 + fdiv(12.0 * t, r));
    if (le > l)
        le = l;
    out.le = le;

    const SectionProps& sp = ringSec.props;
    out.section = ringEffectiveSection(dc, ringSec.record, sp, le);
    const float fT0 =
        ringTorsionalStrength(dc, ringSec.record, sp, ringSec.fy, res.leo, res.shellStressRatio);

    const double A = sp.A;
    const double H = ringSec.record.H;
    const double alpha =
        dc.cylinderType == CylinderType::RingStiffened ? fdiv(A, res.leo * t) : fdiv(A, l * t);
    // Radius to the ring-frame flange as the circumferential stress sees it.
    const double rho = dc.outsideStiffening == 1 ? r + t / 2.0 + H : r - t / 2.0 - H;
    const float SighRing =
        toSingle(dc.Sigy + fdiv(fdiv(fdiv(pd * r, t) - 0.3 * Sigx, 1.0 + alpha) * r, rho));
    out.SighRing = SighRing;

    out.ringAreaUF = fdiv(out.Areq, A);

    const float fT = raisedTorsionalStrength(fT0, SighRing);
    out.fT = fT;

    const RingState state{out.section.r0, SighRing, out.section.eff.zt, res.stiffSection.A};
    const InertiaParts ip = inertiaParts(dc, state, l, fT);
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
        SpecialIhInvariants kept;
        for (int step = 0; Ih > 100000.0 && ratio < 1.0 && step < kMaxSteps; ++step) {
            Ih *= 0.99;
            ratio = specialIhStep(dc, in, Ih, kept);
            out.Zl = *kept.Zl; // the step's own specialIhZl
        }
        IR = ip.Ix + ip.Ixh + Ih;
        ringInertiaUF = toSingle(fdiv(IR, Ie));
    }

    out.Ix = ip.Ix;
    out.Ixh = ip.Ixh;
    out.Ih = Ih;
    out.IR = IR;
    out.Ie = Ie;
    out.ringInertiaUF = ringInertiaUF;
    return out;
}

HeavyRingResult checkHeavyRing(const DesignCase& dc, const CaseResults& res) {
    HeavyRingResult out;
    out.fT = raisedTorsionalStrength(res.fT, res.SighRing);
    const RingState state{res.r0, res.SighRing, res.eff.zt, res.stiffSection.A};
    const InertiaParts ip = inertiaParts(dc, state, dc.L, out.fT);
    out.Ihr = ip.Ix + ip.Ixh + ip.Ih;
    return out;
}

} // namespace velmora
