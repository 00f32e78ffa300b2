#include "ui/database/DatabaseWindows.h"

#include "calc/DatabaseRows.h"
#include "calc/State.h"
#include "case/Notifier.h"
#include "files/DatabaseFile.h"
#include "ui/database/DatabaseWindow.h"
#include "ui/main/CaseHost.h"

#include <QDesktopServices>
#include <QFileDialog>
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
