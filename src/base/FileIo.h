// Reading and writing whole files: reads refuse files far beyond the size of their format before
// reading them, writes go through a temporary file so that a failed write keeps the old file.
#pragma once

#include <cstddef>
#include <functional>
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

// Writes a file through a fresh temporary file beside `path`: `fill` writes the temporary, which
// it is given created empty (an open descriptor `fd` and its name `tmpPath`; a writer that opens
// the name must write into that file, not replace it). When `fill` succeeds the temporary is
// forced to the disk and renamed over `path`, and the rename is forced to the disk too, so that
// the old file stays whole until the new one is complete and the new one is kept if the machine
// stops. A replaced file keeps its permissions. False, with the temporary removed and `path` as
// it was, when any step fails.
bool writeThroughTemporary(const std::string& path,
                           const std::function<bool(int fd, const std::string& tmpPath)>& fill);

// Writes `bytes` to `path` through a temporary file as writeThroughTemporary.
bool writeFileAtomic(const std::string& path, const std::string& bytes);

} // namespace velmora
