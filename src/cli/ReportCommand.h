// The report command of the command-line tool: the report page of a calculated case as PDF.
#pragma once

#include <string>

namespace velmora {

struct State;

// Starts a window-system connection (offscreen when no display is set) for the page fonts and
// writes the report of `st` to `pdfPath`. Returns the exit status: 0 written, 1 failed (message
// on stderr).
int writeReportCommand(int& argc, char** argv, const State& st, const std::string& pdfPath);

} // namespace velmora
