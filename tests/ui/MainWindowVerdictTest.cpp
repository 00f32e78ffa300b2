// The main window's verdict as an engineer meets it: the verdict line over the panels, the
// panels a stopped run left behind, the refused report, boxes that refuse text without a
// number and warn once per typed value, case files and database rows out of limits, a profile
// failing its proportions, the caption of a database row and the File keys. Controls are found
// by their object names and driven with real focus changes; where the messages matter as the
// user sees them, the window's own notifier shows them and MessageBoxes answers.
#include "ui/main/MainWindow.h"

#include "calc/Calc.h"
#include "calc/CaseIo.h"
#include "calc/DatabaseRows.h"
#include "calc/State.h"
#include "calc/Verdict.h"
#include "database/Batch.h"
#include "files/CaseFile.h"
#include "files/DataFiles.h"
#include "files/DatabaseFile.h"
#include "files/RecentFiles.h"
#include "forms/FieldRules.h"
#include "report/Panels.h"
#include "support/RecordingNotifier.h"
#include "ui/database/DatabaseWindows.h"
#include "ui/profiles/ProfileDialog.h"
#include "ui/widgets/PanelWidget.h"
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
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

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

QColor colour(Rgb c) {
    return {c.r, c.g, c.b};
}

// Whether the image has a pixel of exactly that colour.
bool hasPixel(const QImage& img, const QColor& c) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == c)
                return true;
    return false;
}

} // namespace

class MainWindowVerdictTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MemoryStore> store_;
    std::unique_ptr<TestNotifier> nt_;
    std::unique_ptr<MainWindow> w_;
    std::unique_ptr<MessageBoxes> boxes_;

    State& st() { return w_->state(); }
    QLineEdit* box(const char* name) { return get<QLineEdit>(name); }
    QLabel* verdictLine() { return get<QLabel>("verdictLine"); }
    PanelWidget* panel(const char* name) { return get<PanelWidget>(name); }
    template <class T> T* get(const char* name) {
        T* c = w_->findChild<T*>(name);
        if (c == nullptr)
            qFatal("no control %s", name);
        return c;
    }
    QWidget* focused() { return QApplication::focusWidget(); }

    MainWindow::Options options() {
        MainWindow::Options o;
        o.programDir = dir_->path();
        o.dataDir = QStringLiteral(VELMORA_DATA_DIR);
        o.notifier = nt_.get();
        o.recentStore = store_.get();
        return o;
    }

    void restart(const MainWindow::Options& o) {
        w_ = std::make_unique<MainWindow>(o);
        nt_->window = w_.get();
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        w_->startUp();
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

    // Types `text` into the box through the keyboard and moves the focus on to `next`.
    void type(const char* name, const char* text, const char* next = "iproj") {
        QLineEdit* e = box(name);
        e->setFocus();
        QApplication::processEvents();
        e->selectAll();
        QTest::keyClicks(e, text);
        box(next)->setFocus();
        QApplication::processEvents();
    }

    void leaveTo(const char* next) {
        box(next)->setFocus();
        QApplication::processEvents();
    }

    QString caseFile(const char* name) { return dir_->filePath(QString::fromLatin1(name)); }

    // The case file of a new case as `change` leaves it.
    template <class Change> QString writeCase(const char* name, Change change) {
        State s;
        newCase(s);
        change(s.dc);
        const QString path = caseFile(name);
        if (!writeCaseFile(s, path.toStdString()).empty())
            qWarning("cannot write %s", qPrintable(path));
        return path;
    }

    // A database of two cases in `folder`, written by the database module itself.
    QString writeDatabase(const QString& path) {
        State s;
        newCase(s);
        loadDataFiles(s, VELMORA_DATA_DIR);
        s.dc.fyp = s.dc.fys = s.dc.fyr = 355;
        s.dc.identification = "First case";
        s.dc.r = 2000;
        storeCaseInRow(s, 0);
        s.dc.identification = "Second case";
        s.dc.r = 2500;
        storeCaseInRow(s, 1);
        if (!writeDatabaseFile(s, path.toStdString()).empty())
            qWarning("cannot write %s", qPrintable(path));
        return path;
    }

    // The new case fails its ring-frame area check: without the ring-frame check and with
    // less axial stress it passes.
    void makePassing() {
        if (get<QCheckBox>("ring_ch")->isChecked())
            get<QCheckBox>("ring_ch")->click();
        type("isigx", "-50");
        QCOMPARE(caseVerdict(st()).status, VerdictStatus::Passes);
    }

    // The stiffener becomes a built-up L with the web thickness typed into its dialog.
    void setBuiltUpWeb(const char* tw) {
        get<QAction>("mnustifflb")->trigger();
        auto* lb = w_->findChild<ProfileDialog*>("stifflb");
        QVERIFY(lb);
        QLineEdit* box = lb->findChild<QLineEdit*>("isttw");
        box->setFocus();
        QApplication::processEvents();
        box->selectAll();
        QTest::keyClicks(box, tw);
        QTest::keyClick(box, Qt::Key_Return);
        QApplication::processEvents();
        lb->close();
        QApplication::processEvents();
    }

    void expectVerdict(VerdictStatus status) {
        const Verdict v = caseVerdict(st());
        QCOMPARE(v.status, status);
        QCOMPARE(verdictLine()->text(), QString::fromStdString(v.line));
        QCOMPARE(verdictLine()->palette().color(QPalette::WindowText),
                 colour(verdictStatusColor(status)));
    }

private slots:
    void init() {
        boxes_ = std::make_unique<MessageBoxes>();
        boxes_->answer = QMessageBox::Discard;
        dir_ = std::make_unique<QTemporaryDir>();
        store_ = std::make_unique<MemoryStore>();
        nt_ = std::make_unique<TestNotifier>();
        restart(options());
        nt_->clear();
    }
    void cleanup() {
        w_.reset();
        nt_.reset();
        boxes_.reset();
    }

    // ---- the verdict line --------------------------------------------------------------------

    void verdictLineShowsTheCoresVerdictAndItsReasons() {
        QLabel* line = verdictLine();
        QVERIFY(line->isVisible());
        // Above the content, outside what scrolls, across the window.
        QVERIFY(!get<QScrollArea>("scroll")->isAncestorOf(line));
        QVERIFY(line->mapTo(w_.get(), QPoint(0, 0)).y() <
                get<QGroupBox>("fr30")->mapTo(w_.get(), QPoint(0, 0)).y());
        // The new case fails by its ring-frame area.
        expectVerdict(VerdictStatus::Fails);
        QVERIFY(line->text().startsWith("FAILS - governing: ring-frame area (Ch 3.5.2), UF "));
        makePassing();
        expectVerdict(VerdictStatus::Passes);
        QVERIFY(line->text().startsWith("PASSES - governing: "));
        // The tooltip lists every check with its usage factor.
        const Verdict v = caseVerdict(st());
        QVERIFY(v.reasons.size() >= 2);
        for (const std::string& r : v.reasons)
            QVERIFY(line->toolTip().contains(QString::fromStdString(r)));

        type("isigx", "-600");
        expectVerdict(VerdictStatus::Fails);
        QVERIFY(line->text().startsWith("FAILS - governing: "));

        type("isigx", "-50");
        type("iufb", "0.49", "icylr");
        expectVerdict(VerdictStatus::InputOutOfLimits);
        QVERIFY(line->toolTip().contains("UF = 0.49"));
        type("iufb", "1", "icylr");
        expectVerdict(VerdictStatus::Passes);
    }

    // ---- a stopped run -------------------------------------------------------------------

    void stoppedRunGreysItsPanelsAndRefusesTheReport() {
        startWithMessageBoxes();
        makePassing();
        PanelWidget* shell = panel("pic30");
        QVERIFY(hasPixel(shell->grab().toImage(), colour(kGreen)));
        type("it", "-5");
        QVERIFY(!boxes_->boxes.empty());
        QVERIFY(!st().run.lastRunCompleted);
        const std::string reason = *notCalculatedReason(st());
        expectVerdict(VerdictStatus::NotCalculated);
        QVERIFY(verdictLine()->text().startsWith("NOT CALCULATED"));
        // The shell check stopped: its panel and those after it are an earlier run's.
        const QString note = QStringLiteral("Not recalculated: ") + QString::fromStdString(reason);
        for (const char* name : {"pic30", "pic31"})
            QCOMPARE(panel(name)->staleNote(), note);
        QApplication::processEvents();
        const QImage img = shell->grab().toImage();
        QVERIFY(!hasPixel(img, colour(kGreen)));
        QVERIFY(!hasPixel(img, colour(kRed)));
        QVERIFY(hasPixel(img, colour(kAmber)));

        // Print and the PDF export refuse, and no file dialog opens.
        bool asked = false;
        w_->chooseReportPath = [&](const QString&, const QString&) {
            asked = true;
            return caseFile("stopped.pdf");
        };
        boxes_->clear();
        get<QAction>("mnuexportpdf")->trigger();
        get<QAction>("mnuprint")->trigger();
        const QString refusal =
            QStringLiteral("The case was not calculated: ") + QString::fromStdString(reason);
        QCOMPARE(boxes_->texts(), QStringList({refusal, refusal}));
        QVERIFY(!asked);
        QVERIFY(!QFile::exists(caseFile("stopped.pdf")));

        // Mended, everything is current again.
        type("it", "20");
        for (const char* name : {"pic30", "pic31"})
            QVERIFY(panel(name)->staleNote().isEmpty());
        expectVerdict(VerdictStatus::Passes);
        get<QAction>("mnuexportpdf")->trigger();
        QVERIFY(QFile::exists(caseFile("stopped.pdf")));
    }

    void stoppedColumnRunGreysTheColumnPanel() {
        get<QRadioButton>("cylinder3")->click();
        type("ip", "-1.5", "icolL");
        QVERIFY(!st().run.lastRunCompleted);
        const QString note = QStringLiteral("Not recalculated: ") +
                             QString::fromStdString(*notCalculatedReason(st()));
        QCOMPARE(panel("pic31")->staleNote(), note);
        QCOMPARE(panel("pic30")->staleNote(),
                 st().run.recalculated(PanelId::Shell) ? QString() : note);
        expectVerdict(VerdictStatus::NotCalculated);
        // The panel grows by the note's lines and keeps every value line in sight.
        QVERIFY(panel("pic31")->height() >=
                static_cast<int>(panel("pic31")->drawnExtent().height()));
        type("ip", "0.3", "icolL");
        QVERIFY(panel("pic31")->staleNote().isEmpty());
    }

    // ---- input boxes -----------------------------------------------------------------------

    void textWithoutANumberIsRefusedInEveryBox() {
        // Every number box of the window, each where its frame is shown: materials user-defined
        // so that their yield boxes take typing.
        for (const char* option : {"cylinder2", "cylinder3"}) {
            get<QRadioButton>(option)->click();
            if (std::string(option) == "cylinder2" && !get<QCheckBox>("ring_ch")->isChecked())
                get<QCheckBox>("ring_ch")->click();
            for (const char* list : {"cbofyp", "cbofys", "cbofyg"}) {
                auto* combo = get<QComboBox>(list);
                if (combo->isVisible()) {
                    combo->setCurrentIndex(combo->count() - 1);
                    emit combo->activated(combo->count() - 1);
                }
            }
            int tried = 0;
            for (const FieldRule& rule : fieldRules()) {
                QLineEdit* e = box(std::string(rule.control).c_str());
                if (rule.number == nullptr || !e->isVisible() || !e->isEnabled())
                    continue;
                ++tried;
                const float before = st().dc.*rule.number;
                nt_->clear();
                const char* next = rule.control == "iproj" ? "iident" : "iproj";
                type(std::string(rule.control).c_str(), "abc", next);
                QCOMPARE(nt_->warnings(), std::vector<std::string>{"Input string mismatch "});
                QCOMPARE(focused(), static_cast<QWidget*>(e));
                QCOMPARE(st().dc.*rule.number, before);
                // The text stays for mending; l refreshes the window, which shows the value kept.
                QVERIFY(e->text() == QStringLiteral("abc") ||
                        e->text() == QString::fromStdString(refreshText(st(), rule)));
                // Mended with its own value again.
                e->setText(QString::fromStdString(refreshText(st(), rule)));
                leaveTo(next);
            }
            QVERIFY(tried >= 10);
        }
    }

    void aValueOutOfItsLimitsWarnsOncePerTypedValue() {
        startWithMessageBoxes();
        makePassing();
        boxes_->clear();
        type("iufb", "0.49", "icylr");
        QCOMPARE(boxes_->texts(), QStringList{" 0.5 < UF < 1.5 "});
        QTRY_COMPARE(focused(), static_cast<QWidget*>(box("iufb")));
        expectVerdict(VerdictStatus::InputOutOfLimits);
        // Leaving the unchanged box again takes nothing and warns no more.
        leaveTo("icylr");
        leaveTo("iufb");
        leaveTo("il");
        QCOMPARE(boxes_->texts(), QStringList{" 0.5 < UF < 1.5 "});
        QCOMPARE(focused(), static_cast<QWidget*>(box("il")));
        QCOMPARE(st().dc.UF, 0.49f);
        expectVerdict(VerdictStatus::InputOutOfLimits);
        // The same value typed again is a new input: one warning more.
        type("iufb", "0.49", "icylr");
        QCOMPARE(boxes_->texts().size(), 2);
        QTRY_COMPARE(focused(), static_cast<QWidget*>(box("iufb")));
        type("iufb", "1.1", "icylr");
        QCOMPARE(boxes_->texts().size(), 2);
        expectVerdict(VerdictStatus::Passes);
    }

    void theModulusRecalculatesLikeAnyInput() {
        const double before = st().res.shellUF;
        type("ie", "100000");
        QCOMPARE(st().dc.E, 100000.0f);
        QVERIFY(st().res.shellUF != before);
        QVERIFY(resultsCurrent(st()));
    }

    // ---- cases read in -------------------------------------------------------------------

    void caseFileOutOfLimitsIsKeptAndReportedInOneMessage() {
        startWithMessageBoxes();
        const QString path = writeCase("outside.cys", [](DesignCase& dc) {
            dc.UF = 7;
            dc.t = 0.01f;
            dc.l = 5;
        });
        w_->chooseOpenPath = [&](const QString&) { return path; };
        boxes_->clear();
        w_->openCommand();
        const QStringList texts = boxes_->texts();
        QCOMPARE(texts.size(), 1);
        for (const char* field : {"UF = 7", "t = 0.01", "l = 5"})
            QVERIFY2(texts.front().contains(field), qPrintable(texts.front()));
        QCOMPARE(st().dc.UF, 7.0f);
        QCOMPARE(st().dc.t, 0.01f);
        QCOMPARE(st().dc.l, 5.0f);
        expectVerdict(VerdictStatus::InputOutOfLimits);

        // A case within its limits opens without a word.
        const QString good = writeCase("good.cys", [](DesignCase& dc) {
            dc.ringControl = 0;
            dc.Sigx = -50;
        });
        w_->chooseOpenPath = [&](const QString&) { return good; };
        boxes_->clear();
        w_->openCommand();
        QVERIFY(boxes_->texts().isEmpty());
        expectVerdict(VerdictStatus::Passes);
    }

    // ---- profiles --------------------------------------------------------------------------

    void aProfileFailingItsProportionsIsRedInTheMainWindow() {
        get<QRadioButton>("cylinder2")->click();
        auto* line = get<QLabel>("stiffprof");
        const QColor plain = line->palette().color(QPalette::WindowText);
        QVERIFY(plain != colour(kRed));
        // A built-up L whose web is 0.1 mm thick.
        setBuiltUpWeb("0.1");
        QVERIFY(!st().res.stiffProportionsOk);
        QCOMPARE(line->palette().color(QPalette::WindowText), colour(kRed));
        QVERIFY(line->text().contains(QString::fromStdString(st().res.webCheckText)));
        QVERIFY(line->text().contains("NOK"));
        expectVerdict(VerdictStatus::Fails);
        QVERIFY(verdictLine()->toolTip().contains("proportion limit"));

        // Not in use: an unstiffened cylinder does not show it.
        get<QRadioButton>("cylinder0")->click();
        QVERIFY(line->palette().color(QPalette::WindowText) != colour(kRed));
    }

    // ---- database rows -------------------------------------------------------------------

    void aDatabaseRowIsNamedInTheCaptionAndSaveAsksForAFile() {
        const QString a = writeCase("a.cys", [](DesignCase& dc) { dc.identification = "case A"; });
        w_->chooseOpenPath = [&](const QString&) { return a; };
        w_->openCommand();
        QCOMPARE(w_->windowTitle(), QStringLiteral("Velmora DNV: ") + a + "[*]");
        const QByteArray before = [&] {
            QFile f(a);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();

        // The database opened in its window shows its first row.
        const QString db = writeDatabase(caseFile("rows_in.csv"));
        auto* windows = w_->findChild<DatabaseWindows*>();
        QVERIFY(windows);
        windows->chooseOpenPath = [&](const QString&, const QString&) { return db; };
        get<QAction>("mnuDb")->trigger();
        QTest::mouseClick(w_->findChild<QPushButton*>("cmdOpenDatabase"), Qt::LeftButton);
        QCOMPARE(st().dc.r, 2000.0f);
        QCOMPARE(w_->windowTitle(), QStringLiteral("Velmora DNV: Database row: First case[*]"));

        // Another row chosen in the list.
        auto* list = w_->findChild<QListWidget*>("lstDatabase");
        list->setCurrentRow(1);
        QApplication::processEvents();
        QCOMPARE(st().dc.r, 2500.0f);
        QCOMPARE(w_->windowTitle(), QStringLiteral("Velmora DNV: Database row: Second case[*]"));

        // Save asks for a file name; the earlier case file stays as it was.
        bool asked = false;
        const QString saved = caseFile("row.cys");
        w_->chooseSavePath = [&](const QString&, const QString&) {
            asked = true;
            return saved;
        };
        get<QAction>("mnusave")->trigger();
        QVERIFY(asked);
        QFile f(a);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        State back;
        QVERIFY(readCaseFile(back, saved.toStdString()).empty());
        QCOMPARE(back.dc.r, 2500.0f);
        QCOMPARE(w_->windowTitle(), QStringLiteral("Velmora DNV: ") + saved + "[*]");
    }

    void theStartUpBatchShowsItsFirstRowByName() {
        writeDatabase(dir_->filePath(kStartupDatabase));
        w_.reset();
        restart(options());
        QCOMPARE(w_->windowTitle(), QStringLiteral("Velmora DNV: Database row: First case[*]"));
        QVERIFY(!w_->isWindowModified());
        // A case of its own again after New.
        get<QAction>("mnunew")->trigger();
        QCOMPARE(w_->windowTitle(), QStringLiteral("Velmora DNV: New File[*]"));
    }

    // ---- keys ------------------------------------------------------------------------------

    void fileKeysWorkFromAnInputBox() {
        startWithMessageBoxes();
        int opened = 0;
        int saved = 0;
        w_->chooseOpenPath = [&](const QString&) {
            ++opened;
            return QString();
        };
        w_->chooseSavePath = [&](const QString&, const QString&) {
            ++saved;
            return QString();
        };
        auto keyInRadius = [&](Qt::Key key, Qt::KeyboardModifiers mods) {
            QLineEdit* r = box("icylr");
            r->setFocus();
            QApplication::processEvents();
            QTest::keyClick(r, key, mods);
            QApplication::processEvents();
        };
        keyInRadius(Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(opened, 1);
        keyInRadius(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(saved, 1);
        keyInRadius(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(saved, 2);
        QVERIFY(boxes_->texts().isEmpty());

        // New: the typed radius is asked about, then dropped.
        QLineEdit* r = box("icylr");
        r->selectAll();
        QTest::keyClicks(r, "999");
        keyInRadius(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(boxes_->texts(), QStringList{"Save changes to the current case?"});
        QCOMPARE(st().dc.r, 1500.0f);

        // Print: a case not calculated is refused.
        // (The offscreen platform does not give the window back its activation after the
        // question, as a desktop does.)
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
        type("it", "-5");
        QTRY_VERIFY(w_->isActiveWindow());
        boxes_->clear();
        keyInRadius(Qt::Key_P, Qt::ControlModifier);
        QTRY_COMPARE(boxes_->texts().size(), 1);
        QVERIFY(boxes_->texts().front().startsWith("The case was not calculated: "));
    }

    // ---- screenshots for the eye --------------------------------------------------------

    void screenshots() {
        const QByteArray out = qgetenv("VELMORA_SHOTS");
        if (out.isEmpty())
            QSKIP("set VELMORA_SHOTS to a folder to get screenshots");
        const QString folder = QString::fromUtf8(out);
        // On a real display the boxes are left only in the active window.
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
        auto shootOnce = [&](const QString& name) {
            QApplication::processEvents();
            w_->grab().save(folder + "/" + name);
            // The whole screen as well, where the platform has one to take.
            if (const QByteArray screen = qgetenv("VELMORA_SHOT_SCREEN"); !screen.isEmpty())
                QProcess::execute(QString::fromUtf8(screen),
                                  {"-window", "root", folder + "/screen-" + name});
        };
        // Where the content scrolls, its far end as well.
        auto shoot = [&](const char* name) {
            shootOnce(QString::fromLatin1(name));
            auto* scroll = get<QScrollArea>("scroll");
            QScrollBar* down = scroll->verticalScrollBar();
            QScrollBar* across = scroll->horizontalScrollBar();
            if (down->maximum() > 0 || across->maximum() > 0) {
                down->setValue(down->maximum());
                across->setValue(across->maximum());
                shootOnce(QStringLiteral("scrolled-") + QString::fromLatin1(name));
                down->setValue(0);
                across->setValue(0);
            }
        };
        shoot("verdict-fails.png");
        makePassing();
        shoot("verdict-passes.png");
        type("it", "-5");
        shoot("stopped-run.png");
        get<QCheckBox>("ring_ch")->click();
        shoot("stopped-run-ring.png");
        get<QCheckBox>("ring_ch")->click();
        type("it", "20");
        type("iufb", "0.4", "icylr");
        shoot("out-of-limits.png");
        type("iufb", "1", "icylr");
        get<QRadioButton>("cylinder3")->click();
        type("ip", "-1.5", "icolL");
        shoot("stopped-column.png");
        type("ip", "0.3", "icolL");
        get<QRadioButton>("cylinder2")->click();
        setBuiltUpWeb("0.1");
        shoot("profile-fails.png");
    }
};

QTEST_MAIN(MainWindowVerdictTest)
#include "MainWindowVerdictTest.moc"
