// The named codes of a design case and the numbers the case, database and results files keep
// for them. The files read and write the numbers; everything else uses the names.
#pragma once

#include <concepts>
#include <cstdint>
#include <optional>

namespace velmora {

// How usage factors are judged: load and resistance factor design, or working stress design.
enum class DesignFormat : int16_t { LRFD = 0, WSD = 1 };

// The structure checked: a shell with no stiffeners, with ring frames only, with longitudinal
// stringers (and ring frames), or a cylinder acting as a column.
enum class CylinderType : int16_t {
    Unstiffened = 0,
    RingStiffened = 1,
    StringerStiffened = 2,
    Column = 3,
};

// The last code of each enumeration kept as a number; its numbers run from 0 to that code's.
template <class Code> struct LastCode;
template <> struct LastCode<DesignFormat> {
    static constexpr DesignFormat value = DesignFormat::WSD;
};
template <> struct LastCode<CylinderType> {
    static constexpr CylinderType value = CylinderType::Column;
};

template <class Code>
concept StoredCode = requires {
    { LastCode<Code>::value } -> std::convertible_to<Code>;
};

// The number a file keeps for `code`.
template <StoredCode Code> constexpr int16_t codeNumber(Code code) {
    return static_cast<int16_t>(code);
}

// The largest number a file may keep for a code of this enumeration (the smallest is 0).
template <StoredCode Code> constexpr int16_t lastCodeNumber() {
    return codeNumber(LastCode<Code>::value);
}

// The code a file's number stands for; nothing for a number outside 0..lastCodeNumber().
template <StoredCode Code> constexpr std::optional<Code> codeFromNumber(int number) {
    if (number < 0 || number > lastCodeNumber<Code>())
        return std::nullopt;
    return static_cast<Code>(number);
}

} // namespace velmora
