#include "pdf/ReportPdf.h"

#include "base/Version.h"
#include "pdf/QtSurface.h"
#include "report/CalcSheet.h"
#include "report/Report.h"

#include <QDateTime>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

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

} // namespace

SheetStamp sheetStampNow(const State& st) {
    SheetStamp stamp;
    stamp.dateTime =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString();
    stamp.fileName = st.run.fileName;
    return stamp;
}

QRectF printableArea(const QPaintDevice& device) {
    return QRectF(0, 0, device.width(), device.height());
}

void paintReportPage(QPainter& painter, const QRectF& area, const State& st) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QtSurface surface(painter, area);
    const ReportStamp stamp = stampNow();
    const int pages = reportPageCount(st);
    // A second page (the load cases the first has no room for) goes onto the next sheet of a
    // PDF writer or printer.
    auto* paged = dynamic_cast<QPagedPaintDevice*>(painter.device());
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !(paged && paged->newPage()))
            return;
        printReport(surface, st, stamp, page);
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
        writer.setCreator(QStringLiteral("Velmora DNV ") + QString::fromLatin1(kVersion));
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

bool writeSheetPdf(const State& st, const QString& path, QString& error) {
    CalcSheet sheet;
    if (const std::optional<std::string> refusal = makeCalcSheet(st, sheet)) {
        error = QString::fromStdString(*refusal);
        return false;
    }
    const SheetStamp stamp = sheetStampNow(st);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = "can't write file - " + path;
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle("Velmora DNV calculation sheet");
        writer.setCreator(QStringLiteral("Velmora DNV ") + QString::fromLatin1(kVersion));
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            error = "can't write file - " + path;
            return false;
        }
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        QtSurface surface(painter, printableArea(writer));
        const int pages = sheetPageCount(surface, st, sheet, stamp);
        for (int page = 0; page < pages; ++page) {
            if (page > 0)
                writer.newPage();
            drawSheetPage(surface, st, sheet, stamp, page, pages);
        }
        painter.end();
    }
    if (!file.commit()) {
        error = "can't write file - " + path;
        return false;
    }
    return true;
}

} // namespace velmora
