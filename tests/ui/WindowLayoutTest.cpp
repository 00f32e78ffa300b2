// The windows on the screens engineers use: every line of every shown result panel, the one-line
// captions and the summary's result columns must be in view (scrolled to where the window
// content is larger than the screen). The program runs itself once per screen, on the
// offscreen platform with that screen's size and scale.
#include "database/Batch.h"
#include "ui/main/MainWindow.h"
#include "ui/widgets/PanelWidget.h"

#include "MessageBoxes.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEngine>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextItem>

#include <cmath>
#include <memory>
#include <set>

using namespace velmora;

namespace {

// A paint device that keeps the rectangle of every text painted on it, in the coordinates of
// the widget rendered into it.
class TextRecorder : public QPaintDevice {
public:
    explicit TextRecorder(const QWidget* widget) : widget_(widget), engine_(texts) {}
    QPaintEngine* paintEngine() const override { return &engine_; }

    std::vector<QRectF> texts;

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
            return widget_->width();
        case PdmHeight:
            return widget_->height();
        case PdmWidthMM:
            return static_cast<int>(widget_->width() * 25.4 / widget_->logicalDpiX());
        case PdmHeightMM:
            return static_cast<int>(widget_->height() * 25.4 / widget_->logicalDpiY());
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return widget_->logicalDpiX();
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return widget_->logicalDpiY();
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return std::numeric_limits<int>::max();
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(std::vector<QRectF>& out) : QPaintEngine(AllFeatures), out_(out) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState& changed) override {
            if (changed.state() & DirtyTransform)
                transform_ = changed.transform();
        }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override {
            out_.push_back(transform_.mapRect(QRectF(p.x(), p.y() - item.ascent(), item.width(),
                                                     item.ascent() + item.descent())));
        }
        Type type() const override { return User; }

    private:
        std::vector<QRectF>& out_;
        QTransform transform_;
    };

    const QWidget* widget_;
    mutable Engine engine_;
};

// Fully inside the region (QRegion::contains only tells an overlap).
bool inside(const QRegion& region, const QRect& r) {
    return region.intersected(r) == QRegion(r);
}

