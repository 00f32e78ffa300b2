#include "checks/Torsion.h"

#include "base/Fp.h"

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

float torsionalStrength(const TorsionInput& in) {
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
    if (in.eta < 1.0) {
        const double h = isLOrT(p.kind) ? H - tf : H;
        C = fdiv(h, in.restraintLength) * fpow(fdiv(in.t, tw), 3) * fsqrt(1.0 - in.eta);
    }
    const double beta = fdiv(3.0 * C + 0.2, C + 0.2);

    double fET = 0;
    if (isLOrT(p.kind) || p.kind == ProfileKind::BulbFlat) {
        const double hw = H - tf;
        const double Aw = sp.Aw;
        const double Af = sp.Af;
        fET = fdiv(beta * (Aw + fpow(fdiv(tf, tw), 2) * Af), Aw + 3.0 * Af) * G *
                  fpow(fdiv(tw, hw), 2) +
              fdiv(kPi * kPi * E * sp.Iz, (fdiv(Aw, 3.0) + Af) * fpow(in.lT, 2));
    } else {
        fET = (beta + fdiv(0.2 * H, in.r)) * G * fpow(fdiv(tw, H), 2);
    }
    fin(fET);

    if (isTorsionallyStiff(p.kind))
        return toSingle(fy);
    const double lamT = fsqrt(fdiv(fy, fET));
    if (!(lamT > 0.6))
        return toSingle(fy);
    const double mu = 0.35 * (lamT - 0.6);
    const double lam2 = fpow(lamT, 2);
    return toSingle(
        fy * fdiv(1.0 + mu + lam2 - fsqrt(fpow(1.0 + mu + lam2, 2) - 4.0 * lam2), 2.0 * lam2));
}

} // namespace velmora
