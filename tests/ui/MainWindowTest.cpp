// The main window driven as a user drives it: boxes found by their control names, focus moved,
// Enter pressed, options clicked; the messages taken from a recording notifier.
#include "ui/main/MainWindow.h"
#include "calc/CaseIo.h"
#include "calc/DatabaseRows.h"
#include "calc/State.h"
#include "database/Batch.h"
#include "files/CaseFile.h"
#include "files/DataFiles.h"
#include "files/DatabaseFile.h"
#include "files/RecentFiles.h"
#include "support/RecordingNotifier.h"
#include "ui/profiles/ProfileDialog.h"
#include "ui/widgets/QtNotifier.h"

#include "MessageBoxes.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace velmora;

namespace {

// Records the messages and carries out the focus requests, as the window's own notifier does.
class TestNotifier : public RecordingNotifier {
public:
    QWidget* window = nullptr;
    void focus(const std::string& control) override {
        RecordingNotifier::focus(control);
        QtNotifier::focusControl(window, control);
    }
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MemoryStore> store_;
    std::unique_ptr<TestNotifier> nt_;
    std::unique_ptr<MainWindow> w_;
    // The question before a changed case is replaced; answered Discard unless a test says else.
    std::unique_ptr<MessageBoxes> boxes_;

    State& st() { return w_->state(); }
    QLineEdit* box(const char* name) { return w_->findChild<QLineEdit*>(name); }
    template <class T> T* get(const char* name) {
        T* c = w_->findChild<T*>(name);
        if (c == nullptr)
            qFatal("no control %s", name);
        return c;
    }

    MainWindow::Options options() {
        MainWindow::Options o;
        o.programDir = dir_->path();
        o.dataDir = QStringLiteral(VELMORA_DATA_DIR);
        o.notifier = nt_.get();
        o.recentStore = store_.get();
        return o;
    }

    void start() {
        restart(options());
        nt_->clear();
    }

    // A fresh window started with `o`, its start-up messages kept.
    void restart(const MainWindow::Options& o) {
        w_ = std::make_unique<MainWindow>(o);
        nt_->window = w_.get();
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        w_->startUp();
    }

    // Types `text` into the box and moves the focus on to `next`, as a user leaving it does.
    void type(const char* name, const QString& text, const char* next = "iproj") {
        QLineEdit* e = box(name);
        e->setFocus();
        QApplication::processEvents();
        e->setText(text);
        box(next)->setFocus();
        QApplication::processEvents();
    }

    void pressEnter(const char* name, const QString& text) {
        QLineEdit* e = box(name);
        e->setFocus();
        QApplication::processEvents();
        e->setText(text);
        QTest::keyClick(e, Qt::Key_Return);
        QApplication::processEvents();
    }

    // A fresh window with the program's own notifier: its message boxes are answered by
    // boxes_, which notes them.
    void startWithMessageBoxes() {
        w_.reset();
        MainWindow::Options o = options();
        o.notifier = nullptr;
        restart(o);
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
        boxes_->clear();
    }

    // Types into a box through the keyboard and stays in it.
    void typeAndStay(const char* name, const char* text) {
        QLineEdit* e = box(name);
        e->setFocus();
        QApplication::processEvents();
        e->selectAll();
        QTest::keyClicks(e, text);
    }

    QString caseFile(const char* name) { return dir_->filePath(QString::fromLatin1(name)); }
    State readBack(const QString& path) {
        State s;
        if (!readCaseFile(s, path.toStdString()).empty())
            qWarning("cannot read %s", qPrintable(path));
        return s;
    }

    QWidget* focused() { return QApplication::focusWidget(); }
    std::vector<std::string> warnings() { return nt_->warnings(); }

    void writeSample(const QString& path, const char* ident) {
        State s;
        newCase(s);
        s.dc.identification = ident;
        QVERIFY(writeCaseFile(s, path.toStdString()).empty());
    }

private slots:
    void init() {
        boxes_ = std::make_unique<MessageBoxes>();
        boxes_->answer = QMessageBox::Discard;
        dir_ = std::make_unique<QTemporaryDir>();
        store_ = std::make_unique<MemoryStore>();
        nt_ = std::make_unique<TestNotifier>();
        start();
    }
    void cleanup() {
        w_.reset();
        nt_.reset();
        boxes_.reset();
    }

    // ---- start-up --------------------------------------------------------------------------

    void startUpWithoutDatabaseShowsTheNewCaseCalculated() {
        w_.reset();
        nt_ = std::make_unique<TestNotifier>();
        restart(options());
        const auto warned = warnings();
        QCOMPARE(std::count(warned.begin(), warned.end(), std::string("Error in databasefile")), 1);
        QCOMPARE(w_->windowTitle(), QStringLiteral("Velmora DNV: New File[*]"));
        QCOMPARE(box("icylr")->text(), QStringLiteral("1500"));
        QCOMPARE(box("iproj")->text(), QStringLiteral("Project"));
        // Material row 2 looked up for 20 mm: the yield box shows a value, disabled.
        QVERIFY(!box("ifyp")->isEnabled());
        QVERIFY(st().dc.fyp >= 50);
        QVERIFY(st().res.shellUF > 0);
    }

