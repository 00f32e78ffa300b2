// Column buckling of the whole cylinder (Ch 3.8): the tube as a column under axial force and
// biaxial end moments, with the local buckling strength of the shell (Eq 3.8.8) and the
// dimensioning moments after NORSOK N-004 Table 6-2, Note 1.
#include "calc/State.h"
#include "checks/Checks.h"
#include "base/Fp.h"
#include "base/NumberText.h"

#include <cmath>

namespace velmora {

namespace {

const char* const kNegRoot = " Neg Root, ref Eq 3.8.8 in Dnv RP C202, Calculation terminated ";

// Bending about one axis from the end stresses sigA and sigB.
struct AxisBending {
    double sigMax = 0; // larger end stress, absolute
    double psi = 0;    // ratio of the smaller to the larger end stress
    double sigMean = 0;
};

AxisBending axisBending(double sigA, double sigB) {
    AxisBending b;
    if (std::fabs(sigA) > std::fabs(sigB)) {
        b.sigMax = std::fabs(sigA);
        b.psi = sigA == 0 ? 0.0 : fdiv(sigB, sigA);
    } else {
        b.sigMax = std::fabs(sigB);
        b.psi = sigB == 0 ? 0.0 : fdiv(sigA, sigB);
    }
    b.sigMean = (sigA + sigB) / 2;
    return b;
}

struct AxisBuckling {
    double lamda = 0;
    double fkcd = 0;
    double fE = 0;
};

AxisBuckling axisBuckling(double k, double L, double i, double fak, double E, double gM, double I,
                          double A, double lamdaLimit) {
    AxisBuckling b;
    b.lamda = fdiv(fdiv(k * L, kPi), i) * fsqrt(fdiv(fak, E));
    const double fkc = b.lamda > lamdaLimit ? fdiv(0.9 * fak, b.lamda * b.lamda)
                                            : (1 - 0.28 * b.lamda * b.lamda) * fak;
    b.fkcd = fdiv(fkc, gM);
    b.fE = fdiv(kPi * kPi * E * I, (k * L) * (k * L) * A);
    return b;
}

} // namespace

void checkColumnBuckling(State& st) {
    DesignCase& dc = st.dc;
    CaseResults& res = st.res;
    const double r = dc.r;
    const double t = dc.t;
    const double L = dc.L;
    const double E = dc.E;
    const double fyp = dc.fyp;

    // Tube section.
    const double Do = 2 * r + t;
    const double Di = 2 * r - t;
    const double A = kTwoPi * r * t;
    const double I = kPi * (fpow(Do, 4) - fpow(Di, 4)) / 64;
    const double i = fsqrt(fdiv(I, A));
    const double W = kPi * r * r * t;

    // End bending stresses, kNm to N mm.
    const AxisBending ax1 = axisBending(fdiv(dc.M1a * 1000000.0, W), fdiv(dc.M1b * 1000000.0, W));
    const AxisBending ax2 = axisBending(fdiv(dc.M2a * 1000000.0, W), fdiv(dc.M2b * 1000000.0, W));

    // Bending stress handed to the shell check: the largest of the two mean stresses and their
    // vector sum at 45 degrees, as compression.
    double SigmSd = ax1.sigMean;
    if (ax2.sigMean > SigmSd)
        SigmSd = ax2.sigMean;
    const double combined =
        std::fabs(ax1.sigMean) / std::sqrt(2.0) + std::fabs(ax2.sigMean) / std::sqrt(2.0);
    if (combined > SigmSd)
        SigmSd = combined;
    res.SigmSd = -SigmSd;

    checkUnstiffenedCylinder(st);

    const double C1 = dc.dimMoment == 1 ? 0.6 + 0.4 * ax1.psi : 1.0;
    const double C2 = dc.dimMoment == 1 ? 0.6 + 0.4 * ax2.psi : 1.0;
    const double Sigm1Sd = C1 * ax1.sigMax;
    const double Sigm2Sd = C2 * ax2.sigMax;
    const double M1Sd = Sigm1Sd * W / 1000000;
    const double M2Sd = Sigm2Sd * W / 1000000;

    // Characteristic local buckling strength from a fak^2 - b fak + c = 0 (Eq 3.8.8).
    const double fEa = res.fEa;
    const double fEh = res.fEh;
    const double SighSd = res.SighSd;
    const double fyp2 = fyp * fyp;
    const double a = 1 + fdiv(fyp2, fEa * fEa);
    const double b = (fdiv(2 * fyp2, fEa * fEh) - 1) * SighSd;
    const double c = SighSd * SighSd + fdiv(fyp2 * SighSd * SighSd, fEh * fEh) - fyp2;
    const double disc = fin(b * b - 4 * a * c);
    if (disc < 0)
        st.run.calcMessage = kNegRoot;
    const double fak = fdiv(b + fsqrt(disc), 2 * a);
    const double gMshell = res.gM;
    const double fakd = fdiv(fak, gMshell);
    if (fdiv(fak, E) < 0)
        st.run.calcMessage = kNegRoot;

    const AxisBuckling b1 = axisBuckling(dc.k1, L, i, fak, E, gMshell, I, A, 1.34);
    const AxisBuckling b2 =
        axisBuckling(dc.k2, L, i, fak, E, gMshell, I, A, static_cast<double>(1.34f));

    const double Siga0Sd = res.Siga0Sd;
    const double m1 = fdiv(Sigm1Sd, 1 - fdiv(Siga0Sd, b1.fE));
    const double m2 = fdiv(Sigm2Sd, 1 - fdiv(Siga0Sd, b2.fE));
    const double bendingTerm = fdiv(1, fakd) * fsqrt(m1 * m1 + m2 * m2);
    const double UF1 = fdiv(Siga0Sd, b1.fkcd) + bendingTerm;
    const double UF2 = fdiv(Siga0Sd, b2.fkcd) + bendingTerm;

    // Permitted value; the strengths above were divided by the shell check's material factor.
    if (dc.designFormat == 0) {
        res.UFallow = dc.UF;
    } else {
        res.beta = 1.0;
        res.gM = 1.15;
        res.UFallow = res.gM * res.beta * dc.UF;
    }

    res.fakd = fakd;
    res.fkcd1 = b1.fkcd;
    res.lamda1 = b1.lamda;
    res.fE1 = b1.fE;
    res.fkcd2 = b2.fkcd;
    res.lamda2 = b2.lamda;
    res.fE2 = b2.fE;
    res.M1Sd = M1Sd;
    res.M2Sd = M2Sd;
    res.Sigm1Sd = Sigm1Sd;
    res.Sigm2Sd = Sigm2Sd;
    res.UF1 = UF1;
    res.UF2 = UF2;

    const char sep = st.decimalSep();
    auto f = [sep](double v, const char* pattern) { return formatNumber(v, pattern, sep); };
    ResultPanel p = res.columnPanel;
    p.lineCount = 14;
    const std::string allowed = " <= " + f(res.UFallow, "0.00");
    const struct {
        const char* label;
        std::string value;
        std::string unit;
    } rows[] = {
        {"Global Buckling: (Ch 3.8)", "", ""},
        {"fkcd1 = ", f(b1.fkcd, "0.0"), " MPa (Column buckl. axis 1)"},
        {"lamda1 = ", f(b1.lamda, "0.00"), ""},
        {"fkcd2 = ", f(b2.fkcd, "0.0"), " MPa (Column buckl. axis 2)"},
        {"lamda2 = ", f(b2.lamda, "0.00"), ""},
        {"fakd = ", f(fakd, "0.0"), " MPa (local buckling)"},
        {"fE1 = ", f(b1.fE, "0.0"), " MPa (Euler buckling axis 1)"},
        {"fE2 = ", f(b2.fE, "0.0"), " MPa (Euler buckling axis 2)"},
        {"gm = ", f(res.gM, "0.00"), " "},
        {"Siga0Sd = ", f(Siga0Sd, "0.0"), " MPa"},
        {"M1Sd/M2Sd = ", f(M1Sd, "0.0") + "/" + f(M2Sd, "0.0"),
         dc.dimMoment == 1 ? " kNm (Reduced value)" : " kNm (Max value)"},
        {"Sigm1Sd = ", f(Sigm1Sd, "0.0"), " MPa"},
        {"Sigm2Sd = ", f(Sigm2Sd, "0.0"), " MPa  "},
        {"UF1 = ", f(UF1, "0.00"), allowed},
        {"UF2 =  ", f(UF2, "0.00"), allowed},
    };
    for (size_t k = 0; k < std::size(rows); ++k) {
        p.label[k] = rows[k].label;
        p.value[k] = rows[k].value;
        p.unit[k] = rows[k].unit;
    }
    res.columnPanel = p;
}

} // namespace velmora
