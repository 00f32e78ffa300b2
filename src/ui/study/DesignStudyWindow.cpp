#include "ui/study/DesignStudyWindow.h"

#include "base/NumberText.h"
#include "case/Notifier.h"
#include "case/ProfileKinds.h"
#include "database/Workbook.h"
#include "files/CaseFile.h"
#include "study/StudyCsv.h"
#include "study/StudyInputs.h"
#include "ui/main/CaseHost.h"
#include "ui/study/StudyChart.h"
#include "ui/study/StudyExport.h"
#include "ui/study/StudyLabels.h"
#include "ui/study/StudySortModel.h"
#include "ui/study/StudyTableModel.h"
#include "ui/widgets/CommandButton.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>
#include <cmath>

namespace velmora {

// One run of the study: its own copy of the case and the grid, read by the worker thread only
// while it runs; the results, read by the window once the thread has ended.
struct DesignStudyWindow::Job {
    State base;
    StudyGrid grid;
    StudyOptions options;
    bool lightest = false;
    int count = 10;
    std::atomic<bool> cancel{false};
    SweepResult sweep;
    LightestResult best;
    std::string error;
};

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// A step of 1, 2 or 5 times a power of ten, at least `raw`.
double niceStep(double raw) {
    const double e = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / e;
    return (f <= 1 ? 1 : f <= 2 ? 2 : f <= 5 ? 5 : 10) * e;
}

// A typed number of a range box: either decimal separator, the whole text one number.
bool readBox(const QLineEdit* box, double& out) {
    std::string text = box->text().trimmed().toStdString();
    std::replace(text.begin(), text.end(), ',', '.');
    return readInvariant(text, out) && std::isfinite(out);
}

QString thresholdText(const StudyThreshold& t, char sep) {
    const QString unit = studyInputUnit(t.name);
    const QString u = unit.isEmpty() ? QString() : QLatin1Char(' ') + unit;
    return QStringLiteral("%1 = %2%3: passes %4; %5, %6 (between %7 and %8%3)")
        .arg(q(t.name), studyValueText(t.value, sep), u,
             t.passesBelow ? QStringLiteral("below") : QStringLiteral("above"),
             t.passesBelow ? QStringLiteral("above") : QStringLiteral("below"),
             studyFailureReason(t.governing), studyValueText(t.between[0], sep),
             studyValueText(t.between[1], sep));
}

} // namespace

DesignStudyWindow::DesignStudyWindow(CaseHost& host, QWidget* owner)
    : QWidget(owner, Qt::Window), host_(host) {
    setObjectName(QStringLiteral("frmStudy"));
    setWindowTitle(QStringLiteral("Design Study"));
    buildWidgets();
    chooseExportPath = [this](const QString& dir, const QString& name, bool chart) {
        QStringList filters = {QStringLiteral("Points, comma-separated (*.csv)"),
                               QStringLiteral("Points, Excel workbook (*.xlsx)")};
        if (chart)
            filters << QStringLiteral("Chart, PNG picture (*.png)")
                    << QStringLiteral("Chart, SVG drawing (*.svg)")
                    << QStringLiteral("Chart, PDF document (*.pdf)");
        QFileDialog dlg(this, QStringLiteral("Export"), dir);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        dlg.setNameFilters(filters);
        dlg.setDefaultSuffix(QStringLiteral("csv"));
        dlg.selectFile(name);
        // The extension of the chosen kind is added to a name typed without one.
        connect(&dlg, &QFileDialog::filterSelected, &dlg, [&dlg](const QString& filter) {
            const qsizetype dot = filter.lastIndexOf(QLatin1Char('.'));
            dlg.setDefaultSuffix(filter.mid(dot + 1).chopped(1));
        });
        return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty()
                   ? dlg.selectedFiles().first()
                   : QString();
    };
    // Sized for the screen it opens on, within it; the content scrolls where it needs more.
    const QSize wanted(1180, 820);
    if (QScreen* s = owner != nullptr ? owner->screen() : screen()) {
        const QRect avail = s->availableGeometry();
        const QSize size = wanted.boundedTo(avail.size() - QSize(16, 48));
        resize(size);
        move(avail.center() - QPoint(size.width() / 2, size.height() / 2));
    } else {
        resize(wanted);
    }
}