    // A database of two cases in `folder`, written by the database module itself.
    void writeStartupDatabase(const QString& folder) {
        State s;
        newCase(s);
        loadDataFiles(s, VELMORA_DATA_DIR);
        s.dc.fyp = s.dc.fys = s.dc.fyr = 355;
        s.dc.identification = "First case";
        s.dc.r = 2000;
        QVERIFY(storeCaseInRow(s, 0));
        s.dc.identification = "Second case";
        s.dc.r = 2500;
        QVERIFY(storeCaseInRow(s, 1));
        const std::string in = QDir(folder).filePath(kStartupDatabase).toStdString();
        QVERIFY(writeDatabaseFile(s, in).empty());
    }

    void startUpWithDatabaseShowsItsFirstCase() {
        writeStartupDatabase(dir_->path());
        w_.reset();
        nt_ = std::make_unique<TestNotifier>();
        restart(options());
        QVERIFY(warnings().empty());
        QVERIFY(QFile::exists(dir_->filePath(kStartupResults)));
        QCOMPARE(box("iident")->text(), QStringLiteral("First case"));
        QCOMPARE(box("icylr")->text(), QStringLiteral("2000"));
        // Save must not write a case file over the results file.
        QCOMPARE(QString::fromStdString(st().run.fileName), QStringLiteral("New File"));
    }

    void startUpOfAnInstalledProgramWritesResultsToTheUserFolder() {
        // The database lies with the data files; the program "folder" cannot take a new file.
        QDir(dir_->path()).mkpath("share");
        writeStartupDatabase(dir_->filePath("share"));
        QFile program(dir_->filePath("bin"));
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.close();
        MainWindow::Options o = options();
        o.programDir = dir_->filePath("bin");
        o.startupDatabaseDir = dir_->filePath("share");
        o.userDataDir = dir_->filePath("user/Velmora DNV");
        w_.reset();
        nt_ = std::make_unique<TestNotifier>();
        restart(o);
        QVERIFY(warnings().empty());
        QVERIFY(QFile::exists(dir_->filePath("user/Velmora DNV/") + kStartupResults));
        QCOMPARE(box("iident")->text(), QStringLiteral("First case"));
    }

    void thousandsSeparatorsWhereTheLocaleWritesADecimalComma() {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        w_.reset();
        restart(options());
        QLocale::setDefault(before);
        QVERIFY(!st().run.decimalPointLocale);
        nt_->clear();
        type("icylr", QStringLiteral("1 600"));
        QCOMPARE(st().dc.r, 1600.0f);
        type("icylr", QStringLiteral("1") + QChar(0x202F) + QStringLiteral("700"));
        QCOMPARE(st().dc.r, 1700.0f);
        type("it", QStringLiteral("12.5"));
        QCOMPARE(st().dc.t, 12.5f);
        QCOMPARE(box("it")->text(), QStringLiteral("12,5"));
        QVERIFY(warnings().empty());
        // "." typed for thousands turns into a second decimal comma.
        type("icylr", QStringLiteral("1.234,5"));
        QCOMPARE(warnings(), std::vector<std::string>{"Input string mismatch "});
        QCOMPARE(st().dc.r, 1700.0f);
    }

    // ---- input boxes -----------------------------------------------------------------------

    void focusColourAndSelection() {
        QLineEdit* e = box("icylr");
        e->setFocus();
        QApplication::processEvents();
        QCOMPARE(e->palette().color(QPalette::Base), QColor(255, 255, 192));
        QCOMPARE(e->selectedText(), e->text());
        box("il")->setFocus();
        QApplication::processEvents();
        QCOMPARE(e->palette().color(QPalette::Base), QColor(Qt::white));
    }

    void usageFactorLimits() {
        const double before = st().res.shellUF;
        type("iufb", "0.49", "icylr");
        QCOMPARE(warnings(), std::vector<std::string>{" 0.5 < UF < 1.5 "});
        QCOMPARE(focused(), box("iufb"));
        QCOMPARE(st().dc.UF, 0.49f);
        // Refused: the case is not recalculated.
        QCOMPARE(st().res.shellUF, before);
        QCOMPARE(box("iufb")->text(), QStringLiteral("0.49"));

        nt_->clear();
        type("iufb", "0.5", "icylr");
        QVERIFY(warnings().empty());
        nt_->clear();
        type("iufb", "1.5", "icylr");
        QVERIFY(warnings().empty());
        QCOMPARE(focused(), box("icylr"));
        QCOMPARE(box("iufb")->text(), QStringLiteral("1.50"));
    }

