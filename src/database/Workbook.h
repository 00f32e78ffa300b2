// The spreadsheet export of the database summary: an .xlsx workbook.
#pragma once

#include <string>

namespace velmora {

struct SummaryTable;

// Writes the summary to `path` as a workbook: the headings in row 1, one table line per
// following row (its text in column A, its cells in the next columns), column A centred and
// columns A to H as wide as their content. The workbook is written to a temporary file beside
// `path` and renamed over it when complete. Returns "" or the message.
std::string writeSummaryWorkbook(const SummaryTable& table, const std::string& path);

// Width of column `col` (0-based) that fits its heading and cells, in characters.
double fittedColumnWidth(const SummaryTable& table, int col);

} // namespace velmora
