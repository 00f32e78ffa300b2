// The main window's start-up and the case-file commands of the File menu.
#include "calc/CaseIo.h"
#include "calc/Steps.h"
#include "ui/main/InputBoxes.h"
#include "ui/main/MainWindow.h"

#include "base/Fp.h"
#include "calc/Calc.h"
#include "calc/Verdict.h"
#include "database/Batch.h"
#include "files/CaseFile.h"
#include "files/DataFiles.h"
#include "pdf/ReportPdf.h"
#include "sections/Materials.h"
#include "sections/Sections.h"
#include "ui/main/ReportPrinter.h"
#include "ui/profiles/ProfileDialogs.h"
#include "ui/widgets/WindowFit.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPrinterInfo>

namespace velmora {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QString fileDialog(QWidget* parent, bool save, const QString& dir, const QString& preset) {
    QFileDialog dlg(parent);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setNameFilter(QStringLiteral("*.cys"));
    dlg.setDefaultSuffix(QStringLiteral("cys"));
    dlg.setOption(QFileDialog::ReadOnly, false);
    if (!dir.isEmpty())
        dlg.setDirectory(dir);
    dlg.selectFile(preset);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().first();
}

std::string folderWithSeparator(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absolutePath()).toStdString() + "/";
}

} // namespace

void MainWindow::detectDecimalSeparatorFromLocale() {
    // 1.1 in the user's number format, read back through the hidden box.
    decimalProbe_->setText(QLocale().toString(1.1, 'f', 1));
    st_.run.decimalPointLocale = decimalProbe_->text() == QStringLiteral("1.1");
    st_.run.thousandsSep = QLocale().groupSeparator().toStdString();
}

void MainWindow::startUp() {
    st_.run.currentDir = opt_.programDir.toStdString();
    lastDialogDir_ = opt_.programDir;
    detectDecimalSeparatorFromLocale();
    sizeAndCentre();
    decimalProbe_->hide();
    recent_->rebuildRecentMenu();
    showRecentMenu();
    newCase(st_);

    for (const std::string& message : loadDataFiles(st_, opt_.dataDir.toStdString()))
        notifier_->warn(message);
    // The profile descriptions, pictures and yield strengths of the new case's sections.
    try {
        computeStiffenerSection(st_, *notifier_, st_.dc.stiff.kind);
        computeRingSection(st_, *notifier_, st_.dc.ring.kind);
    } catch (const CalcFault&) {
        // The calculation run below meets the same fault and reports it.
    }
    lookupFyp(st_);
    setCaption();

    // The start-up batch names its results file as the current file; a Save would then write a
    // case file over the results, so the case in the window keeps its own name.
    // The results go beside the program unless the user may not write there.
    const std::string fileName = st_.run.fileName;
    const std::string programDir = opt_.programDir.toStdString();
    const std::string databaseDir =
        opt_.startupDatabaseDir.isEmpty() ? programDir : opt_.startupDatabaseDir.toStdString();
    const std::string resultsDir = startupResultsFolder(programDir, opt_.userDataDir.toStdString());
    const StartupBatchResult batch = runStartupBatch(st_, *notifier_, databaseDir, resultsDir);
    st_.run.fileName = fileName;
    refreshWindow();
    // Without a database the window still shows the new case, calculated.
    if (!batch.ran || batch.shownRow < 0)
        recalculate();
    markCaseUnchanged();
}

void MainWindow::newCaseCommand() {
    if (!mayReplaceCase())
        return;
    newCase(st_);
    // A new case keeps the caption of the case file, but not that of a database row.
    if (databaseRow_) {
        leaveDatabaseRow();
        setCaption();
    }
    try {
        computeStiffenerSection(st_, *notifier_, st_.dc.stiff.kind);
        computeRingSection(st_, *notifier_, st_.dc.ring.kind);
    } catch (const CalcFault&) {
    }
    refreshWindow();
    recalculate();
    markCaseUnchanged();
}

void MainWindow::showDatabaseRow() {
    databaseRow_ = st_.dc.identification;
    ownRunInputs_ = st_.run.calculatedInputs;
    // The row has no case file: Save asks for one rather than writing over the file of the
    // case shown before.
    st_.run.fileName = "New File";
    setCaption();
    markCaseUnchanged();
}

void MainWindow::leaveDatabaseRow() {
    databaseRow_.reset();
}

void MainWindow::warnOfInputsOutOfLimits(const std::string& intro) {
    const std::vector<std::string> fields = violationTexts(st_.dc, st_.decimalSep());
    if (fields.empty())
        return;
    std::string text = intro;
    for (const std::string& f : fields)
        text += "\n" + f;
    notifier_->warn(text);
}

bool MainWindow::reportRefused() {
    const std::optional<std::string> refusal = reportRefusal(st_);
    if (refusal)
        notifier_->warn(*refusal);
    return refusal.has_value();
}

bool MainWindow::openCasePath(const QString& path) {
    const std::string before = st_.run.fileName;
    const std::string error = readCaseFile(st_, path.toStdString());
    if (!error.empty()) {
        // The case in the window and its name stay as they were.
        st_.run.fileName = before;
        notifier_->warn(error);
        return false;
    }
    leaveDatabaseRow();
    setCaption();
    dialogs_->closeAll();
    st_.run.currentDir = folderWithSeparator(path);
    try {
        lookupFyp(st_);
        computeStiffenerSection(st_, *notifier_, st_.dc.stiff.kind);
    } catch (const CalcFault&) {
    }
    lookupFys(st_);
    refreshWindow();
    recalculate();
    // The case as the file gives it once the run has corrected what it corrects.
    markCaseUnchanged();
    // The values are kept as the file gives them; the verdict says they are out of limits.
    warnOfInputsOutOfLimits("Values outside their limits in " + path.toStdString() +
                            " (kept as they are):");
    return true;
}

