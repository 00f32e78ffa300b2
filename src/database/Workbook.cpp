// The summary and other tables as .xlsx workbooks, written with libxlsxwriter.

#include "database/Workbook.h"

#include "base/FileIo.h"
#include "base/NumberText.h"
#include "database/Summary.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace velmora {

namespace {

// Characters of a UTF-8 text (continuation bytes do not count).
size_t characters(const std::string& s) {
    size_t n = 0;
    for (char c : s)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    return n;
}

// Writes a workbook of one worksheet, filled by `fill`, to `path` through a temporary file, so
// that a failed step leaves `path` as it was. Returns "" or the message.
std::string writeWorkbook(const std::string& path,
                          const std::function<bool(lxw_workbook*, lxw_worksheet*)>& fill) {
    const bool written = writeThroughTemporary(path, [&fill](int, const std::string& tmp) {
        // The library writes the workbook under the temporary's name, into the file made for it.
        lxw_workbook* wb = workbook_new(tmp.c_str());
        if (!wb)
            return false;
        lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
        const bool ok = ws != nullptr && fill(wb, ws);
        return workbook_close(wb) == LXW_NO_ERROR && ok;
    });
    return written ? "" : "can't save file - " + path;
}

} // namespace

double fittedColumnWidth(const SummaryTable& table, int col) {
    size_t widest = 0;
    const size_t c = static_cast<size_t>(col);
    if (c < table.headings.size())
        widest = characters(table.headings[c]);
    for (const auto& line : table.lines)
        if (c < line.size() && characters(line[c]) > widest)
            widest = characters(line[c]);
    // One character of margin, as a fitted column shows its widest text with room beside it.
    return static_cast<double>(widest) + 1.0;
}

std::string writeSummaryWorkbook(const SummaryTable& table, const std::string& path) {
    return writeWorkbook(path, [&table](lxw_workbook* wb, lxw_worksheet* ws) {
        lxw_format* centred = workbook_add_format(wb);
        format_set_align(centred, LXW_ALIGN_CENTER);
        bool ok = true;
        auto put = [&](size_t row, size_t col, const std::string& text) {
            if (!ok || text.empty())
                return;
            lxw_format* fmt = col == 0 ? centred : nullptr;
            ok =
                worksheet_write_string(ws, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(col),
                                       text.c_str(), fmt) == LXW_NO_ERROR;
        };
        for (size_t c = 0; c < table.headings.size(); ++c)
            put(0, c, table.headings[c]);
        for (size_t r = 0; r < table.lines.size(); ++r)
            for (size_t c = 0; c < table.lines[r].size(); ++c)
                put(r + 1, c, table.lines[r][c]);
        if (ok)
            ok = worksheet_set_column(ws, 0, 0, fittedColumnWidth(table, 0), centred) ==
                 LXW_NO_ERROR;
        for (int c = 1; ok && c < 8; ++c)
            ok = worksheet_set_column(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                      fittedColumnWidth(table, c), nullptr) == LXW_NO_ERROR;
        return ok;
    });
}

std::string writeTableWorkbook(const WorkbookTable& table, const std::string& path) {
    return writeWorkbook(path, [&table](lxw_workbook*, lxw_worksheet* ws) {
        bool ok = true;
        std::vector<size_t> widths(table.headings.size(), 0);
        auto widen = [&widths](size_t col, size_t chars) {
            if (col >= widths.size())
                widths.resize(col + 1, 0);
            widths[col] = std::max(widths[col], chars);
        };
        auto putText = [&](size_t row, size_t col, const std::string& text) {
            widen(col, characters(text));
            if (ok && !text.empty())
                ok = worksheet_write_string(ws, static_cast<lxw_row_t>(row),
                                            static_cast<lxw_col_t>(col), text.c_str(),
                                            nullptr) == LXW_NO_ERROR;
        };
        for (size_t c = 0; c < table.headings.size(); ++c)
            putText(0, c, table.headings[c]);
        for (size_t r = 0; r < table.rows.size(); ++r) {
            for (size_t c = 0; c < table.rows[r].size(); ++c) {
                const WorkbookTable::Cell& cell = table.rows[r][c];
                if (const auto* text = std::get_if<std::string>(&cell)) {
                    putText(r + 1, c, *text);
                    continue;
                }
                const double v = std::get<double>(cell);
                if (!std::isfinite(v))
                    continue;
                // A spreadsheet shows up to 11 characters of a number in a general column.
                widen(c, std::min<size_t>(11, formatShortest(v).size()));
                if (ok)
                    ok = worksheet_write_number(ws, static_cast<lxw_row_t>(r + 1),
                                                static_cast<lxw_col_t>(c), v,
                                                nullptr) == LXW_NO_ERROR;
            }
        }
        for (size_t c = 0; ok && c < widths.size(); ++c)
            ok =
                worksheet_set_column(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                     static_cast<double>(widths[c]) + 1.0, nullptr) == LXW_NO_ERROR;
        return ok;
    });
}

} // namespace velmora
