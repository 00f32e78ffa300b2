// The report of a calculated case drawn with QtGui alone: into a PDF file, or onto any
// paint device (the window's printer uses it too).
#pragma once

#include <QRectF>
#include <QString>

class QPainter;
class QPaintDevice;

namespace velmora {

struct State;
struct SheetStamp;

// The title block's date and time (now) and file of the case.
SheetStamp sheetStampNow(const State& st);

// Writes the report page to a PDF file (A4) through a temporary file that replaces `path` only
// when complete; false with `error` set when the file cannot be written (the old file, if any,
// is then untouched).
bool writeReportPdf(const State& st, const QString& path, QString& error);

// Writes the calculation sheet of the case to a PDF file (A4, several pages) the same way; a case
// that was not calculated gets no file, and `error` says why ("The case was not calculated: ").
bool writeSheetPdf(const State& st, const QString& path, QString& error);

// Draws the report into `area` (device coordinates of the printable area) with the current date
// and time: its first page, and a second one on the next sheet of a paged device (PDF writer,
// printer) when the load cases continue there.
void paintReportPage(QPainter& painter, const QRectF& area, const State& st);

// The whole page of `device` in its own coordinates.
QRectF printableArea(const QPaintDevice& device);

} // namespace velmora
