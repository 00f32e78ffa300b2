// The inputs of one design case: a circular cylindrical shell (or a cylinder acting as a column)
// with its geometry, materials, stiffener and ring-frame profiles, loads and check options.
#pragma once

#include "case/Codes.h"
#include "case/ProfileKinds.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// Profile kind: the list index of the stiffener and ring-frame profile lists.
namespace ProfileKind {
inline constexpr int16_t LTable = 0;
inline constexpr int16_t LBuiltUp = 1;
inline constexpr int16_t TTable = 2;
inline constexpr int16_t TBuiltUp = 3;
inline constexpr int16_t FlatTable = 4;
inline constexpr int16_t FlatBuiltUp = 5;
inline constexpr int16_t BulbFlat = 6;
inline constexpr int16_t RHS = 7;
inline constexpr int16_t Trapez = 8;
inline constexpr int16_t IBuiltUp = 9;
inline constexpr int16_t Count = 10;
} // namespace ProfileKind

// Caption of a profile kind in the stiffener list ("I-built up") or the ring-frame list
// ("I-profile"); both code 9 captions mean the built-up I section.
const char* stiffKindCaption(int16_t kind);
const char* ringKindCaption(int16_t kind);

// True for the kinds whose dimensions come from a profile table row.
bool isTableKind(int16_t kind);

// Saved dimensions of one built-up kind. Flat bars use H and tw; RHS and trapezoid keep their
// plate thickness t in tw; the trapezoid also has a.
struct BuiltUpDims {
    float H = 0;
    float B = 0;
    float a = 0;
    float tw = 0;
    float tf = 0;

    bool operator==(const BuiltUpDims&) const = default;
};

// A stiffener or ring-frame profile: its kind, the current working dimensions the section
// routines read and write, the selected rows of the four profile tables and one saved dimension
// set per built-up kind (indexed by the kind code; table kinds leave their slot unused).
struct ProfileRecord {
    int16_t kind = 0;
    float H = 200;
    float B = 90;
    float a = 1;  // trapezoid dimension a; for a bulb flat the table's c
    float tw = 9; // web thickness; plate thickness t of flat bar, RHS and trapezoid
    float tf = 12;
    float Ro = 10; // RHS outer corner radius; for a bulb flat the table's r
    float Ri = 10; // RHS inner corner radius
    int16_t rowL = 0;
    int16_t rowT = 0;
    int16_t rowFlat = 0;
    int16_t rowBulb = 0;
    std::array<BuiltUpDims, ProfileKind::Count> saved{};

    BuiltUpDims& savedSet(int16_t k) { return saved.at(static_cast<size_t>(k)); }
    const BuiltUpDims& savedSet(int16_t k) const { return saved.at(static_cast<size_t>(k)); }

    bool operator==(const ProfileRecord&) const = default;
};

// The stored row of `table` in a profile record: `rec.*tableRowMember(TableKind::T)`.
constexpr int16_t ProfileRecord::*tableRowMember(TableKind table) {
    constexpr int16_t ProfileRecord::*members[] = {&ProfileRecord::rowL, &ProfileRecord::rowT,
                                                   &ProfileRecord::rowFlat,
                                                   &ProfileRecord::rowBulb};
    return members[static_cast<int>(table)];
}

// One load case: a load combination the shell is checked for, with its own design format and
// usage factor. Geometry, materials, profiles, k1, k2 and the options are the case's.
struct LoadCase {
    std::string name = "LC1"; // at most 30 characters, unique in the case
    DesignFormat designFormat = DesignFormat::LRFD;
    float UF = 1; // LRFD: allowable usage factor; WSD: basic usage factor n0
    float Sigx = -100;
    float Sigy = -10;
    float Tau = 40;
    float pd = -0.3f;
    float N = -1000;
    float M1a = -200;
    float M1b = 100;
    float M2a = -100;
    float M2b = 100;

    bool operator==(const LoadCase&) const = default;
};

// The case holds 1 to 30 load cases. The selected one lives in the flat fields (designFormat,
// UF, the loads and the column forces) that the checks, the window and the files read, with
// its name in loadCaseName; the others wait in otherLoadCases, in list order. In the list of
// all load cases the selected one stands at selectedLoadCase (case/LoadCases.h builds it).
struct DesignCase {
    // Identification
    std::string projectName = "Project";
    std::string identification = "Test";

    // Design format and options
    DesignFormat designFormat = DesignFormat::LRFD;
    float UF = 1; // LRFD: allowable usage factor; WSD: basic usage factor n0
    CylinderType cylinderType = CylinderType::StringerStiffened;
    int16_t ringControl = 1;
    int16_t heavyRingControl = 0;
    int16_t outsideStiffening = 0;
    int16_t specialIh = 0;
    int16_t ringFabrication = 0; // 0 fabricated, 1 cold-formed
    int16_t dimMoment = 0;       // 0 maximum along the member, 1 reduced value
    int16_t fixedFlag = 1;
    int16_t spareFlag = 0;

    // Geometry (mm)
    float r = 1500;
    float t = 20;
    float l = 3000;
    float L = 6000;
    float s = 600;
    float ltStiff = 3000;
    float ltRing = 600;

    // Materials
    int16_t plateMaterial = 2;
    int16_t stiffMaterial = 2;
    int16_t ringMaterial = 2;
    float fyp = 0;
    float fys = 0;
    float fyr = 0;
    float E = 210000;

    // Loading (MPa)
    float Sigx = -100;
    float Sigy = -10;
    float Tau = 40;
    float pd = -0.3f;

    // Column data
    float N = -1000;  // kN
    float M1a = -200; // kNm
    float M1b = 100;
    float M2a = -100;
    float M2b = 100;
    float k1 = 1;
    float k2 = 1;

    // Load cases: the selected one's name and place in the list, and the others
    std::string loadCaseName = "LC1";
    int selectedLoadCase = 0;
    std::vector<LoadCase> otherLoadCases;

    // Profiles
    ProfileRecord stiff;
    ProfileRecord ring;

    bool operator==(const DesignCase&) const = default;
};

// The cases a column or a result group of the results file and the summary table applies to;
// for the other cases it reads "N/A".
enum class AppliesTo {
    Always,
    Stringer,  // stringer-stiffened cylinders: stiffener inputs and results
    Ring,      // cases with the ring-frame check
    NotColumn, // all but columns: the stresses
    Column,    // columns: the column data and results
};

// True when a column or result group of kind `a` applies to `dc`.
bool applies(AppliesTo a, const DesignCase& dc);

// Stiffener and ring-frame records of a new case, with their saved built-up sets.
ProfileRecord newStiffenerRecord();
ProfileRecord newRingRecord();

} // namespace velmora
