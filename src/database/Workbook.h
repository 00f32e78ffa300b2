// The spreadsheet export of the database summary and of other tables: an .xlsx workbook.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace velmora {

struct SummaryTable;

// Writes the summary to `path` as a workbook: the headings in row 1, one table line per
// following row (its text in column A, its cells in the next columns). A cell that shows a
// number is a number cell whose number format shows the same decimals (numberCell); the
// Ident column A is centred and always text; a usage factor above its permitted value has a
// red font; the heading row and column A are frozen; every column is as wide as its content.
// The workbook is written to a temporary file beside `path` and renamed over it when complete.
// Returns "" or the message.
std::string writeSummaryWorkbook(const SummaryTable& table, const std::string& path);

// Width of column `col` (0-based) that fits its heading and the cells of the case rows, in
// characters (a comment row's text runs on over the empty cells beside it).
double fittedColumnWidth(const SummaryTable& table, int col);

// A number shown as text ("0.85", "-12,5", "2.10E+5" with `sep` as its decimal separator) as
// its value and the spreadsheet number format that shows the same digits ("0.00", "0.0",
// "0.00E+0"); nothing for a text that is not just a number ("N/A", "L 200x90x9x12").
struct NumberCell {
    double value = 0;
    std::string format;
};
std::optional<NumberCell> numberCell(const std::string& text, char sep);

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
