#include "ui/database/DetailedSummaryWindow.h"
#include "ui/widgets/WindowFit.h"

#include "calc/State.h"
#include "case/Notifier.h"
#include "database/KeptCase.h"
#include "database/Workbook.h"
#include "ui/database/BatchProgress.h"
#include "ui/database/DatabaseWindows.h"
#include "ui/database/TableWindow.h"
#include "ui/main/CaseHost.h"
#include "ui/widgets/CommandButton.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace velmora {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// The workbook offered for a database: beside its file, named after it ("Hull_in.csv" gives
// "Hull.xlsx"); a database not yet saved offers the current folder.
std::pair<QString, QString> offeredWorkbook(const State& st) {
    const QString db = q(st.db.databaseFileName.empty() ? std::string("New Database_in.csv")
                                                        : st.db.databaseFileName);
    const QFileInfo info(db);
    QString stem = info.fileName();
    if (stem.endsWith(QStringLiteral("_in.csv"), Qt::CaseInsensitive))
        stem.chop(7);
    else
        stem = info.completeBaseName();
    if (stem.isEmpty())
        stem = QStringLiteral("Detailed Result");
    const QString dir = info.isAbsolute() ? info.absolutePath() : q(st.run.currentDir);
    return {dir, stem + QStringLiteral(".xlsx")};
}

} // namespace

DetailedSummaryWindow::DetailedSummaryWindow(DatabaseWindows& windows, QWidget* owner)
    : QWidget(owner, Qt::Window), windows_(windows) {
    setObjectName("frmDatabaseDetailed");
    setWindowTitle(QStringLiteral("Detailed Result"));

    auto* frame = new QGroupBox(QStringLiteral("Input && Result"), this);
    frame->setObjectName("Frame1");
    auto* grid = new QGridLayout(frame);
    auto* input = new QLabel(QStringLiteral("Input"), frame);
    input->setObjectName("Label1");
    auto* result = new QLabel(QStringLiteral("Result"), frame);
    result->setObjectName("Label2");
    grid->addWidget(input, 0, 0);
    grid->addWidget(result, 1, 0);
    struct Box {
        int group;
        const char* name;
        const char* caption;
        int row;
        int column;
    };
    namespace G = SummaryGroup;
    const Box boxes[] = {{G::StiffenerInputs, "chkStiffInp", "Stiffener", 0, 1},
                         {G::RingInputs, "chkRingInp", "Ring", 0, 2},
                         {G::StressInputs, "chkStressInp", "Stress", 0, 3},
                         {G::ColumnInputs, "chkColumnInp", "Column", 0, 4},
                         {G::StiffenerResults, "chkStiffRes", "Stiffener", 1, 1},
                         {G::RingResults, "chkRingRes", "Ring", 1, 2},
                         {G::ColumnResults, "chkColumnRes", "Column", 1, 4}};
    for (const Box& b : boxes) {
        auto* c = new QCheckBox(QString::fromLatin1(b.caption), frame);
        c->setObjectName(QString::fromLatin1(b.name));
        grid->addWidget(c, b.row, b.column);
        groups_[static_cast<size_t>(b.group)] = c;
        const int g = b.group;
        // Only the engineer's clicks switch a group; setting the boxes on opening does not.
        connect(c, &QCheckBox::clicked, this, [this, g](bool on) {
            windows_.host().state().summaryGroups[static_cast<size_t>(g)] = on;
            rebuild();
        });
    }
    grid->setColumnStretch(5, 1);

    view_ = new QTableWidget(this);
    view_->setObjectName("lstViewDetailed");
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->verticalHeader()->hide();
    view_->setWordWrap(false);
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this,
            &DetailedSummaryWindow::showTableWindow);
    buildIdentColumn();

    auto* exportButton =
        commandButton(this, "cmdDetailedResult", QStringLiteral("Export to Excel"));
    auto* close = commandButton(this, "cmdClose", QStringLiteral("Close"));
    connect(exportButton, &QPushButton::clicked, this, &DetailedSummaryWindow::exportWorkbook);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    // The table takes every change of the window's size; the frame and the buttons keep theirs.
    auto* col = new QVBoxLayout(this);
    col->addWidget(frame);
    col->addWidget(view_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exportButton);
    buttons->addWidget(close);
    col->addLayout(buttons);
    fitOnScreen(this, QSize(1000, 520));
}

DetailedSummaryWindow::~DetailedSummaryWindow() = default;

void DetailedSummaryWindow::buildIdentColumn() {
    ident_ = new QTableView(view_);
    ident_->setObjectName("lstViewIdent");
    ident_->setModel(view_->model());
    ident_->setSelectionModel(view_->selectionModel());
    ident_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ident_->setSelectionBehavior(QAbstractItemView::SelectRows);
    ident_->setFocusPolicy(Qt::NoFocus);
    ident_->setFrameShape(QFrame::NoFrame);
    ident_->setWordWrap(false);
    // A comment longer than the column ends in an ellipsis; its tip shows it whole.
    ident_->setTextElideMode(Qt::ElideRight);
    ident_->verticalHeader()->hide();
    ident_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ident_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ident_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ident_->setVerticalScrollMode(view_->verticalScrollMode());
    ident_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ident_, &QWidget::customContextMenuRequested, this,
            &DetailedSummaryWindow::showTableWindow);
    view_->viewport()->stackUnder(ident_);
    // Both scroll down together; across, only the table moves.
    connect(view_->verticalScrollBar(), &QAbstractSlider::valueChanged, ident_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(ident_->verticalScrollBar(), &QAbstractSlider::valueChanged, view_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(view_->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) {
                if (section == 0) {
                    ident_->setColumnWidth(0, size);
                    placeIdentColumn();
                }
            });
    connect(view_->verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) { ident_->setRowHeight(section, size); });
    view_->installEventFilter(this);
}