    void spacingEqualToRadiusIsAccepted() {
        type("icylr", "600", "iproj");
        nt_->clear();
        pressEnter("is1", "600");
        QVERIFY(warnings().empty());
        QCOMPARE(focused(), box("ilt"));
        nt_->clear();
        // One more than r: refused at Enter with the focus kept ...
        pressEnter("is1", "601");
        QCOMPARE(warnings(), std::vector<std::string>{" s  <= r  "});
        QCOMPARE(focused(), box("is1"));
        // ... and on leaving the box the warning informs and the focus moves on.
        nt_->clear();
        box("ilt")->setFocus();
        QApplication::processEvents();
        QCOMPARE(warnings(), std::vector<std::string>{" s  <= r  "});
        QCOMPARE(focused(), box("ilt"));
        QCOMPARE(st().dc.s, 601.0f);
    }

    void cylinderLengthChecks() {
        type("il", "100");
        nt_->clear();
        type("icyll", "40");
        QCOMPARE(warnings(), std::vector<std::string>{" L >= 50  "});
        QCOMPARE(focused(), box("icyll"));
        nt_->clear();
        type("icyll", "60");
        QCOMPARE(warnings(), std::vector<std::string>{" L >= l  "});
        QCOMPARE(st().dc.L, 60.0f);
    }

    void ringLtIsCorrectedToTheLimit() {
        // T-table row 0 of the ring frame: pi sqrt(r (H - tf)) less 1, shown whole.
        const double h = static_cast<double>(st().dc.ring.H) - st().dc.ring.tf;
        const double limit = 3.1415929794311523 * std::sqrt(1500.0 * h);
        type("igilt", "5000");
        QVERIFY(!warnings().empty());
        QCOMPARE(warnings().front(),
                 std::string(" lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects the value "));
        QCOMPARE(st().dc.ltRing, static_cast<float>(limit - 1));
        QCOMPARE(box("igilt")->text(), QString::number(std::lround(limit - 1)));
        QCOMPARE(focused(), box("igilt"));
    }

    void enterInAMomentBoxStoresAndMovesOn() {
        get<QRadioButton>("cylinder3")->click();
        nt_->clear();
        pressEnter("im1a", "123.4");
        QCOMPARE(st().dc.M1a, 123.4f);
        QCOMPARE(box("im1a")->text(), QStringLiteral("123.4"));
        QCOMPARE(focused(), box("im1b"));
    }

    void columnLengthAlsoShowsInTheRingFrameBox() {
        get<QRadioButton>("cylinder3")->click();
        type("icolL", "7000", "ik1");
        QCOMPARE(box("icyll")->text(), QStringLiteral("7000"));
        QCOMPARE(st().dc.L, 7000.0f);
    }

    // Enter in a material list goes on to its yield box while that box takes typing (the
    // user-defined material), and past it, to the next frame's first box, while it does not.
    void enterInAMaterialListGoesToItsYieldBoxOnlyWhileItIsOpen() {
        get<QRadioButton>("cylinder2")->click();
        auto* combo = get<QComboBox>("cbofys");
        auto enterInList = [&] {
            combo->setFocus();
            QApplication::processEvents();
            QTest::keyClick(combo, Qt::Key_Return);
            QApplication::processEvents();
        };
        const int userDefined = combo->count() - 1;
        combo->setCurrentIndex(userDefined);
        emit combo->activated(userDefined);
        QVERIFY(box("ifys")->isEnabled());
        enterInList();
        QCOMPARE(focused(), static_cast<QWidget*>(box("ifys")));

        combo->setCurrentIndex(0);
        emit combo->activated(0);
        QVERIFY(!box("ifys")->isEnabled());
        enterInList();
        QCOMPARE(focused(), static_cast<QWidget*>(box("icyll")));
        // Enter chose nothing: the list keeps the material.
        QCOMPARE(st().dc.stiffMaterial, int16_t{0});
    }

    void rightClickPopsUpProfilesExceptForUnstiffened() {
        auto* menu = get<QMenu>("mnuprofiles");
        QLabel* anyLabel = get<QGroupBox>("fr112")->findChild<QLabel*>();
        get<QRadioButton>("cylinder1")->click();
        QTest::mouseClick(anyLabel, Qt::RightButton);
        QVERIFY(menu->isVisible());
        menu->close();
        get<QRadioButton>("cylinder0")->click();
        QTest::mouseClick(anyLabel, Qt::RightButton);
        QVERIFY(!menu->isVisible());
    }

    // ---- window state ----------------------------------------------------------------------

