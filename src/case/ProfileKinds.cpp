#include "case/ProfileKinds.h"

namespace velmora {

namespace {

using D = Dim;
using S = ProfileSketch;

// Kind, captions, table, family, code, designation dimensions, case-file row match, stored kind,
// plate thickness held in tw. An L-table stiffener read from a case file takes the first row of
// equal H, B and tw; the T table also compares tf.
constexpr ProfileKindDesc kKinds[] = {
    {0,
     "L-table",
     "L-table",
     TableKind::L,
     S::L,
     "L",
     {D::H, D::B, D::tw, D::tf},
     4,
     {D::H, D::B, D::tw},
     3,
     1,
     false},
    {1,
     "L-built up",
     "L-built up",
     std::nullopt,
     S::L,
     "L",
     {D::H, D::B, D::tw, D::tf},
     4,
     {},
     0,
     1,
     false},
    {2,
     "T-table",
     "T-table",
     TableKind::T,
     S::T,
     "T",
     {D::H, D::B, D::tw, D::tf},
     4,
     {D::H, D::B, D::tw, D::tf},
     4,
     3,
     false},
    {3,
     "T-built up",
     "T-built up",
     std::nullopt,
     S::T,
     "T",
     {D::H, D::B, D::tw, D::tf},
     4,
     {},
     0,
     3,
     false},
    {4,
     "Flatbar-table",
     "Flatbar-table",
     TableKind::Flat,
     S::Flat,
     "Fb",
     {D::H, D::tw},
     2,
     {D::H, D::tw},
     2,
     5,
     false},
    {5,
     "Flatbar-built up",
     "Flatbar-built up",
     std::nullopt,
     S::Flat,
     "Fb",
     {D::H, D::tw},
     2,
     {},
     0,
     5,
     false},
    {6,
     "Bulb Flat",
     "Bulb Flat",
     TableKind::Bulb,
     S::Bulb,
     "BF",
     {D::H, D::tw},
     2,
     {D::H, D::tw},
     2,
     6,
     false},
    {7, "RHS", "RHS", std::nullopt, S::RHS, "RHS", {D::H, D::B, D::tw}, 3, {}, 0, 7, true},
    {8,
     "Trapez-profile",
     "Trapez-profile",
     std::nullopt,
     S::Trapez,
     "TPZ",
     {D::H, D::B, D::a, D::tw},
     4,
     {},
     0,
     8,
     true},
    {9,
     "I-built up",
     "I-profile",
     std::nullopt,
     S::I,
     "I",
     {D::H, D::B, D::tw, D::tf},
     4,
     {},
     0,
     9,
     false},
};

} // namespace

const ProfileKindDesc* findProfileKind(int16_t kind) {
    if (kind < 0 || kind >= static_cast<int16_t>(std::size(kKinds)))
        return nullptr;
    return &kKinds[kind];
}

const ProfileKindDesc& profileKind(int16_t kind) {
    return kKinds[kind];
}

const ProfileKindDesc* profileKindForCode(std::string_view code) {
    if (code == "FB")
        code = "Fb";
    // The kind a designation stands for is the one a database row keeps for that code.
    for (const ProfileKindDesc& k : kKinds)
        if (k.code == code && k.storedKind == k.kind)
            return &k;
    return nullptr;
}

std::string_view designationPattern(Dim d) {
    switch (d) {
    case Dim::tw:
        return "0.0";
    case Dim::tf:
        return "#0.0";
    default:
        return "00";
    }
}

} // namespace velmora
