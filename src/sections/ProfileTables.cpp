// Tables of standard rolled sections read from "lprof.dat", "tprof.dat", "fprof.dat" and
// "bfprof.dat": values separated by commas or line ends, a fixed number of values per row.
#include "sections/ProfileTables.h"

#include "base/CodePage.h"
#include "base/NumberText.h"
#include "base/Text.h"

#include <array>
#include <cmath>
#include <string_view>

namespace velmora {

namespace {

int valuesPerRow(TableKind kind) {
    switch (kind) {
    case TableKind::L:
    case TableKind::T:
        return 4;
    case TableKind::Flat:
        return 2;
    case TableKind::Bulb:
        return 5;
    }
    return 4;
}

const char* valueName(TableKind kind, int k) {
    static constexpr std::array<const char*, 4> lt{"H", "B", "tw", "tf"};
    static constexpr std::array<const char*, 2> flat{"H", "tw"};
    static constexpr std::array<const char*, 5> bulb{"H", "tw", "c", "r", "A"};
    switch (kind) {
    case TableKind::L:
    case TableKind::T:
        return lt[static_cast<size_t>(k)];
    case TableKind::Flat:
        return flat[static_cast<size_t>(k)];
    case TableKind::Bulb:
        return bulb[static_cast<size_t>(k)];
    }
    return "";
}

void store(TableKind kind, ProfileRow& row, int k, float value) {
    switch (kind) {
    case TableKind::L:
    case TableKind::T: {
        float* dims[] = {&row.H, &row.B, &row.tw, &row.tf};
        *dims[k] = value;
        break;
    }
    case TableKind::Flat: {
        float* dims[] = {&row.H, &row.tw};
        *dims[k] = value;
        break;
    }
    case TableKind::Bulb: {
        float* dims[] = {&row.H, &row.tw, &row.c, &row.r, &row.A};
        *dims[k] = value;
        break;
    }
    }
}

// The section routines replace a bulb by an equivalent angle flange of width c + tw - 0.45 r and
// thickness (A - H tw) / (c - 0.45 r); a row for which that flange has no width or no area would
// fail every calculation that uses it, so it is refused here with its row number.
std::string bulbFault(TableKind kind, const ProfileRow& row) {
    if (kind != TableKind::Bulb)
        return {};
    if (!(static_cast<double>(row.c) - 0.45 * static_cast<double>(row.r) > 0))
        return "the bulb width c must exceed 0.45 r";
    if (!(static_cast<double>(row.A) > static_cast<double>(row.H) * static_cast<double>(row.tw)))
        return "the area A must exceed H tw";
    return {};
}

std::string lineText(const std::string& fileName, size_t line) {
    return fileName + ", line " + std::to_string(line) + ": ";
}

} // namespace

const char* tableFileName(TableKind kind) {
    switch (kind) {
    case TableKind::L:
        return "lprof.dat";
    case TableKind::T:
        return "tprof.dat";
    case TableKind::Flat:
        return "fprof.dat";
    case TableKind::Bulb:
        return "bfprof.dat";
    }
    return "";
}

int tableMaxRows(TableKind kind) {
    return kind == TableKind::Bulb ? 61 : 41;
}

const ProfileTable& ProfileTables::of(TableKind k) const {
    switch (k) {
    case TableKind::L:
        return L;
    case TableKind::T:
        return T;
    case TableKind::Flat:
        return flat;
    case TableKind::Bulb:
        return bulb;
    }
    return L;
}

std::string ProfileTable::rowText(int i, char decimalSep) const {
    if (i < 0 || i > lastRow())
        return {};
    const ProfileRow& p = rows[static_cast<size_t>(i)];
    auto g = [decimalSep](float v) { return formatGeneral(v, decimalSep); };
    switch (kind) {
    case TableKind::L:
        return "L" + g(p.H) + "x" + g(p.B) + "x" + g(p.tw) + "x" + g(p.tf);
    case TableKind::T:
        return "T" + g(p.H) + "x" + g(p.B) + "x" + g(p.tw) + "x" + g(p.tf);
    case TableKind::Flat:
        return "Fb" + g(p.H) + "x" + g(p.tw);
    case TableKind::Bulb:
        return "BF " + g(p.H) + "x" + g(p.tw);
    }
    return {};
}

std::optional<ProfileTable> parseProfileTable(TableKind kind, const std::string& text,
                                              const std::string& fileName, std::string& error) {
    const std::vector<std::string> lines = splitLines(text);
    // Blank lines after the last value are tolerated; everything before them is read.
    size_t used = lines.size();
    while (used > 0 && trim(lines[used - 1]).empty())
        --used;

    const int perRow = valuesPerRow(kind);
    const size_t maxRows = static_cast<size_t>(tableMaxRows(kind));
    ProfileTable table;
    table.kind = kind;
    ProfileRow row;
    int k = 0; // values of the current row read so far
    for (size_t i = 0; i < used; ++i) {
        const std::string_view line = lines[i];
        if (trim(line).empty()) {
            error = lineText(fileName, i + 1) + "empty line within the table";
            return std::nullopt;
        }
        size_t start = 0;
        while (true) {
            const size_t comma = line.find(',', start);
            const std::string_view field = trim(
                line.substr(start, comma == std::string_view::npos ? line.npos : comma - start));
            if (k == 0 && table.rows.size() == maxRows) {
                error = lineText(fileName, i + 1) + "the table holds at most " +
                        std::to_string(maxRows) + " rows";
                return std::nullopt;
            }
            float value = 0;
            if (field.empty()) {
                error = lineText(fileName, i + 1) + "empty value";
                return std::nullopt;
            }
            if (!readInvariant(field, value) || !std::isfinite(value)) {
                error =
                    lineText(fileName, i + 1) + "\"" + cp1252ToUtf8(field) + "\" is not a number";
                return std::nullopt;
            }
            if (!(value > 0)) {
                error = lineText(fileName, i + 1) + valueName(kind, k) + " of row " +
                        std::to_string(table.rows.size()) + " must be above 0";
                return std::nullopt;
            }
            store(kind, row, k, value);
            if (++k == perRow) {
                const std::string bad = bulbFault(kind, row);
                if (!bad.empty()) {
                    error = lineText(fileName, i + 1) + "row " + std::to_string(table.rows.size()) +
                            ": " + bad;
                    return std::nullopt;
                }
                table.rows.push_back(row);
                row = ProfileRow{};
                k = 0;
            }
            if (comma == std::string_view::npos)
                break;
            start = comma + 1;
        }
    }
    if (k != 0) {
        error = lineText(fileName, used) + "the file ends in the middle of row " +
                std::to_string(table.rows.size()) + " (" + std::to_string(k) + " of " +
                std::to_string(perRow) + " values)";
        return std::nullopt;
    }
    if (table.rows.empty()) {
        error = fileName + ": the table holds no rows";
        return std::nullopt;
    }
    error.clear();
    return table;
}

} // namespace velmora