DesignStudyWindow::~DesignStudyWindow() {
    if (job_)
        job_->cancel = true;
    if (thread_)
        thread_->wait();
}

void DesignStudyWindow::buildWidgets() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrollStudy"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("studyContent"));
    scroll->setWidget(content);
    outer->addWidget(scroll);

    QGroupBox* inputs = buildInputsFrame(content);
    QGroupBox* run = buildRunFrame(content);
    QWidget* upper = buildChartAndList(content);
    buildPointsTable(content);
    auto* split = new QSplitter(Qt::Vertical, content);
    split->setObjectName(QStringLiteral("splitStudy"));
    split->setChildrenCollapsible(false);
    split->addWidget(upper);
    split->addWidget(table_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    QPushButton* close = buildCommandButtons(content);

    auto* col = new QVBoxLayout(content);
    auto* top = new QHBoxLayout;
    top->addWidget(inputs, 0, Qt::AlignTop);
    top->addWidget(run, 1);
    col->addLayout(top);
    col->addWidget(split, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(use_);
    buttons->addWidget(export_);
    buttons->addStretch();
    buttons->addWidget(close);
    col->addLayout(buttons);

    // The thickness is what is varied first; its range lies about the case's value.
    rows_[0].name->setCurrentIndex(1);
    inputChosen(0);
}

// The inputs and their ranges: a row of an input list and its From, To and Step boxes each.
QGroupBox* DesignStudyWindow::buildInputsFrame(QWidget* parent) {
    auto* inputs = new QGroupBox(QStringLiteral("Inputs and ranges"), parent);
    inputs->setObjectName(QStringLiteral("fraInputs"));
    auto* g = new QGridLayout(inputs);
    g->setHorizontalSpacing(6);
    g->setVerticalSpacing(3);
    const QStringList headings = {QStringLiteral("Input"), QStringLiteral("From"),
                                  QStringLiteral("To"), QStringLiteral("Step")};
    for (int c = 0; c < headings.size(); ++c)
        g->addWidget(new QLabel(headings[c], inputs), 0, c);
    QStringList names = {QStringLiteral("(none)")};
    for (std::string_view n : studyInputNames())
        names << q(n);
    for (int r = 0; r < kInputRows; ++r) {
        InputRow& row = rows_[static_cast<size_t>(r)];
        const QString n = QString::number(r + 1);
        row.name = new QComboBox(inputs);
        row.name->setObjectName(QStringLiteral("cboInput") + n);
        row.name->addItems(names);
        row.name->setMaxVisibleItems(static_cast<int>(names.size()));
        row.from = new QLineEdit(inputs);
        row.from->setObjectName(QStringLiteral("txtFrom") + n);
        row.to = new QLineEdit(inputs);
        row.to->setObjectName(QStringLiteral("txtTo") + n);
        row.step = new QLineEdit(inputs);
        row.step->setObjectName(QStringLiteral("txtStep") + n);
        row.unit = new QLabel(inputs);
        row.unit->setObjectName(QStringLiteral("lblUnit") + n);
        row.unit->setMinimumWidth(row.unit->fontMetrics().horizontalAdvance(QStringLiteral("kNm")));
        for (QLineEdit* e : {row.from, row.to, row.step}) {
            e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
            e->setAlignment(Qt::AlignRight);
        }
        g->addWidget(row.name, r + 1, 0);
        g->addWidget(row.from, r + 1, 1);
        g->addWidget(row.to, r + 1, 2);
        g->addWidget(row.step, r + 1, 3);
        g->addWidget(row.unit, r + 1, 4);
        connect(row.name, &QComboBox::activated, this, [this, r] { inputChosen(r); });
    }
    return inputs;
}

// Running the study: the options, the commands, the progress and the status.
QGroupBox* DesignStudyWindow::buildRunFrame(QWidget* parent) {
    auto* run = new QGroupBox(QStringLiteral("Run"), parent);
    run->setObjectName(QStringLiteral("fraRun"));
    auto* rv = new QGridLayout(run);
    proportions_ = new QCheckBox(QStringLiteral("The proportion checks must pass too"), run);
    proportions_->setObjectName(QStringLiteral("chkProportions"));
    auto* countLabel = new QLabel(QStringLiteral("Lightest designs listed:"), run);
    count_ = new QSpinBox(run);
    count_->setObjectName(QStringLiteral("spnCount"));
    count_->setRange(1, 1000);
    count_->setValue(10);
    sweep_ = commandButton(run, "cmdSweep", QStringLiteral("Run Sweep"));
    sweep_->setToolTip(QStringLiteral("Every point of one or two inputs: a chart or a map"));
    optimise_ = commandButton(run, "cmdOptimise", QStringLiteral("Find Lightest"));
    optimise_->setToolTip(
        QStringLiteral("The lightest passing designs over the grid of all inputs given"));
    cancel_ = commandButton(run, "cmdCancel", QStringLiteral("Cancel"));
    cancel_->setEnabled(false);
    progress_ = new QProgressBar(run);
    progress_->setObjectName(QStringLiteral("prgStudy"));
    progress_->setRange(0, 1000);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    status_ = new QLabel(run);
    status_->setObjectName(QStringLiteral("lblStatus"));
    status_->setWordWrap(true);
    status_->setMinimumWidth(
        status_->fontMetrics().horizontalAdvance(QString(44, QLatin1Char('x'))));
    rv->addWidget(proportions_, 0, 0, 1, 3);
    rv->addWidget(countLabel, 1, 0, 1, 2);
    rv->addWidget(count_, 1, 2);
    rv->addWidget(sweep_, 2, 0);
    rv->addWidget(optimise_, 2, 1);
    rv->addWidget(cancel_, 2, 2);
    rv->addWidget(progress_, 3, 0, 1, 3);
    rv->addWidget(status_, 4, 0, 1, 3);
    rv->setRowStretch(5, 1);
    connect(sweep_, &QPushButton::clicked, this, &DesignStudyWindow::runSweepCommand);
    connect(optimise_, &QPushButton::clicked, this, &DesignStudyWindow::findLightestCommand);
    connect(cancel_, &QPushButton::clicked, this, &DesignStudyWindow::cancelRun);
    return run;
}

// The chart with the thresholds or the lightest designs beside it.
QWidget* DesignStudyWindow::buildChartAndList(QWidget* parent) {
    chartView_ = new QChartView(parent);
    chartView_->setObjectName(QStringLiteral("chartStudy"));
    chartView_->setRenderHint(QPainter::Antialiasing);
    chartView_->setMinimumSize(520, 260);
    replaceChart(makeNoteChart(QStringLiteral("Run a sweep of one input for its chart, of two "
                                              "inputs for the pass/fail map")));
    listFrame_ = new QGroupBox(QStringLiteral("Thresholds"), parent);
    listFrame_->setObjectName(QStringLiteral("fraResults"));
    auto* lv = new QVBoxLayout(listFrame_);
    list_ = new QListWidget(listFrame_);
    list_->setObjectName(QStringLiteral("lstResults"));
    list_->setWordWrap(true);
    list_->setSpacing(3);
    list_->setMinimumWidth(240);
    lv->addWidget(list_);
    auto* upper = new QWidget(parent);
    auto* uh = new QHBoxLayout(upper);
    uh->setContentsMargins(0, 0, 0, 0);
    uh->addWidget(chartView_, 3);
    uh->addWidget(listFrame_, 1);
    return upper;
}

// The points of the last run, sorted by any column.
void DesignStudyWindow::buildPointsTable(QWidget* parent) {
    model_ = new StudyTableModel(this);
    sorted_ = new StudySortModel(this);
    sorted_->setSourceModel(model_);
    table_ = new QTableView(parent);
    table_->setObjectName(QStringLiteral("tblPoints"));
    table_->setModel(sorted_);
    table_->setSortingEnabled(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->setMinimumHeight(100);
}

// Use This Design, Export and Close; returns Close.
QPushButton* DesignStudyWindow::buildCommandButtons(QWidget* parent) {
    use_ = commandButton(parent, "cmdUseDesign", QStringLiteral("Use This Design"));
    use_->setToolTip(QStringLiteral("Loads the inputs of the chosen point into the case"));
    use_->setEnabled(false);
    export_ = commandButton(parent, "cmdExport", QStringLiteral("Export..."));
    export_->setToolTip(QStringLiteral("The points as CSV or workbook, the chart as PNG, SVG or "
                                       "PDF"));
    export_->setEnabled(false);
    auto* close = commandButton(parent, "cmdClose", QStringLiteral("Close"));
    connect(use_, &QPushButton::clicked, this, &DesignStudyWindow::useSelectedDesign);
    connect(export_, &QPushButton::clicked, this, &DesignStudyWindow::exportCommand);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(
        table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex& current) { use_->setEnabled(current.isValid() && !running()); });
    return close;
}

Notifier& DesignStudyWindow::notifier() {
    return host_.notifierFor(this);
}

void DesignStudyWindow::refuse(const std::string& message, QWidget* box) {
    Notifier& nt = notifier();
    nt.warn(" " + message + " ");
    if (box != nullptr)
        nt.focus(box->objectName().toStdString());
}

void DesignStudyWindow::inputChosen(int r) {
    InputRow& row = rows_[static_cast<size_t>(r)];
    const int i = row.name->currentIndex();
    if (i <= 0) {
        row.unit->clear();
        return;
    }
    const std::string name = row.name->currentText().toStdString();
    row.unit->setText(studyInputUnit(name));
    // The same input chosen again keeps the range typed for it.
    if (row.name->currentText() == row.offered)
        return;
    row.offered = row.name->currentText();
    const State& st = host_.state();
    const char sep = st.decimalSep();
    const std::optional<double> value = studyInputValue(st, name);
    auto show = [sep](QLineEdit* e, double v) {
        e->setText(studyValueText(static_cast<float>(v), sep));
    };
    if (!value) {
        // A profile that takes no table row: nothing to offer, the run names the fault.
        for (QLineEdit* e : {row.from, row.to, row.step})
            e->clear();
        return;
    }
    double from = 0, to = 10, step = 0.5;
    if (name == "stiffRow" || name == "ringRow") {
        const ProfileRecord& rec = name == "stiffRow" ? st.dc.stiff : st.dc.ring;
        const ProfileKindDesc* kind = findProfileKind(rec.kind);
        from = 0;
        to = kind && kind->table ? std::max(0, st.profiles.of(*kind->table).lastRow()) : 0;
        step = 1;
    } else if (*value != 0) {
        // From half to twice the value, in about 60 steps of 1, 2 or 5.
        const double a = *value / 2;
        const double b = *value * 2;
        step = niceStep(std::fabs(b - a) / 60);
        from = std::floor(std::min(a, b) / step) * step;
        to = std::ceil(std::max(a, b) / step) * step;
    }
    show(row.from, from);
    show(row.to, to);
    show(row.step, step);
}

bool DesignStudyWindow::readGrid(StudyGrid& grid, std::vector<int>& rows) {
    std::vector<StudyRange> ranges;
    rows.clear();
    for (int r = 0; r < kInputRows; ++r) {
        const InputRow& row = rows_[static_cast<size_t>(r)];
        if (row.name->currentIndex() <= 0)
            continue;
        StudyRange range;
        range.name = row.name->currentText().toStdString();
        const std::pair<QLineEdit*, double*> boxes[] = {
            {row.from, &range.from}, {row.to, &range.to}, {row.step, &range.step}};
        const char* what[] = {"FROM", "TO", "STEP"};
        for (int k = 0; k < 3; ++k) {
            if (!readBox(boxes[k].first, *boxes[k].second)) {
                refuse(range.name + ": " + what[k] + " \"" + boxes[k].first->text().toStdString() +
                           "\" is not a finite number",
                       boxes[k].first);
                return false;
            }
        }
        ranges.push_back(range);
        rows.push_back(r);
    }
    const State& st = host_.state();
    const std::string message = makeStudyGrid(st, ranges, grid);
    if (message.empty())
        return true;
    if (ranges.empty()) {
        refuse(message, rows_[0].name);
        return false;
    }
    // The first row whose range the grid cannot take, and in it the box to mend.
    size_t k = 0;
    StudyGrid partial;
    while (k + 1 < ranges.size() &&
           makeStudyGrid(st,
                         std::vector<StudyRange>(
                             ranges.begin(), ranges.begin() + static_cast<std::ptrdiff_t>(k) + 1),
                         partial)
               .empty())
        ++k;
    const StudyRange& bad = ranges[k];
    const InputRow& row = rows_[static_cast<size_t>(rows[k])];
    QWidget* box = row.from;
    bool repeated = false;
    for (size_t j = 0; j < k; ++j)
        repeated = repeated || ranges[j].name == bad.name;
    if (repeated)
        box = row.name;
    else if (!(bad.step > 0))
        box = row.step;
    else if (bad.from > bad.to)
        box = row.to;
    else if (makeStudyGrid(st, {bad}, partial).empty())
        box = row.step; // the row is sound alone: the grid as a whole has too many points
    refuse(message, box);
    return false;
}

void DesignStudyWindow::runSweepCommand() {
    runCommand(false);
}

void DesignStudyWindow::findLightestCommand() {
    runCommand(true);
}

void DesignStudyWindow::runCommand(bool lightest) {
    if (running())
        return;
    host_.takeTypedInput();
    StudyGrid grid;
    std::vector<int> rows;
    if (!readGrid(grid, rows))
        return;
    // A sweep keeps and shows every point; the search for the lightest only the best.
    if (!lightest && grid.axes.size() > 2) {
        refuse("A sweep shows one or two inputs; Find Lightest takes more",
               rows_[static_cast<size_t>(rows[2])].name);
        return;
    }
    if (!lightest && grid.size() > kMaxShownPoints) {
        refuse("the sweep has " + std::to_string(grid.size()) +
                   " points; the window shows at most " + std::to_string(kMaxShownPoints) +
                   ": take shorter ranges or larger steps, or Find Lightest for the lightest "
                   "designs of a larger grid",
               rows_[static_cast<size_t>(rows.back())].step);
        return;
    }
    auto job = std::make_unique<Job>();
    job->base = studyCopy(host_.state());
    job->grid = std::move(grid);
    job->options.proportions = proportions_->isChecked();
    job->lightest = lightest;
    job->count = count_->value();
    start(std::move(job));
}

void DesignStudyWindow::start(std::unique_ptr<Job> job) {
    job_ = std::move(job);
    Job* j = job_.get();
    // The worker reads its own copy only; progress comes back as queued calls on this window,
    // dropped with the window should it go first.
    thread_.reset(QThread::create([this, j] {
        StudyControl control;
        control.cancel = &j->cancel;
        control.progress = [this](int64_t done, int64_t total) {
            QMetaObject::invokeMethod(
                this, [this, done, total] { showProgress(done, total); }, Qt::QueuedConnection);
        };
        try {
            if (j->lightest)
                j->best = findLightest(j->base, j->grid, j->count, j->options, control);
            else
                j->sweep = runSweep(j->base, j->grid, j->options, control);
        } catch (const std::exception& e) {
            j->error = e.what();
        }
    }));
    connect(thread_.get(), &QThread::finished, this, &DesignStudyWindow::finishRun,
            Qt::QueuedConnection);
    setRunning(true);
    status_->setText(QStringLiteral("Calculating %1 points ...").arg(j->grid.size()));
    progress_->setValue(0);
    thread_->start();
}

void DesignStudyWindow::showProgress(int64_t done, int64_t total) {
    if (!job_ || job_->cancel || total <= 0)
        return;
    progress_->setValue(static_cast<int>(std::min<int64_t>(1000, done * 1000 / total)));
    const int64_t points = job_->grid.size();
    status_->setText(done >= points && total > points
                         ? QStringLiteral("Locating the thresholds ...")
                         : QStringLiteral("Calculated %1 of %2 points ...").arg(done).arg(points));
}

void DesignStudyWindow::cancelRun() {
    if (!job_)
        return;
    job_->cancel = true;
    cancel_->setEnabled(false);
    status_->setText(QStringLiteral("Cancelling ..."));
}

void DesignStudyWindow::setRunning(bool on) {
    for (const InputRow& row : rows_)
        for (QWidget* w : {static_cast<QWidget*>(row.name), static_cast<QWidget*>(row.from),
                           static_cast<QWidget*>(row.to), static_cast<QWidget*>(row.step)})
            w->setEnabled(!on);
    for (QWidget* w : {static_cast<QWidget*>(proportions_), static_cast<QWidget*>(count_),
                       static_cast<QWidget*>(sweep_), static_cast<QWidget*>(optimise_)})
        w->setEnabled(!on);
    cancel_->setEnabled(on);
    use_->setEnabled(!on && table_->currentIndex().isValid());
    export_->setEnabled(!on && shown_ != Shown::Nothing);
}

void DesignStudyWindow::finishRun() {
    if (!thread_)
        return;
    thread_->wait();
    thread_.reset();
    std::unique_ptr<Job> j = std::move(job_);
    const bool cancelled = j->lightest ? j->best.cancelled : j->sweep.cancelled;
    if (!j->error.empty()) {
        progress_->setValue(0);
        status_->setText(QStringLiteral("The study stopped; the results shown are those of the "
                                        "last run."));
        setRunning(false);
        refuse("The study stopped: " + j->error, nullptr);
    } else if (cancelled) {
        progress_->setValue(0);
        status_->setText(QStringLiteral("Cancelled; the results shown are those of the last run."));
        setRunning(false);
    } else {
        progress_->setValue(1000);
        studied_ = j->base.dc;
        title_ = QStringLiteral("Design study of \"%1\"").arg(q(studied_.identification));
        if (j->options.proportions)
            title_ += QStringLiteral(", proportion checks included");
        if (j->lightest)
            showLightest(j->grid, std::move(j->best));
        else
            showSweep(j->grid, std::move(j->sweep));
        setRunning(false);
    }
    emit runEnded();
}

void DesignStudyWindow::replaceChart(QChart* chart) {
    QChart* old = chartView_->chart();
    chartView_->setChart(chart);
    delete old;
}

void DesignStudyWindow::showSweep(const StudyGrid& grid, SweepResult result) {
    const char sep = host_.state().decimalSep();
    thresholds_ = result.thresholds;
    list_->clear();
    int64_t passing = 0;
    for (const StudyPoint& p : result.points)
        passing += p.passes ? 1 : 0;
    const int64_t total = static_cast<int64_t>(result.points.size());
    if (grid.axes.size() == 1) {
        shown_ = Shown::Sweep;
        replaceChart(makeSweepChart(grid, result, title_, sep));
        listFrame_->setTitle(QStringLiteral("Thresholds"));
        for (const StudyThreshold& t : thresholds_)
            list_->addItem(thresholdText(t, sep));
        if (thresholds_.empty())
            list_->addItem(passing == total ? QStringLiteral("Every point passes.")
                                            : QStringLiteral("No point passes."));
    } else {
        shown_ = Shown::Map;
        const int64_t best = lightestPassing(result.points);
        replaceChart(makeMapChart(grid, result.points, best, title_, sep));
        listFrame_->setTitle(QStringLiteral("Lightest passing point"));
        if (best >= 0) {
            const StudyPoint& p = result.points[static_cast<size_t>(best)];
            list_->addItem(studyInputsText(host_.state(), grid, p.inputs));
            list_->addItem(QStringLiteral("%1 kg/m; governing %2, UF/perm. %3")
                               .arg(q(formatNumber(p.mass, "0.0", sep)),
                                    QString::fromLatin1(studyCheckName(*p.governing)),
                                    q(formatNumber(p.governingRatio(), "0.000", sep))));
        } else {
            list_->addItem(QStringLiteral("No point passes."));
        }
    }
    status_->setText(QStringLiteral("%1 points, %2 passing.").arg(total).arg(passing));
    model_->setPoints(grid, std::move(result.points), false, sep, std::move(result.loadCaseNames));
    table_->sortByColumn(0, Qt::AscendingOrder);
}

void DesignStudyWindow::showLightest(const StudyGrid& grid, LightestResult result) {
    const char sep = host_.state().decimalSep();
    shown_ = Shown::Lightest;
    thresholds_.clear();
    replaceChart(makeNoteChart(QStringLiteral("The lightest passing designs are listed below")));
    listFrame_->setTitle(QStringLiteral("Lightest passing designs"));
    list_->clear();
    int rank = 1;
    for (const StudyPoint& p : result.designs)
        list_->addItem(QStringLiteral("%1. %2: %3 kg/m")
                           .arg(rank++)
                           .arg(studyInputsText(host_.state(), grid, p.inputs),
                                q(formatNumber(p.mass, "0.0", sep))));
    if (result.designs.empty())
        list_->addItem(QStringLiteral("No point passes."));
    status_->setText(QStringLiteral("%1 points evaluated, %2 passing; the %3 lightest listed.")
                         .arg(result.evaluated)
                         .arg(result.passing)
                         .arg(result.designs.size()));
    model_->setPoints(grid, std::move(result.designs), true, sep, std::move(result.loadCaseNames));
    table_->sortByColumn(0, Qt::AscendingOrder);
}

const std::vector<StudyPoint>& DesignStudyWindow::shownPoints() const {
    return model_->points();
}

const std::vector<std::string>& DesignStudyWindow::shownLoadCaseNames() const {
    return model_->loadCaseNames();
}

const StudyGrid& DesignStudyWindow::shownGrid() const {
    return model_->grid();
}

QChart* DesignStudyWindow::chart() const {
    return chartView_->chart();
}

bool DesignStudyWindow::caseIsTheStudied(const std::vector<float>& values) const {
    const State& st = host_.state();
    const StudyGrid& grid = model_->grid();
    QuietNotifier quiet;
    State now = studyCopy(st);
    State then = studyCopy(st);
    then.dc = studied_;
    for (State* s : {&now, &then}) {
        applyStudyValues(*s, quiet, grid, values);
        // Names do not change a result.
        s->dc.projectName.clear();
        s->dc.identification.clear();
    }
    return caseFileText(now.dc) == caseFileText(then.dc);
}

void DesignStudyWindow::useSelectedDesign() {
    if (running())
        return;
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid()) {
        refuse("Choose a point in the table first", table_);
        return;
    }
    const StudyPoint point =
        model_->points()[static_cast<size_t>(sorted_->mapToSource(current).row())];
    host_.takeTypedInput();
    if (!caseIsTheStudied(point.inputs)) {
        refuse("The case has changed since the study was run: run the study again to use its "
               "points",
               nullptr);
        return;
    }
    // As the window stores typed values: then the usual calculation and the whole case shown.
    Notifier& nt = notifier();
    applyStudyValues(host_.state(), nt, model_->grid(), point.inputs);
    host_.recalculate(nt);
    host_.refreshWindow();
    status_->setText(QStringLiteral("The case now has ") +
                     studyInputsText(host_.state(), model_->grid(), point.inputs) +
                     QLatin1Char('.'));
}

