// Case files (.cys): one value per line, 59 lines, written as version 185.
#pragma once

#include <string>

namespace velmora {

struct DesignCase;
struct ProfileTables;

// Text of a case file for `dc`, Windows-1252 with CR LF line ends.
std::string caseFileText(const DesignCase& dc);

// Reads case-file text over a copy of `base` (versions up to 105, 106 to 130 and above 130 as
// the layout says) and returns true with `out` set when the text was read whole; otherwise
// false and `error` names the line. A case whose ring-frame check is off has no heavy
// ring-frame check either.
bool parseCaseFile(const std::string& bytes, const DesignCase& base, DesignCase& out,
                   std::string& error);

// Writes the case to `path` through a temporary file renamed over it. Returns an empty string,
// or the message "can't save file - " followed by the path; the old file is then untouched.
std::string writeCaseFile(const DesignCase& dc, const std::string& path);

// Reads `path` over a copy of `base` into `out`: matches the stiffener's table row to the
// dimensions read (first equal row of `tables`) and fills the saved dimension sets of the
// built-up kinds. On failure `out` is unchanged and the message names the file and the line.
std::string readCaseFile(const std::string& path, const DesignCase& base,
                         const ProfileTables& tables, DesignCase& out);

} // namespace velmora
