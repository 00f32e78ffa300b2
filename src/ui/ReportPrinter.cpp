#include "ui/ReportPrinter.h"

#include "report/Report.h"
#include "ui/QtSurface.h"

#include <QDateTime>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>
#include <exception>

namespace velmora {

namespace {

ReportStamp stampNow() {
    const QDateTime now = QDateTime::currentDateTime();
    ReportStamp stamp;
    stamp.date = QLocale().toString(now.date(), QLocale::ShortFormat).toStdString();
    stamp.hour = now.time().hour();
    stamp.minute = now.time().minute();
    return stamp;
}

QRectF printableArea(const QPaintDevice& device) {
    return QRectF(0, 0, device.width(), device.height());
}

} // namespace

void paintReportPage(QPainter& painter, const QRectF& area, const State& st) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QtSurface surface(painter, area);
    printReport(surface, st, stampNow());
}

void choosePrinter(QWidget* parent, const State& st) {
    try {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QPrintDialog dialog(&printer, parent);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        if (dialog.exec() != QDialog::Accepted)
            return;
        // The page range is offered by the dialog but the report has one page only.
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

bool writeReportPdf(const State& st, const QString& path, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = "can't write file - " + path;
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle("Velmora DNV");
        writer.setCreator("Velmora DNV 1.8.5");
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(6, 6, 6, 6), QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            error = "can't write file - " + path;
            return false;
        }
        paintReportPage(painter, printableArea(writer), st);
        painter.end();
    }
    if (!file.commit()) {
        error = "can't write file - " + path;
        return false;
    }
    return true;
}

} // namespace velmora
