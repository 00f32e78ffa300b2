// The detailed summary of the case database: every row calculated and tabulated with column
// groups the engineer switches on and off, and its export to a spreadsheet workbook. A right
// click on the window shows the small table window.
#pragma once

#include "database/Summary.h"
#include "ui/database/TableWindow.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QCheckBox;
class QTableView;
class QTableWidget;

namespace velmora {

class DatabaseWindows;

class DetailedSummaryWindow : public QWidget {
    Q_OBJECT
public:
    DetailedSummaryWindow(DatabaseWindows& windows, QWidget* owner);
    ~DetailedSummaryWindow() override;

    // Sets the check boxes from the column groups, calculates every row and fills the table.
    void rebuild();
    // "Export to Excel": asks where to save the workbook (offered beside the database file and
    // named after it), writes the table there and opens it.
    void exportWorkbook();
    // Shows the table window.
    void showTableWindow();

    const SummaryTable& table() const { return table_; }
    // The workbook written by the last export, empty before one.
    const QString& lastWorkbook() const { return lastWorkbook_; }
    TableWindow* tableWindow() const { return tableWindow_; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillTable();
    // The "Ident" column stands over the table's first column and stays there while the table
    // scrolls sideways.
    void buildIdentColumn();
    void placeIdentColumn();

    DatabaseWindows& windows_;
    std::array<QCheckBox*, SummaryGroup::Count> groups_{};
    QTableWidget* view_ = nullptr;
    QTableView* ident_ = nullptr;
    SummaryTable table_;
    QString lastWorkbook_;
    QPointer<TableWindow> tableWindow_;
};

} // namespace velmora
