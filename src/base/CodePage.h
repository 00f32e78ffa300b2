// Windows-1252 text in files, UTF-8 inside the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

std::string cp1252ToUtf8(std::string_view bytes);
// Characters outside Windows-1252 become "?".
std::string utf8ToCp1252(std::string_view text);

// Splits file text into lines at CR LF or LF; a final line end does not start another line.
std::vector<std::string> splitLines(std::string_view text);

// Reads a whole file; false when it cannot be opened or read.
bool readFile(const std::string& path, std::string& out);
// Writes `bytes` to a temporary file beside `path` and renames it over `path` when complete;
// false (and the old file untouched) when any step fails.
bool writeFileAtomic(const std::string& path, const std::string& bytes);

} // namespace velmora
