// Torsional buckling strength of a stiffener or ring-frame profile (Ch 3.9), shared by the
// stiffener check and the ring-frame check.
#pragma once

#include "case/CaseResults.h"
#include "case/DesignCase.h"

#include <optional>

namespace velmora {

class CalcTrace;

struct TorsionInput {
    const ProfileRecord& profile;
    const SectionProps& section;
    double E = 0;
    double t = 0;               // shell thickness
    double restraintLength = 0; // s for a stiffener, leo for a ring frame
    double r = 0;
    double lT = 0;  // torsional buckling length
    double fy = 0;  // yield strength of the profile
    double eta = 0; // shell stress ratio SigjSd / fks
};

// The terms of the torsional strength that do not depend on the shell stress ratio eta, kept
// over the load cases of one run (checks/Kept.h).
struct TorsionInvariants {
    std::optional<double> restraint; // h / restraint length * (t / tw)^3, of the restraint C
    std::optional<double> flange2;   // (tf / tw)^2
    std::optional<double> web2;      // (tw / hw)^2, for a flat bar (tw / H)^2
    std::optional<double> euler;     // the flexural term of fET of an L, T or bulb profile
};

// fT in single precision before the cold-forming reduction and the plate-yield limit. RHS,
// trapezoid and I sections are not prone to tripping and take fT = fy.
// The trace gets the lines under the names of `fyName` ("fys", "fyr").
float torsionalStrength(const TorsionInput& in, CalcTrace* trace = nullptr,
                        const char* fyName = "fy", const char* restraintName = "s");
float torsionalStrength(const TorsionInput& in, TorsionInvariants& kept, CalcTrace* trace = nullptr,
                        const char* fyName = "fy", const char* restraintName = "s");

} // namespace velmora
