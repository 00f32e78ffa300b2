// Printing the one-page report of the current case on a printer or into a PDF file.
#pragma once

#include <QString>

class QWidget;

namespace velmora {

struct State;

// Shows the print dialog and prints one job per copy; cancel prints nothing.
void choosePrinter(QWidget* parent, const State& st);

// Writes the report page to a PDF file; false with `error` set when the file cannot be written.
bool writeReportPdf(const State& st, const QString& path, QString& error);

} // namespace velmora
