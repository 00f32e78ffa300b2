// The summary and other tables as .xlsx workbooks, written with libxlsxwriter.

#include "database/Workbook.h"

#include "base/FileIo.h"
#include "base/NumberText.h"
#include "database/Summary.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <system_error>

namespace velmora {

namespace {

// The font colour of a usage factor above its permitted value.
constexpr lxw_color_t kFailingColour = 0xC00000;

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

std::optional<NumberCell> numberCell(const std::string& text, char sep) {
    // sign, digits, the separator and digits, an exponent: the shapes the display patterns give
    size_t i = 0;
    const size_t n = text.size();
    auto digits = [&] {
        const size_t from = i;
        while (i < n && text[i] >= '0' && text[i] <= '9')
            ++i;
        return i - from;
    };
    if (i < n && text[i] == '-')
        ++i;
    if (digits() == 0)
        return std::nullopt;
    size_t decimals = 0;
    if (i < n && text[i] == sep) {
        ++i;
        decimals = digits();
        if (decimals == 0)
            return std::nullopt;
    }
    size_t exponentDigits = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            ++i;
        exponentDigits = digits();
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    std::string plain = text;
    std::replace(plain.begin(), plain.end(), sep, '.');
    NumberCell cell;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), cell.value);
    if (ec != std::errc() || end != plain.data() + plain.size() || !std::isfinite(cell.value))
        return std::nullopt;
    // The number format shows what the text showed: as many decimals, the exponent if any.
    cell.format = "0";
    if (decimals > 0)
        cell.format += "." + std::string(decimals, '0');
    if (exponentDigits > 0)
        cell.format += "E+" + std::string(exponentDigits, '0');
    return cell;
}

double fittedColumnWidth(const SummaryTable& table, int col) {
    size_t widest = 0;
    const size_t c = static_cast<size_t>(col);
    if (c < table.headings.size())
        widest = characters(table.headings[c]);
    for (const auto& line : table.lines) {
        // A comment row's text runs on over the empty cells beside it; it sets no width.
        if (line.size() == 1 && table.headings.size() > 1)
            continue;
        if (c < line.size() && characters(line[c]) > widest)
            widest = characters(line[c]);
    }
    // One character of margin, as a fitted column shows its widest text with room beside it.
    return static_cast<double>(widest) + 1.0;
}

std::string writeSummaryWorkbook(const SummaryTable& table, const std::string& path) {
    return writeWorkbook(path, [&table](lxw_workbook* wb, lxw_worksheet* ws) {
        lxw_format* centred = workbook_add_format(wb);
        format_set_align(centred, LXW_ALIGN_CENTER);
        // One format per number format and colour, made when first needed.
        std::map<std::pair<std::string, bool>, lxw_format*> formats;
        auto numberFormat = [&](const std::string& code, bool red) {
            lxw_format*& f = formats[{code, red}];
            if (!f) {
                f = workbook_add_format(wb);
                format_set_num_format(f, code.c_str());
                if (red)
                    format_set_font_color(f, kFailingColour);
            }
            return f;
        };
        lxw_format* redText = nullptr;
        bool ok = true;
        auto put = [&](size_t row, size_t col, const std::string& text, bool red) {
            if (!ok || text.empty())
                return;
            const auto r = static_cast<lxw_row_t>(row);
            const auto c = static_cast<lxw_col_t>(col);
            // The Ident column holds names, even one that looks like a number.
            if (row > 0 && col > 0)
                if (const auto number = numberCell(text, table.decimalSep)) {
                    ok = worksheet_write_number(ws, r, c, number->value,
                                                numberFormat(number->format, red)) == LXW_NO_ERROR;
                    return;
                }
            lxw_format* fmt = col == 0 ? centred : nullptr;
            if (red && col > 0) {
                if (!redText) {
                    redText = workbook_add_format(wb);
                    format_set_font_color(redText, kFailingColour);
                }
                fmt = redText;
            }
            ok = worksheet_write_string(ws, r, c, text.c_str(), fmt) == LXW_NO_ERROR;
        };
        for (size_t c = 0; c < table.headings.size(); ++c)
            put(0, c, table.headings[c], false);
        for (size_t r = 0; r < table.lines.size(); ++r) {
            const std::vector<size_t>* above =
                r < table.abovePermitted.size() ? &table.abovePermitted[r] : nullptr;
            for (size_t c = 0; c < table.lines[r].size(); ++c) {
                const bool red =
                    above && std::find(above->begin(), above->end(), c) != above->end();
                put(r + 1, c, table.lines[r][c], red);
            }
        }
        if (ok)
            ok = worksheet_set_column(ws, 0, 0, fittedColumnWidth(table, 0), centred) ==
                 LXW_NO_ERROR;
        for (size_t c = 1; ok && c < table.headings.size(); ++c)
            ok = worksheet_set_column(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                      fittedColumnWidth(table, static_cast<int>(c)),
                                      nullptr) == LXW_NO_ERROR;
        // The headings and the Ident column stay in view while the rest scrolls.
        if (ok)
            worksheet_freeze_panes(ws, 1, 1);
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
