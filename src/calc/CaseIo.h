// Case files and the current case: save, read and open (read, look up, calculate).
#pragma once

#include <string>

namespace velmora {

struct State;
struct DesignCase;
class Notifier;

// Writes the case to `path` through a temporary file renamed over it; on success sets fileName.
// Returns an empty string, or the message "can't save file - " followed by the path.
std::string writeCaseFile(State& st, const std::string& path);

// Reads `path` into the case: on success replaces the case, sets fileName, matches the
// stiffener's table rows and fills the saved dimension sets; on failure changes nothing and
// returns a message naming the file and the line. Does not calculate.
std::string readCaseFile(State& st, const std::string& path);

// The after-reading steps for a case read from `path` by other means (the command line's JSON
// case): the case replaces the state's, fileName and currentDir follow the path, then the
// look-ups, the stiffener section and the calculation as openCase does them.
void openReadCase(State& st, Notifier& nt, DesignCase dc, const std::string& path);

// readCaseFile, then the after-reading steps: currentDir, plate and stiffener material
// look-ups, stiffener section, calculation. Returns the reading error, if any.
std::string openCase(State& st, Notifier& nt, const std::string& path);

} // namespace velmora