void MainWindow::openCommand() {
    if (!mayReplaceCase())
        return;
    const QString dir = q(st_.run.currentDir);
    lastDialogDir_ = dir;
    const QString path = chooseOpenPath ? chooseOpenPath(dir)
                                        : fileDialog(this, false, dir, QStringLiteral("*.cys"));
    if (path.isEmpty())
        return;
    const bool same = path.toStdString() == st_.run.fileName;
    if (!openCasePath(path))
        return;
    if (!same) {
        recent_->promoteRecentFile(path.toStdString());
        recent_->rebuildRecentMenu();
        showRecentMenu();
    }
}

void MainWindow::openRecentEntry(int index) {
    const std::string path = recent_->menu().path(index);
    if (path.empty() || !mayReplaceCase())
        return;
    const std::string before = st_.run.fileName;
    if (path != before) {
        recent_->moveRecentToTop(path, index);
        recent_->rebuildRecentMenu();
        showRecentMenu();
    }
    if (openCasePath(q(path)))
        st_.run.currentDir = RecentFiles::folderOfEntry(path);
}

void MainWindow::storeIdentTexts() {
    st_.dc.projectName = inputs_->box("iproj")->text().toStdString();
    st_.dc.identification = inputs_->box("iident")->text().toStdString();
}

bool MainWindow::writeCase(const QString& path) {
    const std::string error = writeCaseFile(st_, path.toStdString());
    if (!error.empty()) {
        notifier_->warn(error);
        return false;
    }
    leaveDatabaseRow();
    setCaption();
    markCaseUnchanged();
    return true;
}

bool MainWindow::saveCommand() {
    takeTypedInput();
    storeIdentTexts();
    if (st_.run.fileName != "New File")
        return writeCase(q(st_.run.fileName));
    // The dialog opens where it was last opened, not necessarily at currentDir.
    const QString dir = lastDialogDir_;
    const QString path = chooseSavePath ? chooseSavePath(dir, QStringLiteral("*.cys"))
                                        : fileDialog(this, true, dir, QStringLiteral("*.cys"));
    if (path.isEmpty() || !writeCase(path))
        return false;
    st_.run.currentDir = folderWithSeparator(path);
    recent_->pushRecentFile(path.toStdString());
    recent_->rebuildRecentMenu();
    showRecentMenu();
    return true;
}

bool MainWindow::saveAsCommand() {
    takeTypedInput();
    storeIdentTexts();
    const QString dir = q(st_.run.currentDir);
    lastDialogDir_ = dir;
    const QString preset = q(st_.run.fileName);
    const QString path =
        chooseSavePath ? chooseSavePath(dir, preset) : fileDialog(this, true, dir, preset);
    if (path.isEmpty())
        return false;
    const bool same = path.toStdString() == st_.run.fileName;
    if (!writeCase(path))
        return false;
    st_.run.currentDir = folderWithSeparator(path);
    if (!same) {
        recent_->pushRecentFile(path.toStdString());
        recent_->rebuildRecentMenu();
        showRecentMenu();
    }
    return true;
}

void MainWindow::markCaseUnchanged() {
    unchangedText_ = caseFileText(st_.dc);
    showModified();
}

bool MainWindow::caseChanged() const {
    return caseFileText(st_.dc) != unchangedText_;
}

void MainWindow::showModified() {
    setWindowModified(caseChanged());
}

bool MainWindow::mayReplaceCase() {
    takeTypedInput();
    showModified();
    if (!caseChanged())
        return true;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Velmora DNV"),
                    QStringLiteral("Save changes to the current case?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Save);
    fitTitle(box);
    switch (box.exec()) {
    case QMessageBox::Save:
        // A Save that was cancelled or failed keeps the case, and so the window.
        return saveCommand();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void MainWindow::printCommand() {
    takeTypedInput();
    if (reportRefused())
        return;
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        notifier_->warn("No printer is installed. Use Export Report as PDF.");
        return;
    }
    choosePrinter(this, st_);
}

void MainWindow::exportReportCommand() {
    takeTypedInput();
    if (reportRefused())
        return;
    const QString dir = q(st_.run.currentDir);
    const QString preset =
        st_.run.fileName == "New File"
            ? QStringLiteral("*.pdf")
            : QFileInfo(q(st_.run.fileName)).completeBaseName() + QStringLiteral(".pdf");
    QString path;
    if (chooseReportPath) {
        path = chooseReportPath(dir, preset);
    } else {
        QFileDialog dlg(this, QStringLiteral("Export Report as PDF"));
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        dlg.setNameFilter(QStringLiteral("PDF files (*.pdf)"));
        dlg.setDefaultSuffix(QStringLiteral("pdf"));
        if (!dir.isEmpty())
            dlg.setDirectory(dir);
        dlg.selectFile(preset);
        if (dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty())
            path = dlg.selectedFiles().first();
    }
    if (path.isEmpty())
        return;
    // The page goes through a temporary file: a failed write leaves an older report as it was.
    QString error;
    if (!writeReportPdf(st_, path, error))
        notifier_->warn(error.toStdString());
}

} // namespace velmora
