#include "cli/ReportCommand.h"

#include "ui/ReportPrinter.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QString>

#include <iostream>

namespace velmora {

int writeReportCommand(int& argc, char** argv, const State& st, const std::string& pdfPath) {
    // Without a display the page is drawn offscreen; a platform the user set is kept.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    QGuiApplication app(argc, argv);
    QString error;
    if (!writeReportPdf(st, QString::fromStdString(pdfPath), error)) {
        std::cerr << error.toStdString() << '\n';
        return 1;
    }
    return 0;
}

} // namespace velmora
