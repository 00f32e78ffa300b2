// The order of the study window's table of points.
#pragma once

#include <QSortFilterProxyModel>

namespace velmora {

// Sorts by StudyTableModel::kSortRole with absent values after all others in either order.
class StudySortModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit StudySortModel(QObject* parent = nullptr);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

} // namespace velmora
