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
double drawSlenderNote(Surface& s, const State& st, double top, double left, int mode);
double drawColumnPanel(Surface& s, const State& st, double top, double left, int mode);
double drawRingPanel(Surface& s, const State& st, double top, double left, int mode);

// Whether the ring panel shows its last line and the main window the check box check_ih
// (external pressure).
bool ringPanelShowsSpecialIh(const State& st);

} // namespace velmora
