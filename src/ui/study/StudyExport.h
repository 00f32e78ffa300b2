// The files the study window exports: the points as a workbook with the columns of the study's
// comma table, and the chart as a PNG picture, an SVG drawing or a PDF page, each written through
// a temporary file so that a failed write keeps the old file.
#pragma once

#include "database/Workbook.h"
#include "study/Study.h"

#include <QString>

#include <string>
#include <vector>

class QGraphicsView;

namespace velmora {

// The points with the columns of studyCsvText, numbers as numbers.
WorkbookTable studyWorkbookTable(const StudyGrid& grid, const std::vector<StudyPoint>& points,
                                 const std::vector<std::string>& loadCaseNames = {});

// What `view` shows, to `path` as `suffix` ("png": twice the view's pixels; "svg": a drawing of
// the view's size; "pdf": one landscape A4 page), `title` the document's title. Returns "" or
// the message.
std::string writeChartFile(QGraphicsView& view, const QString& title, const QString& path,
                           const QString& suffix);

} // namespace velmora
