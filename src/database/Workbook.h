// The spreadsheet export of the database summary and of other tables: an .xlsx workbook.
#pragma once

#include <string>
#include <variant>
#include <vector>

namespace velmora {

struct SummaryTable;

// Writes the summary to `path` as a workbook: the headings in row 1, one table line per
// following row (its text in column A, its cells in the next columns), column A centred and
// columns A to H as wide as their content. The workbook is written to a temporary file beside
// `path` and renamed over it when complete. Returns "" or the message.
std::string writeSummaryWorkbook(const SummaryTable& table, const std::string& path);

// Width of column `col` (0-based) that fits its heading and cells, in characters.
double fittedColumnWidth(const SummaryTable& table, int col);

// A table of text and number cells: the headings, then one row of cells per line.
struct WorkbookTable {
    using Cell = std::variant<std::string, double>;
    std::vector<std::string> headings;
    std::vector<std::vector<Cell>> rows;
};

// Writes `table` to `path` as a workbook: the headings in row 1, each row's cells below them, a
// number as a number cell (a non-finite one and an empty text as an empty cell), every column as
// wide as its content. Through a temporary file as writeSummaryWorkbook. Returns "" or the
// message.
std::string writeTableWorkbook(const WorkbookTable& table, const std::string& path);

} // namespace velmora
