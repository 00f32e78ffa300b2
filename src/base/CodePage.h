// Windows-1252 text in files, UTF-8 inside the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

std::string cp1252ToUtf8(std::string_view bytes);
// Characters outside Windows-1252 become "?".
std::string utf8ToCp1252(std::string_view text);
// The same, appended to `out`. Texts converted one after another give what their concatenation
// gives, since an incomplete character at the end of one is a "?" either way.
void appendAsCp1252(std::string& out, std::string_view text);

// Splits file text into lines at CR LF or LF; a final line end does not start another line.
std::vector<std::string> splitLines(std::string_view text);

} // namespace velmora
