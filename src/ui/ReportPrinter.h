// Printing the one-page report of the current case on a printer or into a PDF file.
#pragma once

#include <QRectF>
#include <QString>

class QPainter;
class QWidget;

namespace velmora {

struct State;

// Shows the print dialog and prints one job per copy; cancel prints nothing, and a printer
// that fails ends the printing without a message.
void choosePrinter(QWidget* parent, const State& st);

// Writes the report page to a PDF file (A4) through a temporary file that replaces `path` only
// when complete; false with `error` set when the file cannot be written.
bool writeReportPdf(const State& st, const QString& path, QString& error);

// Draws the report page into `area` (device coordinates of the printable area) with the current
// date and time.
void paintReportPage(QPainter& painter, const QRectF& area, const State& st);

} // namespace velmora
