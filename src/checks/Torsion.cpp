#include "checks/Torsion.h"

#include "base/Fp.h"
#include "checks/CalcTrace.h"
#include "checks/Kept.h"

#include <string>

namespace velmora {

namespace {

// L and T profiles measure the torsional web height to the flange; the others use H.
bool isLOrT(int16_t kind) {
    return kind >= ProfileKind::LTable && kind <= ProfileKind::TBuiltUp;
}

bool isTorsionallyStiff(int16_t kind) {
    return kind == ProfileKind::RHS || kind == ProfileKind::Trapez || kind == ProfileKind::IBuiltUp;
}

} // namespace

float torsionalStrength(const TorsionInput& in, CalcTrace* trace, const char* fyName,
                        const char* restraintName) {
    TorsionInvariants none;
    return torsionalStrength(in, none, trace, fyName, restraintName);
}

float torsionalStrength(const TorsionInput& in, TorsionInvariants& kept, CalcTrace* trace,
                        const char* fyName, const char* restraintName) {
    const char* ref = "Ch 3.9";
    const ProfileRecord& p = in.profile;
    const SectionProps& sp = in.section;
    const double E = in.E;
    const double H = p.H;
    const double tw = p.tw;
    const double tf = p.tf;
    const double fy = in.fy;

    const double G = fdiv(E, 2.6);

    // Rotational restraint from the shell plate; none left once the plate has buckled.
    double C = 0;
    traceAdd(trace, "G", "{} / 2.6", {{"E", E}}, G, "MPa", ref);
    if (in.eta < 1.0) {
        const double h = isLOrT(p.kind) ? H - tf : H;
        C = keep(kept.restraint,
                 [&] { return fdiv(h, in.restraintLength) * fpow(fdiv(in.t, tw), 3); }) *
            fsqrt(1.0 - in.eta);
        if (trace) {
            if (isLOrT(p.kind))
                trace->add("C", "({} - {}) / {} * ({} / {})^3 * sqrt(1 - {})",
                           {{"H", H},
                            {"tf", tf},
                            {restraintName, in.restraintLength},
                            {"t", in.t},
                            {"tw", tw},
                            {"eta", in.eta}},
                           C, "", ref, "an L or T profile: h = H - tf");
            else
                trace->add("C", "{} / {} * ({} / {})^3 * sqrt(1 - {})",
                           {{"H", H},
                            {restraintName, in.restraintLength},
                            {"t", in.t},
                            {"tw", tw},
                            {"eta", in.eta}},
                           C, "", ref, "h = H for this profile kind");
        }
    } else if (trace) {
        trace->add("C", "0", {}, C, "", ref,
                   "eta = " + traceNumber(in.eta) +
                       " is 1 or more (the plate has buckled), so C = 0");
    }
    const double beta = fdiv(3.0 * C + 0.2, C + 0.2);
    traceAdd(trace, "beta", "(3 * {} + 0.2) / ({} + 0.2)", {{"C", C}, {"C", C}}, beta, "", ref);

    double fET = 0;
    if (isLOrT(p.kind) || p.kind == ProfileKind::BulbFlat) {
        const double hw = H - tf;
        const double Aw = sp.Aw;
        const double Af = sp.Af;
        const double flange2 = keep(kept.flange2, [&] { return fpow(fdiv(tf, tw), 2); });
        const double web2 = keep(kept.web2, [&] { return fpow(fdiv(tw, hw), 2); });
        const double euler = keep(kept.euler, [&] {
            return fdiv(kPi * kPi * E * sp.Iz, (fdiv(Aw, 3.0) + Af) * fpow(in.lT, 2));
        });
        fET = fdiv(beta * (Aw + flange2 * Af), Aw + 3.0 * Af) * G * web2 + euler;
        if (trace) {
            trace->add("hw", "{} - {}", {{"H", H}, {"tf", tf}}, hw, "mm", ref);
            trace->add("fET",
                       "{} * ({} + ({} / {})^2 * {}) / ({} + 3 * {}) * {} * ({} / {})^2 + {}^2 * "
                       "{} * {} / (({} / 3 + {}) * {}^2)",
                       {{"beta", beta},
                        {"Aw", Aw},
                        {"tf", tf},
                        {"tw", tw},
                        {"Af", Af},
                        {"Aw", Aw},
                        {"Af", Af},
                        {"G", G},
                        {"tw", tw},
                        {"hw", hw},
                        {"pi", kPi},
                        {"E", E},
                        {"Iz", sp.Iz},
                        {"Aw", Aw},
                        {"Af", Af},
                        {"lT", in.lT}},
                       fET, "MPa", ref, "an L, T or bulb-flat profile");
        }
    } else {
        fET = (beta + fdiv(0.2 * H, in.r)) * G *
              keep(kept.web2, [&] { return fpow(fdiv(tw, H), 2); });
        if (trace)
            trace->add("fET", "({} + 0.2 * {} / {}) * {} * ({} / {})^2",
                       {{"beta", beta}, {"H", H}, {"r", in.r}, {"G", G}, {"tw", tw}, {"H", H}}, fET,
                       "MPa", ref, "the flat-bar form of fET for this profile kind");
    }
    fin(fET);

    if (isTorsionallyStiff(p.kind)) {
        if (trace)
            trace->add("fT", "{}", {{fyName, fy}}, toSingle(fy), "MPa", ref,
                       "an RHS, trapezoid or I section does not trip, so fT = " +
                           std::string(fyName));
        return toSingle(fy);
    }
    const double lamT = fsqrt(fdiv(fy, fET));
    traceAdd(trace, "lamT", "sqrt({} / {})", {{fyName, fy}, {"fET", fET}}, lamT, "", ref);
    if (!(lamT > 0.6)) {
        if (trace)
            trace->add("fT", "{}", {{fyName, fy}}, toSingle(fy), "MPa", ref,
                       "lamT = " + traceNumber(lamT) +
                           " is not above 0.6, so fT = " + std::string(fyName));
        return toSingle(fy);
    }
    const double mu = 0.35 * (lamT - 0.6);
    const double lam2 = fpow(lamT, 2);
    const float fT = toSingle(
        fy * fdiv(1.0 + mu + lam2 - fsqrt(fpow(1.0 + mu + lam2, 2) - 4.0 * lam2), 2.0 * lam2));
    if (trace) {
        trace->add("mu", "0.35 * ({} - 0.6)", {{"lamT", lamT}}, mu, "", ref);
        trace->add("fT", "{} * (1 + {} + {}^2 - sqrt((1 + {} + {}^2)^2 - 4 * {}^2)) / (2 * {}^2)",
                   {{fyName, fy},
                    {"mu", mu},
                    {"lamT", lamT},
                    {"mu", mu},
                    {"lamT", lamT},
                    {"lamT", lamT},
                    {"lamT", lamT}},
                   fT, "MPa", ref,
                   "lamT = " + traceNumber(lamT) +
                       " is above 0.6, so fT follows the buckling curve");
    }
    return fT;
}

} // namespace velmora
