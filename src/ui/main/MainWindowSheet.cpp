// File, "Export Calculation Sheet...": every step of the calculated case with its formula, the
// numbers put in and the result, as a PDF file or one HTML file, by the extension chosen.
#include "base/FileIo.h"
#include "calc/State.h"
#include "pdf/ReportPdf.h"
#include "report/CalcSheet.h"
#include "ui/main/MainWindow.h"

#include <QFileDialog>
#include <QFileInfo>

namespace velmora {

void MainWindow::exportSheetCommand() {
    takeTypedInput();
    // A case that was not calculated has no sheet: say why before asking for a file.
    CalcSheet sheet;
    if (const std::optional<std::string> refusal = makeCalcSheet(st_, sheet)) {
        notifier_->warn(*refusal);
        return;
    }
    const QString dir = QString::fromStdString(st_.run.currentDir);
    const QString preset =
        st_.run.fileName == "New File"
            ? QStringLiteral("*.pdf")
            : QFileInfo(QString::fromStdString(st_.run.fileName)).completeBaseName() +
                  QStringLiteral("-sheet.pdf");
    QString path;
    if (chooseReportPath) {
        path = chooseReportPath(dir, preset);
    } else {
        QFileDialog dlg(this, QStringLiteral("Export Calculation Sheet"));
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        dlg.setNameFilters(
            {QStringLiteral("PDF files (*.pdf)"), QStringLiteral("HTML files (*.html *.htm)")});
        dlg.setDefaultSuffix(QStringLiteral("pdf"));
        if (!dir.isEmpty())
            dlg.setDirectory(dir);
        dlg.selectFile(preset);
        if (dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty())
            path = dlg.selectedFiles().first();
    }
    if (path.isEmpty())
        return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("html") || suffix == QStringLiteral("htm")) {
        const SheetStamp stamp = sheetStampNow(st_);
        if (!writeFileAtomic(path.toStdString(), calcSheetHtml(st_, sheet, stamp)))
            notifier_->warn("can't write file - " + path.toStdString());
        return;
    }
    QString error;
    if (!writeSheetPdf(st_, path, error))
        notifier_->warn(error.toStdString());
}

} // namespace velmora
