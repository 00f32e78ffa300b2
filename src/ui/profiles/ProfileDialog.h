// One profile dialog of the family: a table picker or a built-up dialog, built from its entry
// of the description table. Modeless and owned by the main window.
#pragma once

#include <QDialog>
#include <QPointer>

#include <map>
#include <memory>
#include <optional>
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
struct ProfileRecord;

class ProfileDialog : public QDialog {
    Q_OBJECT
public:
    ProfileDialog(const ProfileDialogDesc& desc, CaseHost& host, QWidget* parent);
    ~ProfileDialog() override;

    const ProfileDialogDesc& desc() const { return desc_; }

    // Shows the dialog (placed beside the main window the first time) and brings it to the
    // front; becoming the active window runs the activation.
    void open();
    // Activation: the dialog is rebuilt from the case. The case does not change: until the
    // engineer chooses (a row, a dimension, OK of a built-up dialog) the dialog only shows its
    // profile, and the profile it found is the one Cancel puts back.
    void activate();
    // Writes the saved set into the boxes and the section properties and proportion texts of
    // the dialog's profile into the labels (a picker without a row shows none).
    void showProfileSummary();
    // Pickers: fills `cbo` with the table rows and highlights the row whose designation equals
    // the member's current profile, if any.
    void fillTableList();
    // Closes without the closing re-check (the case was replaced under the dialog).
    void discard();
    // Cancel and Escape: the member's profile the dialog found when it opened comes back (kind,
    // rows and built-up dimensions), the case is recalculated if it had changed, and the dialog
    // closes.
    void cancel();
    // Whether the engineer has chosen the dialog's profile since it opened.
    bool picked() const { return picked_; }

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
    void showKindInHostList(int kind);
    // The engineer chose the dialog's profile: the member takes its kind.
    void pick();
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
    QPushButton* cancel_ = nullptr;
    // The member's profile when the dialog opened, and whether the engineer chose since.
    std::unique_ptr<ProfileRecord> found_;
    bool picked_ = false;
    // The table row the picker shows, nothing when no row is highlighted.
    std::optional<int> shownRow_;
    QPointer<QLineEdit> pendingLeave_;
    bool placed_ = false;
    bool filling_ = false;
    bool discarding_ = false;
};

} // namespace velmora
