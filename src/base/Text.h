// Small text helpers of the file readers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Blanks and tabs: the white space that may surround a value in the program's files.
constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// `s` without the blanks and tabs at either end.
constexpr std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// True when `s` holds nothing but blanks and tabs.
constexpr bool isBlankText(std::string_view s) {
    return trim(s).empty();
}

// The fields of `line` between the separators; n separators give n + 1 fields. They are views
// into `line`, which must outlive them.
std::vector<std::string_view> splitFields(std::string_view line, char sep);

} // namespace velmora
