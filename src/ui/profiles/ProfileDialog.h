// One profile dialog of the family: a table picker or a built-up dialog, built from its entry
// of the description table. Modeless and owned by the main window.
#pragma once

#include <QDialog>
#include <QPointer>

#include <map>
#include <string>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace velmora {

class CaseHost;
class Notifier;
class ProfileSketchView;
struct ProfileDialogDesc;

class ProfileDialog : public QDialog {
    Q_OBJECT
public:
    ProfileDialog(const ProfileDialogDesc& desc, CaseHost& host, QWidget* parent);

    const ProfileDialogDesc& desc() const { return desc_; }

    // Shows the dialog (placed beside the main window the first time) and brings it to the
    // front; becoming the active window runs the activation.
    void open();
    // Activation: the member takes the dialog's kind, the main window's profile list shows it,
    // the case is recalculated and the dialog rebuilt from the case.
    void activate();
    // Writes the saved set into the boxes and the section properties and proportion texts into
    // the labels.
    void showProfileSummary();
    // Pickers: fills `cbo` with the table rows and highlights the stored row.
    void fillTableList();
    // Closes without the closing re-check (the case was replaced under the dialog).
    void discard();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPicker();
    void buildBuiltUp();
    void layOut(QHBoxLayout* top);
    QWidget* buildPropertyLabels(QWidget* parent);
    QWidget* buildCheckFrame(QWidget* parent);
    void placeBesideHost();

    void scheduleLeave(QLineEdit* box);
    void flushPendingLeave();
    QLineEdit* takeFocusedBox();
    void leaveBox(QLineEdit* box);
    void okClicked();
    void rowChosen(int row);
    void recalculate(bool recomputeSectionFirst = false);
    void computeSectionNow(bool reportFault);
    void showKindInHostList();
    void setHighlight(QLineEdit* box, bool on);
    // What the dialog raises (its own checks and the runs it starts) stands over the dialog.
    Notifier& notifier();

    const ProfileDialogDesc& desc_;
    CaseHost& host_;
    std::map<std::string, QLineEdit*> boxes_;
    std::map<std::string, QLabel*> labels_;
    QListWidget* list_ = nullptr;
    ProfileSketchView* sketch_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPointer<QLineEdit> pendingLeave_;
    bool placed_ = false;
    bool filling_ = false;
    bool discarding_ = false;
};

} // namespace velmora