void DetailedSummaryWindow::placeIdentColumn() {
    const int frame = view_->frameWidth();
    ident_->setGeometry(frame, frame, view_->columnWidth(0),
                        view_->viewport()->height() + view_->horizontalHeader()->height());
}

bool DetailedSummaryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        placeIdentColumn();
    return QWidget::eventFilter(watched, event);
}

void DetailedSummaryWindow::rebuild() {
    State& st = windows_.host().state();
    for (size_t g = 0; g < groups_.size(); ++g)
        groups_[g]->setChecked(st.summaryGroups[g]);
    {
        // Every row is calculated through the current case; the main window's case comes back.
        KeptCase keep(st);
        BatchProgress progress(this, QStringLiteral("Calculating the database ..."));
        table_ = buildSummaryTable(st, st.summaryGroups, progress.listener());
    }
    fillTable();
    if (!table_.stopped.empty())
        windows_.host().notifierFor(this).warn(stoppedRowsMessage(table_.stopped));
}

void DetailedSummaryWindow::fillTable() {
    view_->clear();
    view_->clearSpans();
    const int columns = static_cast<int>(table_.headings.size());
    view_->setColumnCount(columns);
    view_->setRowCount(static_cast<int>(table_.lines.size()));
    QStringList headings;
    for (const std::string& h : table_.headings)
        headings << q(h);
    view_->setHorizontalHeaderLabels(headings);
    const int width =
        columns > 0 ? static_cast<int>(0.95 * view_->viewport()->width() / columns) : 0;
    for (int c = 0; c < columns; ++c)
        view_->setColumnWidth(c, std::max(width, 40));
    // A usage factor above its permitted value is red, as in the result panels.
    const QColor red(128, 0, 0);
    for (int i = 0; i < static_cast<int>(table_.lines.size()); ++i) {
        const auto& line = table_.lines[static_cast<size_t>(i)];
        for (int c = 0; c < static_cast<int>(line.size()) && c < columns; ++c)
            view_->setItem(i, c, new QTableWidgetItem(q(line[static_cast<size_t>(c)])));
        if (static_cast<size_t>(i) < table_.abovePermitted.size())
            for (size_t c : table_.abovePermitted[static_cast<size_t>(i)])
                if (QTableWidgetItem* item = view_->item(i, static_cast<int>(c)))
                    item->setForeground(red);
        // A comment row is one text across the table.
        if (line.size() == 1 && columns > 1) {
            view_->setSpan(i, 0, 1, columns);
            if (QTableWidgetItem* item = view_->item(i, 0))
                item->setToolTip(item->text());
        }
    }
    // The columns share the table's width; one whose heading or cells need more gets what
    // they need, so that no usage factor is cut short.
    const int share =
        columns > 0 ? static_cast<int>(0.95 * view_->viewport()->width() / columns) : 0;
    view_->resizeColumnsToContents();
    for (int c = 0; c < columns; ++c)
        view_->setColumnWidth(c, std::max(share, view_->columnWidth(c)));
    // The frozen Ident column shows a comment row's text only as far as it is wide: it is
    // widened for the comments, up to a third of the table, so that a usual comment is read
    // whole however far the table is scrolled sideways.
    if (columns > 1) {
        const QFontMetrics metrics(view_->font());
        const int margin = 2 * view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
        int comment = 0;
        for (const auto& line : table_.lines)
            if (line.size() == 1)
                comment = std::max(comment, metrics.horizontalAdvance(q(line[0])) + margin);
        const int widest = view_->viewport()->width() / 3;
        view_->setColumnWidth(0, std::max(view_->columnWidth(0), std::min(comment, widest)));
    }

    for (int c = 1; c < columns; ++c)
        ident_->setColumnHidden(c, true);
    ident_->setColumnHidden(0, false);
    ident_->setColumnWidth(0, view_->columnWidth(0));
    for (int i = 0; i < view_->rowCount(); ++i)
        ident_->setRowHeight(i, view_->rowHeight(i));
    placeIdentColumn();
}

void DetailedSummaryWindow::exportWorkbook() {
    CaseHost& host = windows_.host();
    const auto [dir, name] = offeredWorkbook(host.state());
    QString path = windows_.chooseWorkbookPath(dir, name);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".xlsx");
    const std::string error = writeSummaryWorkbook(table_, path.toStdString());
    if (!error.empty()) {
        host.notifierFor(this).warn(error);
        return;
    }
    lastWorkbook_ = path;
    if (!windows_.openDocument(path))
        host.notifierFor(this).warn(
            " No spreadsheet program could be started. The workbook was saved as " +
            QDir::toNativeSeparators(path).toStdString() + " ");
}

void DetailedSummaryWindow::showTableWindow() {
    if (!tableWindow_)
        tableWindow_ = new TableWindow(this);
    tableWindow_->show();
    tableWindow_->raise();
}

void DetailedSummaryWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        showTableWindow();
    QWidget::mouseReleaseEvent(event);
}

} // namespace velmora
