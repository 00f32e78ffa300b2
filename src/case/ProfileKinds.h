// One description per profile kind: its list captions, where its dimensions come from (a table
// row or the saved built-up set), which dimensions it uses and in what order its designation
// ("T 300x150x10.0x15.0") shows them, and the sketch family its section formulas belong to.
// The section routines, the case file and the database read the kinds from here only.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace velmora {

// The four tables of standard rolled sections.
enum class TableKind { L, T, Flat, Bulb };

// The geometry family of a kind, which is also the sketch the window draws for it: L (kinds 0,
// 1), T (2, 3), flat bar (4, 5), bulb flat (6), RHS (7), trapezoid (8), I (9).
enum class ProfileSketch { None, L, T, Flat, Bulb, RHS, Trapez, I };

// A profile dimension as ProfileRecord and BuiltUpDims hold it.
enum class Dim : uint8_t { H, B, a, tw, tf };

struct ProfileKindDesc {
    int16_t kind = 0;
    const char* stiffCaption = "";  // caption in the stiffener list
    const char* ringCaption = "";   // caption in the ring-frame list
    std::optional<TableKind> table; // table kinds: the table whose row gives the dimensions
    ProfileSketch family = ProfileSketch::None;
    std::string_view code;     // designation code, followed by one blank
    std::array<Dim, 4> dims{}; // dimensions of the designation and of the saved set
    size_t dimCount = 0;
    // Dimensions a table row must equal for a case file's stiffener to take that row.
    std::array<Dim, 4> matchDims{};
    size_t matchCount = 0;
    int16_t storedKind = 0; // the kind a database row keeps (table kinds as their built-up kind)
    bool tfIsTw = false;    // RHS and trapezoid: one plate thickness t, held in tw
};

// The description of `kind` (0..9); null for any other code.
const ProfileKindDesc* findProfileKind(int16_t kind);
// The description of `kind`; `kind` must be 0..9.
const ProfileKindDesc& profileKind(int16_t kind);
// The kind a database designation code stands for ("Fb" and "FB" both mean the flat bar), null
// for a code that is not recognised.
const ProfileKindDesc* profileKindForCode(std::string_view code);

// The display pattern of a dimension in a designation: "00" for H, B and a, "0.0" for tw and
// "#0.0" for tf.
std::string_view designationPattern(Dim d);

// A dimension of a ProfileRecord or a BuiltUpDims, by name: `d.*dimMember<BuiltUpDims>(Dim::tw)`.
template <class Dims> constexpr float Dims::*dimMember(Dim which) {
    constexpr float Dims::*members[] = {&Dims::H, &Dims::B, &Dims::a, &Dims::tw, &Dims::tf};
    return members[static_cast<int>(which)];
}

} // namespace velmora
