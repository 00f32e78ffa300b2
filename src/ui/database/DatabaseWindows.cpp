#include "ui/database/DatabaseWindows.h"

#include "calc/DatabaseRows.h"
#include "calc/State.h"
#include "case/Notifier.h"
#include "files/DatabaseFile.h"
#include "ui/database/DatabaseWindow.h"
#include "ui/main/CaseHost.h"
#include "ui/widgets/WindowFit.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace velmora {

namespace {

const QString kPattern = QStringLiteral("Database files (*_in.csv);;All files (*)");

QString initialPath(const QString& dir, const QString& name) {
    if (name.isEmpty() || dir.isEmpty() || QFileInfo(name).isAbsolute())
        return name.isEmpty() ? dir : name;
    return QDir(dir).filePath(name);
}

} // namespace

DatabaseWindows::DatabaseWindows(CaseHost& host, QObject* parent) : QObject(parent), host_(host) {
    chooseOpenPath = [this](const QString& dir, const QString& name) {
        QFileDialog dlg(host_.hostWidget(), QStringLiteral("Open Database File"),
                        initialPath(dir, name), kPattern);
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(QFileDialog::ExistingFile);
        dlg.setOption(QFileDialog::ReadOnly, false);
        return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty()
                   ? dlg.selectedFiles().first()
                   : QString();
    };
    chooseSavePath = [this](const QString& dir, const QString& name) {
        QFileDialog dlg(host_.hostWidget(), QStringLiteral("Save Database File"),
                        initialPath(dir, name), kPattern);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        dlg.setDefaultSuffix(QStringLiteral("csv"));
        return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty()
                   ? dlg.selectedFiles().first()
                   : QString();
    };
    chooseWorkbookPath = [this](const QString& dir, const QString& name) {
        QFileDialog dlg(host_.hostWidget(), QStringLiteral("Export to Excel"),
                        initialPath(dir, name), QStringLiteral("Excel workbooks (*.xlsx)"));
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        dlg.setDefaultSuffix(QStringLiteral("xlsx"));
        return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty()
                   ? dlg.selectedFiles().first()
                   : QString();
    };
    openDocument = [](const QString& path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
}

DatabaseWindows::~DatabaseWindows() = default;

DatabaseWindow* DatabaseWindows::databaseWindow() {
    if (!window_)
        window_ = new DatabaseWindow(*this, host_.hostWidget());
    return window_;
}

bool DatabaseWindows::mayCloseDatabase(QWidget* over) {
    State& st = host_.state();
    if (!st.db.modified)
        return true;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Velmora DNV"),
                    QStringLiteral("Save changes to the database?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, over);
    box.setDefaultButton(QMessageBox::Save);
    fitTitle(box);
    switch (box.exec()) {
    case QMessageBox::Save:
        return saveDatabaseFile(false, over);
    case QMessageBox::Discard:
        // The rows stay in memory for this session; the question is not asked again for them.
        st.db.modified = false;
        return true;
    default:
        return false;
    }
}

bool DatabaseWindows::saveDatabaseFile(bool askForName, QWidget* over) {
    State& st = host_.state();
    const QFileInfo current(QString::fromStdString(st.db.databaseFileName));
    QString path;
    if (!askForName && current.isAbsolute()) {
        path = current.filePath();
    } else {
        const QString dir = current.isAbsolute() ? current.absolutePath()
                                                 : QString::fromStdString(st.run.currentDir);
        path = chooseSavePath(dir, current.fileName());
        if (path.isEmpty())
            return false;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".csv");
    }
    const std::string error = writeDatabaseFile(st, path.toStdString());
    if (!error.empty()) {
        // The database stays under its old name, with its rows and still marked changed.
        host_.notifierFor(over).warn(error);
        return false;
    }
    st.db.databaseFileName = path.toStdString();
    if (window_)
        window_->setCaption();
    return true;
}

void DatabaseWindows::showDatabase() {
    databaseWindow()->showAndRefill();
}

void DatabaseWindows::showSummary() {
    showDatabase();
    databaseWindow()->showSummary();
}

void DatabaseWindows::addCaseToDatabase() {
    host_.takeTypedInput();
    State& st = host_.state();
    if (!velmora::addCaseToDatabase(st)) {
        host_.notifier().warn(" The database holds at most " +
                              std::to_string(CaseDatabase::kCapacity) +
                              " rows; the case was not added ");
        return;
    }
    showDatabase();
}

} // namespace velmora
