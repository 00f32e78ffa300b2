#include "ui/main/LoadCaseTable.h"

#include "base/NumberText.h"
#include "calc/State.h"
#include "calc/Verdict.h"
#include "case/LoadCases.h"
#include "case/Notifier.h"
#include "report/Panels.h"
#include "ui/main/CaseHost.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

namespace velmora {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

enum Column { NameColumn, FormatColumn, UfColumn, RatioColumn, ColumnCount };

QPushButton* button(QWidget* parent, const QString& caption, const char* name, const QString& tip) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    return b;
}

} // namespace

LoadCaseTable::LoadCaseTable(CaseHost& host, QWidget* parent)
    : QGroupBox(QStringLiteral("Load cases"), parent), host_(host) {
    setObjectName(QStringLiteral("frLoadCases"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(4);

    table_ = new QTableWidget(0, ColumnCount, this);
    table_->setObjectName(QStringLiteral("loadCaseTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Load case"), QStringLiteral("Format"),
                                       QStringLiteral("UF"), QStringLiteral("Ratio")});
    table_->horizontalHeaderItem(UfColumn)->setToolTip(
        QStringLiteral("LRFD: allowable usage factor UF; WSD: basic usage factor n0"));
    table_->horizontalHeaderItem(RatioColumn)
        ->setToolTip(QStringLiteral("The governing check's usage factor over its permitted value, "
                                    "on the colour of the load case's verdict"));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    const int lineH = fontMetrics().height() + 4;
    table_->verticalHeader()->setMinimumSectionSize(lineH);
    table_->verticalHeader()->setDefaultSectionSize(lineH);
    QHeaderView* header = table_->horizontalHeader();
    header->setHighlightSections(false);
    header->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    for (int c : {FormatColumn, UfColumn, RatioColumn})
        header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    // The name column shows at least a short name in full.
    table_->setMinimumWidth(
        fontMetrics().horizontalAdvance(QStringLiteral("Load case Format UF Ratio")) + 16);
    column->addWidget(table_, 1);

    // The commands two by two under the table.
    auto* commands = new QGridLayout;
    commands->setSpacing(2);
    add_ = button(this, QStringLiteral("Add"), "loadCaseAdd",
                  QStringLiteral("A new load case with the selected one's design format"));
    duplicate_ = button(this, QStringLiteral("Duplicate"), "loadCaseDuplicate",
                        QStringLiteral("A copy of the selected load case"));
    rename_ = button(this, QStringLiteral("Rename"), "loadCaseRename",
                     QStringLiteral("A new name for the selected load case"));
    delete_ = button(this, QStringLiteral("Delete"), "loadCaseDelete",
                     QStringLiteral("Delete the selected load case (never the last one)"));
    int place = 0;
    for (QPushButton* b : {add_, duplicate_, rename_, delete_}) {
        b->setFixedHeight(lineH + 2);
        commands->addWidget(b, place / 2, place % 2);
        ++place;
    }
    column->addLayout(commands);

    connect(table_, &QTableWidget::currentCellChanged, this,
            [this](int current, int, int, int) { rowChosen(current); });
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this] { renameClicked(); });
    connect(add_, &QPushButton::clicked, this, &LoadCaseTable::addClicked);
    connect(duplicate_, &QPushButton::clicked, this, &LoadCaseTable::duplicateClicked);
    connect(rename_, &QPushButton::clicked, this, &LoadCaseTable::renameClicked);
    connect(delete_, &QPushButton::clicked, this, &LoadCaseTable::deleteClicked);
}

int LoadCaseTable::leastHeight() const {
    const int lineH = table_->verticalHeader()->defaultSectionSize();
    const int tableH = table_->horizontalHeader()->sizeHint().height() + 2 * lineH + 4;
    const int buttonsH = 2 * (lineH + 2) + 2;
    const QMargins m = contentsMargins();
    return tableH + 4 + buttonsH + m.top() + m.bottom() + 8;
}

