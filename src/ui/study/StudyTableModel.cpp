#include "ui/study/StudyTableModel.h"

#include "base/NumberText.h"
#include "ui/study/StudyLabels.h"

#include <QBrush>
#include <QColor>

#include <cmath>

namespace velmora {

namespace {

// The red of a usage factor above its permitted value, as in the result panels.
const QColor kRed(128, 0, 0);

QString ratioText(double ratio, char sep) {
    if (!std::isfinite(ratio))
        return QStringLiteral("inf");
    return QString::fromStdString(formatNumber(ratio, "0.000", sep));
}

} // namespace

StudyTableModel::StudyTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void StudyTableModel::setPoints(const StudyGrid& grid, std::vector<StudyPoint> points, bool ranked,
                                char sep, std::vector<std::string> loadCaseNames) {
    beginResetModel();
    loadCaseNames_ = std::move(loadCaseNames);
    grid_ = grid;
    points_ = std::move(points);
    sep_ = sep;
    columns_.clear();
    if (ranked)
        columns_.push_back({Kind::Rank});
    for (size_t k = 0; k < grid_.axes.size(); ++k)
        columns_.push_back({Kind::Input, static_cast<int>(k)});
    columns_.push_back({Kind::Status});
    columns_.push_back({Kind::LoadCase});
    columns_.push_back({Kind::Governing});
    columns_.push_back({Kind::Ratio});
    columns_.push_back({Kind::Mass});
    bool stopped = false;
    for (int c = 0; c < kStudyCheckCount; ++c) {
        bool applies = false;
        for (const StudyPoint& p : points_)
            applies = applies || p.checks[static_cast<size_t>(c)].present;
        if (applies)
            columns_.push_back({Kind::Check, c});
    }
    for (const StudyPoint& p : points_)
        stopped = stopped || !p.completed;
    if (stopped)
        columns_.push_back({Kind::Message});
    endResetModel();
}

int StudyTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(points_.size());
}

int StudyTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant StudyTableModel::display(const StudyPoint& p, const Column& c, int row) const {
    switch (c.kind) {
    case Kind::Rank:
        return row + 1;
    case Kind::Input:
        return studyValueText(p.inputs[static_cast<size_t>(c.index)], sep_);
    case Kind::Status:
        return QString::fromLatin1(verdictStatusText(p.status));
    case Kind::LoadCase:
        return p.loadCase >= 0 && static_cast<size_t>(p.loadCase) < loadCaseNames_.size()
                   ? QString::fromStdString(loadCaseNames_[static_cast<size_t>(p.loadCase)])
                   : QString();
    case Kind::Governing:
        return p.governing ? QString::fromLatin1(studyCheckName(*p.governing)) : QString();
    case Kind::Ratio:
        return p.governing ? ratioText(p.governingRatio(), sep_) : QString();
    case Kind::Mass:
        return p.completed ? QString::fromStdString(formatNumber(p.mass, "0.0", sep_)) : QString();
    case Kind::Check: {
        const StudyCheckValue& v = p.checks[static_cast<size_t>(c.index)];
        return v.present ? ratioText(v.ratio(), sep_) : QString();
    }
    case Kind::Message:
        return QString::fromStdString(p.message);
    }
    return {};
}

QVariant StudyTableModel::sortValue(const StudyPoint& p, const Column& c, int row) const {
    switch (c.kind) {
    case Kind::Rank:
        return row;
    case Kind::Input:
        return static_cast<double>(p.inputs[static_cast<size_t>(c.index)]);
    case Kind::Status:
        // Passing points first in a descending sort, the unjudged ones last.
        return static_cast<int>(p.status);
    case Kind::LoadCase:
    case Kind::Governing:
    case Kind::Message:
        return display(p, c, row);
    case Kind::Ratio:
        return p.governing ? QVariant(p.governingRatio()) : QVariant();
    case Kind::Mass:
        return p.completed ? QVariant(p.mass) : QVariant();
    case Kind::Check: {
        const StudyCheckValue& v = p.checks[static_cast<size_t>(c.index)];
        return v.present ? QVariant(v.ratio()) : QVariant();
    }
    }
    return {};
}

bool StudyTableModel::red(const StudyPoint& p, const Column& c) const {
    switch (c.kind) {
    case Kind::Status:
        return p.status != VerdictStatus::Passes;
    case Kind::Ratio:
        return p.governing && p.check(*p.governing).exceeds();
    case Kind::Check:
        return p.checks[static_cast<size_t>(c.index)].exceeds();
    default:
        return false;
    }
}

QVariant StudyTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const StudyPoint& p = points_[static_cast<size_t>(index.row())];
    const Column& c = columns_[static_cast<size_t>(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return display(p, c, index.row());
    case kSortRole:
        return sortValue(p, c, index.row());
    case Qt::ForegroundRole:
        return red(p, c) ? QVariant(QBrush(kRed)) : QVariant();
    case Qt::TextAlignmentRole:
        return c.kind == Kind::Governing || c.kind == Kind::Message || c.kind == Kind::Status ||
                       c.kind == Kind::LoadCase
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ToolTipRole:
        if (c.kind == Kind::Check) {
            const StudyCheckValue& v = p.checks[static_cast<size_t>(c.index)];
            if (v.present)
                return QStringLiteral("UF = %1, permitted %2")
                    .arg(QString::fromStdString(formatNumber(v.uf, "0.0000", sep_)),
                         QString::fromStdString(formatNumber(v.permitted, "0.000", sep_)));
        }
        return {};
    default:
        return {};
    }
}

QVariant StudyTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const Column& c = columns_[static_cast<size_t>(section)];
    if (role == Qt::ToolTipRole) {
        switch (c.kind) {
        case Kind::Ratio:
            return QStringLiteral("The governing check's usage factor / its permitted value");
        case Kind::Check:
            return studyCheckTitle(static_cast<StudyCheck>(c.index)) +
                   QStringLiteral(": usage factor / permitted value");
        case Kind::Status:
            return QStringLiteral("The verdict of the point's case, as the main window shows it");
        case Kind::LoadCase:
            return QStringLiteral("The governing load case: the worst of the case's load cases");
        case Kind::Mass:
            return QStringLiteral("Steel mass per metre of cylinder");
        default:
            return {};
        }
    }
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (c.kind) {
    case Kind::Rank:
        return QStringLiteral("#");
    case Kind::Input:
        return studyInputHeading(grid_.axes[static_cast<size_t>(c.index)].range.name);
    case Kind::Status:
        return QStringLiteral("Status");
    case Kind::LoadCase:
        return QStringLiteral("Load case");
    case Kind::Governing:
        return QStringLiteral("governing");
    case Kind::Ratio:
        return QStringLiteral("UF/perm.");
    case Kind::Mass:
        return QStringLiteral("mass (kg/m)");
    case Kind::Check:
        return QString::fromLatin1(studyCheckName(static_cast<StudyCheck>(c.index))) +
               QStringLiteral(" UF/perm.");
    case Kind::Message:
        return QStringLiteral("message");
    }
    return {};
}

} // namespace velmora
