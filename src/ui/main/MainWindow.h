// The main window: the inputs of the one design case, the options, the sketch of the cylinder,
// the result panels and the menus.
#pragma once

#include "calc/CaseIo.h"
#include "calc/State.h"
#include "files/RecentFiles.h"
#include "ui/main/CaseHost.h"
#include "ui/widgets/QtNotifier.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <functional>
#include <map>
#include <memory>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace velmora {

class DatabaseWindows;
class DesignStudyWindow;
class HelpWindows;
class PanelWidget;
class ProfileDialogs;
class SketchButton;

class MainWindow : public QMainWindow, public CaseHost {
    Q_OBJECT
public:
    struct Options {
        QString programDir; // the program folder: currentDir at start, the start-up files
        QString dataDir;    // the material and profile tables
        // Where the start-up database lies, "" for the program folder (an installed program
        // keeps it with the data files).
        QString startupDatabaseDir;
        // Where the start-up results go when the program folder cannot be written ("" for none).
        QString userDataDir;
        Notifier* notifier = nullptr;         // default: message boxes
        KeyValueStore* recentStore = nullptr; // default: the per-user settings store
    };

    explicit MainWindow(Options options, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up after construction: decimal separator, layout, recent files, new case, data
    // files, caption, start-up batch.
    void startUp();

    // CaseHost
    State& state() override { return st_; }
    Notifier& notifier() override { return *notifier_; }
    Notifier& notifierFor(QWidget* window) override;
    using CaseHost::recalculate;
    void recalculate(Notifier& nt) override;
    void refreshWindow() override;
    void takeTypedInput() override;
    QWidget* hostWidget() override { return this; }

    // File menu commands. Save and Save As return true when the case was written.
    void newCaseCommand();
    void openCommand();
    bool saveCommand();
    bool saveAsCommand();
    void openRecentEntry(int index);
    // Reads a case file into the window; false (case unchanged, message shown) on failure.
    bool openCasePath(const QString& path);
    // The report of the current case: on the printer, or as a PDF file.
    void printCommand();
    void exportReportCommand();

    // Whether the case differs from the one last opened, saved or started with.
    bool caseChanged() const;
    // Before the case is closed or replaced: a changed case asks "Save changes to the current
    // case?"; true when the work may go on (saved or discarded), false for Cancel or a Save
    // that did not write.
    bool mayReplaceCase();

    // The file dialogs; replaced by the tests. An empty result means cancel.
    std::function<QString(const QString& dir)> chooseOpenPath;
    std::function<QString(const QString& dir, const QString& preset)> chooseSavePath;
    std::function<QString(const QString& dir, const QString& preset)> chooseReportPath;

    // Menu "Database", "Design Study": the study window on the current case, created on first
    // use (owned by the main window).
    void showDesignStudy();
    DesignStudyWindow* designStudyWindow();

    RecentFiles& recentFiles() { return *recent_; }
    ProfileDialogs& profileDialogs() { return *dialogs_; }

    // Window layout: 1024 x 768 scaled by the screen's dots per inch over 96, centred.
    void sizeAndCentre();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWidgets();
    void buildMenus();
    void layoutFrames();
    void installFilters();
    QLineEdit* box(const char* name) const;
    QWidget* control(const QString& name) const;
    bool available(std::string_view name) const;

    // Input boxes
    void boxFocusIn(QLineEdit* e);
    void boxFocusOut(QLineEdit* e);
    void boxEnter(QLineEdit* e);
    void showOutcome(QLineEdit* e, const struct FieldOutcome& out);
    void moveFocusTo(const std::string& name);
    void popupProfiles(const QPoint& globalPos);

    // Options and lists
    void cylinderClicked(CylinderType type);
    void ringControlClicked(bool checked);
    void heavyRingClicked(bool checked);
    void outsideClicked(bool checked);
    void specialIhClicked(bool checked);
    void ringFabClicked(int fab);
    void dimMomentClicked(int dm);
    void lrfdClicked();
    void wsdClicked();
    void signClicked();
    void materialChosen(int part, int index);
    void stiffKindChosen(int kind);
    void ringKindChosen(int kind);

    // After a run: the fields the core wrote, the profile texts and pictures, the panels.
    void showRunResults();
    void setBoxText(QLineEdit* e, const QString& text);
    void setCaption();
    void showRecentMenu();
    void detectDecimalSeparatorFromLocale();
    QString manualPath(const QString& name) const;
    bool writeCase(const QString& path);
    void storeIdentTexts();
    // The case as the file last opened or saved holds it: the base of the modified marker.
    void markCaseUnchanged();
    void showModified();

    State st_;
    Options opt_;
    QString lastDialogDir_; // the initial folder of the last Open or Save As dialog
    QtNotifier qtNotifier_;
    Notifier* notifier_ = nullptr;
    std::map<QWidget*, std::unique_ptr<QtNotifier>> windowNotifiers_;
    std::unique_ptr<KeyValueStore> ownStore_;
    std::unique_ptr<RecentFiles> recent_;
    ProfileDialogs* dialogs_ = nullptr;
    DatabaseWindows* database_ = nullptr;
    HelpWindows* help_ = nullptr;
    QPointer<DesignStudyWindow> study_;
    bool inLeave_ = false;
    bool laidOut_ = false;
    bool inLayout_ = false;
    std::string unchangedText_; // case-file text of the case as last opened, saved or started
    // The box a command took while it kept the focus: leaving it unchanged does not take it
    // again.
    QPointer<QLineEdit> takenBox_;

    // Controls used often
    QScrollArea* scroll_ = nullptr;
    QWidget* central_ = nullptr; // the window's content, scrolled where the screen is too small
    QWidget* fr10_ = nullptr;
    QGroupBox *fr20_ = nullptr, *fr110_ = nullptr, *fr111_ = nullptr, *fr112_ = nullptr;
    QGroupBox *fr120_ = nullptr, *fr121_ = nullptr, *fr123_ = nullptr, *fr124_ = nullptr;
    QGroupBox *fr30_ = nullptr, *fr31_ = nullptr, *fr32_ = nullptr;
    QPushButton* cmdDatabase_ = nullptr;
    PanelWidget *pic20_ = nullptr, *pic30_ = nullptr, *pic31_ = nullptr, *pic32_ = nullptr;
    SketchButton *cmdpicStiff_ = nullptr, *cmdpicGird_ = nullptr;
    std::array<QRadioButton*, 4> cylinder_{};
    QCheckBox *ringCh_ = nullptr, *hringCh_ = nullptr, *outsideCh_ = nullptr, *checkIh_ = nullptr;
    QRadioButton *optLrfd_ = nullptr, *optWsd_ = nullptr, *ringfab0_ = nullptr,
                 *ringfab1_ = nullptr, *odmom1_ = nullptr, *odmom2_ = nullptr;
    QPushButton *cmdLrfd_ = nullptr, *cmdWsd_ = nullptr;
    QLabel *textUfb_ = nullptr, *stiffprof_ = nullptr, *ringprof_ = nullptr, *txt1_ = nullptr;
    QComboBox *cbofyp_ = nullptr, *cbofys_ = nullptr, *cbofyg_ = nullptr, *cbostiff_ = nullptr,
              *cboring_ = nullptr;
    QLineEdit* test_ = nullptr;
    QMenu *mnuprofiles_ = nullptr, *mnustiff_ = nullptr, *mnuring_ = nullptr;
    std::array<QAction*, 5> recentActions_{};
};

} // namespace velmora
