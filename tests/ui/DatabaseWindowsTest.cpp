// The database windows on a small stand-in for the main window: controls are found by object
// name, the file dialogs and the document opener are replaced, and the warnings come from a
// recording notifier.

#include "ui/database/DatabaseWindows.h"
#include "calc/Calc.h"
#include "calc/DatabaseRows.h"
#include "calc/State.h"
#include "files/DataFiles.h"
#include "files/DatabaseFile.h"
#include "support/RecordingNotifier.h"
#include "ui/database/DatabaseWindow.h"
#include "ui/database/DetailedSummaryWindow.h"
#include "ui/database/TableWindow.h"
#include "ui/main/CaseHost.h"
#include "ui/widgets/WindowFit.h"

#include "MessageBoxes.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <map>
#include <memory>

using namespace velmora;

namespace {

// The main window as far as the database windows see it.
class FakeHost : public QWidget, public CaseHost {
public:
    FakeHost() {
        setObjectName("velmora");
        newCase(st);
        loadDataFiles(st, VELMORA_DATA_DIR);
        calcAll(st, nt);
        resize(400, 300);
    }
    State& state() override { return st; }
    Notifier& notifier() override { return nt; }
    using CaseHost::recalculate;
    void recalculate(Notifier& n) override {
        ++runs;
        calcAll(st, n);
    }
    void refreshWindow() override { ++refreshes; }
    QWidget* hostWidget() override { return this; }

    State st;
    RecordingNotifier nt;
    int runs = 0;
    int refreshes = 0;
};

QStringList warned(const RecordingNotifier& nt) {
    QStringList out;
    for (const auto& w : nt.warnings())
        out << QString::fromStdString(w);
    return out;
}

// Cells of the first worksheet of a workbook by reference ("A1" -> text), read with Python's
// zip and XML readers: the workbook is a zip of XML parts, strings kept in a shared table.
std::map<QString, QString> workbookCells(const QString& path) {
    const char* script = R"PY(
import sys, zipfile, xml.etree.ElementTree as ET
M = '{http://schemas.openxmlformats.org/spreadsheetml/2006/main}'
z = zipfile.ZipFile(sys.argv[1])
shared = []
if 'xl/sharedStrings.xml' in z.namelist():
    for si in ET.fromstring(z.read('xl/sharedStrings.xml')).iter(M + 'si'):
        shared.append(''.join(t.text or '' for t in si.iter(M + 't')))
for c in ET.fromstring(z.read('xl/worksheets/sheet1.xml')).iter(M + 'c'):
    kind, v = c.get('t'), c.find(M + 'v')
    if kind == 's':
        text = shared[int(v.text)]
    elif kind == 'inlineStr':
        text = ''.join(t.text or '' for t in c.iter(M + 't'))
    else:
        text = v.text if v is not None else ''
    sys.stdout.buffer.write((c.get('r') + '\t' + text + '\n').encode('utf-8'))
)PY";
    QProcess p;
    p.start("python3", {"-c", script, path});
    std::map<QString, QString> cells;
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        qWarning("%s", p.readAllStandardError().constData());
        return cells;
    }
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n')) {
        const qsizetype tab = line.indexOf('\t');
        if (tab > 0)
            cells[line.left(tab)] = line.mid(tab + 1);
    }
    return cells;
}

QString readText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return QString::fromLatin1(f.readAll());
}

void writeText(const QString& path, const QByteArray& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

} // namespace

class DatabaseWindowsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<FakeHost> host;
    std::unique_ptr<DatabaseWindows> windows;
    QString openAnswer, saveAnswer, openedDocument;
    QString saveOffered;
    int saveAsked = 0;
    // The questions of the windows; answered Discard unless a test says else.
    std::unique_ptr<MessageBoxes> questions;
    QString workbookAnswer, workbookDirOffered, workbookOffered;
    bool documentOpens = false;

    DatabaseWindow* win() { return windows->databaseWindow(); }
    QListWidget* list() { return win()->findChild<QListWidget*>("lstDatabase"); }
    QLineEdit* comment() { return win()->findChild<QLineEdit*>("txtComment"); }
    QStringList rows() {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out << list()->item(i)->text();
        return out;
    }
    void click(QWidget* w, const char* name) {
        auto* b = w->findChild<QAbstractButton*>(name);
        QVERIFY2(b, name);
        b->click();
        QCoreApplication::processEvents();
    }
    // Clicks a row of the list as the engineer does.
    void pick(int row) {
        QListWidgetItem* item = list()->item(row);
        QVERIFY(item);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(item).center());
        QCoreApplication::processEvents();
        QCOMPARE(list()->currentRow(), row);
    }
    // A new database: comment "Hull", the current case "A" and "End".
    void newDatabase() {
        host->st.dc.identification = "A";
        windows->showDatabase();
        comment()->setText("Hull");
        click(win(), "cmdNewDatabase");
    }
    DetailedSummaryWindow* summary() {
        click(win(), "cmdCalc");
        return win()->summaryWindow();
    }

