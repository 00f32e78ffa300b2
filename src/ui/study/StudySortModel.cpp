#include "ui/study/StudySortModel.h"

#include "ui/study/StudyTableModel.h"

namespace velmora {

StudySortModel::StudySortModel(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(StudyTableModel::kSortRole);
}

bool StudySortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const QVariant a = left.data(sortRole());
    const QVariant b = right.data(sortRole());
    // Absent values go after all others whichever way the column is sorted.
    if (!a.isValid() || !b.isValid()) {
        if (a.isValid() == b.isValid())
            return false;
        return sortOrder() == Qt::AscendingOrder ? a.isValid() : !a.isValid();
    }
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return a.toString() < b.toString();
    return a.toDouble() < b.toDouble();
}

} // namespace velmora
