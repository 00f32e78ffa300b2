#include "ui/study/StudyExport.h"

#include "base/FileIo.h"

#include <QBuffer>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <limits>

namespace velmora {

WorkbookTable studyWorkbookTable(const StudyGrid& grid, const std::vector<StudyPoint>& points,
                                 const std::vector<std::string>& loadCaseNames) {
    const bool named = !loadCaseNames.empty();
    WorkbookTable t;
    for (const StudyAxis& a : grid.axes)
        t.headings.push_back(a.range.name);
    t.headings.insert(t.headings.end(), {"completed", "message"});
    for (int c = 0; c < kStudyCheckCount; ++c)
        t.headings.push_back(studyCheckName(static_cast<StudyCheck>(c)));
    for (int c = 0; c < kStudyCheckCount; ++c)
        t.headings.push_back(std::string(studyCheckName(static_cast<StudyCheck>(c))) +
                             " permitted");
    t.headings.insert(t.headings.end(), {"governing", "passes", "status"});
    if (named)
        t.headings.emplace_back("loadCase");
    t.headings.insert(t.headings.end(), {"proportions", "mass"});
    const double none = std::numeric_limits<double>::quiet_NaN();
    for (const StudyPoint& p : points) {
        std::vector<WorkbookTable::Cell> row;
        for (float v : p.inputs)
            row.emplace_back(static_cast<double>(v));
        row.emplace_back(std::string(p.completed ? "true" : "false"));
        row.emplace_back(p.message);
        for (const StudyCheckValue& v : p.checks)
            row.emplace_back(v.present ? v.uf : none);
        for (const StudyCheckValue& v : p.checks)
            row.emplace_back(v.present ? v.permitted : none);
        row.emplace_back(std::string(p.governing ? studyCheckName(*p.governing) : ""));
        row.emplace_back(std::string(p.passes ? "true" : "false"));
        row.emplace_back(std::string(verdictStatusJson(p.status)));
        if (named)
            row.emplace_back(p.loadCase >= 0 &&
                                     static_cast<size_t>(p.loadCase) < loadCaseNames.size()
                                 ? loadCaseNames[static_cast<size_t>(p.loadCase)]
                                 : std::string());
        row.emplace_back(std::string(p.proportionsOk ? "true" : "false"));
        row.emplace_back(p.completed ? p.mass : none);
        t.rows.push_back(std::move(row));
    }
    return t;
}

std::string writeChartFile(QGraphicsView& view, const QString& title, const QString& path,
                           const QString& suffix) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QRect source = view.viewport()->rect();
    const QSize size = source.size();
    bool drawn = false;
    if (suffix == QLatin1String("png")) {
        // Twice the pixels of the window, for print.
        QImage image(size * 2, QImage::Format_ARGB32);
        image.setDevicePixelRatio(2);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        view.render(&p, QRectF(QPointF(0, 0), QSizeF(size)), source);
        p.end();
        drawn = image.save(&buffer, "PNG");
    } else if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        // Fonts in points come out as large as in the window.
        svg.setResolution(view.logicalDpiX());
        svg.setTitle(title);
        svg.setDescription(QStringLiteral("Velmora DNV design study"));
        QPainter p;
        drawn = p.begin(&svg);
        if (drawn) {
            view.render(&p, QRectF(QPointF(0, 0), QSizeF(size)), source);
            p.end();
        }
    } else {
        // One landscape A4 page, the chart as large as the margins allow.
        QPdfWriter pdf(&buffer);
        // At the window's resolution the chart's texts keep their size against its lines; the
        // page is drawn as vectors all the same.
        pdf.setResolution(view.logicalDpiX());
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Velmora DNV"));
        QPainter p;
        drawn = p.begin(&pdf);
        if (drawn) {
            view.render(&p, QRectF(p.viewport()), source, Qt::KeepAspectRatio);
            drawn = p.end();
        }
    }
    buffer.close();
    if (!drawn || !writeFileAtomic(path.toStdString(), bytes.toStdString()))
        return "can't save file - " + path.toStdString();
    return "";
}

} // namespace velmora