void DesignStudyWindow::exportCommand() {
    if (running())
        return;
    if (shown_ == Shown::Nothing) {
        refuse("There is nothing to export yet: run a sweep or Find Lightest first", nullptr);
        return;
    }
    const State& st = host_.state();
    const bool hasChart = shown_ == Shown::Sweep || shown_ == Shown::Map;
    const QString stem =
        st.run.fileName == "New File"
            ? QStringLiteral("Design study")
            : QFileInfo(q(st.run.fileName)).completeBaseName() + QStringLiteral(" study");
    const QString path =
        chooseExportPath(q(st.run.currentDir), stem + QStringLiteral(".csv"), hasChart);
    if (path.isEmpty())
        return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    std::string error;
    if (suffix == QLatin1String("csv")) {
        error = writeStudyCsv(path.toStdString(), model_->grid(), model_->points(),
                              model_->loadCaseNames());
    } else if (suffix == QLatin1String("xlsx")) {
        error = writeTableWorkbook(
            studyWorkbookTable(model_->grid(), model_->points(), model_->loadCaseNames()),
            path.toStdString());
    } else if (suffix == QLatin1String("png") || suffix == QLatin1String("svg") ||
               suffix == QLatin1String("pdf")) {
        if (!hasChart)
            error = "The lightest designs have no chart: export them as .csv or .xlsx";
        else
            error = writeChartFile(*chartView_, title_, path, suffix);
    } else {
        error = "can't save file - " + path.toStdString() +
                ": give it the extension .csv or .xlsx for the points, .png, .svg or .pdf for "
                "the chart";
    }
    if (!error.empty())
        refuse(error, nullptr);
}

void DesignStudyWindow::closeEvent(QCloseEvent* event) {
    // A run of a closed window has no one to show it to.
    cancelRun();
    QWidget::closeEvent(event);
}

} // namespace velmora
