// Reading and writing whole files: reads refuse files far beyond the size of their format before
// reading them, writes go through a temporary file so that a failed write keeps the old file.
#pragma once

#include <cstddef>
#include <string>

namespace velmora {

enum class ReadStatus { Ok, Unreadable, TooLarge };

// Size limits of the program's own file formats, far above anything a real file reaches: a case
// file has 59 short lines, a database at most 1001 rows of about 300 bytes, a material or
// profile table a few dozen rows.
inline constexpr size_t kCaseFileLimit = 64 * 1024;
inline constexpr size_t kDatabaseFileLimit = 4 * 1024 * 1024;
inline constexpr size_t kTableFileLimit = 64 * 1024;

// Reads the whole regular file `path` into `out` when it holds at most `maxBytes` bytes; a
// larger file is refused before it is read. `out` is changed only on success.
ReadStatus readFileLimited(const std::string& path, size_t maxBytes, std::string& out);

// Reads a whole file of any size; false when it cannot be opened or read.
bool readFile(const std::string& path, std::string& out);

// Writes `bytes` to a temporary file beside `path` and renames it over `path` when complete;
// false (and the old file untouched) when any step fails.
bool writeFileAtomic(const std::string& path, const std::string& bytes);

} // namespace velmora
