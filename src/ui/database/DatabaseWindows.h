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

    // Before the database window or the program closes: when the database has unsaved changes,
    // asks "Save changes to the database?" over `over`. True when it may close: nothing was
    // changed, the engineer chose Discard, or Save wrote the database file. Cancel, a cancelled
    // file dialog and a failed write keep it open with every row.
    bool mayCloseDatabase(QWidget* over);
    // Writes the database file: to the name it has when `askForName` is false and that name is
    // a full path, else to the file the engineer chooses. False when cancelled or not written
    // (the message then stands over `over`).
    bool saveDatabaseFile(bool askForName, QWidget* over);

    // The database window, created on first use (owned by the main window).
    DatabaseWindow* databaseWindow();

    CaseHost& host() { return host_; }

    // File dialogs for the database file, given the folder to start in and the file name to
    // offer; an empty result means cancel. The tests replace them.
    std::function<QString(const QString& dir, const QString& name)> chooseOpenPath;
    std::function<QString(const QString& dir, const QString& name)> chooseSavePath;
    // The file dialog of the summary's workbook export, given the folder and the name offered;
    // empty for cancel. The tests replace it.
    std::function<QString(const QString& dir, const QString& name)> chooseWorkbookPath;
    // Opens a saved document (the summary workbook) with the desktop's application for it;
    // false when none could be started.
    std::function<bool(const QString& path)> openDocument;

private:
    CaseHost& host_;
    QPointer<DatabaseWindow> window_;
};

} // namespace velmora
