// The main window's load-case table as an engineer uses it: add a load case, type its loads,
// switch between the load cases and see each keep its own loads, design format and results;
// Delete never removes the last load case; Rename refuses a name the case cannot take. Controls
// are found by their object names and driven with real clicks and focus changes.
#include "ui/main/MainWindow.h"

#include "calc/Calc.h"
#include "calc/State.h"
#include "calc/Verdict.h"
#include "case/LoadCases.h"
#include "files/RecentFiles.h"
#include "report/Panels.h"
#include "support/RecordingNotifier.h"
#include "ui/widgets/PanelWidget.h"
#include "ui/widgets/QtNotifier.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace velmora;

namespace {

class TestNotifier : public RecordingNotifier {
public:
    QWidget* window = nullptr;
    void focus(const std::string& control) override {
        RecordingNotifier::focus(control);
        QtNotifier::focusControl(window, control);
    }
};

} // namespace

class LoadCaseTableTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MemoryStore> store_;
    std::unique_ptr<TestNotifier> nt_;
    std::unique_ptr<MainWindow> w_;

    State& st() { return w_->state(); }
    template <class T> T* get(const char* name) {
        T* c = w_->findChild<T*>(name);
        if (c == nullptr)
            qFatal("no control %s", name);
        return c;
    }
    QTableWidget* table() { return get<QTableWidget>("loadCaseTable"); }
    QLineEdit* box(const char* name) { return get<QLineEdit>(name); }
    QString cell(int row, int column) { return table()->item(row, column)->text(); }

    // Types into the box through the keyboard; the focus stays in it.
    void typeInto(const char* name, const char* text) {
        QLineEdit* e = box(name);
        e->setFocus();
        QApplication::processEvents();
        e->selectAll();
        QTest::keyClicks(e, text);
    }
    void type(const char* name, const char* text) {
        typeInto(name, text);
        box("iproj")->setFocus();
        QApplication::processEvents();
    }
    // A click on the row's name, as the engineer picks a load case.
    void clickRow(int row) {
        QTableWidget* t = table();
        const QRect r = t->visualItemRect(t->item(row, 0));
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, r.center());
        QApplication::processEvents();
    }
    void click(const char* name) {
        QTest::mouseClick(get<QPushButton>(name), Qt::LeftButton);
        QApplication::processEvents();
    }
    // Clicks Rename and answers its name dialog with `name`.
    void rename(const QString& name) {
        bool answered = false;
        QTimer::singleShot(0, this, [&] {
            auto* d = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (d == nullptr)
                return;
            answered = true;
            d->setTextValue(name);
            d->accept();
        });
        click("loadCaseRename");
        QVERIFY(answered);
    }
    QImage shellPanel() { return get<PanelWidget>("pic30")->grab().toImage(); }

    // The shell check's usage factor of the new case with this axial stress alone, calculated
    // apart from the window; Sigy, Tau and pd are those of the new case, or none (a load case
    // that Add made).
    double shellUFAlone(float Sigx, DesignFormat format, float UF) {
        State s;
        newCase(s);
        loadDataFiles(s, VELMORA_DATA_DIR);
        s.dc.Sigx = Sigx;
        s.dc.designFormat = format;
        s.dc.UF = UF;
        QuietNotifier quiet;
        calcAll(s, quiet);
        return s.res.shellUF;
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        store_ = std::make_unique<MemoryStore>();
        nt_ = std::make_unique<TestNotifier>();
        MainWindow::Options o;
        o.programDir = dir_->path();
        o.dataDir = QStringLiteral(VELMORA_DATA_DIR);
        o.notifier = nt_.get();
        o.recentStore = store_.get();
        w_ = std::make_unique<MainWindow>(o);
        nt_->window = w_.get();
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        w_->startUp();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
        nt_->clear();
    }
    void cleanup() {
        w_.reset();
        nt_.reset();
    }

    // A new case: one row, its name, format, UF and governing ratio on the verdict's colour;
    // Delete is off.
    void oneLoadCaseIsOneRow() {
        QTableWidget* t = table();
        QVERIFY(t->isVisible());
        QCOMPARE(t->rowCount(), 1);
        QCOMPARE(cell(0, 0), QStringLiteral("LC1"));
        QCOMPARE(cell(0, 1), QStringLiteral("LRFD"));
        QCOMPARE(cell(0, 2), QStringLiteral("1.00"));
        const Verdict v = caseVerdict(st());
        // The new case fails by its ring-frame area: the ratio on red.
        QCOMPARE(v.status, VerdictStatus::Fails);
        QVERIFY(v.ratio > 1);
        QCOMPARE(cell(0, 3), QString::number(v.ratio, 'f', 2));
        const Rgb red = verdictStatusColor(VerdictStatus::Fails);
        QCOMPARE(t->item(0, 3)->background().color(), QColor(red.r, red.g, red.b));
        QVERIFY(!get<QPushButton>("loadCaseDelete")->isEnabled());
        QVERIFY(get<QPushButton>("loadCaseAdd")->isEnabled());
        // Beside the loading frame, at its right, under the sketch.
        const QWidget* content = get<QWidget>("centralwidget");
        auto onContent = [content](const QWidget* f) {
            return QRect(f->mapTo(content, QPoint(0, 0)), f->size());
        };
        const QRect loading = onContent(get<QWidget>("fr123"));
        const QRect frame = onContent(get<QWidget>("frLoadCases"));
        const QRect sketch = onContent(get<QWidget>("fr20"));
        QVERIFY(frame.left() > loading.right());
        QVERIFY(frame.top() < loading.bottom() && frame.bottom() > loading.top());
        QVERIFY(frame.top() > sketch.bottom());
    }

    // Each load case keeps its own loads and design format; the boxes, the options and the
    // panels show the selected one.
    void eachLoadCaseKeepsItsLoads() {
        const QImage lc1Panel = shellPanel();
        nt_->clear();
        click("loadCaseAdd");
        // The new load case has a new case's loads, so the run goes on without a word.
        QVERIFY(nt_->warnings().empty());
        QVERIFY(st().run.lastRunCompleted);
        QCOMPARE(table()->rowCount(), 2);
        QCOMPARE(cell(1, 0), QStringLiteral("LC2"));
        QCOMPARE(table()->currentRow(), 1);
        QCOMPARE(st().dc.selectedLoadCase, 1);
        QCOMPARE(box("isigx")->text(), QStringLiteral("-100.0"));
        QVERIFY(get<QPushButton>("loadCaseDelete")->isEnabled());

        // The value typed for LC2 is still in its box when the engineer clicks LC1's row: the
        // click takes it for LC2, then selects LC1.
        typeInto("isigx", "-150");
        nt_->clear();
        clickRow(0);
        QCOMPARE(st().dc.selectedLoadCase, 0);
        QCOMPARE(table()->currentRow(), 0);
        QCOMPARE(st().dc.Sigx, -100.0f);
        QCOMPARE(loadCaseAt(st().dc, 1).Sigx, -150.0f);
        QCOMPARE(box("isigx")->text(), QStringLiteral("-100.0"));
        QCOMPARE(st().res.shellUF, shellUFAlone(-100, DesignFormat::LRFD, 1));
        QCOMPARE(shellPanel(), lc1Panel);

        // LC2 in WSD with its own n0; LC1 stays LRFD with UF 1.
        clickRow(1);
        QCOMPARE(box("isigx")->text(), QStringLiteral("-150.0"));
        QCOMPARE(st().dc.Sigx, -150.0f);
        QCOMPARE(st().res.shellUF, shellUFAlone(-150, DesignFormat::LRFD, 1));
        QVERIFY(shellPanel() != lc1Panel);
        get<QRadioButton>("opt_wsd")->click();
        QApplication::processEvents();
        type("iufb", "0.8");
        QCOMPARE(st().dc.designFormat, DesignFormat::WSD);
        QCOMPARE(cell(1, 1), QStringLiteral("WSD"));
        QCOMPARE(cell(1, 2), QStringLiteral("0.80"));
        QCOMPARE(st().res.shellUF, shellUFAlone(-150, DesignFormat::WSD, 0.8f));

        clickRow(0);
        QVERIFY(get<QRadioButton>("opt_lrfd")->isChecked());
        QCOMPARE(box("iufb")->text(), QStringLiteral("1.00"));
        QCOMPARE(cell(0, 1), QStringLiteral("LRFD"));
        QCOMPARE(shellPanel(), lc1Panel);
        clickRow(1);
        QVERIFY(get<QRadioButton>("opt_wsd")->isChecked());
        QCOMPARE(box("iufb")->text(), QStringLiteral("0.80"));
        QCOMPARE(box("isigx")->text(), QStringLiteral("-150.0"));

        // Every row's ratio and colour are its own verdict's, whichever row is selected.
        for (int i = 0; i < 2; ++i) {
            const Verdict v = loadCaseVerdict(st(), i);
            QCOMPARE(cell(i, 3), QString::number(v.ratio, 'f', 2));
            const Rgb c = verdictStatusColor(v.status);
            QCOMPARE(table()->item(i, 3)->background().color(), QColor(c.r, c.g, c.b));
        }
        QVERIFY(nt_->warnings().empty());
    }

    // The column case: the table stays, clear of the column frame, and each load case keeps
    // its own axial force.
    void columnLoadCasesKeepTheirForces() {
        get<QRadioButton>("cylinder3")->click();
        QApplication::processEvents();
        const QWidget* column = get<QWidget>("fr124");
        const QWidget* frame = get<QWidget>("frLoadCases");
        QVERIFY(column->isVisible() && frame->isVisible());
        const QWidget* content = get<QWidget>("centralwidget");
        QVERIFY(!QRect(column->mapTo(content, QPoint(0, 0)), column->size())
                     .intersects(QRect(frame->mapTo(content, QPoint(0, 0)), frame->size())));
        click("loadCaseDuplicate");
        type("inn", "-2500");
        QCOMPARE(st().dc.N, -2500.0f);
        clickRow(0);
        QCOMPARE(st().dc.N, -1000.0f);
        QCOMPARE(loadCaseAt(st().dc, 1).N, -2500.0f);
        QVERIFY(box("inn")->text().startsWith(QStringLiteral("-1000")));
        clickRow(1);
        QVERIFY(box("inn")->text().startsWith(QStringLiteral("-2500")));
        QVERIFY(nt_->warnings().empty());
    }

    // Duplicate copies the selected load case's loads; Delete removes the selected one and
    // never the last.
    void duplicateAndDeleteNeverTheLast() {
        type("isigx", "-120");
        click("loadCaseDuplicate");
        QCOMPARE(table()->rowCount(), 2);
        QCOMPARE(cell(1, 0), QStringLiteral("LC1 (2)"));
        QCOMPARE(st().dc.selectedLoadCase, 1);
        QCOMPARE(box("isigx")->text(), QStringLiteral("-120.0"));
        QCOMPARE(cell(1, 3), cell(0, 3));

        click("loadCaseAdd");
        QCOMPARE(table()->rowCount(), 3);
        clickRow(1);
        click("loadCaseDelete");
        QCOMPARE(table()->rowCount(), 2);
        QCOMPARE(cell(0, 0), QStringLiteral("LC1"));
        QCOMPARE(cell(1, 0), QStringLiteral("LC3"));
        // The selection moved to the load case before the deleted one.
        QCOMPARE(table()->currentRow(), 0);
        QCOMPARE(box("isigx")->text(), QStringLiteral("-120.0"));

        // Delete takes the selected LC1; LC3 is left, selected, with its own (a new case's) loads.
        click("loadCaseDelete");
        QCOMPARE(table()->rowCount(), 1);
        QCOMPARE(loadCaseCount(st().dc), 1);
        QCOMPARE(cell(0, 0), QStringLiteral("LC3"));
        QCOMPARE(box("isigx")->text(), QStringLiteral("-100.0"));
        QPushButton* del = get<QPushButton>("loadCaseDelete");
        QVERIFY(!del->isEnabled());
        click("loadCaseDelete");
        QCOMPARE(table()->rowCount(), 1);
        QCOMPARE(loadCaseCount(st().dc), 1);
        QCOMPARE(st().dc.loadCaseName, std::string("LC3"));
        // Back to one load case: the verdict line names no load case.
        QVERIFY(caseVerdict(st()).line.find("LC3") == std::string::npos);
    }

    // Rename refuses a duplicate, an empty and a too long name with a message and keeps the
    // old name; a good name is taken, and the verdict line names it where it governs.
    void renameRefusesWhatTheCaseCannotTake() {
        click("loadCaseDuplicate");
        nt_->clear();
        rename(QStringLiteral("LC1"));
        QCOMPARE(nt_->warnings().size(), size_t{1});
        QVERIFY(nt_->warnings()[0].find("\"LC1\" already") != std::string::npos);
        QCOMPARE(cell(1, 0), QStringLiteral("LC1 (2)"));
        QCOMPARE(st().dc.loadCaseName, std::string("LC1 (2)"));

        nt_->clear();
        rename(QStringLiteral("   "));
        QCOMPARE(nt_->warnings().size(), size_t{1});
        QVERIFY(nt_->warnings()[0].find("needs a name") != std::string::npos);
        nt_->clear();
        rename(QString(31, QLatin1Char('x')));
        QCOMPARE(nt_->warnings().size(), size_t{1});
        QVERIFY(nt_->warnings()[0].find("30 characters") != std::string::npos);
        QCOMPARE(cell(1, 0), QStringLiteral("LC1 (2)"));

        nt_->clear();
        rename(QString(30, QLatin1Char('x')));
        QVERIFY(nt_->warnings().empty());
        QCOMPARE(cell(1, 0), QString(30, QLatin1Char('x')));
        rename(QStringLiteral("Storm"));
        QCOMPARE(cell(1, 0), QStringLiteral("Storm"));
        QCOMPARE(loadCaseNames(st().dc), (std::vector<std::string>{"LC1", "Storm"}));

        // LC1 governs by its ring-frame area; the verdict line names it by its new name.
        clickRow(0);
        rename(QStringLiteral("Operation"));
        QCOMPARE(cell(0, 0), QStringLiteral("Operation"));
        QCOMPARE(caseVerdict(st()).loadCaseName, std::string("Operation"));
        QVERIFY(get<QWidget>("verdictLine")
                    ->property("text")
                    .toString()
                    .contains(QStringLiteral("load case Operation, ")));
    }
};

QTEST_MAIN(LoadCaseTableTest)
#include "LoadCaseTableTest.moc"