private slots:
    void init() {
        host = std::make_unique<FakeHost>();
        host->show();
        windows = std::make_unique<DatabaseWindows>(*host);
        openAnswer.clear();
        saveAnswer.clear();
        openedDocument.clear();
        documentOpens = false;
        windows->chooseOpenPath = [this](const QString&, const QString&) { return openAnswer; };
        questions = std::make_unique<MessageBoxes>();
        questions->answer = QMessageBox::Discard;
        saveAsked = 0;
        windows->chooseSavePath = [this](const QString&, const QString& name) {
            saveOffered = name;
            ++saveAsked;
            return saveAnswer;
        };
        workbookAnswer.clear();
        workbookOffered.clear();
        windows->chooseWorkbookPath = [this](const QString& dir, const QString& name) {
            workbookDirOffered = dir;
            workbookOffered = name;
            return workbookAnswer;
        };
        windows->openDocument = [this](const QString& path) {
            openedDocument = path;
            return documentOpens;
        };
    }
    void cleanup() {
        windows.reset();
        host.reset();
        questions.reset();
    }

    void windowHasItsControls() {
        windows->showDatabase();
        QCOMPARE(win()->objectName(), QString("frmDatabase"));
        QCOMPARE(win()->windowTitle(), QString("Database Filename: "));
        const std::map<const char*, const char*> captions = {
            {"cmdNewDatabase", "New Database File"},
            {"cmdOpenDatabase", "Open Database File"},
            {"cmdSaveFile", "Save Database File"},
            {"cmdSaveResult", "Save Result to File"},
            {"cmdCalc", "Calc and Summary"},
            {"cmdAddComment", "Add comment row"},
            {"cmdClose", "Close"}};
        for (const auto& [name, caption] : captions) {
            auto* b = win()->findChild<QPushButton*>(name);
            QVERIFY2(b, name);
            QCOMPARE(b->text(), QString(caption));
        }
        QCOMPARE(win()->findChild<QToolButton*>("Cmd_pilupp")->toolTip(),
                 QString(" Move Profile Up "));
        QCOMPARE(win()->findChild<QToolButton*>("Cmd_pilner")->toolTip(),
                 QString(" Move Profile Down "));
        QCOMPARE(win()->findChild<QToolButton*>("cmdX")->toolTip(), QString(" Remove Profile "));
        QCOMPARE(comment()->text(), QString("Comment"));
        QCOMPARE(win()->parentWidget(), host.get());
        click(win(), "cmdClose");
        QVERIFY(!win()->isVisible());
        QCOMPARE(host->st.db.lastRow, int16_t{0}); // the database stays
    }

    // Before any database was read, the first case added becomes row 0, before "End".
    void addsAppendBeforeEnd() {
        host->st.dc.identification = "First";
        windows->addCaseToDatabase();
        QVERIFY(win()->isVisible());
        QCOMPARE(rows(), QStringList({"First", "End"}));
        host->st.dc.identification = "Second";
        host->st.dc.r = 2100;
        windows->addCaseToDatabase();
        QCOMPARE(rows(), QStringList({"First", "Second", "End"}));
        QCOMPARE(host->st.db.rows[1].r, 2100.0f);
        QCOMPARE(list()->currentRow(), 0);
        // Showing the list loads nothing: the case in the window is still the one just added.
        QCOMPARE(host->st.dc.identification, std::string("Second"));
        QVERIFY(warned(host->nt).isEmpty());
    }

    // A database read from a file without the marker keeps its last row; the case follows it.
    void addAfterDatabaseWithoutMarker() {
        QTemporaryDir dir;
        const QString path = dir.filePath("nomarker_in.csv");
        host->st.dc.identification = "Kept";
        QVERIFY(storeCaseInRow(host->st, 0));
        std::string e = writeDatabaseFile(host->st, path.toStdString());
        QVERIFY(e.empty());
        QString text = readText(path);
        text.remove("End;\r\n");
        writeText(path, text.toLatin1());
        QVERIFY(readDatabaseFile(host->st, path.toStdString()).empty());
        host->st.dc.identification = "Added";
        windows->addCaseToDatabase();
        QCOMPARE(rows(), QStringList({"Kept", "Added", "End"}));
    }

    void newDatabaseListsCommentCaseAndEnd() {
        newDatabase();
        QCOMPARE(rows(), QStringList({"% Hull", "A", "End"}));
        QCOMPARE(win()->windowTitle(), QString("Database Filename: New Database_in.csv"));
        QCOMPARE(host->windowTitle(), QString("Database Filename: New File[*]"));
        QVERIFY(host->refreshes > 0);
    }

    void rowsAboveAndAtEndDoNotMove() {
        newDatabase();
        pick(1);
        click(win(), "Cmd_pilner");
        pick(2);
        click(win(), "Cmd_pilupp");
        pick(0);
        click(win(), "Cmd_pilupp");
        QCOMPARE(warned(host->nt),
                 QStringList({" Last row can't be moved ", " Last row can't be moved ",
                              " First row can't be moved "}));
        QCOMPARE(rows(), QStringList({"% Hull", "A", "End"}));
        // A row with room to move does move, and stays selected.
        pick(1);
        click(win(), "Cmd_pilupp");
        QCOMPARE(rows(), QStringList({"A", "% Hull", "End"}));
        QCOMPARE(list()->currentRow(), 0);
        click(win(), "Cmd_pilner");
        QCOMPARE(rows(), QStringList({"% Hull", "A", "End"}));
        QCOMPARE(list()->currentRow(), 1);
    }

    void onlyCaseAndEndAreNotRemoved() {
        newDatabase();
        pick(1);
        click(win(), "cmdX");
        pick(2);
        click(win(), "cmdX");
        QCOMPARE(warned(host->nt), QStringList({" Only one row. Row can't be removed ",
                                                " Last row can't be removed "}));
        QCOMPARE(rows(), QStringList({"% Hull", "A", "End"}));
        QCOMPARE(host->st.db.lastRow, int16_t{2});
        // The comment goes; the row before it is selected.
        pick(0);
        click(win(), "cmdX");
        QCOMPARE(rows(), QStringList({"A", "End"}));
        QCOMPARE(host->st.db.lastRow, int16_t{1});
        QCOMPARE(list()->currentRow(), 0);
        // With a second case, either may go.
        host->st.dc.identification = "B";
        windows->addCaseToDatabase();
        pick(0);
        click(win(), "cmdX");
        QCOMPARE(rows(), QStringList({"B", "End"}));
    }

    void oneWordCommentRoundTrip() {
        newDatabase();
        comment()->setText("Flange");
        pick(1);
        click(win(), "cmdAddComment");
        QCOMPARE(rows(), QStringList({"% Hull", "% Flange", "A", "End"}));
        QCOMPARE(list()->currentRow(), 1);
        comment()->setText("something else");
        pick(2);
        pick(1);
        QCOMPARE(comment()->text(), QString("Flange"));
        // "End" changes nothing; a comment cannot go after it.
        pick(3);
        QCOMPARE(comment()->text(), QString("Flange"));
        click(win(), "cmdAddComment");
        QCOMPARE(warned(host->nt), QStringList({" Comment cant be added at last row "}));
        QCOMPARE(host->st.db.lastRow, int16_t{3});
        // Saved and read back, the comment is the same row.
        QTemporaryDir dir;
        saveAnswer = dir.filePath("comments_in.csv");
        click(win(), "cmdSaveFile");
        openAnswer = saveAnswer;
        click(win(), "cmdOpenDatabase");
        QCOMPARE(rows(), QStringList({"% Hull", "% Flange", "A", "End"}));
        pick(1);
        QCOMPARE(comment()->text(), QString("Flange"));
    }

    // Choosing a case row makes it the case of the main window, calculated and shown.
    void choosingCaseRowLoadsIt() {
        newDatabase();
        host->st.dc.identification = "B";
        host->st.dc.r = 2500;
        windows->addCaseToDatabase();
        host->st.dc.r = 999; // typed in the window after the add
        const int refreshes = host->refreshes;
        const int runs = host->runs;
        pick(2);
        QCOMPARE(host->st.dc.identification, std::string("B"));
        QCOMPARE(host->st.dc.r, 2500.0f);
        QVERIFY(host->refreshes > refreshes);
        // The row is calculated once, by loading it; the window only shows the results.
        QCOMPARE(host->runs, runs);
        const float lamdaB = host->st.res.lamdas;
        pick(1);
        QCOMPARE(host->st.dc.identification, std::string("A"));
        QCOMPARE(host->st.dc.r, 1500.0f);
        // The shell slenderness grows with the radius: r 2500 against 1500 at the same t.
        QVERIFY(host->st.res.lamdas < lamdaB);
        QVERIFY(warned(host->nt).isEmpty());
    }

    void openReadsFileOrChangesNothing() {
        QTemporaryDir dir;
        newDatabase();
        // Cancel: nothing at all.
        click(win(), "cmdOpenDatabase");
        // A missing file.
        openAnswer = dir.filePath("missing_in.csv");
        click(win(), "cmdOpenDatabase");
        // A file that breaks off in its second line.
        const QString bad = dir.filePath("bad_in.csv");
        writeText(bad, "% fine\r\nProject;Case;0;1;\r\nEnd;\r\n");
        openAnswer = bad;
        click(win(), "cmdOpenDatabase");
        const QStringList w = warned(host->nt);
        QCOMPARE(w.size(), 2);
        QCOMPARE(w[0],
                 "can't find file - " + openAnswer.left(openAnswer.size() - 10) + "missing_in.csv");
        QVERIFY2(w[1].startsWith("Error in Database File\n"), qPrintable(w[1]));
        QVERIFY2(w[1].contains("line 2"), qPrintable(w[1]));
        QCOMPARE(rows(), QStringList({"% Hull", "A", "End"}));
        QCOMPARE(host->st.db.lastRow, int16_t{2});
        QCOMPARE(host->st.db.databaseFileName, std::string("New Database_in.csv"));
        QCOMPARE(win()->windowTitle(), QString("Database Filename: New Database_in.csv"));

        // A good file: its rows, its name, and its first case in the main window.
        host->nt.clear();
        host->st.dc.identification = "Stored";
        host->st.dc.t = 14;
        QVERIFY(storeCaseInRow(host->st, 2));
        const QString good = dir.filePath("good_in.csv");
        QVERIFY(writeDatabaseFile(host->st, good.toStdString()).empty());
        host->st.dc.identification = "Other";
        host->st.dc.t = 30;
        openAnswer = good;
        click(win(), "cmdOpenDatabase");
        QCOMPARE(rows(), QStringList({"% Hull", "A", "Stored", "End"}));
        QCOMPARE(win()->windowTitle(), "Database Filename: " + good);
        QCOMPARE(host->st.dc.identification, std::string("A"));
        QCOMPARE(host->st.dc.t, 20.0f);
        QCOMPARE(QString::fromStdString(host->st.run.currentDir), dir.path() + "/");
        QVERIFY(warned(host->nt).isEmpty());
    }

    void saveWritesTheFileUnderItsNewName() {
        QTemporaryDir dir;
        newDatabase();
        click(win(), "cmdSaveFile"); // cancelled
        QCOMPARE(saveOffered, QString("New Database_in.csv"));
        saveAnswer = dir.filePath("hull_in"); // no extension typed
        click(win(), "cmdSaveFile");
        const QString path = dir.filePath("hull_in.csv");
        QCOMPARE(host->st.db.databaseFileName, path.toStdString());
        QCOMPARE(win()->windowTitle(), "Database Filename: " + path);
        const QStringList lines = readText(path).split("\r\n");
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QString("% Hull;"));
        QVERIFY2(lines[1].startsWith("Project;A;"), qPrintable(lines[1]));
        QCOMPARE(lines[2], QString("End;"));
        // A folder that does not exist: the name stays, the engineer is told.
        saveAnswer = dir.filePath("nowhere/x_in.csv");
        click(win(), "cmdSaveFile");
        QCOMPARE(warned(host->nt), QStringList({"can't save file - " + saveAnswer}));
        QCOMPARE(host->st.db.databaseFileName, path.toStdString());
    }

    void windowsFitTheScreen() {
        newDatabase();
        DetailedSummaryWindow* s = summary();
        for (QWidget* w : {static_cast<QWidget*>(win()), static_cast<QWidget*>(s)}) {
            QVERIFY(QTest::qWaitForWindowExposed(w));
            const QRect avail = w->screen()->availableGeometry();
            QVERIFY2(w->width() + kWindowFrame.width() <= avail.width(),
                     qPrintable(w->objectName()));
            QVERIFY2(w->height() + kWindowFrame.height() <= avail.height(),
                     qPrintable(w->objectName()));
        }
    }

    void closingAChangedDatabaseAsks() {
        QTemporaryDir dir;
        const QString question = "Save changes to the database?";
        newDatabase();
        QVERIFY(host->st.db.modified);
        // Cancel keeps the window and every row.
        questions->answer = QMessageBox::Cancel;
        click(win(), "cmdClose");
        QCOMPARE(questions->texts(), QStringList({question}));
        QVERIFY(questions->boxes[0].over == win());
        QVERIFY(win()->isVisible());
        QCOMPARE(rows(), QStringList({"% Hull", "A", "End"}));
        // Save of a database never saved asks for the file; cancelling that keeps it open.
        questions->answer = QMessageBox::Save;
        QVERIFY(!win()->close());
        QCOMPARE(saveAsked, 1);
        QVERIFY(win()->isVisible());
        // A write that fails is told and keeps the window, the rows and the mark.
        saveAnswer = dir.filePath("nowhere/x_in.csv");
        QVERIFY(!win()->close());
        QCOMPARE(warned(host->nt), QStringList({"can't save file - " + saveAnswer}));
        QVERIFY(win()->isVisible());
        QVERIFY(host->st.db.modified);
        QCOMPARE(host->st.db.lastRow, int16_t{2});
        // Save writes the file and the window closes.
        saveAnswer = dir.filePath("hull_in.csv");
        QVERIFY(win()->close());
        QVERIFY(!win()->isVisible());
        QVERIFY2(readText(saveAnswer).startsWith("% Hull;\r\nProject;A;"),
                 qPrintable(readText(saveAnswer)));
        QVERIFY(!host->st.db.modified);

        // Unchanged: it closes without a word.
        questions->clear();
        windows->showDatabase();
        QVERIFY(win()->close());
        QVERIFY(questions->texts().isEmpty());

        // A comment row marks it; Save writes the named file without asking for a name.
        windows->showDatabase();
        comment()->setText("Deck");
        click(win(), "cmdAddComment");
        QVERIFY(host->st.db.modified);
        QVERIFY(win()->close());
        QCOMPARE(questions->texts(), QStringList({question}));
        QCOMPARE(saveAsked, 3);
        QVERIFY(readText(saveAnswer).startsWith("% Deck;\r\n% Hull;\r\n"));

        // Discard closes; the rows stay for the session, the file as it was.
        const QString written = readText(saveAnswer);
        windows->addCaseToDatabase();
        questions->answer = QMessageBox::Discard;
        QVERIFY(win()->close());
        QCOMPARE(host->st.db.lastRow, int16_t{4});
        QCOMPARE(readText(saveAnswer), written);

        // Opening another database over unsaved rows asks first; Cancel keeps them.
        windows->addCaseToDatabase();
        questions->clear();
        questions->answer = QMessageBox::Cancel;
        openAnswer = saveAnswer;
        click(win(), "cmdOpenDatabase");
        QCOMPARE(questions->texts(), QStringList({question}));
        QCOMPARE(host->st.db.lastRow, int16_t{5});
    }

    // The results file of a large database, one row of which cannot be calculated: the window
    // stays responsive, one message names the row, and the case of the window comes back.
    void saveResultOfLargeDatabase() {
        QTemporaryDir dir;
        newDatabase();
        for (int i = 0; i < 300; ++i) {
            host->st.dc.identification = "Case " + std::to_string(i + 2);
            windows->addCaseToDatabase();
        }
        host->st.db.rows[5].t = 0; // the row of file line 6 divides by its wall thickness
        saveAnswer = dir.filePath("big_in.csv");
        click(win(), "cmdSaveFile");
        host->nt.clear();
        host->st.dc.identification = "In the window";
        host->st.dc.r = 1234;
        click(win(), "cmdSaveResult");
        const QString results = saveAnswer + "_out.csv";
        const QStringList lines = readText(results).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + 303); // header, comment, 301 cases, End
        QCOMPARE(lines[1], QString("% Hull"));
        QCOMPARE(lines.last(), QString("End"));
        const QStringList w = warned(host->nt);
        QCOMPARE(w.size(), 1);
        QVERIFY2(w[0].contains("Row 6 (Case 5)"), qPrintable(w[0]));
        QVERIFY2(!w[0].contains("Row 7"), qPrintable(w[0]));
        QCOMPARE(host->st.dc.identification, std::string("In the window"));
        QCOMPARE(host->st.dc.r, 1234.0f);
        QCOMPARE(host->st.run.fileName, std::string("New File"));
        QVERIFY(!win()->findChild<QWidget*>("batchProgress"));
    }

    void summaryGroupsSwitchOffToTheFixedColumns() {
        newDatabase();
        DetailedSummaryWindow* s = summary();
        QVERIFY(s && s->isVisible());
        QCOMPARE(s->windowTitle(), QString("Detailed Result"));
        QCOMPARE(s->findChild<QGroupBox*>("Frame1")->title(), QString("Input && Result"));
        auto* view = s->findChild<QTableWidget*>("lstViewDetailed");
        QCOMPARE(view->columnCount(), 27);
        QCOMPARE(view->rowCount(), 3);
        const char* boxes[] = {"chkStiffInp", "chkRingInp", "chkStressInp", "chkColumnInp",
                               "chkStiffRes", "chkRingRes", "chkColumnRes"};
        for (const char* b : boxes) {
            auto* c = s->findChild<QCheckBox*>(b);
            QVERIFY2(c && c->isChecked(), b);
            c->click();
        }
        QStringList headings;
        for (int c = 0; c < view->columnCount(); ++c)
            headings << view->horizontalHeaderItem(c)->text();
        QCOMPARE(headings, QStringList({"Ident", "fyk", "r ", "l ", "t", "pd",
                                        "Shell UF =", "UFmax =", "Verdict"}));
        for (bool on : host->st.summaryGroups)
            QVERIFY(!on);
        // Kept while the program runs: the boxes open unchecked again.
        s->close();
        s = summary();
        for (const char* b : boxes)
            QVERIFY2(!s->findChild<QCheckBox*>(b)->isChecked(), b);
        QCOMPARE(view->columnCount(), 9);
        QCOMPARE(view->item(0, 0)->text(), QString("% Hull"));
        QCOMPARE(view->item(1, 0)->text(), QString("A"));
        QCOMPARE(view->item(2, 0)->text(), QString("End"));
        // Switching one group back on brings its columns.
        s->findChild<QCheckBox*>("chkStressInp")->click();
        QCOMPARE(view->columnCount(), 12);
        QCOMPARE(view->horizontalHeaderItem(5)->text(), QString("Sigx"));
    }

    void summaryUsageFactorsAbovePermittedAreRed() {
        // A: the new case, whose ring frame is too small in area (1.30 against 1.00).
        newDatabase();
        // B: an overloaded shell; C: nothing above its permitted value.
        host->st.dc.ringControl = 0;
        host->st.dc.identification = "B";
        host->st.dc.Sigx = -600;
        windows->addCaseToDatabase();
        host->st.dc.identification = "C";
        host->st.dc.Sigx = -10;
        windows->addCaseToDatabase();
        DetailedSummaryWindow* s = summary();
        auto* view = s->findChild<QTableWidget*>("lstViewDetailed");
        QStringList headings;
        for (int c = 0; c < view->columnCount(); ++c)
            headings << view->horizontalHeaderItem(c)->text();
        const QColor red(128, 0, 0);
        auto redCells = [&](int row) {
            QStringList out;
            for (int c = 0; c < view->columnCount(); ++c)
                if (view->item(row, c)->foreground().color() == red)
                    out << headings[c] + " " + view->item(row, c)->text();
            return out;
        };
        QCOMPARE(view->item(1, 0)->text(), QString("A"));
        QCOMPARE(redCells(1), QStringList({"Ring Ax 1.30", "UFmax = 1.30"}));
        QCOMPARE(view->item(2, 0)->text(), QString("B"));
        QVERIFY(redCells(2).first().startsWith("Shell UF = "));
        QVERIFY(redCells(2).last().startsWith("UFmax = "));
        QCOMPARE(redCells(3), QStringList());
        // Permitted is 1.00 throughout (LRFD, UF 1): red exactly where the factor is above it.
        const QStringList factors = {"Shell UF =",   "Stiff UF =",   "Ring Ax", "Ring Ix",
                                     "Column UF1 =", "Column UF2 =", "UFmax ="};
        for (int row = 1; row <= 3; ++row)
            for (int c = 0; c < view->columnCount(); ++c) {
                bool number = false;
                const double uf = view->item(row, c)->text().toDouble(&number);
                if (factors.contains(headings[c]) && number)
                    QCOMPARE(view->item(row, c)->foreground().color() == red, uf > 1.0);
            }
    }

    void frozenIdentColumnShowsACommentWhole() {
        // Short idents would leave the frozen column too narrow for the comment "% Hull".
        newDatabase();
        DetailedSummaryWindow* s = summary();
        auto* view = s->findChild<QTableWidget*>("lstViewDetailed");
        auto* ident = s->findChild<QTableView*>("lstViewIdent");
        QCOMPARE(view->item(0, 0)->text(), QString("% Hull"));
        // The cell draws its text inside a margin on either side.
        QVERIFY(ident->fontMetrics().horizontalAdvance("% Hull") + 8 <= ident->columnWidth(0));
        QCOMPARE(view->item(0, 0)->toolTip(), QString("% Hull"));
        QCOMPARE(ident->columnWidth(0), view->columnWidth(0));
    }

    void summaryFollowsTheWindowSize() {
        newDatabase();
        DetailedSummaryWindow* s = summary();
        auto* view = s->findChild<QTableWidget*>("lstViewDetailed");
        s->resize(900, 500);
        QCoreApplication::processEvents();
        const QSize before = view->size();
        s->resize(1200, 700);
        QCoreApplication::processEvents();
        QCOMPARE(view->width() - before.width(), 300);
        QCOMPARE(view->height() - before.height(), 200);
    }

    void exportedWorkbookReadsBack() {
        host->st.dc.identification = "Shell 1";
        host->st.dc.t = 12.5f;
        host->st.dc.s = 750;
        host->st.dc.pd = -0.25f;
        host->st.dc.ringControl = 0;
        host->st.dc.heavyRingControl = 0;
        windows->showDatabase();
        comment()->setText("Export");
        click(win(), "cmdNewDatabase");
        QTemporaryDir dir;
        saveAnswer = dir.filePath("Hull_in.csv");
        click(win(), "cmdSaveFile");
        DetailedSummaryWindow* s = summary();
        host->nt.clear();
        // Cancelled: nothing is written, nothing said.
        click(s, "cmdDetailedResult");
        QCOMPARE(workbookDirOffered, dir.path());
        QCOMPARE(workbookOffered, QString("Hull.xlsx"));
        QVERIFY(s->lastWorkbook().isEmpty());
        QVERIFY(warned(host->nt).isEmpty());
        QVERIFY(openedDocument.isEmpty());
        // Saved where the engineer says (the extension added), then opened.
        workbookAnswer = dir.filePath("summary");
        click(s, "cmdDetailedResult");
        const QString path = dir.filePath("summary.xlsx");
        QCOMPARE(s->lastWorkbook(), path);
        QVERIFY(QFileInfo::exists(path));
        QCOMPARE(openedDocument, path);
        // Nothing could open it: the message names the file.
        const QStringList w = warned(host->nt);
        QCOMPARE(w.size(), 1);
        QVERIFY2(w[0].contains(path), qPrintable(w[0]));
        std::map<QString, QString> cells = workbookCells(path);
        QFile::remove(path);
        QCOMPARE(cells["A1"], QString("Ident"));
        QCOMPARE(cells["B1"], QString("fyk"));
        QCOMPARE(cells["C1"], QString("r "));
        QCOMPARE(cells["E1"], QString("t"));
        QCOMPARE(cells["F1"], QString("Stiff spac"));
        QCOMPARE(cells["Z1"], QString("UFmax ="));
        QCOMPARE(cells["AA1"], QString("Verdict"));
        QCOMPARE(cells["M1"], QString("pd"));
        QCOMPARE(cells["A2"], QString("% Export"));
        QCOMPARE(cells["A3"], QString("Shell 1"));
        QCOMPARE(cells["C3"], QString("1500"));
        QCOMPARE(cells["E3"], QString("12.5"));
        QCOMPARE(cells["F3"], QString("750"));
        QCOMPARE(cells["H3"], QString("N/A"));   // ring-frame control off
        QCOMPARE(cells["M3"], QString("-0.25")); // a number, shown with "0.000"
        QCOMPARE(cells["A4"], QString("End"));
        QVERIFY(!cells.count("A5"));

        // A desktop that opens it says nothing more.
        host->nt.clear();
        documentOpens = true;
        click(s, "cmdDetailedResult");
        QVERIFY(warned(host->nt).isEmpty());
    }

    void rightClickShowsTableWindow() {
        newDatabase();
        DetailedSummaryWindow* s = summary();
        QTest::mouseRelease(s, Qt::RightButton, {}, QPoint(5, 5));
        TableWindow* t = s->tableWindow();
        QVERIFY(t && t->isVisible());
        QCOMPARE(t->windowTitle(), QString("Form1"));
        auto* l = t->findChild<QListWidget*>("lstTable");
        QCOMPARE(l->count(), 2);
        QCOMPARE(l->item(0)->text(), QString("General"));
        QCOMPARE(l->item(1)->text(), QString("Shell"));
        click(t, "Command2");
        QVERIFY(t->isVisible());
        click(t, "Command1");
        QVERIFY(!t->isVisible());
    }

    // ---- screenshots for the eye: VELMORA_SHOTS=folder -------------------------------

    void screenshots() {
        const QString out = qEnvironmentVariable("VELMORA_SHOTS");
        if (out.isEmpty())
            QSKIP("set VELMORA_SHOTS to a folder to get screenshots");
        newDatabase();
        host->st.dc.identification = "B";
        windows->addCaseToDatabase();
        QVERIFY(win()->grab().save(out + "/frmDatabase.png"));
        DetailedSummaryWindow* s = summary();
        QVERIFY(s->grab().save(out + "/frmDatabaseDetailed.png"));
    }
};

QTEST_MAIN(DatabaseWindowsTest)
#include "DatabaseWindowsTest.moc"
