// Ring frames: the torsional buckling length limit (Ch 3.9), panel ring buckling with its area
// and moment-of-inertia requirements (Ch 3.5.2), the special calculation of Ih (Ch 3.5.2.7)
// and the heavy ring-frame requirement.
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

// Ix, Ixh and Ih over `span`: the ring spacing l for a panel ring frame, the cylinder length L
// for a heavy ring frame.
InertiaParts inertiaParts(const State& st, double span, float fT) {
    const DesignCase& dc = st.dc;
    const CaseResults& res = st.res;
    const double r = dc.r;
    const double t = dc.t;
    const double E = dc.E;
    const double L = dc.L;
    const double r0 = res.r0;
    const double Sigx = dc.Sigx;
    const double Tau = dc.Tau;
    const double pd = dc.pd;

    // Stringers add their area to the shell that the ring frame carries.
    const double alphaS =
        dc.cylinderType == 1 ? 0.0 : fdiv(res.stiffSection.A, static_cast<double>(dc.s) * t);

    InertiaParts ip;
    if (Sigx < 0.0)
        ip.Ix = fdiv(std::fabs(Sigx) * t * (1.0 + alphaS) * fpow(r0, 4), 500.0 * E * span);
    if (Tau != 0.0)
        ip.Ixh = fpow(fdiv(std::fabs(Tau), E), 8.0 / 5.0) * fpow(fdiv(r0, L), 1.0 / 5.0) * L * r0 *
                 t * span;
    // Initial out-of-roundness of the shell.
    const double delta0 = 0.005 * r;
    if (pd < 0.0) {
        const double sigh = std::fabs(static_cast<double>(res.SighRing));
        const double zt = res.eff.zt;
        ip.Ih = fdiv(std::fabs(pd) * r * fpow(r0, 2) * span, 3.0 * E) *
                (1.5 +
                 fdiv(3.0 * E * zt * delta0, fpow(r0, 2) * (static_cast<double>(fT) / 2.0 - sigh)));
    }
    return ip;
}

} // namespace

void limitRingTorsionalLength(State& st, Notifier& nt) {
    DesignCase& dc = st.dc;
    if (dc.cylinderType == 3)
        return;
    const double h = static_cast<double>(dc.ring.H) - dc.ring.tf;
    const double limit = kPi * fsqrt(static_cast<double>(dc.r) * h);
    if (dc.ltRing > toSingle(limit)) {
        nt.warn(" lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects the value ");
        dc.ltRing = toSingle(limit - 1.0);
    }
}

void ringEffectiveSection(State& st) {
    const DesignCase& dc = st.dc;
    CaseResults& res = st.res;
    const SectionProps& sp = res.ringSection;
    const double t = dc.t;
    const double r = dc.r;
    const double H = dc.ring.H;
    const double b = res.le;
    const double A = sp.A;
    const double zc = sp.zc;

    EffectiveSection eff;
    eff.Aeff = A + b * t;
    eff.e = fdiv(A * (zc + t / 2.0), eff.Aeff);
    double r0 = 0;
    double rf = 0;
    if (dc.outsideStiffening == 1) {
        r0 = r + eff.e;
        rf = r + H + t / 2.0;
    } else {
        r0 = r - eff.e;
        rf = r - H - t / 2.0;
    }
    eff.zt = H + t / 2.0 - eff.e;
    eff.Ie = fdiv(b * fpow(t, 3), 12.0) + sp.Iy + A * fpow(zc + t / 2.0 - eff.e, 2) +
             b * t * fpow(eff.e, 2);
    fin(eff.Ie);
    res.eff = eff;
    res.r0 = r0;
    res.rf = rf;
}

