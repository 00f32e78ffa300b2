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
#include <optional>
#include <string>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace velmora {

class DatabaseWindows;
class DesignStudyWindow;
class HelpWindows;
class InputBoxes;
class LoadCaseTable;
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
    // The calculation sheet of the case as PDF or HTML (by the chosen extension).
    void exportSheetCommand();

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
    void changeEvent(QEvent* event) override;

private:
    // The controls, frame by frame (MainWindowFrames.cpp). Each frame is made in the order
    // of the window's focus chain.
    void buildWidgets();
    void buildContent();
    void buildVerdictLine();
    void buildGeneralFrame();
    void buildCylinderTypeFrame();
    QGroupBox* buildDesignFormatFrame(QWidget* parent);
    void buildGeometryFrame();
    void buildAddToDatabaseButton();
    void buildStiffenerFrame();
    void buildRingFrame();
    PanelWidget* buildLengthPicture(QWidget* parent);
    void buildLoadingFrame();
    void buildColumnFrame();
    QGroupBox* buildDimensioningMomentsFrame(QWidget* parent);
    void buildSketchFrame();
    void buildResultFrames();
    void buildDecimalProbe();
    // A profile list with its description under it and its picture button beside them, on
    // rows `row` and `row + 1` of `grid`.
    struct ProfileRow {
        QComboBox* list;
        SketchButton* picture;
        QLabel* description;
    };
    ProfileRow addProfileRow(QGroupBox* frame, QGridLayout* grid, int row, const char* listName,
                             const char* pictureName, const char* descriptionName);
    // A material list with the yield strength box of `part` (0 plate, 1 stiffener, 2 ring frame).
    QComboBox* addMaterialRow(QGroupBox* frame, QGridLayout* grid, int row, const char* listName,
                              const char* symbol, const char* boxName, int part);
    void buildMenus();
    void buildFileMenu(QMenuBar* bar);
    void buildProfilesMenu(QMenuBar* bar);
    void buildDatabaseMenu(QMenuBar* bar);
    void buildHelpMenu(QMenuBar* bar);

    void layoutFrames();
    void installFilters();
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
    // The profile lines under the profile lists: the description, in red with the limits it
    // fails where a profile in use fails a proportion limit.
    void showProfileLines();
    // The panels a stopped run did not bring up to date: grey, under "Not recalculated: ".
    void showStaleNotes();
    // The verdict of the case on the verdict line, its reasons in the line's tooltip.
    void showVerdict();
    // After a box was left: the modified marker and the verdict.
    void showInputTaken();
    // "Velmora DNV: " and the case file, or "Database row: " and the row's identification.
    QString caption() const;
    void setCaption();
    // The case came from a database row (not from a case file): the caption names the row and
    // Save asks for a file name. Another window that loads a row calculates it itself, so a
    // refresh after a run this window did not start shows a row.
    void showDatabaseRow();
    void leaveDatabaseRow();
    // Every field of a case just read that lies outside its limits, in one message.
    void warnOfInputsOutOfLimits(const std::string& intro);
    // Print and Export Report as PDF draw the report only for a calculated case.
    bool reportRefused();
    void showRecentMenu();
    void detectDecimalSeparatorFromLocale();
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
    std::unique_ptr<InputBoxes> inputs_;
    ProfileDialogs* dialogs_ = nullptr;
    DatabaseWindows* database_ = nullptr;
    HelpWindows* help_ = nullptr;
    QPointer<DesignStudyWindow> study_;
    bool laidOut_ = false;
    bool inLayout_ = false;
    std::string unchangedText_; // case-file text of the case as last opened, saved or started
    // The identification of the database row the case was loaded from; none for a case file.
    std::optional<std::string> databaseRow_;
    // The inputs of the last run this window started (the refresh tells another window's run
    // by them).
    std::optional<DesignCase> ownRunInputs_;

    // The controls the window changes; the object names of the controls are in brackets.
    QScrollArea* scroll_ = nullptr;
    QLabel* verdictLine_ = nullptr; // verdictLine: the verdict of the case, above the content
    QWidget* content_ = nullptr;    // the window's content, scrolled where the screen is too small
    QWidget* inputFrame_ = nullptr; // fr10: the input frames
    QGroupBox* generalFrame_ = nullptr;                  // fr110
    QGroupBox* cylinderTypeFrame_ = nullptr;             // fr111
    QGroupBox* geometryFrame_ = nullptr;                 // fr112
    QGroupBox* stiffenerFrame_ = nullptr;                // fr120
    QGroupBox* ringFrame_ = nullptr;                     // fr121
    QGroupBox* loadingFrame_ = nullptr;                  // fr123
    QGroupBox* columnFrame_ = nullptr;                   // fr124
    LoadCaseTable* loadCaseTable_ = nullptr;             // frLoadCases: under the sketch
    QGroupBox* sketchFrame_ = nullptr;                   // fr20
    QGroupBox* shellResultFrame_ = nullptr;              // fr30
    QGroupBox* stiffenerResultFrame_ = nullptr;          // fr31
    QGroupBox* ringResultFrame_ = nullptr;               // fr32
    QPushButton* addToDatabaseButton_ = nullptr;         // cmdDatabase
    PanelWidget* sketchPanel_ = nullptr;                 // pic20
    PanelWidget* shellPanel_ = nullptr;                  // pic30
    PanelWidget* stiffenerPanel_ = nullptr;              // pic31
    PanelWidget* ringPanel_ = nullptr;                   // pic32
    SketchButton* stiffenerPictureButton_ = nullptr;     // cmdpic_stiff
    SketchButton* ringPictureButton_ = nullptr;          // cmdpic_gird
    std::array<QRadioButton*, 4> cylinderTypeOptions_{}; // cylinder0 .. cylinder3
    QCheckBox* outsideStiffeningCheck_ = nullptr;        // Outside_ch
    QCheckBox* ringControlCheck_ = nullptr;              // ring_ch
    QCheckBox* heavyRingControlCheck_ = nullptr;         // hring_ch
    QCheckBox* specialIhCheck_ = nullptr;                // check_ih
    QRadioButton* lrfdOption_ = nullptr;                 // opt_lrfd
    QRadioButton* wsdOption_ = nullptr;                  // opt_wsd
    QPushButton* lrfdInfoButton_ = nullptr;              // cmd_lrfd
    QPushButton* wsdInfoButton_ = nullptr;               // cmd_wsd
    QLabel* usageFactorLabel_ = nullptr;                 // text_ufb
    QRadioButton* fabricatedRingOption_ = nullptr;       // ringfab0
    QRadioButton* coldFormedRingOption_ = nullptr;       // ringfab1
    QRadioButton* maximumMomentOption_ = nullptr;        // odmom1
    QRadioButton* reducedMomentOption_ = nullptr;        // odmom2
    QLabel* stiffenerProfileLabel_ = nullptr;            // stiffprof
    QLabel* ringProfileLabel_ = nullptr;                 // ringprof
    QLabel* loadingNote_ = nullptr;                      // txt1
    QComboBox* plateMaterialList_ = nullptr;             // cbofyp
    QComboBox* stiffenerMaterialList_ = nullptr;         // cbofys
    QComboBox* ringMaterialList_ = nullptr;              // cbofyg
    QComboBox* stiffenerKindList_ = nullptr;             // cbostiff
    QComboBox* ringKindList_ = nullptr;                  // cboring
    QLineEdit* decimalProbe_ = nullptr; // Test: the hidden box that tells the decimal separator
    QMenu* profilesMenu_ = nullptr;     // mnuprofiles
    QMenu* stiffenerMenu_ = nullptr;    // mnustiff
    QMenu* ringMenu_ = nullptr;         // mnuring
    std::array<QAction*, 5> recentActions_{}; // mnurecentfile0 .. mnurecentfile5
};

} // namespace velmora
