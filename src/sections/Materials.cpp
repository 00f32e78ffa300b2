// The material table "DNVmat.dat" and the yield-strength look-ups of plate, stiffener and ring
// frame.
#include "sections/Materials.h"

#include "base/CodePage.h"
#include "base/FileIo.h"
#include "base/NumberText.h"
#include "base/Text.h"

#include <cmath>
#include <string_view>

namespace velmora {

namespace {

constexpr int kNumberCount = 13; // fy1, t1, ..., fy6, t6, fy7

// Reads one line of the table into `row`; on failure returns the reason (without file and line).
std::string parseRow(std::string_view line, MaterialRow& row) {
    std::string_view rest = trim(line);
    std::string_view name;
    if (!rest.empty() && rest.front() == '"') {
        const size_t close = rest.find('"', 1);
        if (close == std::string_view::npos)
            return "the material name has no closing quote";
        name = rest.substr(1, close - 1);
        rest = trim(rest.substr(close + 1));
        if (rest.empty())
            return "the row has a name but no yield strengths and thickness limits";
        if (rest.front() != ',')
            return "a comma must follow the quoted material name";
        rest.remove_prefix(1);
    } else {
        const size_t comma = rest.find(',');
        if (comma == std::string_view::npos)
            return "the row has a name but no yield strengths and thickness limits";
        name = trim(rest.substr(0, comma));
        rest.remove_prefix(comma + 1);
    }
    if (trim(name).empty())
        return "the material name is empty";
    row.name = cp1252ToUtf8(name);

    int count = 0;
    while (true) {
        const size_t comma = rest.find(',');
        const std::string_view field = trim(rest.substr(0, comma));
        if (count == kNumberCount)
            return "the row has more than 13 numbers after the name";
        float value = 0;
        if (!readInvariant(field, value) || !std::isfinite(value))
            return "\"" + cp1252ToUtf8(field) + "\" is not a number";
        row.v[static_cast<size_t>(count)] = value;
        ++count;
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    if (count != kNumberCount)
        return "the row has " + std::to_string(count) + " numbers after the name, 13 are needed";

    // Even positions are yield strengths, odd positions the upper thickness limits of the bands.
    for (int k = 0; k < kNumberCount; k += 2) {
        if (!(row.v[static_cast<size_t>(k)] > 0))
            return "yield strength fy" + std::to_string(k / 2 + 1) + " must be above 0";
    }
    if (!(row.v[1] > 0))
        return "thickness limit t1 must be above 0";
    for (int k = 3; k < kNumberCount; k += 2) {
        if (!(row.v[static_cast<size_t>(k)] > row.v[static_cast<size_t>(k - 2)]))
            return "thickness limit t" + std::to_string(k / 2 + 1) + " must be above t" +
                   std::to_string(k / 2);
    }
    return {};
}

} // namespace

std::optional<MaterialTable> parseMaterials(const std::string& text, const std::string& fileName,
                                            std::string& error) {
    const std::vector<std::string> lines = splitLines(text);
    // Blank lines after the last row are tolerated; a blank line between rows is not, since
    // the row number is the material index that case files store.
    size_t used = lines.size();
    while (used > 0 && isBlankText(lines[used - 1]))
        --used;

    MaterialTable table;
    for (size_t i = 0; i < used; ++i) {
        const std::string where = fileName + ", line " + std::to_string(i + 1) + ": ";
        if (isBlankText(lines[i])) {
            error = where + "empty line between the material rows";
            return std::nullopt;
        }
        if (table.rows.size() == static_cast<size_t>(MaterialTable::maxRows)) {
            error = where + "the table holds at most " + std::to_string(MaterialTable::maxRows) +
                    " materials";
            return std::nullopt;
        }
        MaterialRow row;
        const std::string reason = parseRow(lines[i], row);
        if (!reason.empty()) {
            error = where + reason;
            return std::nullopt;
        }
        table.rows.push_back(std::move(row));
    }
    if (table.rows.empty()) {
        error = fileName + ": the file holds no materials";
        return std::nullopt;
    }
    error.clear();
    return table;
}

float lookupYield(const MaterialTable& table, int row, float T, float current) {
    // The last row is the user-defined material: its yield strength is typed, not looked up.
    if (row < 0 || row >= table.materialCount())
        return current;
    const std::array<float, 13>& v = table.rows[static_cast<size_t>(row)].v;
    // A thickness equal to a band limit belongs to the lower band.
    for (size_t k = 1; k < v.size(); k += 2) {
        if (T <= v[k])
            return v[k - 1];
    }
    return v[12];
}

} // namespace velmora