void ringTorsionalStrength(State& st) {
    const DesignCase& dc = st.dc;
    float fT = torsionalStrength({dc.ring, st.res.ringSection, dc.E, dc.t, st.res.leo, dc.r,
                                  dc.ltRing, dc.fyr, st.res.shellStressRatio});
    // A cold-formed ring frame keeps 90 % of the strength of a fabricated one.
    if (dc.ringFabrication == 1)
        fT = toSingle(static_cast<double>(fT) * 0.9);
    if (fT > dc.fyp)
        fT = dc.fyp;
    st.res.fT = fT;
}

double specialIhStep(State& st) {
    const DesignCase& dc = st.dc;
    CaseResults& res = st.res;
    const double Ih = res.Ih;
    const double A = res.ringSection.A;
    const double leo = res.leo;
    const double t = dc.t;
    const double l = dc.l;
    const double L = dc.L;
    const double r = dc.r;
    const double E = dc.E;
    const double fT = res.fT;
    const double delta0 = 0.005 * r;

    const double beta = fdiv(10.92 * Ih, l * fpow(t, 3));
    const double alpha = fdiv(A, leo * t);
    const double i2 = fdiv(Ih, A + leo * t);

    // Curvature parameter of the whole cylinder length.
    const double Zl = fdiv(fpow(L, 2), r * t) * fsqrt(0.91);
    res.Zl = Zl;

    const double C1 = 2.0 * fsqrt(1.0 + 0.27 * Zl);
    const double C2 = fdiv(2.0 * (1.0 + beta), 1.0 + alpha) *
                      (fsqrt(1.0 + fdiv(0.27 * Zl, fsqrt(1.0 + beta))) - fdiv(beta, 1.0 + beta));
    const double fE = fdiv(C2 * kPi * kPi * E, 12.0 * 0.91) * fpow(fdiv(t, L), 2);

    double mu = 0;
    if (!(C1 > C2))
        mu = fdiv(fdiv(res.eff.zt * delta0, i2) * fdiv(res.rf, r) * fdiv(l, leo) *
                      (1.0 - fdiv(C1, C2)),
                  0.85);

    const double lam = fsqrt(fdiv(fT, fE));
    const double lam2 = fpow(lam, 2);
    const double fr =
        fT * fdiv(1.0 + mu + lam2 - fsqrt(fpow(1.0 + mu + lam2, 2) - 4.0 * lam2), 2.0 * lam2);

    const double pRd = fdiv(
        fdiv(fdiv(0.75 * fr, res.gM) * t * res.rf, fpow(r, 2)) * (1.0 + fdiv(A, leo * t)), 0.85);
    return std::fabs(fdiv(dc.pd, pRd));
}

