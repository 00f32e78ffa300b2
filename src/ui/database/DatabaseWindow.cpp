#include "ui/database/DatabaseWindow.h"
#include "ui/widgets/WindowFit.h"

#include "calc/DatabaseRows.h"
#include "calc/State.h"
#include "case/Notifier.h"
#include "database/Batch.h"
#include "database/KeptCase.h"
#include "files/DatabaseFile.h"
#include "ui/database/BatchProgress.h"
#include "ui/database/DatabaseWindows.h"
#include "ui/database/DetailedSummaryWindow.h"
#include "ui/main/CaseHost.h"
#include "ui/widgets/CommandButton.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace velmora {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

bool isEndMarker(const DatabaseRow& r) {
    return r.isComment && (r.listText == "End" || r.listText == "END");
}

QToolButton* pictureButton(QWidget* parent, const char* name, QStyle::StandardPixmap picture,
                           const QString& tip) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(parent->style()->standardIcon(picture));
    b->setIconSize(QSize(24, 24));
    b->setToolTip(tip);
    return b;
}

// Blanks only, as a comment is typed; tabs and other white space stay part of the text.
QString trimBlanks(QString s) {
    while (s.startsWith(QLatin1Char(' ')))
        s.remove(0, 1);
    while (s.endsWith(QLatin1Char(' ')))
        s.chop(1);
    return s;
}

// Loads case row `row` into the main window: the row is calculated once and the whole case
// shown with its results; what the run reports stands over `window`.
void showCaseRow(State& st, CaseHost& host, QWidget* window, int row) {
    loadRowIntoCase(st, host.notifierFor(window), row);
    host.refreshWindow();
}

// The main window's caption while a database case is shown; "[*]" marks a changed case.
void showDatabaseCaption(CaseHost& host, const std::string& fileName) {
    host.hostWidget()->setWindowTitle(QStringLiteral("Database Filename: ") + q(fileName) +
                                      QStringLiteral("[*]"));
}

} // namespace

DatabaseWindow::DatabaseWindow(DatabaseWindows& windows, QWidget* owner)
    : QWidget(owner, Qt::Window), windows_(windows) {
    setObjectName("frmDatabase");
    setWindowTitle(QStringLiteral("Database "));

    list_ = new QListWidget(this);
    list_->setObjectName("lstDatabase");
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setMinimumWidth(260);

    auto* cmdNew = commandButton(this, "cmdNewDatabase", QStringLiteral("New Database File"));
    auto* cmdOpen = commandButton(this, "cmdOpenDatabase", QStringLiteral("Open Database File"));
    auto* cmdSave = commandButton(this, "cmdSaveFile", QStringLiteral("Save Database File"));
    auto* cmdResult = commandButton(this, "cmdSaveResult", QStringLiteral("Save Result to File"));
    auto* cmdCalc = commandButton(this, "cmdCalc", QStringLiteral("Calc and Summary"));
    comment_ = new QLineEdit(QStringLiteral("Comment"), this);
    comment_->setObjectName("txtComment");
    auto* cmdComment = commandButton(this, "cmdAddComment", QStringLiteral("Add comment row"));
    auto* up =
        pictureButton(this, "Cmd_pilupp", QStyle::SP_ArrowUp, QStringLiteral(" Move Profile Up "));
    auto* down = pictureButton(this, "Cmd_pilner", QStyle::SP_ArrowDown,
                               QStringLiteral(" Move Profile Down "));
    auto* remove = pictureButton(this, "cmdX", QStyle::SP_DialogDiscardButton,
                                 QStringLiteral(" Remove Profile "));
    auto* cmdClose = commandButton(this, "cmdClose", QStringLiteral("Close"));

    auto* side = new QVBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(cmdNew), static_cast<QWidget*>(cmdOpen),
                       static_cast<QWidget*>(cmdSave), static_cast<QWidget*>(cmdResult),
                       static_cast<QWidget*>(cmdCalc)})
        side->addWidget(w);
    side->addSpacing(16);
    side->addWidget(comment_);
    side->addWidget(cmdComment);
    side->addSpacing(16);
    auto* arrows = new QHBoxLayout;
    arrows->addWidget(up);
    arrows->addWidget(down);
    arrows->addWidget(remove);
    arrows->addStretch();
    side->addLayout(arrows);
    side->addStretch();
    side->addWidget(cmdClose);

    auto* grid = new QHBoxLayout(this);
    grid->addWidget(list_, 1);
    grid->addLayout(side);
    fitOnScreen(this, QSize(560, 440));

    connect(cmdNew, &QPushButton::clicked, this, &DatabaseWindow::newDatabase);
    connect(cmdOpen, &QPushButton::clicked, this, &DatabaseWindow::openDatabase);
    connect(cmdSave, &QPushButton::clicked, this, &DatabaseWindow::saveDatabase);
    connect(cmdResult, &QPushButton::clicked, this, &DatabaseWindow::saveResult);
    connect(cmdCalc, &QPushButton::clicked, this, &DatabaseWindow::showSummary);
    connect(cmdComment, &QPushButton::clicked, this, &DatabaseWindow::addComment);
    connect(up, &QToolButton::clicked, this, &DatabaseWindow::moveUp);
    connect(down, &QToolButton::clicked, this, &DatabaseWindow::moveDown);
    connect(remove, &QToolButton::clicked, this, &DatabaseWindow::removeRow);
    connect(cmdClose, &QPushButton::clicked, this, [this] {
        host().takeTypedInput();
        close();
    });

    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (filling_)
            return;
        quietRow_ = -1;
        rowChosen(row);
    });
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = list_->row(item);
        if (row >= 0 && row == quietRow_) {
            quietRow_ = -1;
            rowChosen(row);
        }
    });
}