    void visibilityPerCylinderType() {
        struct Row {
            const char* option;
            bool fr120, fr121, fr123, fr124, fr31, fr32, profiles, stiffMenu;
        };
        const Row rows[] = {{"cylinder0", false, false, true, false, false, false, false, false},
                            {"cylinder1", false, true, true, false, false, false, true, false},
                            {"cylinder2", true, true, true, false, true, false, true, true},
                            {"cylinder3", false, false, false, true, true, false, false, false}};
        for (const Row& r : rows) {
            get<QRadioButton>(r.option)->click();
            QCOMPARE(get<QGroupBox>("fr120")->isVisible(), r.fr120);
            QCOMPARE(get<QGroupBox>("fr121")->isVisible(), r.fr121);
            QCOMPARE(get<QGroupBox>("fr123")->isVisible(), r.fr123);
            QCOMPARE(get<QGroupBox>("fr124")->isVisible(), r.fr124);
            QCOMPARE(get<QGroupBox>("fr31")->isVisible(), r.fr31);
            // The ring-frame control is off after Cylinder and Column buckling.
            QCOMPARE(get<QGroupBox>("fr32")->isVisible(), r.fr32);
            QCOMPARE(get<QMenu>("mnuprofiles")->menuAction()->isVisible(), r.profiles);
            if (r.profiles)
                QCOMPARE(get<QMenu>("mnustiff")->menuAction()->isVisible(), r.stiffMenu);
        }
        QCOMPARE(get<QGroupBox>("fr31")->title(), QStringLiteral("Results Global Buckling"));
        get<QRadioButton>("cylinder2")->click();
        QCOMPARE(get<QGroupBox>("fr31")->title(), QStringLiteral("Results Stiffener Buckling"));
    }

    void cylinderAndColumnClearTheRingControls() {
        get<QCheckBox>("hring_ch")->click();
        QCOMPARE(st().dc.heavyRingControl, int16_t(1));
        get<QRadioButton>("cylinder0")->click();
        QCOMPARE(st().dc.ringControl, int16_t(0));
        QCOMPARE(st().dc.heavyRingControl, int16_t(0));
        get<QRadioButton>("cylinder1")->click();
        QVERIFY(!get<QCheckBox>("ring_ch")->isChecked());
        QVERIFY(!get<QCheckBox>("hring_ch")->isChecked());
        QVERIFY(!get<QGroupBox>("fr32")->isVisible());
    }

    void uncheckingRingControlUnchecksHeavyRing() {
        get<QCheckBox>("hring_ch")->click();
        QVERIFY(get<QCheckBox>("hring_ch")->isChecked());
        get<QCheckBox>("ring_ch")->click();
        QCOMPARE(st().dc.ringControl, int16_t(0));
        QCOMPARE(st().dc.heavyRingControl, int16_t(0));
        QVERIFY(!get<QCheckBox>("hring_ch")->isChecked());
        QVERIFY(!get<QGroupBox>("fr32")->isVisible());
    }

    void designFormatOptions() {
        type("iufb", "1.2", "icylr");
        get<QRadioButton>("opt_wsd")->click();
        QCOMPARE(st().dc.designFormat, DesignFormat::WSD);
        QCOMPARE(st().dc.UF, 1.2f);
        QCOMPARE(get<QLabel>("text_ufb")->text(), QStringLiteral("Basic Usage Factor, n0 ="));
        QVERIFY(get<QPushButton>("cmd_wsd")->isVisible());
        QVERIFY(!get<QPushButton>("cmd_lrfd")->isVisible());
        get<QRadioButton>("opt_lrfd")->click();
        QCOMPARE(st().dc.UF, 1.0f);
        QCOMPARE(box("iufb")->text(), QStringLiteral("1.00"));
        QCOMPARE(get<QLabel>("text_ufb")->text(), QStringLiteral("Allowable Usage Factor UF ="));
    }

    void signButtonTwiceRestoresPressure() {
        const float pd = st().dc.pd;
        get<QPushButton>("Command3")->click();
        QCOMPARE(st().dc.pd, -pd);
        QCOMPARE(box("ipp")->text(), QStringLiteral("0.300"));
        get<QPushButton>("Command3")->click();
        QCOMPARE(st().dc.pd, pd);
        QCOMPARE(box("ipp")->text(), QStringLiteral("-0.300"));
    }

    void specialIhOfferedUnderExternalPressureOnly() {
        QVERIFY(get<QCheckBox>("check_ih")->isVisibleTo(w_.get()));
        type("ipp", "0", "iproj");
        QVERIFY(!get<QCheckBox>("check_ih")->isVisibleTo(w_.get()));
    }

    void materialListsAndUserDefinedYield() {
        auto* combo = get<QComboBox>("cbofyp");
        QCOMPARE(combo->count(), int(st().materials.rows.size()));
        QCOMPARE(combo->currentIndex(), 2);
        // The last entry is the user-defined material: its yield box opens for typing.
        const int last = combo->count() - 1;
        combo->setCurrentIndex(last);
        emit combo->activated(last);
        QVERIFY(box("ifyp")->isEnabled());
        type("ifyp", "2001", "icylr");
        QCOMPARE(warnings(), std::vector<std::string>{" 50 <= fyp <= 2000 "});
        QCOMPARE(st().dc.fyp, 2001.0f);
    }

