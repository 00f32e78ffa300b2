#include "ui/main/ReportPrinter.h"

#include "pdf/ReportPdf.h"

#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <exception>

namespace velmora {

void choosePrinter(QWidget* parent, const State& st) {
    try {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QPrintDialog dialog(&printer, parent);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        if (dialog.exec() != QDialog::Accepted)
            return;
        // The whole report is printed (a second page only for more than eight load cases); the
        // page range the dialog offers is not applied.
        const int copies = std::max(1, printer.copyCount());
        printer.setCopyCount(1);
        for (int copy = 0; copy < copies; ++copy) {
            // Each copy is a job of its own: begin and end the document once per copy.
            QPainter painter;
            if (!painter.begin(&printer))
                return;
            paintReportPage(painter, printableArea(printer), st);
            if (!painter.end() || printer.printerState() == QPrinter::Error)
                return;
        }
    } catch (const std::exception&) {
        // A printer that fails ends the printing; there is nothing the user can act on.
    }
}

} // namespace velmora
