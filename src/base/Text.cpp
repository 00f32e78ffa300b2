#include "base/Text.h"

#include <algorithm>

namespace velmora {

std::vector<std::string_view> splitFields(std::string_view line, char sep) {
    std::vector<std::string_view> out;
    out.reserve(static_cast<size_t>(std::count(line.begin(), line.end(), sep)) + 1);
    size_t start = 0;
    while (true) {
        const size_t p = line.find(sep, start);
        if (p == std::string_view::npos) {
            out.emplace_back(line.substr(start));
            return out;
        }
        out.emplace_back(line.substr(start, p - start));
        start = p + 1;
    }
}

} // namespace velmora