    void resultLinesRedAboveAndGreenBelowThePermittedValue() {
        // Only the colour rule is the window's: the panels draw from the usage factors.
        QVERIFY(st().res.shellUF <= st().res.UFallow);
        type("isigx", "-600", "iproj");
        QVERIFY(st().res.shellUF > st().res.UFallow);
        const QImage img = get<QWidget>("pic30")->grab().toImage();
        bool red = false;
        for (int y = 0; y < img.height() && !red; ++y)
            for (int x = 0; x < img.width() && !red; ++x)
                red = img.pixelColor(x, y) == QColor(128, 0, 0);
        QVERIFY(red);
        type("isigx", "-10", "iproj");
        const QImage ok = get<QWidget>("pic30")->grab().toImage();
        bool green = false;
        for (int y = 0; y < ok.height() && !green; ++y)
            for (int x = 0; x < ok.width() && !green; ++x)
                green = ok.pixelColor(x, y) == QColor(0, 128, 0);
        QVERIFY(green);
    }

    // ---- menus and files -------------------------------------------------------------------

    void noRecentEntriesWithoutSettings() {
        QVERIFY(!get<QAction>("mnurecentfile0")->isVisible());
        QVERIFY(!get<QAction>("mnurecentfile1")->isVisible());
    }

    void openSaveAndRecentFiles() {
        const QString a = dir_->filePath("a.cys");
        const QString b = dir_->filePath("b.cys");
        writeSample(a, "case A");
        writeSample(b, "case B");
        w_->chooseOpenPath = [&](const QString&) { return a; };
        w_->openCommand();
        QCOMPARE(box("iident")->text(), QStringLiteral("case A"));
        QCOMPARE(w_->windowTitle(), QStringLiteral("Velmora DNV: ") + a + "[*]");
        QVERIFY(get<QAction>("mnurecentfile0")->isVisible());
        QCOMPARE(get<QAction>("mnurecentfile1")->text(), QStringLiteral("1. ") + a);
        QCOMPARE(QString::fromStdString(st().run.currentDir), dir_->path() + "/");

        w_->chooseOpenPath = [&](const QString&) { return b; };
        w_->openCommand();
        QCOMPARE(get<QAction>("mnurecentfile1")->text(), QStringLiteral("1. ") + b);
        QCOMPARE(get<QAction>("mnurecentfile2")->text(), QStringLiteral("2. ") + a);

        // The recent entry of a reopens it and moves it on top.
        get<QAction>("mnurecentfile2")->trigger();
        QCOMPARE(box("iident")->text(), QStringLiteral("case A"));
        QCOMPARE(get<QAction>("mnurecentfile1")->text(), QStringLiteral("1. ") + a);
        QCOMPARE(get<QAction>("mnurecentfile2")->text(), QStringLiteral("2. ") + b);

        // Save of a named case writes without a dialog.
        bool asked = false;
        w_->chooseSavePath = [&](const QString&, const QString&) {
            asked = true;
            return QString();
        };
        box("iident")->setText("changed A");
        w_->saveCommand();
        QVERIFY(!asked);
        State check;
        QVERIFY(readCaseFile(check, a.toStdString()).empty());
        QCOMPARE(check.dc.identification, std::string("changed A"));
    }

    void unreadableFileLeavesTheCase() {
        const QString bad = dir_->filePath("bad.cys");
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("185\r\nProject\r\n");
        f.close();
        type("icylr", "1234");
        nt_->clear();
        w_->chooseOpenPath = [&](const QString&) { return bad; };
        w_->openCommand();
        QCOMPARE(warnings().size(), size_t(1));
        QVERIFY(warnings().front().find(bad.toStdString()) != std::string::npos);
        QCOMPARE(st().dc.r, 1234.0f);
        QCOMPARE(QString::fromStdString(st().run.fileName), QStringLiteral("New File"));
        QVERIFY(!get<QAction>("mnurecentfile1")->isVisible());

        nt_->clear();
        const QString missing = dir_->filePath("missing.cys");
        w_->chooseOpenPath = [&](const QString&) { return missing; };
        w_->openCommand();
        QCOMPARE(warnings(),
                 std::vector<std::string>{"can't find file - " + missing.toStdString()});
    }

    void saveOfANewCaseAsksAndCannotSaveIsReported() {
        const QString path = dir_->filePath("new.cys");
        w_->chooseSavePath = [&](const QString&, const QString& preset) {
            [&] { QCOMPARE(preset, QStringLiteral("*.cys")); }();
            return path;
        };
        w_->saveCommand();
        QVERIFY(QFile::exists(path));
        QCOMPARE(w_->windowTitle(), QStringLiteral("Velmora DNV: ") + path + "[*]");
        QCOMPARE(get<QAction>("mnurecentfile1")->text(), QStringLiteral("1. ") + path);

        const QString bad = dir_->filePath("no/such/folder/x.cys");
        w_->chooseSavePath = [&](const QString&, const QString&) { return bad; };
        w_->saveAsCommand();
        QCOMPARE(warnings(), std::vector<std::string>{"can't save file - " + bad.toStdString()});
        QCOMPARE(w_->windowTitle(), QStringLiteral("Velmora DNV: ") + path + "[*]");
    }

