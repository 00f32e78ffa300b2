// Column buckling of the whole cylinder (Ch 3.8): the tube as a column under axial force and
// biaxial end moments, with the local buckling strength of the shell (Eq 3.8.8) and the
// dimensioning moments after NORSOK N-004 Table 6-2, Note 1.
#include "base/Fp.h"
#include "checks/Checks.h"

#include <cmath>

namespace velmora {

namespace {

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
    // Column buckling strength (Ch 3.8): the parabola 1 - 0.28 lamda^2 up to lamda 1.34, the
    // reduced Euler curve 0.9 / lamda^2 beyond.
    const double fkc = b.lamda > lamdaLimit ? fdiv(0.9 * fak, b.lamda * b.lamda)
                                            : (1 - 0.28 * b.lamda * b.lamda) * fak;
    b.fkcd = fdiv(fkc, gM);
    b.fE = fdiv(kPi * kPi * E * I, (k * L) * (k * L) * A);
    return b;
}

} // namespace

const char* const kNegRootMessage =
    " Neg Root, ref Eq 3.8.8 in Dnv RP C202, Calculation terminated ";

ColumnResult checkColumnBuckling(const DesignCase& dc, const CaseResults& res,
                                 std::string& message) {
    ColumnResult out;
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
    out.SigmSd = -SigmSd;

    out.shell = checkUnstiffenedCylinder(dc, res, out.SigmSd);
    const ShellResult& shell = out.shell;

    // Dimensioning moments (NORSOK N-004 Table 6-2, Note 1): the reduced value weighs the
    // larger end moment by 0.6 + 0.4 psi.
    const double C1 = dc.dimMoment == 1 ? 0.6 + 0.4 * ax1.psi : 1.0;
    const double C2 = dc.dimMoment == 1 ? 0.6 + 0.4 * ax2.psi : 1.0;
    const double Sigm1Sd = C1 * ax1.sigMax;
    const double Sigm2Sd = C2 * ax2.sigMax;
    const double M1Sd = Sigm1Sd * W / 1000000;
    const double M2Sd = Sigm2Sd * W / 1000000;

    // Characteristic local buckling strength from a fak^2 - b fak + c = 0 (Eq 3.8.8).
    const double fEa = shell.fEa;
    const double fEh = shell.fEh;
    const double SighSd = res.SighSd;
    const double fyp2 = fyp * fyp;
    const double a = 1 + fdiv(fyp2, fEa * fEa);
    const double b = (fdiv(2 * fyp2, fEa * fEh) - 1) * SighSd;
    const double c = SighSd * SighSd + fdiv(fyp2 * SighSd * SighSd, fEh * fEh) - fyp2;
    const double disc = fin(b * b - 4 * a * c);
    if (disc < 0)
        message = kNegRootMessage;
    const double fak = fdiv(b + fsqrt(disc), 2 * a);
    const double gMshell = shell.factor.gM;
    const double fakd = fdiv(fak, gMshell);
    if (fdiv(fak, E) < 0)
        message = kNegRootMessage;

    // The axis-2 limit is the single-precision 1.34 (1.3400000333786011), axis 1 the double
    // 1.34: a slenderness between the two takes different branches on the two axes.
    const AxisBuckling b1 = axisBuckling(dc.k1, L, i, fak, E, gMshell, I, A, 1.34);
    const AxisBuckling b2 =
        axisBuckling(dc.k2, L, i, fak, E, gMshell, I, A, static_cast<double>(1.34f));

    const double Siga0Sd = shell.Siga0Sd;
    const double m1 = fdiv(Sigm1Sd, 1 - fdiv(Siga0Sd, b1.fE));
    const double m2 = fdiv(Sigm2Sd, 1 - fdiv(Siga0Sd, b2.fE));
    const double bendingTerm = fdiv(1, fakd) * fsqrt(m1 * m1 + m2 * m2);
    out.UF1 = fdiv(Siga0Sd, b1.fkcd) + bendingTerm;
    out.UF2 = fdiv(Siga0Sd, b2.fkcd) + bendingTerm;

    // Permitted value; the strengths above were divided by the shell check's material factor.
    if (dc.designFormat == DesignFormat::LRFD) {
        out.factor = shell.factor;
        out.factor.UFallow = dc.UF;
    } else {
        out.factor.beta = 1.0;
        out.factor.gM = 1.15;
        out.factor.UFallow = out.factor.gM * 1.0 * dc.UF;
    }

    out.fakd = fakd;
    out.fkcd1 = b1.fkcd;
    out.lamda1 = b1.lamda;
    out.fE1 = b1.fE;
    out.fkcd2 = b2.fkcd;
    out.lamda2 = b2.lamda;
    out.fE2 = b2.fE;
    out.M1Sd = M1Sd;
    out.M2Sd = M2Sd;
    out.Sigm1Sd = Sigm1Sd;
    out.Sigm2Sd = Sigm2Sd;
    return out;
}

} // namespace velmora
