// The charts of the study window, drawn with Qt Charts: the sweep of one input (each applying
// check's usage factor over its permitted value against the input, the line at 1.0, the passing
// bands shaded, the thresholds marked) and the pass/fail map of two inputs (each grid point
// coloured by its governing ratio, the boundary between passing and failing points drawn, the
// lightest passing point marked).
#pragma once

#include "study/Study.h"

#include <QColor>
#include <QString>

#include <cstdint>
#include <vector>

class QAbstractSeries;
class QChart;

namespace velmora {

// The object name of the series that draws `check`: "check:" and the check's name.
QString checkSeriesName(StudyCheck check);

// The lightest passing point of `points` (least mass, then least governing ratio, then lowest
// grid index, as the lightest designs are ordered); -1 when no point passes.
int64_t lightestPassing(const std::vector<StudyPoint>& points);

// The colour of a grid point of the map by its governing ratio: greens up to 1 (darker nearer
// 1), oranges to dark red above; grey for a calculation that stopped.
QColor mapColour(const StudyPoint& p);

// A one-input sweep of `grid` (the points by grid index, its thresholds). `sep` is the decimal
// separator of the axis labels.
QChart* makeSweepChart(const StudyGrid& grid, const SweepResult& result, const QString& title,
                       char sep);

// The map of a two-input grid; `lightest` is the index in `points` of the point to mark, or -1.
QChart* makeMapChart(const StudyGrid& grid, const std::vector<StudyPoint>& points, int64_t lightest,
                     const QString& title, char sep);

// A chart without series that shows `text` as its title: the chart area before a sweep.
QChart* makeNoteChart(const QString& text);

} // namespace velmora
