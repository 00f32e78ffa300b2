// Column buckling of the whole cylinder (Ch 3.8): the tube as a column under axial force and
// biaxial end moments, with the local buckling strength of the shell (Eq 3.8.8) and the
// dimensioning moments after NORSOK N-004 Table 6-2, Note 1.
#include "base/Fp.h"
#include "checks/CalcTrace.h"
#include "checks/Checks.h"

#include <cmath>
#include <string>

namespace velmora {

namespace {

// Bending about one axis from the end stresses sigA and sigB.
struct AxisBending {
    double sigMax = 0; // larger end stress, absolute
    double psi = 0;    // ratio of the smaller to the larger end stress
    double sigMean = 0;
};

// The bending lines of one axis: "1" or "2".
void traceAxisBending(CalcTrace* trace, const std::string& axis, double sigA, double sigB,
                      const AxisBending& b) {
    if (!trace)
        return;
    const char* ref = "Ch 3.8";
    const std::string a = "Sig" + axis + "a";
    const std::string bName = "Sig" + axis + "b";
    if (std::fabs(sigA) > std::fabs(sigB)) {
        const std::string why = "|" + a + "| > |" + bName + "|";
        trace->add("Sig" + axis + "max", "abs({})", {{a, sigA}}, b.sigMax, "MPa", ref, why);
        if (sigA == 0)
            trace->add("psi" + axis, "0", {}, b.psi, "", ref, a + " = 0, so psi = 0");
        else
            trace->add("psi" + axis, "{} / {}", {{bName, sigB}, {a, sigA}}, b.psi, "", ref, why);
    } else {
        const std::string why = "|" + a + "| <= |" + bName + "|";
        trace->add("Sig" + axis + "max", "abs({})", {{bName, sigB}}, b.sigMax, "MPa", ref, why);
        if (sigB == 0)
            trace->add("psi" + axis, "0", {}, b.psi, "", ref, bName + " = 0, so psi = 0");
        else
            trace->add("psi" + axis, "{} / {}", {{a, sigA}, {bName, sigB}}, b.psi, "", ref, why);
    }
    trace->add("Sig" + axis + "mean", "({} + {}) / 2", {{a, sigA}, {bName, sigB}}, b.sigMean, "MPa",
               ref);
}

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
                          double A, double lamdaLimit, CalcTrace* trace = nullptr,
                          const std::string& axis = "") {
    AxisBuckling b;
    b.lamda = fdiv(fdiv(k * L, kPi), i) * fsqrt(fdiv(fak, E));
    // Column buckling strength (Ch 3.8): the parabola 1 - 0.28 lamda^2 up to lamda 1.34, the
    // reduced Euler curve 0.9 / lamda^2 beyond.
    const double fkc = b.lamda > lamdaLimit ? fdiv(0.9 * fak, b.lamda * b.lamda)
                                            : (1 - 0.28 * b.lamda * b.lamda) * fak;
    b.fkcd = fdiv(fkc, gM);
    b.fE = fdiv(kPi * kPi * E * I, (k * L) * (k * L) * A);
    if (trace) {
        const char* ref = "Ch 3.8";
        const std::string k_ = "k" + axis;
        const std::string lam = "lamda" + axis;
        trace->add(lam, "{} * {} / {} / {} * sqrt({} / {})",
                   {{k_, k}, {"L", L}, {"pi", kPi}, {"i", i}, {"fak", fak}, {"E", E}}, b.lamda, "",
                   ref);
        const std::string where = lam + " = " + traceNumber(b.lamda);
        if (b.lamda > lamdaLimit)
            trace->add("fkc" + axis, "0.9 * {} / {}^2", {{"fak", fak}, {lam, b.lamda}}, fkc, "MPa",
                       ref, where + " is above 1.34, so fkc = 0.9 fak / lamda^2");
        else
            trace->add("fkc" + axis, "(1 - 0.28 * {}^2) * {}", {{lam, b.lamda}, {"fak", fak}}, fkc,
                       "MPa", ref, where + " is not above 1.34, so fkc = (1 - 0.28 lamda^2) fak");
        trace->add("fkcd" + axis, "{} / {}", {{"fkc" + axis, fkc}, {"gM", gM}}, b.fkcd, "MPa", ref);
        trace->add("fE" + axis, "{}^2 * {} * {} / (({} * {})^2 * {})",
                   {{"pi", kPi}, {"E", E}, {"I", I}, {k_, k}, {"L", L}, {"A", A}}, b.fE, "MPa",
                   ref);
    }
    return b;
}

} // namespace

