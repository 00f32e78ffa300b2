// The result panels laid out on a surface: title, labelled values right-aligned, the usage
// factor lines bold in red (above the permitted value) or green.
#pragma once

#include "calc/Verdict.h"
#include "report/Surface.h"

#include <string>

namespace velmora {

class Surface;
struct State;

// Each routine draws from `top` at `left`; mode 0 is the screen (the surface is cleared
// first), any other mode the report. Returns the advanced y.
double drawShellPanel(Surface& s, const State& st, double top, double left, int mode);
double drawStiffenerPanel(Surface& s, const State& st, double top, double left, int mode);
// In the report (mode not 0) the note is one line (slenderNoteReportLine); where it is wider
// than `noteWidth` (when given) the usage factor it ends with goes on a second line, and a line
// still too wide is set smaller so that it fits.
double drawSlenderNote(Surface& s, const State& st, double top, double left, int mode,
                       double noteWidth = 0);

// The one line the report prints in the stiffener panel's place for a slender shell ...
inline constexpr const char* kSlenderNoteReportLine =
    "Note: s/t>3* Sqr(r/t) ==> calculation as an unstiffened cylinder, (Ref Ch 3.6.1)";
// ... followed by the usage factor of that check where the case has it: ", unstiffened
// cylinder UF = 1.18 > 1.00".
std::string slenderNoteReportLine(const State& st);

// The colour a verdict is shown in: green when it passes, red when it fails, amber when the
// inputs are out of limits or the case was not calculated.
Rgb verdictStatusColor(VerdictStatus status);
double drawColumnPanel(Surface& s, const State& st, double top, double left, int mode);
double drawRingPanel(Surface& s, const State& st, double top, double left, int mode);

// Whether the ring panel shows its last line and the main window the check box check_ih
// (external pressure).
bool ringPanelShowsSpecialIh(const State& st);

} // namespace velmora
