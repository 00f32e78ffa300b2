// The main window driven as a user drives it: boxes found by their control names, focus moved,
// Enter pressed, options clicked; the messages taken from a recording notifier.
#include "ui/MainWindow.h"
#include "calc/CaseIo.h"
#include "calc/DatabaseRows.h"
#include "calc/State.h"
#include "database/Batch.h"
#include "files/CaseFile.h"
#include "files/DataFiles.h"
#include "files/DatabaseFile.h"
#include "files/RecentFiles.h"
#include "support/RecordingNotifier.h"
#include "ui/QtNotifier.h"

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
#include <QPushButton>
#include <QRadioButton>
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
        dir_ = std::make_unique<QTemporaryDir>();
        store_ = std::make_unique<MemoryStore>();
        nt_ = std::make_unique<TestNotifier>();
        start();
    }
    void cleanup() {
        w_.reset();
        nt_.reset();
    }

    // ---- start-up --------------------------------------------------------------------------

    void startUpWithoutDatabaseShowsTheNewCaseCalculated() {
        w_.reset();
        nt_ = std::make_unique<TestNotifier>();
        restart(options());
        const auto warned = warnings();
        QCOMPARE(std::count(warned.begin(), warned.end(), std::string("Error in databasefile")), 1);
        QCOMPARE(w_->windowTitle(), QStringLiteral("Velmora DNV: New File"));
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
        QCOMPARE(st().dc.designFormat, int16_t(1));
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
        QCOMPARE(w_->windowTitle(), QStringLiteral("Velmora DNV: ") + a);
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
        QCOMPARE(w_->windowTitle(), QStringLiteral("Velmora DNV: ") + path);
        QCOMPARE(get<QAction>("mnurecentfile1")->text(), QStringLiteral("1. ") + path);

        const QString bad = dir_->filePath("no/such/folder/x.cys");
        w_->chooseSavePath = [&](const QString&, const QString&) { return bad; };
        w_->saveAsCommand();
        QCOMPARE(warnings(), std::vector<std::string>{"can't save file - " + bad.toStdString()});
        QCOMPARE(w_->windowTitle(), QStringLiteral("Velmora DNV: ") + path);
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
        QCOMPARE(w_->windowTitle(), QStringLiteral("Velmora DNV: ") + path);
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
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