    void saveOfANewCaseOpensWhereTheLastDialogOpened() {
        QDir(dir_->path()).mkpath("cases");
        const QString a = dir_->filePath("cases/a.cys");
        writeSample(a, "A");
        QString openedAt;
        w_->chooseOpenPath = [&](const QString& dir) {
            openedAt = dir;
            return a;
        };
        w_->openCommand();
        QCOMPARE(openedAt, dir_->path());
        get<QAction>("mnunew")->trigger();
        QString savedAt;
        w_->chooseSavePath = [&](const QString& dir, const QString&) {
            savedAt = dir;
            return QString();
        };
        // The case file's folder is offered by the next Save As; Save of a new case keeps the
        // folder the Open dialog was given.
        w_->saveCommand();
        QCOMPARE(savedAt, dir_->path());
        w_->saveAsCommand();
        QCOMPARE(QDir::cleanPath(savedAt), dir_->filePath("cases"));
    }

    void newCaseKeepsTheCaption() {
        const QString path = dir_->filePath("n.cys");
        w_->chooseSavePath = [&](const QString&, const QString&) { return path; };
        w_->saveCommand();
        type("icylr", "999");
        get<QAction>("mnunew")->trigger();
        QCOMPARE(box("icylr")->text(), QStringLiteral("1500"));
        QCOMPARE(w_->windowTitle(), QStringLiteral("Velmora DNV: ") + path + "[*]");
    }

    void menuCaptions() {
        QCOMPARE(get<QMenu>("mnufile")->title(), QStringLiteral("&File"));
        QCOMPARE(get<QAction>("mnusaveas")->text(), QStringLiteral("Save &As"));
        QCOMPARE(get<QMenu>("mnuring")->title(), QStringLiteral("&Ringframe Profile"));
        QCOMPARE(get<QAction>("mnugirdt")->text(), QStringLiteral("&T-table"));
        QCOMPARE(get<QAction>("mnuhelpsearch")->text(),
                 QStringLiteral("&Search for Help On . . . "));
        QCOMPARE(get<QAction>("mnuabout")->text(), QStringLiteral("&About Velmora"));
    }

    void aboutBoxShowsTheVersion() {
        get<QAction>("mnuabout")->trigger();
        auto* about = w_->findChild<QWidget*>("about");
        QVERIFY(about);
        QCOMPARE(about->findChild<QLabel*>("ab3")->text(), QStringLiteral("Version 1.8.5"));
        about->close();
    }

    // ---- warnings of the profile dialogs ----------------------------------------------------