struct Screen {
    const char* name;
    int width;
    int height;
    const char* scale;
};
const Screen kScreens[] = {{"1366x768", 1366, 768, "1"}, {"1920x1080 at 150 %", 1920, 1080, "1.5"}};

} // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MemoryStore> store_;
    std::unique_ptr<MessageBoxes> boxes_;
    std::unique_ptr<MainWindow> w_;

    template <class T> T* get(const char* name) {
        T* c = w_->findChild<T*>(name);
        if (c == nullptr)
            qFatal("no control %s", name);
        return c;
    }
    QScrollArea* scroll() { return get<QScrollArea>("scroll"); }

    // Types into a box as the user does and leaves it for the project name.
    void type(const char* name, const char* text) {
        auto* e = get<QLineEdit>(name);
        e->setFocus();
        QApplication::processEvents();
        e->selectAll();
        QTest::keyClicks(e, text);
        get<QLineEdit>("iproj")->setFocus();
        QApplication::processEvents();
    }
    void check(const char* name, bool on) {
        auto* c = get<QCheckBox>(name);
        if (c->isChecked() != on)
            c->click();
    }

    // The texts a panel draws, by row (top to bottom), each row's rectangles.
    std::vector<std::vector<QRect>> rowsOf(PanelWidget* pic) {
        TextRecorder rec(pic);
        pic->render(&rec);
        std::map<int, std::vector<QRect>> byRow;
        for (const QRectF& r : rec.texts)
            byRow[static_cast<int>(std::lround(r.top()))].push_back(r.toRect());
        std::vector<std::vector<QRect>> rows;
        for (auto& [y, rects] : byRow)
            rows.push_back(rects);
        return rows;
    }

    // Every row of the shown panel, brought into view by scrolling, lies inside the part of the
    // picture that is on the screen.
    void panelFullyShown(const char* picName, int expectedRows, const QString& scenario) {
        auto* pic = get<PanelWidget>(picName);
        QVERIFY2(pic->isVisible(), qPrintable(scenario + ": " + picName));
        const auto rows = rowsOf(pic);
        QVERIFY2(static_cast<int>(rows.size()) == expectedRows,
                 qPrintable(QString("%1: %2 draws %3 rows, expected %4")
                                .arg(scenario, picName)
                                .arg(rows.size())
                                .arg(expectedRows)));
        scroll()->ensureWidgetVisible(pic, 0, 0);
        QApplication::processEvents();
        const QRegion shown = pic->visibleRegion();
        for (size_t i = 0; i < rows.size(); ++i)
            for (const QRect& r : rows[i])
                QVERIFY2(inside(shown, r), qPrintable(QString("%1: %2 row %3 at (%4,%5 %6x%7) "
                                                              "outside the shown %8x%9")
                                                          .arg(scenario, picName)
                                                          .arg(i)
                                                          .arg(r.x())
                                                          .arg(r.y())
                                                          .arg(r.width())
                                                          .arg(r.height())
                                                          .arg(pic->width())
                                                          .arg(pic->height())));
    }

    // A caption on one line, its whole text on the screen.
    void captionOnOneLine(QLabel* label) {
        QVERIFY(!label->wordWrap());
        const int need = label->fontMetrics().horizontalAdvance(label->text());
        QVERIFY2(label->contentsRect().width() >= need,
                 qPrintable(QString("\"%1\" needs %2 and has %3")
                                .arg(label->text())
                                .arg(need)
                                .arg(label->contentsRect().width())));
        scroll()->ensureWidgetVisible(label, 0, 0);
        QApplication::processEvents();
        QVERIFY2(inside(label->visibleRegion(), label->contentsRect()), qPrintable(label->text()));
    }

    QLabel* labelWithText(QWidget* in, const QString& text) {
        for (QLabel* l : in->findChildren<QLabel*>())
            if (l->text() == text)
                return l;
        qFatal("no label %s", qPrintable(text));
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        store_ = std::make_unique<MemoryStore>();
        boxes_ = std::make_unique<MessageBoxes>();
        boxes_->answer = QMessageBox::Discard;
        // The delivered start-up database, so that the database windows have cases to show.
        QVERIFY(QFile::copy(QStringLiteral(VELMORA_DATA_DIR "/") + kStartupDatabase,
                            dir_->filePath(kStartupDatabase)));
        MainWindow::Options o;
        o.programDir = dir_->path();
        o.dataDir = QStringLiteral(VELMORA_DATA_DIR);
        o.recentStore = store_.get();
        w_ = std::make_unique<MainWindow>(o);
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        w_->startUp();
        QApplication::processEvents();
    }
    void cleanup() {
        w_.reset();
        boxes_.reset();
        store_.reset();
        dir_.reset();
    }

    void windowFitsTheScreen() {
        // The screen is the one this run was started for.
        const QScreen* screen = w_->screen();
        const QSize pixels = screen->geometry().size() * screen->devicePixelRatio();
        QCOMPARE(QStringLiteral("%1x%2").arg(pixels.width()).arg(pixels.height()),
                 qEnvironmentVariable("VELMORA_TEST_SCREEN_PIXELS"));
        QVERIFY(screen->availableGeometry().contains(w_->geometry()));
    }

    void everyLineOfEveryShownPanelIsInView() {
        struct Scenario {
            const char* name;
            int type;
            const char* spacing;
            bool heavyRing;
            bool specialIh;
        };
        // The longest panels: the stiffener panel (s/t below 3 sqrt(r/t)), the ring panel with
        // its heavy-frame line, the special Ih texts, the column panel with both UF lines.
        const Scenario scenarios[] = {
            {"unstiffened", 0, "600", false, false},
            {"ring stiffened, heavy ring frame", 1, "600", true, false},
            {"ring stiffened, special Ih", 1, "600", false, true},
            {"stringer stiffened, stiffener panel", 2, "500", true, true},
            {"stringer stiffened, slenderness note", 2, "1000", false, false},
            {"column", 3, "600", false, false}};
        for (const Scenario& s : scenarios) {
            get<QRadioButton>("cylinder2")->click();
            type("is1", s.spacing);
            type("ipp", "-0.3");
            get<QRadioButton>(("cylinder" + std::to_string(s.type)).c_str())->click();
            if (s.type == 1 || s.type == 2) {
                check("ring_ch", true);
                check("hring_ch", s.heavyRing);
                check("check_ih", s.specialIh);
            }
            QApplication::processEvents();
            const State& st = w_->state();
            const QString scenario = QString::fromLatin1(s.name);
            panelFullyShown("pic30", st.res.shellPanel.lineCount + 1, scenario);
            if (s.type == 2)
                panelFullyShown("pic31", st.res.slenderNote ? 4 : st.res.stiffPanel.lineCount + 1,
                                scenario);
            if (s.type == 3)
                panelFullyShown("pic31", st.res.columnPanel.lineCount + 1, scenario);
            if (s.type == 1 || s.type == 2)
                panelFullyShown("pic32", st.res.ringPanel.lineCount + 1, scenario);
        }
    }

    void captionsStayOnOneLine() {
        get<QRadioButton>("opt_lrfd")->click();
        auto* ufb = get<QLabel>("text_ufb");
        QCOMPARE(ufb->text(), QStringLiteral("Allowable Usage Factor UF ="));
        captionOnOneLine(ufb);
        get<QRadioButton>("opt_wsd")->click();
        QCOMPARE(ufb->text(), QStringLiteral("Basic Usage Factor, n0 ="));
        captionOnOneLine(ufb);
        get<QRadioButton>("cylinder3")->click();
        captionOnOneLine(
            labelWithText(get<QGroupBox>("fr124"), QStringLiteral("Buckling length factor  k1 =")));
    }

    void studyWindowFitsTheScreenAndShowsEveryControl() {
        w_->findChild<QAction*>("mnuStudy")->trigger();
        auto* study = w_->findChild<QWidget*>("frmStudy");
        QVERIFY(study);
        QVERIFY(QTest::qWaitForWindowExposed(study));
        QVERIFY(w_->screen()->availableGeometry().contains(study->geometry()));
        auto* scroll = study->findChild<QScrollArea*>("scrollStudy");
        QVERIFY(scroll);
        // Each control, scrolled into view where the window is too small, is whole on the
        // screen and has at least the room its text needs.
        for (const char* name :
             {"cboInput1",   "txtFrom1",  "txtTo1",         "txtStep1",  "lblUnit1",
              "cboInput4",   "txtStep4",  "chkProportions", "spnCount",  "cmdSweep",
              "cmdOptimise", "cmdCancel", "prgStudy",       "lblStatus", "chartStudy",
              "lstResults",  "tblPoints", "cmdUseDesign",   "cmdExport", "cmdClose"}) {
            auto* c = study->findChild<QWidget*>(name);
            QVERIFY2(c, name);
            scroll->ensureWidgetVisible(c, 0, 0);
            QApplication::processEvents();
            QWidget* port = scroll->viewport();
            QVERIFY2(port->rect().contains(QRect(c->mapTo(port, QPoint(0, 0)), c->size())), name);
            const QSize least = c->minimumSizeHint().expandedTo(c->minimumSize());
            QVERIFY2(c->width() >= least.width() && c->height() >= least.height(),
                     qPrintable(QStringLiteral("%1 is %2x%3, needs %4x%5")
                                    .arg(name)
                                    .arg(c->width())
                                    .arg(c->height())
                                    .arg(least.width())
                                    .arg(least.height())));
        }
        // For the eye: VELMORA_SHOTS=folder keeps the window on this screen.
        const QString shots = qEnvironmentVariable("VELMORA_SHOTS");
        if (!shots.isEmpty())
            study->grab().save(shots + "/study-" +
                               qEnvironmentVariable("VELMORA_TEST_SCREEN").section(' ', 0, 0) +
                               ".png");
    }

    void summaryKeepsIdentInViewAndReachesEveryResult() {
        w_->findChild<QAction*>("mnuDb")->trigger();
        auto* db = w_->findChild<QWidget*>("frmDatabase");
        QVERIFY(db);
        QTest::mouseClick(db->findChild<QPushButton*>("cmdCalc"), Qt::LeftButton);
        auto* summary = db->findChild<QWidget*>("frmDatabaseDetailed");
        QVERIFY(summary);
        QVERIFY(QTest::qWaitForWindowExposed(summary));
        QVERIFY(w_->screen()->availableGeometry().contains(summary->geometry()));
        auto* view = summary->findChild<QTableWidget*>("lstViewDetailed");
        auto* ident = summary->findChild<QTableView*>("lstViewIdent");
        QVERIFY(view && ident);
        const int last = view->columnCount() - 1;
        QCOMPARE(view->horizontalHeaderItem(last - 1)->text(), QStringLiteral("UFmax ="));
        QCOMPARE(view->horizontalHeaderItem(last)->text(), QStringLiteral("Verdict"));
        int caseRow = -1;
        for (int r = 0; r < view->rowCount() && caseRow < 0; ++r)
            if (view->columnSpan(r, 0) == 1)
                caseRow = r;
        QVERIFY(caseRow >= 0);
        // Every column can be scrolled into the table's view; Ident stays at the left.
        for (int c = 1; c <= last; ++c) {
            view->scrollTo(view->model()->index(caseRow, c));
            QApplication::processEvents();
            const QRect cell = view->visualRect(view->model()->index(caseRow, c));
            QVERIFY2(view->viewport()->rect().contains(cell),
                     qPrintable(view->horizontalHeaderItem(c)->text()));
            QVERIFY2(!cell.intersects(QRect(0, 0, ident->columnWidth(0), cell.bottom() + 1)),
                     qPrintable("column under Ident: " + view->horizontalHeaderItem(c)->text()));
        }
        QVERIFY(view->horizontalScrollBar()->value() > 0 ||
                view->horizontalScrollBar()->maximum() == 0);
        QVERIFY(ident->isVisible());
        QCOMPARE(ident->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Ident"));
        const QRect identCell = ident->visualRect(ident->model()->index(caseRow, 0));
        QVERIFY(ident->viewport()->rect().contains(identCell));
        QCOMPARE(ident->model()->index(caseRow, 0).data().toString(),
                 view->item(caseRow, 0)->text());
        // For the eye: VELMORA_SHOTS=folder keeps the summary scrolled to its last column.
        const QString shots = qEnvironmentVariable("VELMORA_SHOTS");
        if (!shots.isEmpty())
            summary->grab().save(shots + "/summary-" +
                                 qEnvironmentVariable("VELMORA_TEST_SCREEN").section(' ', 0, 0) +
                                 ".png");
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("VELMORA_TEST_SCREEN")) {
        // Once per screen, each in a process of its own: the screen is fixed at start-up.
        QCoreApplication app(argc, argv);
        QTemporaryDir dir;
        int failed = 0;
        for (const Screen& s : kScreens) {
            const QString config = dir.filePath(QString::number(s.width) + ".json");
            QFile f(config);
            if (!f.open(QIODevice::WriteOnly))
                return 1;
            f.write(QStringLiteral(
                        R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": %1, )"
                        R"("height": %2, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                        .arg(s.width)
                        .arg(s.height)
                        .toUtf8());
            f.close();
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("VELMORA_TEST_SCREEN", QString::fromLatin1(s.name));
            env.insert("VELMORA_TEST_SCREEN_PIXELS",
                       QStringLiteral("%1x%2").arg(s.width).arg(s.height));
            env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config);
            env.insert("QT_SCALE_FACTOR", QString::fromLatin1(s.scale));
            QProcess child;
            child.setProcessEnvironment(env);
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(QCoreApplication::applicationFilePath(), app.arguments().mid(1));
            if (!child.waitForFinished(600000) || child.exitStatus() != QProcess::NormalExit ||
                child.exitCode() != 0) {
                qWarning("layout test failed on the %s screen", s.name);
                ++failed;
            }
        }
        return failed;
    }
    QApplication app(argc, argv);
    qInfo("screen %s", qPrintable(qEnvironmentVariable("VELMORA_TEST_SCREEN")));
    WindowLayoutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowLayoutTest.moc"
