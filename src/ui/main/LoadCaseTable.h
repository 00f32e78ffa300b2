// The load cases of the case in the main window: one row per load case with its name, design
// format, usage factor and governing ratio on the colour of its verdict, and the commands Add,
// Duplicate, Rename and Delete. The selected row is the selected load case: the one the loading
// boxes, the design-format options and the result panels show. Every change is calculated at
// once, as an input is.
#pragma once

#include <QGroupBox>

#include <optional>

class QPushButton;
class QTableWidget;

namespace velmora {

class CaseHost;

class LoadCaseTable : public QGroupBox {
    Q_OBJECT
public:
    LoadCaseTable(CaseHost& host, QWidget* parent);

    // Shows the load cases of the case with the verdicts of the last run, the selected one's
    // row current; the commands the case allows are enabled.
    void showLoadCases();

    // The least height at which the table still shows two rows beside its buttons.
    int leastHeight() const;

private:
    // The engineer picked another row.
    void rowChosen(int row);
    void addClicked();
    void duplicateClicked();
    void renameClicked();
    void deleteClicked();
    // Asks for the new name of the load case named `current`; none for Cancel.
    std::optional<QString> askName(const QString& current);
    // After a change of the load cases: calculate, and show the case as the window shows it.
    void changed();

    CaseHost& host_;
    QTableWidget* table_ = nullptr;    // loadCaseTable
    QPushButton* add_ = nullptr;       // loadCaseAdd
    QPushButton* duplicate_ = nullptr; // loadCaseDuplicate
    QPushButton* rename_ = nullptr;    // loadCaseRename
    QPushButton* delete_ = nullptr;    // loadCaseDelete
    bool showing_ = false;             // the table is being filled: no row is chosen
};

} // namespace velmora
