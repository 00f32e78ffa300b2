// Printing the one-page report of the current case on a printer; the PDF of the same page is
// pdf/ReportPdf.h.
#pragma once

class QWidget;

namespace velmora {

struct State;

// Shows the print dialog and prints one job per copy; cancel prints nothing, and a printer
// that fails ends the printing without a message.
void choosePrinter(QWidget* parent, const State& st);

} // namespace velmora