void checkPanelRing(State& st, Notifier& nt) {
    DesignCase& dc = st.dc;
    CaseResults& res = st.res;
    const double r = dc.r;
    const double t = dc.t;
    const double l = dc.l;
    const double pd = dc.pd;
    const double Sigx = dc.Sigx;

    const double Areq = (fdiv(2.0, fpow(res.Zl, 2)) + 0.06) * l * t;

    double le = fdiv(1.56 * fsqrt(r * t), 1.0 + fdiv(12.0 * t, r));
    if (le > l)
        le = l;
    res.le = le;

    computeRingSection(st, nt, dc.ring.kind);
    ringEffectiveSection(st);
    ringTorsionalStrength(st);

    const double A = res.ringSection.A;
    const double H = dc.ring.H;
    const double alpha = dc.cylinderType == 1 ? fdiv(A, res.leo * t) : fdiv(A, l * t);
    // Radius to the ring-frame flange as the circumferential stress sees it.
    const double rho = dc.outsideStiffening == 1 ? r + t / 2.0 + H : r - t / 2.0 - H;
    const float SighRing =
        toSingle(dc.Sigy + fdiv(fdiv(fdiv(pd * r, t) - 0.3 * Sigx, 1.0 + alpha) * r, rho));
    res.SighRing = SighRing;

    const double ringAreaUF = fdiv(Areq, A);

    const float fT = raisedTorsionalStrength(res.fT, SighRing);
    res.fT = fT;

    const InertiaParts ip = inertiaParts(st, l, fT);
    const double Ie = res.eff.Ie;
    double Ih = ip.Ih;
    double IR = ip.Ix + ip.Ixh + Ih;
    float ringInertiaUF = toSingle(fdiv(IR, Ie));

    const bool special = pd < 0.0 && dc.specialIh == 1;
    res.Ih = Ih;
    if (special) {
        // Reduce Ih in steps of 1 % while the cylinder still carries the pressure. Ih shrinks
        // geometrically, so the step cap is never reached by a finite start value.
        constexpr int kMaxSteps = 200000;
        double ratio = 0;
        for (int step = 0; res.Ih > 100000.0 && ratio < 1.0 && step < kMaxSteps; ++step) {
            res.Ih *= 0.99;
            ratio = specialIhStep(st);
        }
        Ih = res.Ih;
        IR = ip.Ix + ip.Ixh + Ih;
        ringInertiaUF = toSingle(fdiv(IR, Ie));
    }

    const char sep = st.decimalSep();
    auto fmt = [sep](double v, const char* pattern) { return formatNumber(v, pattern, sep); };
    ResultPanel panel = res.ringPanel;
    auto row = [&panel](size_t i, const std::string& label, const std::string& value,
                        const std::string& unit) {
        panel.label[i] = label;
        panel.value[i] = value;
        panel.unit[i] = unit;
    };
    const std::string uf = " <= " + fmt(dc.UF, "0.00");
    row(0, "Panel Ring Buckling: (Ch 3.5.2)", "", "");
    row(1, "Area requirement:", "", "");
    row(2, "UF = Areq/A = " + fmt(Areq, "0.000E+0") + "/" + fmt(A, "0.000E+0") + " = ",
        fmt(ringAreaUF, "0.00"), uf);
    row(3, "Moment of inertia requirement:", "", "");
    row(4, "le =", fmt(le, "0.0"), "  mm");
    row(5, "fT = ", fmt(fT, "0.0"), "  MPa");
    row(6, "Ix =", fmt(ip.Ix, "0.000E+0"), "  mm4  ");
    row(7, "Ixh =", fmt(ip.Ixh, "0.000E+0"), "  mm4  ");
    row(8, "Ih =", fmt(Ih, "0.000E+0"),
        special ? "  mm4 (Special Calc, ref ch 3.5.2.7)" : "  mm4 (General calc, ref ch 3.5.2.6)");
    row(9, "IR =", fmt(IR, "0.000E+0"), "  mm4");
    row(10, "I =", fmt(Ie, "0.000E+0"), "  mm4");
    row(11, "UF = IR/I = " + fmt(IR, "0.000E+0") + "/" + fmt(Ie, "0.000E+0") + " = ",
        fmt(ringInertiaUF, "0.00"), special ? " " : uf);
    row(12, " ", " ", "");
    panel.lineCount = 12;

    res.Areq = Areq;
    res.ringAreaUF = ringAreaUF;
    res.Ix = ip.Ix;
    res.Ixh = ip.Ixh;
    res.Ih = Ih;
    res.IR = IR;
    res.ringInertiaUF = ringInertiaUF;
    res.ringPanel = panel;
}

void checkHeavyRing(State& st) {
    CaseResults& res = st.res;
    const double L = st.dc.L;
    const float fT = raisedTorsionalStrength(res.fT, res.SighRing);
    res.fT = fT;
    const InertiaParts ip = inertiaParts(st, L, fT);
    const double Ihr = ip.Ix + ip.Ixh + ip.Ih;

    const std::string value = formatNumber(Ihr, "0.000E+0", st.decimalSep());
    res.Ihr = Ihr;
    res.ringPanel.label[12] = "Heavy ringframe Ihr>= ";
    res.ringPanel.value[12] = value;
    res.ringPanel.unit[12] = "  mm4";
}

} // namespace velmora
