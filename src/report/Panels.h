// The result panels laid out on a surface: title, labelled values right-aligned, the usage
// factor lines bold in red (above the permitted value) or green.
#pragma once

namespace velmora {

class Surface;
struct State;

// Each routine draws from `top` at `left`; mode 0 is the screen (the surface is cleared
// first), any other mode the report. Returns the advanced y.
double drawShellPanel(Surface& s, const State& st, double top, double left, int mode);
double drawStiffenerPanel(Surface& s, const State& st, double top, double left, int mode);
// In the report (mode not 0) the note is one line; where it is wider than `noteWidth` (when
// given) it is set smaller so that it fits.
double drawSlenderNote(Surface& s, const State& st, double top, double left, int mode,
                       double noteWidth = 0);

// The one line the report prints in the stiffener panel's place for a slender shell.
inline constexpr const char* kSlenderNoteReportLine =
    "Note: s/t>3* Sqr(r/t) ==> calculation as an unstiffened velmora, (Ref Ch 3.6.1)";
double drawColumnPanel(Surface& s, const State& st, double top, double left, int mode);
double drawRingPanel(Surface& s, const State& st, double top, double left, int mode);

// Whether the ring panel shows its last line and the main window the check box check_ih
// (external pressure).
bool ringPanelShowsSpecialIh(const State& st);

} // namespace velmora