DatabaseWindow::~DatabaseWindow() = default;

DetailedSummaryWindow* DatabaseWindow::summaryWindow() const {
    return summary_;
}

State& DatabaseWindow::st() {
    return windows_.host().state();
}

CaseHost& DatabaseWindow::host() {
    return windows_.host();
}

void DatabaseWindow::showAndRefill() {
    setCaption();
    refill(0);
    show();
    raise();
    activateWindow();
}

void DatabaseWindow::setCaption() {
    setWindowTitle(QStringLiteral("Database Filename: ") + q(st().db.databaseFileName));
}

void DatabaseWindow::refill(int row) {
    const CaseDatabase& db = st().db;
    filling_ = true;
    list_->clear();
    for (int i = 0; i <= db.lastRow; ++i)
        list_->addItem(q(db.rows[static_cast<size_t>(i)].listText));
    filling_ = false;
    selectQuietly(std::min(row, static_cast<int>(db.lastRow)));
}

void DatabaseWindow::selectQuietly(int row) {
    filling_ = true;
    list_->setCurrentRow(row);
    filling_ = false;
    quietRow_ = row;
}

int DatabaseWindow::selected() const {
    return list_->currentRow();
}

void DatabaseWindow::warnAndBeep(const std::string& text) {
    QApplication::beep();
    warn(text);
}

void DatabaseWindow::warn(const std::string& text) {
    host().notifierFor(this).warn(text);
}

void DatabaseWindow::rowChosen(int row) {
    State& s = st();
    if (row < 0 || row > s.db.lastRow)
        return;
    const DatabaseRow& r = s.db.rows[static_cast<size_t>(row)];
    if (r.isComment) {
        // A comment row offers its words for the next comment; a marker changes nothing.
        if (!r.listText.empty() && r.listText[0] == '%')
            comment_->setText(trimBlanks(q(r.listText).remove(QLatin1Char('%'))));
        return;
    }
    showCaseRow(s, host(), this, row);
}

void DatabaseWindow::showFirstCase() {
    State& s = st();
    const int first = firstCaseRow(s.db);
    if (first >= 0)
        showCaseRow(s, host(), this, first);
    showDatabaseCaption(host(), s.run.fileName);
}

void DatabaseWindow::newDatabase() {
    host().takeTypedInput();
    // The rows not yet saved are not replaced without the question.
    if (!windows_.mayCloseDatabase(this))
        return;
    State& s = st();
    s.db.reset();
    s.db.rows[0] = commentRow("% " + comment_->text().toStdString());
    s.db.databaseFileName = "New Database_in.csv";
    storeLoadCasesInRows(s, 1);
    setCaption();
    refill(0);
    host().refreshWindow();
    showDatabaseCaption(host(), s.run.fileName);
}

