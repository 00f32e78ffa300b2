// The points of a design study as a table for the study window: the varied inputs, the status
// of the verdict ("PASSES", "FAILS", "INPUT OUT OF LIMITS", "NOT CALCULATED"), the governing
// load case,
// the governing check and its ratio, the steel mass, and for each check that applies at any
// point its usage factor divided by its permitted value. A ratio above 1 and a failing verdict
// are red. The sort role gives numbers, so that a sort by a column orders the values.
#pragma once

#include "study/Study.h"

#include <QAbstractTableModel>

#include <vector>

namespace velmora {

class StudyTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // What a cell sorts by: a number, a text, or nothing (absent values sort last).
    static constexpr int kSortRole = Qt::UserRole + 1;

    explicit StudyTableModel(QObject* parent = nullptr);

    // Shows `points` of a study over `grid`; `ranked` adds a first column with the place of
    // each point (the lightest designs). `sep` is the decimal separator of the numbers.
    // `loadCaseNames` are those of the study's case, which the "Load case" column takes the
    // governing load case's name from.
    void setPoints(const StudyGrid& grid, std::vector<StudyPoint> points, bool ranked, char sep,
                   std::vector<std::string> loadCaseNames = {});

    const StudyGrid& grid() const { return grid_; }
    const std::vector<StudyPoint>& points() const { return points_; }
    const std::vector<std::string>& loadCaseNames() const { return loadCaseNames_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    enum class Kind { Rank, Input, Status, LoadCase, Governing, Ratio, Mass, Check, Message };
    struct Column {
        Kind kind;
        int index = 0; // the axis of an input, the check of a check column
    };

    QVariant display(const StudyPoint& p, const Column& c, int row) const;
    QVariant sortValue(const StudyPoint& p, const Column& c, int row) const;
    bool red(const StudyPoint& p, const Column& c) const;

    StudyGrid grid_;
    std::vector<StudyPoint> points_;
    std::vector<Column> columns_;
    std::vector<std::string> loadCaseNames_;
    char sep_ = '.';
};

} // namespace velmora
