// The profile dialogs on a small stand-in for the main window: dialogs are found by object name,
// typed through the keyboard, and the warnings come from the recording notifier.

#include "ui/profiles/ProfileDialogs.h"
#include "calc/Calc.h"
#include "calc/State.h"
#include "files/DataFiles.h"
#include "forms/ProfileDialogDesc.h"
#include "support/RecordingNotifier.h"
#include "ui/main/CaseHost.h"
#include "ui/profiles/ProfileDialog.h"
#include "ui/widgets/QtNotifier.h"

#include "MessageBoxes.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

#include <map>
#include <memory>

using namespace velmora;

namespace {

// The warnings and focus requests of every window in one list; a focus request is carried out in
// the window that made it, as the program's notifier does.
class WindowRecorder : public Notifier {
public:
    WindowRecorder(RecordingNotifier& log, QWidget* window) : log_(log), window_(window) {}
    void warn(const std::string& text) override { log_.warn(text); }
    void focus(const std::string& control) override {
        log_.focus(control);
        QtNotifier::focusControl(window_, control);
    }

private:
    RecordingNotifier& log_;
    QPointer<QWidget> window_;
};

// The main window as far as the dialogs see it: the state, a recording notifier (or, with
// `realMessages`, the program's own message boxes), the two profile lists, and a recalculation
// that runs the driver and counts the runs.
class FakeHost : public QWidget, public CaseHost {
public:
    FakeHost() {
        setObjectName("velmora");
        auto* col = new QVBoxLayout(this);
        stiffList = new QComboBox(this);
        stiffList->setObjectName("cbostiff");
        ringList = new QComboBox(this);
        ringList->setObjectName("cboring");
        for (int16_t k = 0; k < ProfileKind::Count; ++k) {
            stiffList->addItem(stiffKindCaption(k));
            ringList->addItem(ringKindCaption(k));
        }
        col->addWidget(stiffList);
        col->addWidget(ringList);
        newCase(st);
        loadDataFiles(st, VELMORA_DATA_DIR);
        calcAll(st, nt);
        resize(900, 600);
    }

    State& state() override { return st; }
    Notifier& notifier() override { return nt; }
    Notifier& notifierFor(QWidget* window) override {
        auto& n = realMessages ? messageBoxes[window] : recorders[window];
        if (!n) {
            if (realMessages)
                n = std::make_unique<QtNotifier>(window);
            else
                n = std::make_unique<WindowRecorder>(nt, window);
        }
        return *n;
    }
    using CaseHost::recalculate;
    void recalculate(Notifier& n) override {
        ++runs;
        calcAll(st, n);
    }
    void refreshWindow() override {}
    QWidget* hostWidget() override { return this; }

    State st;
    RecordingNotifier nt;
    bool realMessages = false;
    std::map<QWidget*, std::unique_ptr<Notifier>> recorders;
    std::map<QWidget*, std::unique_ptr<Notifier>> messageBoxes;
    QComboBox* stiffList = nullptr;
    QComboBox* ringList = nullptr;
    int runs = 0;
};

// Warnings as a string list, so that a failed comparison prints them.
using Warnings = QStringList;
QStringList warned(const RecordingNotifier& nt) {
    QStringList out;
    for (const auto& w : nt.warnings())
        out << QString::fromStdString(w);
    return out;
}

} // namespace

class ProfileDialogsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<FakeHost> host;
    std::unique_ptr<ProfileDialogs> dialogs;

    ProfileDialog* openStiff(int kind) {
        dialogs->openStiffenerDialog(kind);
        return active(profileDialogFor(ProfileMember::Stiffener, kind)->name);
    }
    ProfileDialog* openRing(int kind) {
        dialogs->openRingDialog(kind);
        return active(profileDialogFor(ProfileMember::Ring, kind)->name);
    }
    ProfileDialog* active(const char* name) {
        auto* d = host->findChild<ProfileDialog*>(name);
        if (!d)
            return nullptr;
        if (!QTest::qWaitForWindowActive(d))
            qWarning("dialog %s did not become active", name);
        QCoreApplication::processEvents();
        return d;
    }
    static QLineEdit* box(QWidget* d, const char* name) { return d->findChild<QLineEdit*>(name); }
    static QString label(QWidget* d, const char* name) {
        auto* l = d->findChild<QLabel*>(name);
        return l ? l->text() : QString("<absent>");
    }
    // Types into a box as the user does (focus, replace the text) and presses Enter, which moves
    // the focus on and so takes the value.
    static void typeAndEnter(QWidget* d, const char* name, const char* text) {
        QLineEdit* e = box(d, name);
        QVERIFY(e);
        e->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        e->selectAll();
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    static void clickOk(QWidget* d) {
        auto* ok = d->findChild<QPushButton*>("Command1");
        QVERIFY(ok);
        QTest::mouseClick(ok, Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    // The new case's stiffener made a built-up L of the table's row 6, L90x90x9x9.
    void useBuiltUpL90() {
        BuiltUpDims& set = host->st.dc.stiff.savedSet(ProfileKind::LBuiltUp);
        set.H = 90;
        set.B = 90;
        set.tw = 9;
        set.tf = 9;
        host->st.dc.stiff.kind = ProfileKind::LBuiltUp;
        host->st.dc.stiff.rowL = 0;
        calcAll(host->st, host->nt);
        QCOMPARE(host->st.res.stiffProfileText, std::string("L 90x90x9.0x9.0"));
    }

private slots:
    void init() {
        host = std::make_unique<FakeHost>();
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host.get()));
        dialogs = std::make_unique<ProfileDialogs>(*host);
    }
    void cleanup() {
        dialogs.reset();
        host.reset();
    }

    void everyDialogHasItsCaptionAndControls() {
        const DesignCase before = host->st.dc;
        for (const auto& desc : profileDialogDescs()) {
            if (desc.member == ProfileMember::Stiffener)
                dialogs->openStiffenerDialog(desc.kind);
            else
                dialogs->openRingDialog(desc.kind);
            ProfileDialog* d = active(desc.name);
            QVERIFY2(d, desc.name);
            QCOMPARE(d->windowTitle(), QString(desc.caption));
            QVERIFY(d->findChild<QWidget*>("pic1"));
            QCOMPARE(d->findChild<QPushButton*>("Command1")->text(), QString("OK"));
            QCOMPARE(d->findChild<QPushButton*>("cmdCancel")->text(), QString("Cancel"));
            // Opening changes nothing.
            QVERIFY2(host->st.dc == before, desc.name);
            auto* list = d->findChild<QListWidget*>("cbo");
            QCOMPARE(list != nullptr, desc.isPicker());
            for (const auto& b : desc.boxes)
                QVERIFY2(!box(d, b.name)->text().isEmpty(), b.name);
            // The profile shown: a built-up one, or the table row equal to the member's
            // current profile; a picker without such a row shows none.
            const bool shown = !desc.isPicker() || !list->selectedItems().isEmpty();
            for (const auto& l : desc.labels)
                QVERIFY2(label(d, l.name).isEmpty() != shown, l.name);
            for (const auto& c : desc.checks)
                QVERIFY2(label(d, c.name).contains("==> ") == shown, c.name);
            if (desc.isPicker()) {
                auto* f3 = d->findChild<QGroupBox*>("Frame3");
                QVERIFY(f3);
                QCOMPARE(f3->title(), QString(desc.profileFrameCaption));
            }
            // For the eye: VELMORA_SHOTS=folder keeps a picture of every dialog.
            const QByteArray shots = qgetenv("VELMORA_SHOTS");
            if (!shots.isEmpty())
                d->grab().save(QString("%1/%2.png").arg(QString(shots), desc.name));
            d->close();
        }
    }

    void typedThicknessBelowTheMinimumIsRaised() {
        ProfileDialog* d = openStiff(ProfileKind::LBuiltUp);
        QVERIFY(d);
        host->nt.clear();
        const int runs = host->runs;
        typeAndEnter(d, "isttw", "0.05");
        // A typed dimension chooses the built-up profile.
        QCOMPARE(host->st.dc.stiff.kind, ProfileKind::LBuiltUp);
        QCOMPARE(host->stiffList->currentText(), QString("L-built up"));
        QCOMPARE(warned(host->nt), Warnings{" tw >= 0.1 "});
        QCOMPARE(host->st.dc.stiff.savedSet(ProfileKind::LBuiltUp).tw, 0.1f);
        QCOMPARE(box(d, "isttw")->text(), QString("0.1"));
        QVERIFY(host->runs > runs);
        // The recalculated section uses the corrected web: the current tw of the stiffener.
        QCOMPARE(host->st.dc.stiff.tw, 0.1f);
        // The focus returned to the box.
        QTRY_VERIFY(box(d, "isttw")->hasFocus());
    }

    void heightBelowFiveIsRaisedForTheRingFrameOnly() {
        ProfileDialog* g = openRing(ProfileKind::LBuiltUp);
        QVERIFY(g);
        host->nt.clear();
        typeAndEnter(g, "isth", "3");
        QCOMPARE(host->ringList->currentText(), QString("L-built up"));
        QCOMPARE(warned(host->nt), Warnings{" H >= 5 "});
        QCOMPARE(host->st.dc.ring.savedSet(ProfileKind::LBuiltUp).H, 5.0f);
        QCOMPARE(box(g, "isth")->text(), QString("5"));
        g->close();
        // A 5 mm high L with a 12 mm flange has no web; give the ring frame back its T.
        host->st.dc.ring.kind = ProfileKind::TTable;
        calcAll(host->st, host->nt);

        ProfileDialog* s = openStiff(ProfileKind::LBuiltUp);
        QVERIFY(s);
        host->nt.clear();
        typeAndEnter(s, "isth", "3");
        // Kept as typed; the run with a 3 mm high L and a 12 mm flange then stops and says so.
        QCOMPARE(warned(host->nt).first(), QString(" H >= 5 "));
        QCOMPARE(warned(host->nt).count(" H >= 5 "), 1);
        QVERIFY(!host->st.run.lastRunCompleted);
        QCOMPARE(host->st.dc.stiff.savedSet(ProfileKind::LBuiltUp).H, 3.0f);
        QCOMPARE(box(s, "isth")->text(), QString("3"));
    }

    void okWarnsAboutAThinWebAndStillCloses() {
        ProfileDialog* d = openStiff(ProfileKind::LBuiltUp);
        QVERIFY(d);
        typeAndEnter(d, "isttw", "0.5");
        host->nt.clear();
        const int runs = host->runs;
        clickOk(d);
        QCOMPARE(warned(host->nt), Warnings{" tw >= 1 "});
        QVERIFY(!d->isVisible());
        QCOMPARE(host->st.dc.stiff.savedSet(ProfileKind::LBuiltUp).tw, 0.5f);
        QCOMPARE(host->runs, runs + 1);
    }

    void okWithALowHeightWarnsTwice() {
        ProfileDialog* d = openStiff(ProfileKind::TBuiltUp);
        QVERIFY(d);
        typeAndEnter(d, "isth", "4");
        host->nt.clear();
        clickOk(d);
        // Once from the OK button, once from the closing; the run after it may then report
        // that a 4 mm high T with a 12 mm flange has no web.
        const QStringList w = warned(host->nt);
        QCOMPARE(w.count(" H >= 5 "), 2);
        QCOMPARE(w.mid(0, 2), (Warnings{" H >= 5 ", " H >= 5 "}));
        QVERIFY(!d->isVisible());
        QCOMPARE(host->st.dc.stiff.savedSet(ProfileKind::TBuiltUp).H, 4.0f);
    }

    void ringOkButtonsDoNotRecheck() {
        ProfileDialog* d = openRing(ProfileKind::IBuiltUp);
        QVERIFY(d);
        typeAndEnter(d, "isttf", "0.5");
        host->nt.clear();
        const int runs = host->runs;
        clickOk(d);
        QCOMPARE(warned(host->nt), Warnings{});
        QVERIFY(!d->isVisible());
        QCOMPARE(host->runs, runs); // closes only

        d = openRing(ProfileKind::FlatBuiltUp);
        QVERIFY(d);
        const int runs2 = host->runs;
        clickOk(d);
        QCOMPARE(host->runs, runs2 + 1); // closes and recalculates
    }

    void closingTheTrapezoidRingFrameRechecksA() {
        ProfileDialog* d = openRing(ProfileKind::Trapez);
        QVERIFY(d);
        typeAndEnter(d, "ista", "-3");
        QCOMPARE(warned(host->nt).back(), QString(" a >= 0 "));
        QCOMPARE(host->st.dc.ring.savedSet(ProfileKind::Trapez).a, -3.0f);
        host->nt.clear();
        d->close();
        QCOMPARE(warned(host->nt), Warnings{" a >= 0 "});
    }

    void rhsDimensionsSurviveATrapezoidAndBack() {
        ProfileDialog* rhs = openStiff(ProfileKind::RHS);
        QVERIFY(rhs);
        typeAndEnter(rhs, "isth", "150");
        typeAndEnter(rhs, "istb", "80");
        typeAndEnter(rhs, "isttw", "6");
        clickOk(rhs);
        QCOMPARE(host->st.res.stiffProfileText, std::string("RHS 150x80x6.0"));

        ProfileDialog* usp = openStiff(ProfileKind::Trapez);
        QVERIFY(usp);
        typeAndEnter(usp, "isth", "120");
        typeAndEnter(usp, "isttw", "8");
        clickOk(usp);
        QCOMPARE(host->st.dc.stiff.kind, ProfileKind::Trapez);
        QCOMPARE(host->st.dc.stiff.H, 120.0f);

        rhs = openStiff(ProfileKind::RHS);
        QVERIFY(rhs);
        // Shown, not yet chosen: OK chooses it.
        QCOMPARE(host->st.dc.stiff.kind, ProfileKind::Trapez);
        QCOMPARE(label(rhs, "sta"), QString("2616 mm2"));
        clickOk(rhs);
        QCOMPARE(host->st.dc.stiff.kind, ProfileKind::RHS);
        QCOMPARE(host->st.dc.stiff.H, 150.0f);
        QCOMPARE(host->st.dc.stiff.B, 80.0f);
        QCOMPARE(host->st.dc.stiff.tw, 6.0f);
        QCOMPARE(box(rhs, "isth")->text(), QString("150"));
        QCOMPARE(box(rhs, "isttw")->text(), QString("6.0"));
        // RHS 150x80x6: A = 150*80 - 138*68 = 2616 mm2.
        QCOMPARE(host->st.res.stiffSection.A, 2616.0f);
    }

    void rowChosenInTheRingTTableLeavesTheStiffenerAlone() {
        host->st.dc.stiff.rowT = 3;
        ProfileDialog* d = openRing(ProfileKind::TTable);
        QVERIFY(d);
        auto* list = d->findChild<QListWidget*>("cbo");
        QVERIFY(list);
        QCOMPARE(list->count(), static_cast<int>(host->st.profiles.T.rows.size()));
        const int runs = host->runs;
        QListWidgetItem* item = list->item(5);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
        QCoreApplication::processEvents();
        QCOMPARE(host->st.dc.ring.rowT, int16_t(5));
        QCOMPARE(host->st.dc.ring.kind, ProfileKind::TTable);
        QCOMPARE(host->st.dc.stiff.rowT, int16_t(3));
        QVERIFY(host->runs > runs);
        // Row 5 of the delivered T table is T300x100x10x15: A = 10*285 + 100*15 = 4350 mm2.
        QCOMPARE(host->st.dc.ring.H, 300.0f);
        QCOMPARE(label(d, "sth"), QString("300 mm"));
        QCOMPARE(label(d, "sta"), QString("4350 mm2"));
        QCOMPARE(host->st.res.ringProfileText, std::string("T 300x100x10.0x15.0"));
    }

    void stiffenerListShowsTheRowsAndTheStoredRow() {
        host->st.dc.stiff.kind = ProfileKind::LTable;
        host->st.dc.stiff.rowL = 6;
        ProfileDialog* d = openStiff(ProfileKind::LTable);
        QVERIFY(d);
        auto* list = d->findChild<QListWidget*>("cbo");
        QCOMPARE(list->count(), static_cast<int>(host->st.profiles.L.rows.size()));
        QCOMPARE(list->item(0)->text(), QString("L75x50x6x6"));
        QCOMPARE(list->item(6)->text(), QString("L90x90x9x9"));
        QCOMPARE(list->currentRow(), 6);
        QCOMPARE(label(d, "sth"), QString("90 mm"));
        QCOMPARE(label(d, "sttw"), QString("9.0 mm"));
    }

    void openingTheBulbFlatPickerChangesNothingUntilARowIsChosen() {
        host->st.dc.stiff.kind = ProfileKind::LTable;
        host->st.dc.stiff.rowBulb = 2;
        calcAll(host->st, host->nt);
        const DesignCase before = host->st.dc;
        const std::string text = host->st.res.stiffProfileText;
        const int runs = host->runs;
        ProfileDialog* d = openStiff(ProfileKind::BulbFlat);
        QVERIFY(d);
        QVERIFY(host->st.dc == before);
        QCOMPARE(host->runs, runs);
        QCOMPARE(host->st.res.stiffProfileText, text);
        // No bulb flat is an L: nothing highlighted, no profile shown.
        auto* list = d->findChild<QListWidget*>("cbo");
        QVERIFY(list->selectedItems().isEmpty());
        QCOMPARE(label(d, "sta"), QString());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(2)).center());
        QCoreApplication::processEvents();
        QCOMPARE(host->st.dc.stiff.kind, ProfileKind::BulbFlat);
        QCOMPARE(host->stiffList->currentText(), QString("Bulb Flat"));
        // Row 2 of the delivered bulb table: HP 80x7, c 12, r 3.5, A 661.
        // B = 12 + 7 - 1.575 = 17.425, stored in single precision as 17.4249992 and so shown as
        // 17.4; tf = (661 - 560)/10.425 = 9.69.
        QCOMPARE(host->st.res.stiffProfileText, std::string("BF 80x7.0"));
        QCOMPARE(label(d, "stb"), QString("17.4 mm"));
        QCOMPARE(label(d, "sttf"), QString("9.7 mm"));
        QCOMPARE(label(d, "sta"), QString("661 mm2"));
        QCOMPARE(list->currentRow(), 2);
    }

    void theTablePickerFindsTheProfileAndCancelPutsItBack() {
        useBuiltUpL90();
        const DesignCase before = host->st.dc;
        const int runs = host->runs;
        ProfileDialog* d = openStiff(ProfileKind::LTable);
        QVERIFY(d);
        // The row of the same designation is highlighted; nothing changed.
        auto* list = d->findChild<QListWidget*>("cbo");
        QCOMPARE(list->currentRow(), 6);
        QCOMPARE(label(d, "sth"), QString("90 mm"));
        QVERIFY(host->st.dc == before);
        QCOMPARE(host->runs, runs);
        // A row chosen changes the case at once.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        QCoreApplication::processEvents();
        QCOMPARE(host->st.dc.stiff.kind, ProfileKind::LTable);
        QCOMPARE(host->st.res.stiffProfileText, std::string("L 75x50x6.0x6.0"));
        // Escape puts back the built-up L the dialog found, and recalculates.
        QTest::keyClick(list, Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(!d->isVisible());
        QVERIFY(host->st.dc.stiff == before.stiff);
        QCOMPARE(host->st.res.stiffProfileText, std::string("L 90x90x9.0x9.0"));
        QCOMPARE(host->stiffList->currentText(), QString("L-built up"));

        // Opened again: the found profile is the case's; Cancel after a choice puts it back.
        d = openStiff(ProfileKind::LTable);
        QVERIFY(d);
        list->setCurrentRow(3);
        QCOMPARE(host->st.dc.stiff.rowL, int16_t(3));
        QTest::mouseClick(d->findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
        QCoreApplication::processEvents();
        QVERIFY(!d->isVisible());
        QVERIFY(host->st.dc.stiff == before.stiff);
    }

    void okOfAPickerWithoutAChoiceChangesNothing() {
        // The run computes no ring section, so the OK's recalculation computes it: that of the
        // ring frame the case has, not of the dialog's table.
        host->st.dc.ringControl = 0;
        calcAll(host->st, host->nt);
        const DesignCase before = host->st.dc;
        ProfileDialog* d = openRing(ProfileKind::FlatTable);
        QVERIFY(d);
        clickOk(d);
        QVERIFY(!d->isVisible());
        QVERIFY(host->st.dc == before);
        QCOMPARE(host->ringList->currentText(), QString("T-table"));
    }

    void theBuiltUpDialogShowsWithoutChoosingAndCancelPutsItsDimensionsBack() {
        // The stiffener is the table's row 6; the built-up L dialog shows its own saved set.
        host->st.dc.stiff.kind = ProfileKind::LTable;
        host->st.dc.stiff.rowL = 6;
        calcAll(host->st, host->nt);
        const DesignCase before = host->st.dc;
        ProfileDialog* d = openStiff(ProfileKind::LBuiltUp);
        QVERIFY(d);
        QVERIFY(host->st.dc == before);
        QCOMPARE(host->st.res.stiffProfileText, std::string("L 90x90x9.0x9.0"));
        QCOMPARE(host->stiffList->currentText(), QString("L-table"));
        // The new case's saved L 200x90x9x12: A = 9 * 188 + 90 * 12 = 2772 mm2.
        QCOMPARE(box(d, "isth")->text(), QString("200"));
        QCOMPARE(label(d, "sta"), QString("2772 mm2"));
        // A dimension typed chooses it; Cancel puts back the table row and the saved set.
        typeAndEnter(d, "isth", "150");
        QCOMPARE(host->st.dc.stiff.kind, ProfileKind::LBuiltUp);
        QCOMPARE(host->st.dc.stiff.savedSet(ProfileKind::LBuiltUp).H, 150.0f);
        QTest::mouseClick(d->findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
        QCoreApplication::processEvents();
        QVERIFY(!d->isVisible());
        QVERIFY(host->st.dc.stiff == before.stiff);
        QCOMPARE(host->st.res.stiffProfileText, std::string("L 90x90x9.0x9.0"));
        QCOMPARE(host->stiffList->currentText(), QString("L-table"));
    }

    void choosingATStiffenerRowRecomputesTheSection() {
        ProfileDialog* d = openStiff(ProfileKind::TTable);
        QVERIFY(d);
        auto* list = d->findChild<QListWidget*>("cbo");
        list->setCurrentRow(1);
        QCOMPARE(host->st.dc.stiff.rowT, int16_t(1));
        // T200x100x10x12: A = 10*188 + 100*12 = 3080 mm2.
        QCOMPARE(label(d, "sta"), QString("3080 mm2"));
        QCOMPARE(host->st.res.stiffProfileText, std::string("T 200x100x10.0x12.0"));
    }

    void ringDialogShowsItsOwnSectionWithoutTheRingCheck() {
        host->st.dc.ringControl = 0; // the run computes no ring section
        ProfileDialog* d = openRing(ProfileKind::LBuiltUp);
        QVERIFY(d);
        typeAndEnter(d, "isth", "300");
        // L 300x90x9x12: A = 9*288 + 90*12 = 3672 mm2.
        QCOMPARE(label(d, "sta"), QString("3672 mm2"));
        QCOMPARE(host->st.res.ringProfileText, std::string("L 300x90x9.0x12.0"));
    }

    void enterMovesAroundTheBoxesInOrder() {
        ProfileDialog* d = openStiff(ProfileKind::Trapez);
        QVERIFY(d);
        const char* order[] = {"isth", "istb", "ista", "isttw", "isth"};
        box(d, order[0])->setFocus();
        QCoreApplication::processEvents();
        for (int i = 0; i < 4; ++i) {
            QVERIFY(box(d, order[i])->hasFocus());
            QTest::keyClick(box(d, order[i]), Qt::Key_Enter);
            QCoreApplication::processEvents();
        }
        QVERIFY(box(d, "isth")->hasFocus());
        QCOMPARE(warned(host->nt), Warnings{});
    }

    void passingThroughABoxKeepsTheStoredValue() {
        host->st.dc.stiff.savedSet(ProfileKind::LBuiltUp).tw = 9.25f;
        ProfileDialog* d = openStiff(ProfileKind::LBuiltUp);
        QVERIFY(d);
        QCOMPARE(box(d, "isttw")->text(), QString("9.3"));
        box(d, "isttw")->setFocus();
        QCoreApplication::processEvents();
        QTest::keyClick(box(d, "isttw"), Qt::Key_Return);
        QCoreApplication::processEvents();
        clickOk(d);
        QCOMPARE(host->st.dc.stiff.savedSet(ProfileKind::LBuiltUp).tw, 9.25f);
    }

    void closeAllKeepsTheReplacedCase() {
        ProfileDialog* d = openStiff(ProfileKind::LBuiltUp);
        QVERIFY(d);
        QLineEdit* h = box(d, "isth");
        h->setFocus();
        QCoreApplication::processEvents();
        h->selectAll();
        QTest::keyClicks(h, "2");
        host->nt.clear();
        // The case is replaced (as by opening a case file), then the dialogs are closed.
        host->st.dc.stiff.savedSet(ProfileKind::LBuiltUp).H = 180;
        dialogs->closeAll();
        QCoreApplication::processEvents();
        QVERIFY(!d->isVisible());
        QCOMPARE(host->st.dc.stiff.savedSet(ProfileKind::LBuiltUp).H, 180.0f);
        QCOMPARE(warned(host->nt), Warnings{});
    }

    void closingWithAnEditedBoxTakesItFirst() {
        ProfileDialog* d = openRing(ProfileKind::TBuiltUp);
        QVERIFY(d);
        QLineEdit* h = box(d, "isth");
        h->setFocus();
        QCoreApplication::processEvents();
        h->selectAll();
        QTest::keyClicks(h, "3");
        host->nt.clear();
        const int runs = host->runs;
        d->close(); // by the window frame
        QCoreApplication::processEvents();
        QVERIFY(!d->isVisible());
        // Taken as on leaving: warned, raised to 5 and recalculated; the closing check passes.
        QCOMPARE(warned(host->nt).first(), QString(" H >= 5 "));
        QCOMPARE(warned(host->nt).count(" H >= 5 "), 1);
        QCOMPARE(host->st.dc.ring.savedSet(ProfileKind::TBuiltUp).H, 5.0f);
        QVERIFY(host->runs > runs);
    }

    void aMessageBoxOverTheDialogDoesNotRestartItsActivation() {
        // A ring frame higher than the radius: every ring section says so, so a dialog that
        // took the return from the message box for a new activation would warn without end.
        host->realMessages = true;
        MessageBoxes boxes;
        ProfileDialog* d = openRing(ProfileKind::LBuiltUp);
        QVERIFY(d);
        QVERIFY(boxes.texts().isEmpty());
        typeAndEnter(d, "isth", "1600");
        QTRY_VERIFY(boxes.texts().contains(" r > height of ringframe  "));
        QTRY_VERIFY(d->isActiveWindow());
        const qsizetype afterOpen = boxes.texts().count(" r > height of ringframe  ");
        QTest::qWait(300);
        QCOMPARE(boxes.texts().count(" r > height of ringframe  "), afterOpen);
        // The boxes stood over the dialog, not over the main window.
        for (const auto& b : boxes.boxes)
            QCOMPARE(b.over.data(), static_cast<QWidget*>(d));
    }

    void aBoxThatIsNotANumberKeepsTheValue() {
        host->st.run.decimalPointLocale = false;
        ProfileDialog* d = openStiff(ProfileKind::FlatBuiltUp);
        QVERIFY(d);
        host->nt.clear();
        typeAndEnter(d, "isth", "1x0");
        QCOMPARE(warned(host->nt), Warnings{"Input string mismatch "});
        QCOMPARE(host->st.dc.stiff.savedSet(ProfileKind::FlatBuiltUp).H, 100.0f);
        QCOMPARE(box(d, "isth")->text(), QString("1x0"));
        // OK does not close over a box that is not a number.
        host->nt.clear();
        clickOk(d);
        QVERIFY(d->isVisible());
        QCOMPARE(host->st.dc.stiff.savedSet(ProfileKind::FlatBuiltUp).H, 100.0f);
        // Closing by the frame reports it once and keeps the stored value.
        box(d, "isth")->setFocus();
        QCoreApplication::processEvents();
        QTest::keyClicks(box(d, "isth"), "y");
        host->nt.clear();
        d->close();
        QCoreApplication::processEvents();
        QVERIFY(!d->isVisible());
        QCOMPARE(warned(host->nt), Warnings{"Input string mismatch "});
        QCOMPARE(host->st.dc.stiff.savedSet(ProfileKind::FlatBuiltUp).H, 100.0f);
    }
};

QTEST_MAIN(ProfileDialogsTest)
#include "ProfileDialogsTest.moc"