void DatabaseWindow::openDatabase() {
    host().takeTypedInput();
    if (!windows_.mayCloseDatabase(this))
        return;
    State& s = st();
    const QString path = windows_.chooseOpenPath(q(s.run.currentDir), QString());
    if (path.isEmpty())
        return;
    // The file is read into a fresh database; a file that cannot be read changes nothing.
    const std::string error = readDatabaseFile(s, path.toStdString());
    if (!error.empty()) {
        if (!QFileInfo::exists(path))
            warn("can't find file - " + path.toStdString());
        else
            warn("Error in Database File\n" + error);
        return;
    }
    s.run.currentDir = QDir::toNativeSeparators(QFileInfo(path).absolutePath()).toStdString() + "/";
    setCaption();
    refill(0);
    showFirstCase();
}

void DatabaseWindow::saveDatabase() {
    host().takeTypedInput();
    windows_.saveDatabaseFile(true, this);
}

void DatabaseWindow::closeEvent(QCloseEvent* event) {
    host().takeTypedInput();
    if (!windows_.mayCloseDatabase(this)) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void DatabaseWindow::saveResult() {
    host().takeTypedInput();
    State& s = st();
    // The results file sits beside the database file. A database not yet saved has a bare
    // name; its results go into the current folder rather than wherever the process started.
    std::string base =
        s.db.databaseFileName.empty() ? std::string("New Database_in.csv") : s.db.databaseFileName;
    if (QFileInfo(q(base)).isRelative() && !s.run.currentDir.empty())
        base = QDir(q(s.run.currentDir)).filePath(q(base)).toStdString();
    const std::string path = base + "_out.csv";
    BatchResult result;
    {
        KeptCase keep(s);
        BatchProgress progress(this, QStringLiteral("Calculating the database ..."));
        result = writeResultsFile(s, path, progress.listener());
    }
    if (!result.error.empty())
        warn(result.error);
    if (!result.stopped.empty())
        warn(stoppedRowsMessage(result.stopped));
}

void DatabaseWindow::showSummary() {
    host().takeTypedInput();
    if (!summary_)
        summary_ = new DetailedSummaryWindow(windows_, this);
    summary_->show();
    summary_->raise();
    summary_->rebuild();
}

void DatabaseWindow::addComment() {
    host().takeTypedInput();
    State& s = st();
    CaseDatabase& db = s.db;
    const int a = std::max(0, selected());
    if (a == db.lastRow) {
        warnAndBeep(" Comment cant be added at last row ");
        return;
    }
    if (db.lastRow + 1 >= CaseDatabase::kCapacity) {
        warnAndBeep(" The database holds at most " + std::to_string(CaseDatabase::kCapacity) +
                    " rows ");
        return;
    }
    db.insertRow(a, commentRow("% " + comment_->text().toStdString()));
    refill(a);
}

void DatabaseWindow::moveUp() {
    host().takeTypedInput();
    CaseDatabase& db = st().db;
    const int b = selected();
    if (b < 0)
        return;
    if (b == db.lastRow) {
        warnAndBeep(" Last row can't be moved ");
        return;
    }
    if (b == 0) {
        warn(" First row can't be moved ");
        return;
    }
    db.swapRows(b, b - 1);
    refill(b - 1);
}

void DatabaseWindow::moveDown() {
    host().takeTypedInput();
    CaseDatabase& db = st().db;
    const int b = selected();
    if (b < 0 || b >= db.lastRow)
        return;
    if (b == db.lastRow - 1) {
        warn(" Last row can't be moved ");
        return;
    }
    db.swapRows(b, b + 1);
    refill(b + 1);
}

void DatabaseWindow::removeRow() {
    host().takeTypedInput();
    CaseDatabase& db = st().db;
    if (db.lastRow < 0)
        return;
    const int a = std::max(0, selected());
    int cases = 0;
    for (int i = 0; i <= db.lastRow; ++i)
        cases += db.rows[static_cast<size_t>(i)].isComment ? 0 : 1;
    const DatabaseRow& r = db.rows[static_cast<size_t>(a)];
    if (cases == 1 && !r.isComment) {
        // The last case of the database stays, wherever it stands.
        QApplication::beep();
        warn(" Only one row. Row can't be removed ");
    } else if (isEndMarker(r)) {
        warn(" Last row can't be removed ");
        QApplication::beep();
    } else {
        db.removeRow(a);
    }
    refill(a == 1 ? 1 : std::max(0, a - 1));
}

} // namespace velmora
