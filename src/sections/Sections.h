// Stiffener and ring-frame sections: working dimensions, section properties, the governing
// thickness and yield look-up, the local-buckling proportion texts (Ch 3.10) and the profile
// description. The routines compute everything from their inputs and return it; the caller
// stores the result, so a section that faults (a zero divisor, an overflow) changes nothing.
#pragma once

#include "case/CaseResults.h"
#include "case/DesignCase.h"

#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

class Notifier;
struct MaterialTable;
struct ProfileTables;
struct ProfileRow;

// One proportion limit (Ch 3.10): its text, "h <= 38 (Eq 3.10.7) ==> OK", and its verdict.
struct ProportionCheck {
    std::string text;
    bool ok = true;
};

// Everything one section routine computes.
struct SectionResult {
    ProfileRecord record; // the stored record with its working dimensions (and a corrected row)
    SectionProps props;
    std::string profileText;
    ProfileSketch sketch = ProfileSketch::None;
    float tGovern = 0; // thickness that selected the yield band
    float fy = 0;      // the looked-up (or typed) yield strength of the profile
    // The proportion checks the kind has; stiffeners have web and flange only.
    std::optional<ProportionCheck> web;
    std::optional<ProportionCheck> slenderness;
    std::optional<ProportionCheck> flange;
    std::optional<ProportionCheck> eccentricity;

    // True when every proportion check of the kind passes (also for a kind that has none).
    bool proportionsOk() const;
    // The failing ones as ProportionBit flags.
    unsigned failingProportions() const;
};

// What both routines read besides the profile record.
struct SectionInputs {
    const DesignCase& dc; // r, t, E, the material rows and the typed yield strengths
    const ProfileTables& tables;
    const MaterialTable& materials;
    char decimalSep = '.';
    // False: the verdicts of the proportion checks without their texts, and no profile text
    // (work that reads only numbers, such as the design study).
    bool texts = true;
};

// The stiffener of the case (record dc.stiff, material stiffMaterial) taken as `kind`.
// `previous` holds the properties the kinds without separate web and flange areas keep.
// Warns through `nt` about a table row the loaded table does not have (row 0 is used).
SectionResult stiffenerSection(const SectionInputs& in, int16_t kind, const SectionProps& previous,
                               Notifier& nt);

// The ring frame of the case (record dc.ring, material ringMaterial) taken as `kind`; also warns
// when the ring frame is higher than the radius allows (" r > height of ringframe  ").
SectionResult ringSection(const SectionInputs& in, int16_t kind, const SectionProps& previous,
                          Notifier& nt);

// A dimension of a table row by name (a table row has no trapezoid dimension a: 0).
float rowDim(const ProfileRow& row, Dim which);

// The thickness that selects the yield-strength band of profile `p` in its working dimensions.
float governingThickness(const ProfileRecord& p);

} // namespace velmora