void LoadCaseTable::showLoadCases() {
    const State& st = host_.state();
    const DesignCase& dc = st.dc;
    const int count = loadCaseCount(dc);
    const char sep = st.decimalSep();
    showing_ = true;
    const QSignalBlocker block(table_);
    // The rows are filled in place: a click that has just given the table the focus (and
    // with it taken a typed value and recalculated) goes on to select its row.
    table_->setRowCount(count);
    for (int i = 0; i < count; ++i) {
        const LoadCase lc = loadCaseAt(dc, i);
        const Verdict v = loadCaseVerdict(st, i);
        const bool calculated = v.status != VerdictStatus::NotCalculated && v.governing;
        const QString texts[ColumnCount] = {
            q(lc.name),
            lc.designFormat == DesignFormat::WSD ? QStringLiteral("WSD") : QStringLiteral("LRFD"),
            q(formatNumber(lc.UF, "#0.00", sep)),
            calculated ? q(formatNumber(v.ratio, "#0.00", sep)) : QStringLiteral("-")};
        for (int c = 0; c < ColumnCount; ++c) {
            QTableWidgetItem* item = table_->item(i, c);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
                table_->setItem(i, c, item);
            }
            item->setText(texts[c]);
            if (c != NameColumn)
                item->setTextAlignment(Qt::AlignCenter);
        }
        // The ratio on the colour of the verdict, in white; its line in the tooltip.
        QTableWidgetItem* ratio = table_->item(i, RatioColumn);
        const Rgb colour = verdictStatusColor(v.status);
        ratio->setBackground(QColor(colour.r, colour.g, colour.b));
        ratio->setForeground(Qt::white);
        ratio->setToolTip(q(v.line));
        table_->item(i, NameColumn)->setToolTip(q(lc.name));
    }
    table_->setCurrentCell(dc.selectedLoadCase, NameColumn);
    table_->scrollToItem(table_->item(dc.selectedLoadCase, NameColumn));
    showing_ = false;
    add_->setEnabled(count < kMaxLoadCases);
    duplicate_->setEnabled(count < kMaxLoadCases);
    delete_->setEnabled(count > 1);
}

void LoadCaseTable::rowChosen(int row) {
    if (showing_ || row < 0)
        return;
    // A value typed into a loading box belongs to the load case it was typed for.
    host_.takeTypedInput();
    if (row == host_.state().dc.selectedLoadCase)
        return;
    if (selectLoadCase(host_.state().dc, row))
        changed();
}

void LoadCaseTable::addClicked() {
    host_.takeTypedInput();
    if (addLoadCase(host_.state().dc) >= 0)
        changed();
}

void LoadCaseTable::duplicateClicked() {
    host_.takeTypedInput();
    if (duplicateLoadCase(host_.state().dc) >= 0)
        changed();
}

void LoadCaseTable::renameClicked() {
    host_.takeTypedInput();
    DesignCase& dc = host_.state().dc;
    const int index = dc.selectedLoadCase;
    const std::optional<QString> name = askName(q(dc.loadCaseName));
    if (!name)
        return;
    const std::string problem = renameLoadCase(dc, index, name->trimmed().toStdString());
    if (!problem.empty()) {
        host_.notifier().warn("The load case keeps its name: " + problem + ".");
        return;
    }
    changed();
}

void LoadCaseTable::deleteClicked() {
    host_.takeTypedInput();
    if (deleteLoadCase(host_.state().dc, host_.state().dc.selectedLoadCase))
        changed();
}

std::optional<QString> LoadCaseTable::askName(const QString& current) {
    QInputDialog dialog(host_.hostWidget());
    dialog.setObjectName(QStringLiteral("loadCaseNameDialog"));
    dialog.setWindowTitle(QStringLiteral("Rename Load Case"));
    dialog.setLabelText(
        QStringLiteral("Name of the load case (at most %1 characters):").arg(kMaxLoadCaseName));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(current);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

void LoadCaseTable::changed() {
    host_.recalculate();
    host_.refreshWindow();
}

} // namespace velmora