const char* const kNegRootMessage =
    " Neg Root, ref Eq 3.8.8 in Dnv RP C202, Calculation terminated ";

ColumnResult checkColumnBuckling(const DesignCase& dc, const CaseResults& res, std::string& message,
                                 CalcTrace* trace) {
    ColumnResult out;
    const char* ref = "Ch 3.8";
    if (trace)
        trace->begin("column1", "Column buckling: tube section and bending (Ch 3.8)");
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
    if (trace) {
        trace->add("Do", "2 * {} + {}", {{"r", r}, {"t", t}}, Do, "mm", ref);
        trace->add("Di", "2 * {} - {}", {{"r", r}, {"t", t}}, Di, "mm", ref);
        trace->add("A", "{} * {} * {}", {{"2pi", kTwoPi}, {"r", r}, {"t", t}}, A, "mm2", ref);
        trace->add("I", "{} * ({}^4 - {}^4) / 64", {{"pi", kPi}, {"Do", Do}, {"Di", Di}}, I, "mm4",
                   ref);
        trace->add("i", "sqrt({} / {})", {{"I", I}, {"A", A}}, i, "mm", ref);
        trace->add("W", "{} * {}^2 * {}", {{"pi", kPi}, {"r", r}, {"t", t}}, W, "mm3", ref);
    }

    // End bending stresses, kNm to N mm.
    const double sig1a = fdiv(dc.M1a * 1000000.0, W);
    const double sig1b = fdiv(dc.M1b * 1000000.0, W);
    const double sig2a = fdiv(dc.M2a * 1000000.0, W);
    const double sig2b = fdiv(dc.M2b * 1000000.0, W);
    if (trace) {
        trace->add("Sig1a", "{} * 1000000 / {}", {{"M1a", dc.M1a}, {"W", W}}, sig1a, "MPa", ref);
        trace->add("Sig1b", "{} * 1000000 / {}", {{"M1b", dc.M1b}, {"W", W}}, sig1b, "MPa", ref);
        trace->add("Sig2a", "{} * 1000000 / {}", {{"M2a", dc.M2a}, {"W", W}}, sig2a, "MPa", ref);
        trace->add("Sig2b", "{} * 1000000 / {}", {{"M2b", dc.M2b}, {"W", W}}, sig2b, "MPa", ref);
    }
    const AxisBending ax1 = axisBending(sig1a, sig1b);
    const AxisBending ax2 = axisBending(sig2a, sig2b);
    traceAxisBending(trace, "1", sig1a, sig1b, ax1);
    traceAxisBending(trace, "2", sig2a, sig2b, ax2);

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
    if (trace) {
        const double s1 = ax1.sigMean;
        const double s2 = ax2.sigMean;
        std::string pick;
        if (combined > s1 && combined > s2)
            trace->add("SigmSd", "-(abs({}) / sqrt(2) + abs({}) / sqrt(2))",
                       {{"Sig1mean", s1}, {"Sig2mean", s2}}, out.SigmSd, "MPa", ref,
                       "the largest of Sig1mean, Sig2mean and (|Sig1mean| + |Sig2mean|) / sqrt(2) "
                       "is the last, taken as compression");
        else if (s2 > s1)
            trace->add("SigmSd", "-{}", {{"Sig2mean", s2}}, out.SigmSd, "MPa", ref,
                       "the largest of Sig1mean, Sig2mean and (|Sig1mean| + |Sig2mean|) / sqrt(2) "
                       "is Sig2mean, taken as compression");
        else
            trace->add("SigmSd", "-{}", {{"Sig1mean", s1}}, out.SigmSd, "MPa", ref,
                       "the largest of Sig1mean, Sig2mean and (|Sig1mean| + |Sig2mean|) / sqrt(2) "
                       "is Sig1mean, taken as compression");
        trace->begin("shell", "Shell buckling (Ch 3.4.2) with the column's bending stress");
    }

    out.shell = checkUnstiffenedCylinder(dc, res, out.SigmSd, trace);
    const ShellResult& shell = out.shell;
    if (trace)
        trace->begin("column1", "Column buckling (Ch 3.8)");

    // Dimensioning moments (NORSOK N-004 Table 6-2, Note 1): the reduced value weighs the
    // larger end moment by 0.6 + 0.4 psi.
    const double C1 = dc.dimMoment == 1 ? 0.6 + 0.4 * ax1.psi : 1.0;
    const double C2 = dc.dimMoment == 1 ? 0.6 + 0.4 * ax2.psi : 1.0;
    const double Sigm1Sd = C1 * ax1.sigMax;
    const double Sigm2Sd = C2 * ax2.sigMax;
    const double M1Sd = Sigm1Sd * W / 1000000;
    const double M2Sd = Sigm2Sd * W / 1000000;
    if (trace) {
        const char* norsok = "NORSOK N-004, Table 6-2, Note 1";
        if (dc.dimMoment == 1) {
            trace->add("C1", "0.6 + 0.4 * {}", {{"psi1", ax1.psi}}, C1, "", norsok,
                       "reduced dimensioning moments: C = 0.6 + 0.4 psi");
            trace->add("C2", "0.6 + 0.4 * {}", {{"psi2", ax2.psi}}, C2, "", norsok,
                       "reduced dimensioning moments: C = 0.6 + 0.4 psi");
        } else {
            trace->add("C1", "1", {}, C1, "", norsok, "the maximum moment along the member: C = 1");
            trace->add("C2", "1", {}, C2, "", norsok, "the maximum moment along the member: C = 1");
        }
        trace->add("Sigm1Sd", "{} * {}", {{"C1", C1}, {"Sig1max", ax1.sigMax}}, Sigm1Sd, "MPa",
                   norsok);
        trace->add("Sigm2Sd", "{} * {}", {{"C2", C2}, {"Sig2max", ax2.sigMax}}, Sigm2Sd, "MPa",
                   norsok);
        trace->add("M1Sd", "{} * {} / 1000000", {{"Sigm1Sd", Sigm1Sd}, {"W", W}}, M1Sd, "kNm",
                   norsok);
        trace->add("M2Sd", "{} * {} / 1000000", {{"Sigm2Sd", Sigm2Sd}, {"W", W}}, M2Sd, "kNm",
                   norsok);
    }

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
    if (trace) {
        const char* eq = "Ch 3.8, Eq 3.8.8";
        trace->add("a", "1 + {}^2 / {}^2", {{"fyp", fyp}, {"fEa", fEa}}, a, "", eq);
        trace->add("b", "(2 * {}^2 / ({} * {}) - 1) * {}",
                   {{"fyp", fyp}, {"fEa", fEa}, {"fEh", fEh}, {"SighSd", SighSd}}, b, "MPa", eq);
        trace->add(
            "c", "{}^2 + {}^2 * {}^2 / {}^2 - {}^2",
            {{"SighSd", SighSd}, {"fyp", fyp}, {"SighSd", SighSd}, {"fEh", fEh}, {"fyp", fyp}}, c,
            "MPa2", eq);
        trace->add("b^2 - 4ac", "{}^2 - 4 * {} * {}", {{"b", b}, {"a", a}, {"c", c}}, disc, "MPa2",
                   eq);
        trace->add("fak", "({} + sqrt({})) / (2 * {})", {{"b", b}, {"b^2 - 4ac", disc}, {"a", a}},
                   fak, "MPa", eq, "the larger root of a fak^2 - b fak + c = 0");
        trace->add("fakd", "{} / {}", {{"fak", fak}, {"gM", gMshell}}, fakd, "MPa", ref,
                   "with the material factor of the shell check");
    }

    // The axis-2 limit is the single-precision 1.34 (1.3400000333786011), axis 1 the double
    // 1.34: a slenderness between the two takes different branches on the two axes.
    const AxisBuckling b1 = axisBuckling(dc.k1, L, i, fak, E, gMshell, I, A, 1.34, trace, "1");
    if (trace)
        trace->begin("column2", "Column buckling, axis 2 (Ch 3.8)");
    const AxisBuckling b2 =
        axisBuckling(dc.k2, L, i, fak, E, gMshell, I, A, static_cast<double>(1.34f), trace, "2");

    const double Siga0Sd = shell.Siga0Sd;
    const double m1 = fdiv(Sigm1Sd, 1 - fdiv(Siga0Sd, b1.fE));
    const double m2 = fdiv(Sigm2Sd, 1 - fdiv(Siga0Sd, b2.fE));
    const double bendingTerm = fdiv(1, fakd) * fsqrt(m1 * m1 + m2 * m2);
    out.UF1 = fdiv(Siga0Sd, b1.fkcd) + bendingTerm;
    out.UF2 = fdiv(Siga0Sd, b2.fkcd) + bendingTerm;
    if (trace) {
        trace->begin("column1", "Column buckling: usage factors (Ch 3.8)");
        trace->add("m1", "{} / (1 - {} / {})",
                   {{"Sigm1Sd", Sigm1Sd}, {"Siga0Sd", Siga0Sd}, {"fE1", b1.fE}}, m1, "MPa", ref);
        trace->add("m2", "{} / (1 - {} / {})",
                   {{"Sigm2Sd", Sigm2Sd}, {"Siga0Sd", Siga0Sd}, {"fE2", b2.fE}}, m2, "MPa", ref);
        trace->add("bending", "1 / {} * sqrt({}^2 + {}^2)",
                   {{"fakd", fakd}, {"m1", m1}, {"m2", m2}}, bendingTerm, "", ref);
        trace->add("UF1", "{} / {} + {}",
                   {{"Siga0Sd", Siga0Sd}, {"fkcd1", b1.fkcd}, {"bending", bendingTerm}}, out.UF1,
                   "", ref);
        trace->begin("column2", "Column buckling: usage factors (Ch 3.8)");
        trace->add("UF2", "{} / {} + {}",
                   {{"Siga0Sd", Siga0Sd}, {"fkcd2", b2.fkcd}, {"bending", bendingTerm}}, out.UF2,
                   "", ref);
    }

    // Permitted value; the strengths above were divided by the shell check's material factor.
    if (dc.designFormat == DesignFormat::LRFD) {
        out.factor = shell.factor;
        out.factor.UFallow = dc.UF;
    } else {
        out.factor.beta = 1.0;
        out.factor.gM = 1.15;
        out.factor.UFallow = out.factor.gM * 1.0 * dc.UF;
    }
    if (trace) {
        if (dc.designFormat == DesignFormat::LRFD)
            trace->add("UFallow", "{}", {{"UF", dc.UF}}, out.factor.UFallow, "", "Ch 3.1",
                       "LRFD: the permitted usage factor is the allowable usage factor UF");
        else
            trace->add("UFallow", "1.15 * 1.0 * {}", {{"n0", dc.UF}}, out.factor.UFallow, "",
                       "Ch 3.1", "WSD: gM beta n0 with gM = 1.15 and beta = 1.0");
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
