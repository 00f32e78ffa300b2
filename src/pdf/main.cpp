// velmora-dnv-report: the report helper of the command-line tool. Opens a case file as the
// window opens it and writes its one-page report as PDF, drawn with QtGui alone, so that the
// command-line tool itself needs no part of Qt.
//
//   velmora-dnv-report CASE.cys -o REPORT.pdf [--data-dir DIR]
//   velmora-dnv-report --sheet CASE.cys -o SHEET.pdf [--data-dir DIR]
//
// With --sheet it writes the calculation sheet of the case instead (several pages).
//
// Exit status 0 when the report was written, 1 when the case or the file failed or the case was
// not calculated (message on stderr, no file written), 2 for wrong usage. stderr carries only
// the program's own messages.
#include "calc/CaseIo.h"
#include "calc/CommandLine.h"
#include "calc/InputLimits.h"
#include "calc/State.h"
#include "calc/Verdict.h"
#include "case/Notifier.h"
#include "pdf/ReportPdf.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <QtGlobal>

#include <iostream>
#include <optional>
#include <string>

using namespace velmora;

namespace {

void quietQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

int usage() {
    std::cerr << "usage: velmora-dnv-report [--sheet] CASE.cys -o REPORT.pdf [--data-dir DIR]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string casePath;
    std::string pdfPath;
    std::string dataDir;
    bool sheet = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--sheet")
            sheet = true;
        else if ((a == "-o" || a == "--output") && i + 1 < argc)
            pdfPath = argv[++i];
        else if (a == "--data-dir" && i + 1 < argc)
            dataDir = argv[++i];
        else if (!a.empty() && a[0] != '-' && casePath.empty())
            casePath = a;
        else
            return usage();
    }
    if (casePath.empty() || pdfPath.empty())
        return usage();

    State st;
    const auto messages = prepareCommandLineState(st, dataDir);
    for (const auto& m : messages)
        std::cerr << m << '\n';
    if (!messages.empty())
        return 1;
    WarningCollector nt;
    const std::string error = openCase(st, nt, casePath);
    if (!error.empty()) {
        std::cerr << error << '\n';
        return 1;
    }
    // The stopped run's own warning is its message, told below.
    if (!st.run.lastRunCompleted && !nt.warnings.empty() &&
        nt.warnings.back() == st.run.calcMessage)
        nt.warnings.pop_back();
    for (const auto& m : nt.warnings)
        std::cerr << "Message: " << m << '\n';
    for (const auto& v : violationTexts(st.dc, st.decimalSep()))
        std::cerr << kInputOutOfLimits << v << '\n';
    // A case that was not calculated gets no report: its panels would not belong to its
    // inputs.
    if (const std::optional<std::string> refusal = reportRefusal(st)) {
        std::cerr << *refusal << '\n';
        return 1;
    }

    // Without a display the page is drawn offscreen; a platform the user set is kept.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    // Qt's own notes (a missing runtime folder, font substitutions and the like) are not this
    // program's messages: stderr carries only those.
    qInstallMessageHandler(quietQtMessages);
    QGuiApplication app(argc, argv);
    QString pdfError;
    const QString path = QString::fromStdString(pdfPath);
    if (!(sheet ? writeSheetPdf(st, path, pdfError) : writeReportPdf(st, path, pdfError))) {
        std::cerr << pdfError.toStdString() << '\n';
        return 1;
    }
    return 0;
}