    void profileDialogWarningsStandOverTheDialogAndItsNextActivationCounts() {
        startWithMessageBoxes();
        get<QAction>("mnustifflb")->trigger();
        auto* lb = w_->findChild<ProfileDialog*>("stifflb");
        QVERIFY(lb);
        QVERIFY(QTest::qWaitForWindowActive(lb));
        QLineEdit* tw = lb->findChild<QLineEdit*>("isttw");
        tw->setFocus();
        QApplication::processEvents();
        tw->selectAll();
        QTest::keyClicks(tw, "0.05");
        QTest::keyClick(tw, Qt::Key_Return);
        QTRY_VERIFY(boxes_->texts().contains(" tw >= 0.1 "));
        for (const auto& b : boxes_->boxes)
            QCOMPARE(b.over.data(), static_cast<QWidget*>(lb));
        // When the box is gone the dialog is active again, its tw box focused.
        QTRY_VERIFY(lb->isActiveWindow());
        QTRY_COMPARE(focused(), static_cast<QWidget*>(tw));
        QCOMPARE(st().dc.stiff.savedSet(ProfileKind::LBuiltUp).tw, 0.1f);

        // The typed web chose the built-up L. Another dialog opened changes nothing; OK there
        // chooses its profile, and the list and the calculation follow.
        QCOMPARE(st().dc.stiff.kind, ProfileKind::LBuiltUp);
        QCOMPARE(get<QComboBox>("cbostiff")->currentText(), QStringLiteral("L-built up"));
        get<QAction>("mnustifftb")->trigger();
        auto* tb = w_->findChild<ProfileDialog*>("stifftb");
        QVERIFY(QTest::qWaitForWindowActive(tb));
        QCOMPARE(st().dc.stiff.kind, ProfileKind::LBuiltUp);
        QCOMPARE(st().res.stiffProfileText.rfind("L ", 0), size_t(0));
        QTest::mouseClick(tb->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QTRY_COMPARE(st().dc.stiff.kind, ProfileKind::TBuiltUp);
        QCOMPARE(get<QComboBox>("cbostiff")->currentText(), QStringLiteral("T-built up"));
        QCOMPARE(st().res.stiffProfileText.rfind("T ", 0), size_t(0));
    }

    // ---- typed values before the commands -----------------------------------------------

    void typedValueIsTakenBeforeSaveAddAndTheDatabaseCommands() {
        startWithMessageBoxes();
        const QString path = caseFile("typed.cys");
        w_->chooseSavePath = [&](const QString&, const QString&) { return path; };
        typeAndStay("il", "4000");
        get<QAction>("mnusave")->trigger();
        QCOMPARE(readBack(path).dc.l, 4000.0f);
        QCOMPARE(st().dc.l, 4000.0f);
        QCOMPARE(focused(), static_cast<QWidget*>(box("il")));

        // A refused value is taken with its warning, once: leaving the box afterwards unchanged
        // does not warn again.
        typeAndStay("iufb", "0.49");
        get<QAction>("mnusave")->trigger();
        QCOMPARE(boxes_->texts(), QStringList{" 0.5 < UF < 1.5 "});
        QCOMPARE(readBack(path).dc.UF, 0.49f);
        QTRY_COMPARE(focused(), static_cast<QWidget*>(box("iufb")));
        box("il")->setFocus();
        QApplication::processEvents();
        QCOMPARE(boxes_->texts(), QStringList{" 0.5 < UF < 1.5 "});

        // "Add  to Database" and a command of the database window.
        typeAndStay("icylr", "1234");
        get<QPushButton>("cmdDatabase")->click();
        const CaseDatabase& db = st().db;
        QVERIFY(db.lastRow >= 1);
        QCOMPARE(db.rows[static_cast<size_t>(db.lastRow) - 1].r, 1234.0f);
        typeAndStay("icylr", "1111");
        QTest::mouseClick(w_->findChild<QPushButton*>("cmdNewDatabase"), Qt::LeftButton);
        QCOMPARE(st().db.rows[1].r, 1111.0f);

        // The PDF export reports the typed value too.
        typeAndStay("icylr", "2222");
        QString exported;
        w_->chooseReportPath = [&](const QString&, const QString&) {
            exported = caseFile("typed.pdf");
            return exported;
        };
        get<QAction>("mnuexportpdf")->trigger();
        QCOMPARE(st().dc.r, 2222.0f);
        QVERIFY(QFile::exists(exported));
    }

    // ---- unsaved work ----------------------------------------------------------------------

    void changedCaseIsMarkedAndAskedFor() {
        startWithMessageBoxes();
        QVERIFY(!w_->isWindowModified());
        type("icylr", "1600");
        QVERIFY(w_->isWindowModified());
        // Back to the value it had: no longer changed.
        type("icylr", "1500");
        QVERIFY(!w_->isWindowModified());

        // Cancel keeps everything; New, Open and a recent entry do not go on.
        const QString other = caseFile("other.cys");
        writeSample(other, "other");
        store_->write("RecentFile1", other.toStdString());
        w_->recentFiles().rebuildRecentMenu();
        w_->chooseOpenPath = [&](const QString&) { return other; };
        type("icylr", "1700");
        boxes_->answer = QMessageBox::Cancel;
        get<QAction>("mnunew")->trigger();
        w_->openCommand();
        w_->openRecentEntry(1);
        QVERIFY(!w_->close());
        QCOMPARE(boxes_->texts(), QStringList(4, "Save changes to the current case?"));
        QCOMPARE(st().dc.r, 1700.0f);
        QVERIFY(w_->isVisible());

        // Save writes the case and the window closes.
        const QString saved = caseFile("saved.cys");
        w_->chooseSavePath = [&](const QString&, const QString&) { return saved; };
        boxes_->answer = QMessageBox::Save;
        QVERIFY(w_->close());
        QCOMPARE(readBack(saved).dc.r, 1700.0f);
    }

    void exitWithAChangedDatabaseAsks() {
        startWithMessageBoxes();
        get<QPushButton>("cmdDatabase")->click();
        QVERIFY(st().db.modified);
        const int16_t rows = st().db.lastRow;
        // Exit and the window's own close: Cancel keeps the window and the rows.
        boxes_->answer = QMessageBox::Cancel;
        get<QAction>("mnuexit")->trigger();
        QVERIFY(w_->isVisible());
        QVERIFY(!w_->close());
        QCOMPARE(boxes_->texts(), QStringList(2, "Save changes to the database?"));
        QCOMPARE(st().db.lastRow, rows);
        // Discard ends the program without a second question from the database window.
        boxes_->clear();
        boxes_->answer = QMessageBox::Discard;
        QVERIFY(w_->close());
        QCOMPARE(boxes_->texts(), QStringList{"Save changes to the database?"});
    }

    void saveThatDoesNotWriteKeepsTheWindowAndDiscardDoesNot() {
        startWithMessageBoxes();
        type("it", "22");
        boxes_->answer = QMessageBox::Save;
        w_->chooseSavePath = [&](const QString&, const QString&) { return QString(); };
        QVERIFY(!w_->close());
        boxes_->answer = QMessageBox::Discard;
        get<QAction>("mnunew")->trigger();
        QCOMPARE(st().dc.t, 20.0f);
        QVERIFY(!w_->isWindowModified());
        // An unchanged case closes at once.
        boxes_->clear();
        QVERIFY(w_->close());
        QVERIFY(boxes_->texts().isEmpty());
    }

    void openedFileIsTheUnchangedCase() {
        // A column case: the run replaces Sigx, which is not a change by the user.
        const QString path = caseFile("column.cys");
        State s;
        newCase(s);
        s.dc.cylinderType = CylinderType::Column;
        s.dc.ringControl = 0;
        QVERIFY(writeCaseFile(s, path.toStdString()).empty());
        startWithMessageBoxes();
        w_->chooseOpenPath = [&](const QString&) { return path; };
        w_->openCommand();
        QCOMPARE(st().dc.cylinderType, CylinderType::Column);
        QVERIFY(!w_->isWindowModified());
        QCOMPARE(w_->windowTitle(), QStringLiteral("Velmora DNV: ") + path + "[*]");
    }

    // ---- options shown -------------------------------------------------------------------

    void specialIhIsShownForARingStiffenedCase() {
        const QString path = caseFile("ring.cys");
        State s;
        newCase(s);
        s.dc.cylinderType = CylinderType::RingStiffened;
        s.dc.specialIh = 1;
        QVERIFY(writeCaseFile(s, path.toStdString()).empty());
        w_->chooseOpenPath = [&](const QString&) { return path; };
        w_->openCommand();
        QVERIFY(get<QCheckBox>("check_ih")->isVisibleTo(w_.get()));
        QVERIFY(get<QCheckBox>("check_ih")->isChecked());
        QVERIFY(st().res.ringPanel.unit[8].find("Special Calc") != std::string::npos);
    }

    // ---- the report without a printer -----------------------------------------------------

    void reportExportsAsPdfAndSaysWhenItCannot() {
        startWithMessageBoxes();
        auto* file = get<QMenu>("mnufile");
        const QList<QAction*> items = file->actions();
        const int at = static_cast<int>(items.indexOf(get<QAction>("mnuexportpdf")));
        QCOMPARE(items[at]->text(), QStringLiteral("Export Report as PDF..."));
        QCOMPARE(items[at - 1], get<QAction>("mnusaveas"));

        st().run.currentDir = dir_->path().toStdString() + "/";
        QString offeredDir;
        QString target = caseFile("report.pdf");
        w_->chooseReportPath = [&](const QString& dir, const QString&) {
            offeredDir = dir;
            return target;
        };
        get<QAction>("mnuexportpdf")->trigger();
        QCOMPARE(offeredDir, dir_->path() + "/");
        QFile pdf(target);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
        QVERIFY(boxes_->texts().isEmpty());

        target = caseFile("no/such/folder/report.pdf");
        get<QAction>("mnuexportpdf")->trigger();
        QCOMPARE(boxes_->texts(), QStringList{"can't write file - " + target});

        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a printer is installed here");
        boxes_->clear();
        get<QAction>("mnuprint")->trigger();
        QCOMPARE(boxes_->texts(),
                 QStringList{"No printer is installed. Use Export Report as PDF."});
    }

    // ---- screenshots for the eye --------------------------------------------------------

    void screenshots() {
        const QByteArray out = qgetenv("VELMORA_SHOTS");
        if (out.isEmpty())
            QSKIP("set VELMORA_SHOTS to a folder to get screenshots");
        for (int t = 0; t < 4; ++t) {
            get<QRadioButton>(("cylinder" + std::to_string(t)).c_str())->click();
            if ((t == 1 || t == 2) && !get<QCheckBox>("ring_ch")->isChecked())
                get<QCheckBox>("ring_ch")->click();
            QApplication::processEvents();
            w_->grab().save(QString::fromUtf8(out) + QStringLiteral("/type%1.png").arg(t));
            // Where the content scrolls, its far end as well.
            auto* scroll = get<QScrollArea>("scroll");
            QScrollBar* down = scroll->verticalScrollBar();
            QScrollBar* across = scroll->horizontalScrollBar();
            if (down->maximum() > 0 || across->maximum() > 0) {
                down->setValue(down->maximum());
                across->setValue(across->maximum());
                QApplication::processEvents();
                w_->grab().save(QString::fromUtf8(out) +
                                QStringLiteral("/type%1-scrolled.png").arg(t));
                down->setValue(0);
                across->setValue(0);
            }
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
