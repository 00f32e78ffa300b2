// Case files (.cys): one value per line, 59 lines, written as version 185.
#pragma once

#include <string>

namespace velmora {

struct State;
struct DesignCase;
class Notifier;

// Text of a case file for `dc`, Windows-1252 with CR LF line ends.
std::string caseFileText(const DesignCase& dc);

// Reads case-file text over a copy of `base` (versions up to 105, 106 to 130 and above 130 as
// the layout says) and returns true with `out` set when the text was read whole; otherwise
// false and `error` names the line.
bool parseCaseFile(const std::string& bytes, const DesignCase& base, DesignCase& out,
                   std::string& error);

// Writes the case to `path` through a temporary file renamed over it; on success sets fileName.
// Returns an empty string, or the message "can't save file - " followed by the path.
std::string writeCaseFile(State& st, const std::string& path);

// Reads `path` into the case: on success replaces the case, sets fileName, matches the
// stiffener's table rows and fills the saved dimension sets; on failure changes nothing and
// returns a message naming the file and the line. Does not calculate.
std::string readCaseFile(State& st, const std::string& path);

// readCaseFile, then the after-reading steps: currentDir, plate and stiffener material
// look-ups, stiffener section, calculation. Returns the reading error, if any.
std::string openCase(State& st, Notifier& nt, const std::string& path);

} // namespace velmora
