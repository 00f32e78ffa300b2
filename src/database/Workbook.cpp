// The summary and other tables as .xlsx workbooks, written with libxlsxwriter.
//
// The library is opened when the first workbook is written, not when the program starts: with
// the compression and cryptography libraries it pulls in, loading it costs a command-line batch
// about as much time as reading its database, and only the summary needs it.

#include "database/Workbook.h"

#include "base/NumberText.h"
#include "database/Summary.h"

#include <xlsxwriter.h>

#include <dlfcn.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <system_error>

namespace velmora {

namespace {

// The functions of libxlsxwriter used here, looked up in the library's run-time name.
struct XlsxApi {
    decltype(&workbook_new) workbookNew = nullptr;
    decltype(&workbook_add_worksheet) addWorksheet = nullptr;
    decltype(&workbook_add_format) addFormat = nullptr;
    decltype(&workbook_close) close = nullptr;
    decltype(&format_set_align) setAlign = nullptr;
    decltype(&format_set_num_format) setNumFormat = nullptr;
    decltype(&format_set_font_color) setFontColor = nullptr;
    decltype(&worksheet_freeze_panes) freezePanes = nullptr;
    decltype(&worksheet_write_string) writeString = nullptr;
    decltype(&worksheet_write_number) writeNumber = nullptr;
    decltype(&worksheet_set_column) setColumn = nullptr;
};

constexpr const char* kXlsxLibrary = "libxlsxwriter.so." LXW_SOVERSION;

template <class F> bool lookUp(void* lib, const char* name, F& out) {
    out = reinterpret_cast<F>(dlsym(lib, name));
    return out != nullptr;
}

std::optional<XlsxApi> loadXlsxApi() {
    // The library stays loaded for the life of the process.
    void* lib = dlopen(kXlsxLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!lib)
        return std::nullopt;
    XlsxApi api;
    if (lookUp(lib, "workbook_new", api.workbookNew) &&
        lookUp(lib, "workbook_add_worksheet", api.addWorksheet) &&
        lookUp(lib, "workbook_add_format", api.addFormat) &&
        lookUp(lib, "workbook_close", api.close) && lookUp(lib, "format_set_align", api.setAlign) &&
        lookUp(lib, "format_set_num_format", api.setNumFormat) &&
        lookUp(lib, "format_set_font_color", api.setFontColor) &&
        lookUp(lib, "worksheet_freeze_panes", api.freezePanes) &&
        lookUp(lib, "worksheet_write_string", api.writeString) &&
        lookUp(lib, "worksheet_write_number", api.writeNumber) &&
        lookUp(lib, "worksheet_set_column", api.setColumn))
        return api;
    return std::nullopt;
}

// The library's functions, or null when it cannot be loaded. Looked up once; what was found
// never changes afterwards, and the first use from several threads is safe.
const XlsxApi* xlsxApi() {
    static const std::optional<XlsxApi> api = loadXlsxApi();
    return api ? &*api : nullptr;
}

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

// Fresh name beside `path` for the file being written.
std::string temporaryBeside(const std::string& path) {
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = path + ".tmp-";
        for (int k = 0; k < 8; ++k)
            name.push_back(kDigits[rd() % 36]);
        std::error_code ec;
        if (!std::filesystem::exists(name, ec) && !ec)
            return name;
    }
    return "";
}

// Writes a workbook of one worksheet, filled by `fill`, to a temporary file beside `path` and
// renames it over `path` when complete; a failed step removes the temporary file and leaves
// `path` as it was. Returns "" or the message.
std::string
writeWorkbook(const std::string& path,
              const std::function<bool(const XlsxApi&, lxw_workbook*, lxw_worksheet*)>& fill) {
    const std::string failed = "can't save file - " + path;
    const XlsxApi* x = xlsxApi();
    if (!x)
        return failed + " (the spreadsheet library " + kXlsxLibrary + " cannot be loaded)";
    const std::string tmp = temporaryBeside(path);
    if (tmp.empty())
        return failed;
    lxw_workbook* wb = x->workbookNew(tmp.c_str());
    if (!wb)
        return failed;
    lxw_worksheet* ws = x->addWorksheet(wb, nullptr);
    const bool ok = ws != nullptr && fill(*x, wb, ws);
    const lxw_error closed = x->close(wb);
    std::error_code ec;
    if (!ok || closed != LXW_NO_ERROR) {
        std::filesystem::remove(tmp, ec);
        return failed;
    }
    std::filesystem::rename(tmp, path, ec);
    if (ec) {
        std::filesystem::remove(tmp, ec);
        return failed;
    }
    return "";
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
    return writeWorkbook(path, [&table](const XlsxApi& x, lxw_workbook* wb, lxw_worksheet* ws) {
        lxw_format* centred = x.addFormat(wb);
        x.setAlign(centred, LXW_ALIGN_CENTER);
        // One format per number format and colour, made when first needed.
        std::map<std::pair<std::string, bool>, lxw_format*> formats;
        auto numberFormat = [&](const std::string& code, bool red) {
            lxw_format*& f = formats[{code, red}];
            if (!f) {
                f = x.addFormat(wb);
                x.setNumFormat(f, code.c_str());
                if (red)
                    x.setFontColor(f, kFailingColour);
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
                    ok = x.writeNumber(ws, r, c, number->value,
                                       numberFormat(number->format, red)) == LXW_NO_ERROR;
                    return;
                }
            lxw_format* fmt = col == 0 ? centred : nullptr;
            if (red && col > 0) {
                if (!redText) {
                    redText = x.addFormat(wb);
                    x.setFontColor(redText, kFailingColour);
                }
                fmt = redText;
            }
            ok = x.writeString(ws, r, c, text.c_str(), fmt) == LXW_NO_ERROR;
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
            ok = x.setColumn(ws, 0, 0, fittedColumnWidth(table, 0), centred) == LXW_NO_ERROR;
        for (size_t c = 1; ok && c < table.headings.size(); ++c)
            ok =
                x.setColumn(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                            fittedColumnWidth(table, static_cast<int>(c)), nullptr) == LXW_NO_ERROR;
        // The headings and the Ident column stay in view while the rest scrolls.
        if (ok)
            x.freezePanes(ws, 1, 1);
        return ok;
    });
}

std::string writeTableWorkbook(const WorkbookTable& table, const std::string& path) {
    return writeWorkbook(path, [&table](const XlsxApi& x, lxw_workbook*, lxw_worksheet* ws) {
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
                ok = x.writeString(ws, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(col),
                                   text.c_str(), nullptr) == LXW_NO_ERROR;
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
                    ok = x.writeNumber(ws, static_cast<lxw_row_t>(r + 1), static_cast<lxw_col_t>(c),
                                       v, nullptr) == LXW_NO_ERROR;
            }
        }
        for (size_t c = 0; ok && c < widths.size(); ++c)
            ok = x.setColumn(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                             static_cast<double>(widths[c]) + 1.0, nullptr) == LXW_NO_ERROR;
        return ok;
    });
}

} // namespace velmora
