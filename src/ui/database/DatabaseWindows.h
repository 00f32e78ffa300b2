// The database windows: the database list, the detailed summary and its table menu.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

namespace velmora {

class CaseHost;
class DatabaseWindow;

class DatabaseWindows : public QObject {
    Q_OBJECT
public:
    explicit DatabaseWindows(CaseHost& host, QObject* parent = nullptr);
    ~DatabaseWindows() override;

    // Menu "Database": shows the database window.
    void showDatabase();
    // Menu "Database", "Calc and Summary": the database window and its detailed summary, as
    // the window's button of that name opens it.
    void showSummary();
    // Button "Add  to Database" of the main window: the current case takes the place of the
    // final "End" marker, a new "End" follows, and the database window shows the list.
    void addCaseToDatabase();

    // The database window, created on first use (owned by the main window).
    DatabaseWindow* databaseWindow();

    CaseHost& host() { return host_; }

    // File dialogs for the database file, given the folder to start in and the file name to
    // offer; an empty result means cancel. The tests replace them.
    std::function<QString(const QString& dir, const QString& name)> chooseOpenPath;
    std::function<QString(const QString& dir, const QString& name)> chooseSavePath;
    // Opens a saved document (the summary workbook) with the desktop's application for it;
    // false when none could be started.
    std::function<bool(const QString& path)> openDocument;

private:
    CaseHost& host_;
    QPointer<DatabaseWindow> window_;
};

} // namespace velmora
