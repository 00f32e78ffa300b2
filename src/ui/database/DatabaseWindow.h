// The database window: the rows of the case database in a list, with the commands to make, open
// and save a database file, to write its results file, to edit the rows and to open the summary.
#pragma once

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace velmora {

class CaseHost;
class DatabaseWindows;
class DetailedSummaryWindow;
struct State;

class DatabaseWindow : public QWidget {
    Q_OBJECT
public:
    DatabaseWindow(DatabaseWindows& windows, QWidget* owner);
    ~DatabaseWindow() override;

    // Shows and raises the window with the caption and the list of the current database, row 0
    // selected.
    void showAndRefill();

    // The commands of the buttons.
    void newDatabase();
    void openDatabase();
    void saveDatabase();
    void saveResult();
    void showSummary();
    void addComment();
    void moveUp();
    void moveDown();
    void removeRow();

    // The summary window, when it was opened.
    DetailedSummaryWindow* summaryWindow() const;

    // "Database Filename: " and the database file's name.
    void setCaption();

protected:
    // A database with unsaved changes is not closed without the question.
    void closeEvent(QCloseEvent* event) override;

private:
    State& st();
    CaseHost& host();
    // Fills the list with rows 0..lastRow and selects `row` without loading it.
    void refill(int row);
    void selectQuietly(int row);
    int selected() const;
    void rowChosen(int row);
    // Warnings of this window stand over it.
    void warn(const std::string& text);
    void warnAndBeep(const std::string& text);
    void showFirstCase();

    DatabaseWindows& windows_;
    QListWidget* list_ = nullptr;
    QLineEdit* comment_ = nullptr;
    QPointer<DetailedSummaryWindow> summary_;
    // The row the program selected and the user has not yet clicked: a click on it still loads
    // it, though the current row does not change.
    int quietRow_ = -1;
    bool filling_ = false;
};

} // namespace velmora
