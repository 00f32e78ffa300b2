// The design study window on the real main window, driven as a user drives it: controls found by
// their object names, ranges typed, buttons clicked, the program's own message boxes answered.
// The study's numbers are the core tests' business; here: what the chart and the table show of
// them, that a run never touches the case, that "Use This Design" is an ordinary change of it,
// that bad ranges are refused over the window with the focus back in the box, and the exports.
#include "ui/study/DesignStudyWindow.h"
#include "case/LoadCases.h"
#include "files/CaseFile.h"
#include "files/RecentFiles.h"
#include "study/StudyCsv.h"
#include "study/StudyInputs.h"
#include "ui/main/MainWindow.h"
#include "ui/study/StudyExport.h"

#include "MessageBoxes.h"

#include <QAbstractSeries>
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>

#include <algorithm>
#include <memory>
#include <set>

using namespace velmora;

class DesignStudyWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MemoryStore> store_;
    std::unique_ptr<MessageBoxes> boxes_;
    std::unique_ptr<MainWindow> w_;
    QPointer<DesignStudyWindow> study_;

    State& st() { return w_->state(); }
    template <class T> T* get(const char* name) {
        T* c = study_->findChild<T*>(name);
        if (c == nullptr)
            qFatal("no control %s", name);
        return c;
    }
    QPushButton* button(const char* name) { return get<QPushButton>(name); }

    // Chooses the input of row `row` (1..4) from its list as a click on the list does.
    void choose(int row, const char* name) {
        auto* combo = get<QComboBox>(qPrintable(QStringLiteral("cboInput%1").arg(row)));
        const int i = combo->findText(QString::fromLatin1(name));
        QVERIFY(i >= 0);
        combo->setCurrentIndex(i);
        emit combo->activated(i);
    }
    // Types the text into the box, replacing what it showed.
    void typeInto(const QString& box, const QString& text) {
        auto* e = get<QLineEdit>(qPrintable(box));
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
    }
    void setRange(int row, const char* name, const QString& from, const QString& to,
                  const QString& step) {
        choose(row, name);
        typeInto(QStringLiteral("txtFrom%1").arg(row), from);
        typeInto(QStringLiteral("txtTo%1").arg(row), to);
        typeInto(QStringLiteral("txtStep%1").arg(row), step);
    }
    // Clicks the button and waits for the run it starts to end.
    void runWith(const char* name) {
        QSignalSpy ended(study_.data(), &DesignStudyWindow::runEnded);
        QTest::mouseClick(button(name), Qt::LeftButton);
        QVERIFY(study_->running());
        QVERIFY(ended.wait(120000));
        QVERIFY(!study_->running());
    }
    void sweepOfThickness() {
        setRange(1, "t", "10", "40", "0.5");
        runWith("cmdSweep");
        QCOMPARE(study_->shown(), DesignStudyWindow::Shown::Sweep);
    }

    // The series of the chart by object name.
    std::multiset<QString> seriesNames() {
        std::multiset<QString> out;
        for (QAbstractSeries* s : study_->chart()->series())
            out.insert(s->objectName());
        return out;
    }
    // The checks that apply at some point of what the window shows, as the chart names them.
    std::set<QString> applyingChecks() {
        std::set<QString> out;
        for (const StudyPoint& p : study_->shownPoints())
            for (int c = 0; c < kStudyCheckCount; ++c)
                if (p.checks[static_cast<size_t>(c)].present)
                    out.insert(QStringLiteral("check:") +
                               QString::fromLatin1(studyCheckName(static_cast<StudyCheck>(c))));
        return out;
    }

    QString axisTitle(Qt::Orientation o) {
        const auto axes = study_->chart()->axes(o);
        return axes.isEmpty() ? QString() : axes.first()->titleText();
    }

    // The case as its file would hold it, and the panel results the window shows.
    struct CaseSnapshot {
        std::string file;
        double shellUF = 0, ringAreaUF = 0;
        bool modified = false;
        bool operator==(const CaseSnapshot&) const = default;
    };
    CaseSnapshot snapshot() {
        return {caseFileText(st().dc), st().res.shellUF, st().res.ringAreaUF,
                w_->isWindowModified()};
    }

    // The row of the table (as sorted) whose point has the given value of the first input.
    int tableRowOf(float value) {
        auto* table = get<QTableView>("tblPoints");
        for (int r = 0; r < table->model()->rowCount(); ++r)
            if (table->model()->index(r, 0).data(Qt::DisplayRole).toString().toFloat() == value)
                return r;
        return -1;
    }

    // Answered warnings over the study window, their texts.
    QStringList warningsOverStudy() {
        QStringList out;
        for (const MessageBoxes::Box& b : boxes_->boxes)
            if (b.over == study_.data())
                out << b.text;
        return out;
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        store_ = std::make_unique<MemoryStore>();
        boxes_ = std::make_unique<MessageBoxes>();
        boxes_->answer = QMessageBox::Discard;
        MainWindow::Options o;
        o.programDir = dir_->path();
        o.dataDir = QStringLiteral(VELMORA_DATA_DIR);
        o.recentStore = store_.get();
        w_ = std::make_unique<MainWindow>(o);
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        w_->startUp(); // no start-up database: its warning is answered
        QApplication::processEvents();
        QVERIFY(!w_->isWindowModified());
        w_->findChild<QAction*>("mnuStudy")->trigger();
        study_ = w_->findChild<DesignStudyWindow*>("frmStudy");
        QVERIFY(study_);
        QVERIFY(QTest::qWaitForWindowExposed(study_));
        QVERIFY(QTest::qWaitForWindowActive(study_));
        boxes_->clear();
    }
    void cleanup() {
        w_.reset();
        boxes_.reset();
        store_.reset();
        dir_.reset();
    }

    void opensFromTheDatabaseMenuAfterTheSummaryAsAWindowOfTheMainWindow() {
        const QList<QAction*> items = w_->findChild<QMenu*>("mnuDbMenu")->actions();
        QStringList names;
        for (QAction* a : items)
            names << a->objectName();
        QCOMPARE(names, QStringList({"mnuDb", "mnuDbSummary", "mnuStudy"}));
        QVERIFY(study_->isWindow());
        QCOMPARE(study_->parentWidget(), w_.get());
        QCOMPARE(w_->designStudyWindow(), study_.data());
        // The first row offers the thickness about the case's value.
        QCOMPARE(get<QComboBox>("cboInput1")->currentText(), QStringLiteral("t"));
        QCOMPARE(get<QLineEdit>("txtFrom1")->text(), QStringLiteral("10"));
        QCOMPARE(get<QLineEdit>("txtTo1")->text(), QStringLiteral("40"));
        QCOMPARE(get<QLineEdit>("txtStep1")->text(), QStringLiteral("0.5"));
        QCOMPARE(get<QLabel>("lblUnit1")->text(), QStringLiteral("mm"));
        // A range typed for an input stays when the same input is chosen again; another input
        // gets a range about its own value.
        typeInto("txtStep1", "0.25");
        choose(1, "t");
        QCOMPARE(get<QLineEdit>("txtStep1")->text(), QStringLiteral("0.25"));
        choose(1, "r");
        QCOMPARE(get<QLineEdit>("txtFrom1")->text(), QStringLiteral("750"));
        QCOMPARE(get<QLineEdit>("txtTo1")->text(), QStringLiteral("3000"));
        QCOMPARE(get<QLineEdit>("txtStep1")->text(), QStringLiteral("50"));
        // The database summary stands before the study in the menu and opens the summary.
        w_->findChild<QAction*>("mnuDbSummary")->trigger();
        QWidget* summary = w_->findChild<QWidget*>("frmDatabaseDetailed");
        QVERIFY(summary && summary->isVisible());
        // Closing the main window closes it.
        w_->close();
        QVERIFY(!study_->isVisible());
    }

    void sweepChartHasOneSeriesPerApplyingCheck() {
        // The stringer-stiffened new case: the stiffener check applies only where s/t is small
        // enough, the shell as an unstiffened cylinder where it is not, the ring-frame checks
        // everywhere; then the same case as a column.
        for (const char* type : {"cylinder2", "cylinder3"}) {
            w_->findChild<QRadioButton*>(type)->click();
            const CaseSnapshot ofType = snapshot();
            sweepOfThickness();
            const std::set<QString> checks = applyingChecks();
            QVERIFY(checks.count("check:shell") == 1);
            if (QString(type) == "cylinder2")
                QCOMPARE(checks,
                         std::set<QString>({"check:shell", "check:unstiffened", "check:stiffener",
                                            "check:ringArea", "check:ringInertia"}));
            else
                QCOMPARE(checks,
                         std::set<QString>({"check:shell", "check:column1", "check:column2"}));
            const std::multiset<QString> names = seriesNames();
            for (const QString& c : checks)
                QCOMPARE(names.count(c), size_t{1});
            QCOMPARE(static_cast<size_t>(
                         std::count_if(names.begin(), names.end(),
                                       [](const QString& n) { return n.startsWith("check:"); })),
                     checks.size());
            // Each check's line runs through its ratio at every point where it applies.
            for (QAbstractSeries* s : study_->chart()->series()) {
                if (!s->objectName().startsWith("check:"))
                    continue;
                auto* line = qobject_cast<QLineSeries*>(s);
                QVERIFY(line);
                std::vector<QPointF> expected;
                for (const StudyPoint& p : study_->shownPoints())
                    for (int c = 0; c < kStudyCheckCount; ++c)
                        if (s->objectName().endsWith(QString(":") +
                                                     studyCheckName(static_cast<StudyCheck>(c))) &&
                            p.checks[static_cast<size_t>(c)].present)
                            expected.emplace_back(p.inputs[0],
                                                  p.checks[static_cast<size_t>(c)].ratio());
                QCOMPARE(static_cast<size_t>(line->count()), expected.size());
                for (size_t i = 0; i < expected.size(); ++i)
                    QCOMPARE(line->at(static_cast<int>(i)), expected[i]);
                QVERIFY(!line->name().isEmpty());
            }
            // The permitted value, one line per threshold, each threshold listed.
            QCOMPARE(names.count("limit"), size_t{1});
            QCOMPARE(names.count("threshold"), study_->thresholds().size());
            auto* list = get<QListWidget>("lstResults");
            if (!study_->thresholds().empty()) {
                QCOMPARE(static_cast<size_t>(list->count()), study_->thresholds().size());
                QVERIFY(list->item(0)->text().startsWith("t = "));
            }
            QCOMPARE(axisTitle(Qt::Horizontal), QStringLiteral("t, wall thickness (mm)"));
            QCOMPARE(axisTitle(Qt::Vertical), QStringLiteral("usage factor / permitted"));
            QCOMPARE(get<QTableView>("tblPoints")->model()->rowCount(), 61);
            // The run read a copy: the case and its results are as they were.
            QVERIFY(snapshot() == ofType);
            if (QString(type) == "cylinder2") {
                // The new case passes nowhere: up to t = 20 its shell fails as an unstiffened
                // cylinder (the stringers are too far apart), from t = 15.4 its ring-frame area.
                QCOMPARE(study_->thresholds().size(), size_t{0});
                QCOMPARE(names.count("band"), size_t{0});
            }
        }
    }

    void mapMarksTheLightestPassingPoint() {
        setRange(1, "t", "10", "40", "1");
        setRange(2, "l", "1000", "5000", "250");
        runWith("cmdSweep");
        QCOMPARE(study_->shown(), DesignStudyWindow::Shown::Map);
        QCOMPARE(study_->shownPoints().size(), size_t{31 * 17});
        QCOMPARE(axisTitle(Qt::Horizontal), QStringLiteral("t, wall thickness (mm)"));
        QCOMPARE(axisTitle(Qt::Vertical), QStringLiteral("l, ring-frame spacing (mm)"));
        // No line per check on a map.
        QCOMPARE(seriesNames().count("check:shell"), size_t{0});
        // The mark is the design the optimiser finds lightest over the same grid.
        const LightestResult best =
            findLightest(studyCopy(st()), study_->shownGrid(), 1, StudyOptions{});
        QCOMPARE(best.designs.size(), size_t{1});
        QScatterSeries* star = nullptr;
        for (QAbstractSeries* s : study_->chart()->series())
            if (s->objectName() == "lightest")
                star = qobject_cast<QScatterSeries*>(s);
        QVERIFY(star);
        QCOMPARE(star->count(), 1);
        QCOMPARE(star->at(0), QPointF(best.designs[0].inputs[0], best.designs[0].inputs[1]));
        // Its inputs are listed beside the map.
        QCOMPARE(get<QListWidget>("lstResults")->item(0)->text(),
                 QStringLiteral("t = %1 mm, l = %2 mm")
                     .arg(best.designs[0].inputs[0])
                     .arg(best.designs[0].inputs[1]));
    }

    void lightestDesignsAreListedByRisingMass() {
        setRange(1, "t", "10", "40", "1");
        setRange(2, "l", "1000", "5000", "500");
        setRange(3, "s", "400", "800", "100");
        get<QSpinBox>("spnCount")->setValue(5);
        runWith("cmdOptimise");
        QCOMPARE(study_->shown(), DesignStudyWindow::Shown::Lightest);
        const std::vector<StudyPoint>& shown = study_->shownPoints();
        QVERIFY(!shown.empty() && shown.size() <= 5);
        QVERIFY(std::is_sorted(
            shown.begin(), shown.end(),
            [](const StudyPoint& a, const StudyPoint& b) { return a.mass < b.mass; }));
        auto* table = get<QTableView>("tblPoints");
        QCOMPARE(table->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("#"));
        QCOMPARE(table->model()->rowCount(), static_cast<int>(shown.size()));
        QCOMPARE(get<QListWidget>("lstResults")->count(), static_cast<int>(shown.size()));
    }

    void failingRatiosAreRedAndTheTableSortsByNumber() {
        sweepOfThickness();
        auto* table = get<QTableView>("tblPoints");
        QAbstractItemModel* m = table->model();
        int shellColumn = -1, massColumn = -1;
        for (int c = 0; c < m->columnCount(); ++c) {
            const QString h = m->headerData(c, Qt::Horizontal).toString();
            if (h == "shell UF/perm.")
                shellColumn = c;
            if (h == "mass (kg/m)")
                massColumn = c;
        }
        QVERIFY(shellColumn >= 0 && massColumn >= 0);
        int red = 0;
        for (int r = 0; r < m->rowCount(); ++r) {
            const QModelIndex i = m->index(r, shellColumn);
            const bool above = i.data().toDouble() > 1;
            QCOMPARE(i.data(Qt::ForegroundRole).isValid(), above);
            red += above ? 1 : 0;
        }
        QVERIFY(red > 0 && red < m->rowCount());
        // Sorted by mass, heaviest first: 40 mm before 10 mm, though "10" < "40" < "9.5" as text.
        table->sortByColumn(massColumn, Qt::DescendingOrder);
        QCOMPARE(m->index(0, 0).data().toString(), QStringLiteral("40"));
        QCOMPARE(m->index(m->rowCount() - 1, 0).data().toString(), QStringLiteral("10"));
    }

    void withLoadCasesTheTableNamesTheGoverningOneAndTheChartTheLargestRatios() {
        // A case of three load cases, opened from its file: the new case's loads, a WSD storm
        // that governs the thin shells and a lightly loaded one at a low usage factor whose
        // ring-frame area governs the thick ones.
        DesignCase dc = st().dc;
        LoadCase storm;
        storm.name = "Storm";
        storm.designFormat = DesignFormat::WSD;
        storm.UF = 0.8f;
        storm.Sigx = -80;
        storm.Sigy = -30;
        storm.Tau = 55;
        storm.pd = -0.5f;
        LoadCase harbour;
        harbour.name = "Harbour";
        harbour.designFormat = DesignFormat::WSD;
        harbour.UF = 0.6f;
        harbour.Sigx = -20;
        harbour.Sigy = -5;
        harbour.Tau = 10;
        setLoadCases(dc, {LoadCase{}, storm, harbour}, 0);
        const QString path = dir_->filePath(QStringLiteral("three.cys"));
        QCOMPARE(writeCaseFile(dc, path.toStdString()), std::string());
        QVERIFY(w_->openCasePath(path));
        QCOMPARE(loadCaseCount(st().dc), 3);

        setRange(1, "t", "10", "30", "4");
        runWith("cmdSweep");
        QCOMPARE(study_->shown(), DesignStudyWindow::Shown::Sweep);
        QAbstractItemModel* m = get<QTableView>("tblPoints")->model();
        int statusColumn = -1, loadCaseColumn = -1;
        for (int c = 0; c < m->columnCount(); ++c) {
            const QString h = m->headerData(c, Qt::Horizontal).toString();
            if (h == "Status")
                statusColumn = c;
            if (h == "Load case")
                loadCaseColumn = c;
        }
        QVERIFY(statusColumn >= 0);
        QCOMPARE(loadCaseColumn, statusColumn + 1);
        const QStringList names{"LC1", "Storm", "Harbour"};
        QSet<QString> named;
        const std::vector<StudyPoint>& points = study_->shownPoints();
        QCOMPARE(points.size(), size_t{6});
        for (const StudyPoint& p : points) {
            const QString shown =
                m->index(tableRowOf(p.inputs[0]), loadCaseColumn).data().toString();
            QCOMPARE(shown, names.at(p.loadCase));
            named.insert(shown);
        }
        // Neither governs everywhere, and the first load case nowhere.
        QCOMPARE(named, QSet<QString>({"Storm", "Harbour"}));

        // The ring-frame area line runs through its largest ratio over the load cases, which
        // at the thin shells is the harbour's, not the governing storm's.
        QLineSeries* ringArea = nullptr;
        for (QAbstractSeries* s : study_->chart()->series())
            if (s->objectName() == "check:ringArea")
                ringArea = qobject_cast<QLineSeries*>(s);
        QVERIFY(ringArea);
        const QList<QPointF> line = ringArea->points();
        QCOMPARE(line.size(), qsizetype{6});
        int aboveGoverning = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const StudyPoint& p = points[static_cast<size_t>(i)];
            const size_t k = static_cast<size_t>(StudyCheck::RingArea);
            QCOMPARE(line[i].x(), static_cast<double>(p.inputs[0]));
            QCOMPARE(line[i].y(), p.largest[k].ratio());
            aboveGoverning += line[i].y() > p.checks[k].ratio() ? 1 : 0;
        }
        QVERIFY(aboveGoverning > 0);
    }

    void theStatusColumnShowsEachPointsVerdict() {
        sweepOfThickness();
        QAbstractItemModel* m = get<QTableView>("tblPoints")->model();
        int statusColumn = -1;
        for (int c = 0; c < m->columnCount(); ++c)
            if (m->headerData(c, Qt::Horizontal).toString() == "Status")
                statusColumn = c;
        QVERIFY(statusColumn >= 0);
        QSet<QString> seen;
        for (const StudyPoint& p : study_->shownPoints()) {
            const QModelIndex i = m->index(tableRowOf(p.inputs[0]), statusColumn);
            QCOMPARE(i.data().toString(), QString::fromLatin1(verdictStatusText(p.status)));
            // Anything but a pass is red.
            QCOMPARE(i.data(Qt::ForegroundRole).isValid(), p.status != VerdictStatus::Passes);
            seen.insert(i.data().toString());
        }
        QVERIFY(!seen.isEmpty());
        QVERIFY(seen.contains("FAILS")); // the new case's ring-frame area fails at every t
    }

    void useThisDesignIsANormalChangeOfTheCase() {
        sweepOfThickness();
        auto* table = get<QTableView>("tblPoints");
        // Through a sorted table: the row shown, not the row of the grid, is what is used.
        table->sortByColumn(0, Qt::DescendingOrder);
        const int row = tableRowOf(25.5f);
        QVERIFY(row >= 0);
        table->selectRow(row);
        QVERIFY(button("cmdUseDesign")->isEnabled());
        StudyPoint point;
        for (const StudyPoint& p : study_->shownPoints())
            if (p.inputs[0] == 25.5f)
                point = p;
        QTest::mouseClick(button("cmdUseDesign"), Qt::LeftButton);
        QCOMPARE(st().dc.t, 25.5f);
        QCOMPARE(w_->findChild<QLineEdit*>("it")->text(), QStringLiteral("25.5"));
        // Recalculated: the results are the point's.
        QCOMPARE(st().res.shellUF, point.check(StudyCheck::Shell).uf);
        QCOMPARE(st().res.ringAreaUF, point.check(StudyCheck::RingArea).uf);
        QVERIFY(w_->isWindowModified());
        QVERIFY(w_->caseChanged());
        QVERIFY(warningsOverStudy().isEmpty());

        // Another point of the same study replaces it.
        table->selectRow(tableRowOf(30.0f));
        QTest::mouseClick(button("cmdUseDesign"), Qt::LeftButton);
        QCOMPARE(st().dc.t, 30.0f);

        // Once the case has changed otherwise, the study's points are no longer its points.
        auto* l = w_->findChild<QLineEdit*>("il");
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
        l->setFocus();
        QApplication::processEvents();
        l->setText("2500");
        w_->findChild<QLineEdit*>("iproj")->setFocus();
        QApplication::processEvents();
        QCOMPARE(st().dc.l, 2500.0f);
        const CaseSnapshot changed = snapshot();
        study_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(study_));
        table->selectRow(tableRowOf(20.0f));
        QTest::mouseClick(button("cmdUseDesign"), Qt::LeftButton);
        QCOMPARE(warningsOverStudy(),
                 QStringList({" The case has changed since the study was run: run the study "
                              "again to use its points "}));
        QVERIFY(snapshot() == changed);
    }

    void cancelledRunLeavesTheCaseUntouched() {
        sweepOfThickness();
        const size_t shownBefore = study_->shownPoints().size();
        const CaseSnapshot before = snapshot();
        // Ten million points: far more than a cancel after the first progress lets it reach.
        setRange(1, "t", "10", "40", "0.001");
        setRange(2, "l", "1000", "4320", "10");
        QSignalSpy ended(study_.data(), &DesignStudyWindow::runEnded);
        QTest::mouseClick(button("cmdOptimise"), Qt::LeftButton);
        QVERIFY(study_->running());
        QVERIFY(!button("cmdSweep")->isEnabled());
        // The window goes on while the worker runs: its progress arrives and shows.
        QTRY_VERIFY_WITH_TIMEOUT(get<QProgressBar>("prgStudy")->value() > 0, 60000);
        QVERIFY(button("cmdCancel")->isEnabled());
        QTest::mouseClick(button("cmdCancel"), Qt::LeftButton);
        QVERIFY(ended.wait(60000));
        QVERIFY(!study_->running());
        QVERIFY(get<QLabel>("lblStatus")->text().startsWith("Cancelled"));
        QVERIFY(snapshot() == before);
        // The results of the run before are still shown.
        QCOMPARE(study_->shown(), DesignStudyWindow::Shown::Sweep);
        QCOMPARE(study_->shownPoints().size(), shownBefore);
        QVERIFY(button("cmdSweep")->isEnabled());

        // Closing the program while a run goes on stops it.
        QTest::mouseClick(button("cmdOptimise"), Qt::LeftButton);
        QVERIFY(study_->running());
        w_.reset();
        QVERIFY(study_.isNull());
    }

    void badRangesAreRefusedOverTheWindowWithTheFocusBack() {
        struct Case {
            const char* what;
            std::vector<std::array<const char*, 4>> rows; // name, from, to, step
            const char* button;
            const char* message;
            const char* focus;
        };
        const Case cases[] = {
            {"a step of 0",
             {{"t", "10", "40", "0"}},
             "cmdSweep",
             " t: the step must be greater than 0 (got 0) ",
             "txtStep1"},
            {"not a number",
             {{"t", "ten", "40", "1"}},
             "cmdSweep",
             " t: FROM \"ten\" is not a finite number ",
             "txtFrom1"},
            {"FROM above TO",
             {{"t", "40", "10", "1"}},
             "cmdOptimise",
             " t: FROM 40 is greater than TO 10 ",
             "txtTo1"},
            {"a name twice",
             {{"t", "10", "40", "1"}, {"t", "10", "20", "1"}},
             "cmdSweep",
             " t is varied twice ",
             "cboInput2"},
            {"too many points for the study",
             {{"t", "10", "40", "0.001"}, {"l", "1000", "5000", "1"}},
             "cmdOptimise",
             " the grid has more than 10000000 points; take fewer inputs, shorter ranges or "
             "larger steps ",
             "txtStep2"},
            {"too many points for the window",
             {{"t", "10", "40", "0.0001"}},
             "cmdSweep",
             " the sweep has 300001 points; the window shows at most 250000: take shorter "
             "ranges or larger steps, or Find Lightest for the lightest designs of a larger "
             "grid ",
             "txtStep1"},
            {"three inputs for a sweep",
             {{"t", "10", "40", "1"}, {"l", "1000", "5000", "500"}, {"s", "400", "800", "100"}},
             "cmdSweep",
             " A sweep shows one or two inputs; Find Lightest takes more ",
             "cboInput3"},
            {"a profile row outside the table",
             {{"ringRow", "0", "999", "1"}},
             "cmdSweep",
             nullptr,
             "txtFrom1"},
        };
        for (const Case& c : cases) {
            for (int r = 1; r <= DesignStudyWindow::kInputRows; ++r)
                choose(r, "(none)");
            int row = 1;
            for (const auto& [name, from, to, step] : c.rows)
                setRange(row++, name, from, to, step);
            const CaseSnapshot before = snapshot();
            boxes_->clear();
            QTest::mouseClick(button(c.button), Qt::LeftButton);
            QVERIFY2(!study_->running(), c.what);
            QCOMPARE(warningsOverStudy().size(), 1);
            if (c.message != nullptr)
                QCOMPARE(warningsOverStudy().first(), QString::fromLatin1(c.message));
            else
                QVERIFY2(warningsOverStudy().first().startsWith(" ringRow: "), c.what);
            QTRY_COMPARE(QApplication::focusWidget(), get<QWidget>(c.focus));
            QVERIFY2(snapshot() == before, c.what);
        }
    }

    void exportsThePointsAndTheChart() {
        sweepOfThickness();
        QString chosen;
        bool offeredChart = false;
        study_->chooseExportPath = [&](const QString&, const QString&, bool chart) {
            offeredChart = chart;
            return chosen;
        };
        auto exportTo = [&](const QString& name) {
            chosen = dir_->filePath(name);
            boxes_->clear();
            QTest::mouseClick(button("cmdExport"), Qt::LeftButton);
        };
        auto bytes = [&](const QString& name) {
            QFile f(dir_->filePath(name));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        exportTo("points.csv");
        QVERIFY(offeredChart);
        // With the governing load case's name after the status.
        QCOMPARE(study_->shownLoadCaseNames(), std::vector<std::string>{"LC1"});
        QCOMPARE(bytes("points.csv").toStdString(),
                 studyCsvText(study_->shownGrid(), study_->shownPoints(), {"LC1"}));
        QVERIFY(bytes("points.csv").contains(",status,loadCase,proportions,"));
        exportTo("points.xlsx");
        QVERIFY(bytes("points.xlsx").startsWith("PK"));
        // The workbook has the columns of the comma table, every row all of them.
        const WorkbookTable book =
            studyWorkbookTable(study_->shownGrid(), study_->shownPoints(), {"LC1"});
        std::string header;
        for (const std::string& h : book.headings)
            header += (header.empty() ? "" : ",") + h;
        const std::string csv = studyCsvText(study_->shownGrid(), study_->shownPoints(), {"LC1"});
        QCOMPARE(header, csv.substr(0, csv.find("\r\n")));
        QCOMPARE(book.rows.size(), study_->shownPoints().size());
        for (const auto& row : book.rows)
            QCOMPARE(row.size(), book.headings.size());
        exportTo("chart.png");
        QImage png;
        QVERIFY(png.loadFromData(bytes("chart.png"), "PNG"));
        QCOMPARE(png.size(), study_->findChild<QChartView*>("chartStudy")->viewport()->size() * 2);
        exportTo("chart.svg");
        QVERIFY(bytes("chart.svg").contains("<svg"));
        QVERIFY(bytes("chart.svg").contains("wall thickness"));
        exportTo("chart.pdf");
        QVERIFY(bytes("chart.pdf").startsWith("%PDF"));
        QVERIFY(warningsOverStudy().isEmpty());

        // A write that fails says so and leaves what was there.
        QVERIFY(QDir(dir_->path()).mkpath("taken.csv/inside"));
        exportTo("taken.csv");
        QCOMPARE(warningsOverStudy(),
                 QStringList({" can't save file - " + dir_->filePath("taken.csv") + " "}));
        QVERIFY(QDir(dir_->filePath("taken.csv/inside")).exists());
        exportTo("points.txt");
        QCOMPARE(warningsOverStudy().size(), 1);
        QVERIFY(warningsOverStudy().first().contains(".csv or .xlsx for the points"));

        // The lightest designs have a table but no chart.
        setRange(2, "l", "2000", "4000", "1000");
        runWith("cmdOptimise");
        exportTo("lightest.png");
        QVERIFY(!offeredChart);
        QVERIFY(!QFile::exists(dir_->filePath("lightest.png")));
        QCOMPARE(warningsOverStudy().size(), 1);
        exportTo("lightest.csv");
        QCOMPARE(bytes("lightest.csv").toStdString(),
                 studyCsvText(study_->shownGrid(), study_->shownPoints(), {"LC1"}));
    }

    // ---- screenshots for the eye: VELMORA_SHOTS=folder ----------------------------------

    void screenshots() {
        const QString out = qEnvironmentVariable("VELMORA_SHOTS");
        if (out.isEmpty())
            QSKIP("set VELMORA_SHOTS to a folder to get screenshots");
        sweepOfThickness();
        QVERIFY(study_->grab().save(out + "/study-sweep.png"));
        for (const char* kind : {"png", "svg", "pdf"}) {
            study_->chooseExportPath = [&](const QString&, const QString&, bool) {
                return out + "/study-sweep-chart." + kind;
            };
            QTest::mouseClick(button("cmdExport"), Qt::LeftButton);
        }
        setRange(2, "l", "1000", "5000", "100");
        runWith("cmdSweep");
        QVERIFY(study_->grab().save(out + "/study-map.png"));
        for (const char* kind : {"png", "svg", "pdf"}) {
            study_->chooseExportPath = [&](const QString&, const QString&, bool) {
                return out + "/study-map-chart." + kind;
            };
            QTest::mouseClick(button("cmdExport"), Qt::LeftButton);
        }
        // As the window system shows it, where there is one.
        if (QGuiApplication::platformName() == "xcb") {
            QApplication::processEvents();
            study_->screen()->grabWindow(study_->winId()).save(out + "/study-map-screen.png");
        }
    }
};

QTEST_MAIN(DesignStudyWindowTest)
#include "DesignStudyWindowTest.moc"
