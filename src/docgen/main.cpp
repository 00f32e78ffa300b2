// velmora-docgen: renders one HTML manual to an A4 PDF with page numbers in the footer.
//
//   velmora-docgen INPUT.html OUTPUT.pdf [--css STYLE.css]
//
// The PDF is written through a temporary file beside the target and renamed over it only when
// complete, so a failed run leaves an existing PDF as it was. Exit status 0 when the PDF was
// written, 1 when a file could not be read or written, 2 for wrong usage.

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStringList>
#include <QTextDocument>
#include <QTextStream>
#include <QUrl>

#include <cstdio>

namespace {

constexpr int kResolution = 300; // dots per inch of the PDF's device units

void fail(const QString& text) {
    std::fprintf(stderr, "velmora-docgen: %s\n", text.toLocal8Bit().constData());
}

bool readText(const QString& path, QString& text) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return false;
    text = QString::fromUtf8(bytes);
    return true;
}

// Millimetres to device units of the writer.
double mm(double v) {
    return v / 25.4 * kResolution;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    QString stylePath;
    QStringList files;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--css") && i + 1 < args.size())
            stylePath = args[++i];
        else if (args[i] == QLatin1String("--help") || args[i] == QLatin1String("-h")) {
            std::printf("Usage: velmora-docgen INPUT.html OUTPUT.pdf [--css STYLE.css]\n");
            return 0;
        } else if (args[i].startsWith(QLatin1String("--"))) {
            fail(QStringLiteral("unknown option %1").arg(args[i]));
            return 2;
        } else
            files << args[i];
    }
    if (files.size() != 2) {
        fail(QStringLiteral("usage: velmora-docgen INPUT.html OUTPUT.pdf [--css STYLE.css]"));
        return 2;
    }
    const QString input = files[0];
    const QString output = files[1];

    QString html;
    if (!readText(input, html) || html.trimmed().isEmpty()) {
        fail(QStringLiteral("can't read %1").arg(input));
        return 1;
    }
    QString style;
    if (!stylePath.isEmpty() && !readText(stylePath, style)) {
        fail(QStringLiteral("can't read %1").arg(stylePath));
        return 1;
    }

    QSaveFile target(output);
    if (!target.open(QIODevice::WriteOnly)) {
        fail(QStringLiteral("can't write %1: %2").arg(output, target.errorString()));
        return 1;
    }

    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 10));
    // The shared style sheet goes into the page itself: Qt's HTML import applies a <style>
    // element of the page reliably.
    if (!style.isEmpty()) {
        const QString element = QStringLiteral("<style>\n%1\n</style>").arg(style);
        const qsizetype head = html.indexOf(QLatin1String("</head>"), 0, Qt::CaseInsensitive);
        if (head >= 0)
            html.insert(head, element);
        else
            html.prepend(element);
    }
    doc.setBaseUrl(QUrl::fromLocalFile(QFileInfo(input).absoluteFilePath()));
    doc.setHtml(html);
    QString title = doc.metaInformation(QTextDocument::DocumentTitle);
    if (title.isEmpty())
        title = QFileInfo(output).completeBaseName();

    QPdfWriter writer(&target);
    writer.setResolution(kResolution);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("velmora-docgen"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 18, 20, 12), QPageLayout::Millimeter));

    // The body fills the printable area less the footer band at its bottom.
    const double pageW = writer.width();
    const double footerH = mm(10);
    const double bodyH = writer.height() - footerH;
    doc.documentLayout()->setPaintDevice(&writer);
    doc.setDocumentMargin(0);
    doc.setPageSize(QSizeF(pageW, bodyH));
    const int pages = doc.pageCount();

    QPainter painter;
    if (!painter.begin(&writer)) {
        target.cancelWriting();
        fail(QStringLiteral("can't write %1").arg(output));
        return 1;
    }
    QFont footerFont(QStringLiteral("Liberation Sans"), 8);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        painter.save();
        painter.setClipRect(QRectF(0, 0, pageW, bodyH));
        painter.translate(0, -page * bodyH);
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = QRectF(0, page * bodyH, pageW, bodyH);
        ctx.palette.setColor(QPalette::Text, Qt::black);
        doc.documentLayout()->draw(&painter, ctx);
        painter.restore();

        painter.setFont(footerFont);
        painter.setPen(QPen(Qt::darkGray, mm(0.2)));
        const double lineY = bodyH + mm(3);
        painter.drawLine(QPointF(0, lineY), QPointF(pageW, lineY));
        painter.setPen(Qt::black);
        const QRectF band(0, lineY + mm(1), pageW, footerH - mm(4));
        painter.drawText(band, Qt::AlignLeft | Qt::AlignTop, title);
        painter.drawText(band, Qt::AlignRight | Qt::AlignTop,
                         QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
    }
    if (!painter.end()) {
        target.cancelWriting();
        fail(QStringLiteral("can't write %1").arg(output));
        return 1;
    }
    if (!target.commit()) {
        fail(QStringLiteral("can't write %1: %2").arg(output, target.errorString()));
        return 1;
    }
    return 0;
}
