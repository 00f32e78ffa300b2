// The material table: steel grades with yield strengths in thickness bands, and the look-ups of
// the plate, stiffener and ring-frame yield strengths.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// One grade: fy1, t1, fy2, t2, ..., fy6, t6, fy7 (MPa and upper band limits in mm).
struct MaterialRow {
    std::string name;
    std::array<float, 13> v{};
};

struct MaterialTable {
    static constexpr int maxRows = 21;
    std::vector<MaterialRow> rows;
    // Index of the last row, the user-defined material; -1 for an empty table.
    int materialCount() const { return static_cast<int>(rows.size()) - 1; }
};

// Reads "DNVmat.dat" text (name, 13 numbers per line). On success returns the table; on failure
// returns nothing and sets `error` to a message naming the file and the line.
std::optional<MaterialTable> parseMaterials(const std::string& text, const std::string& fileName,
                                            std::string& error);

// Yield strength of row `row` for governing thickness T; `current` when the row is the
// user-defined one or outside the table.
float lookupYield(const MaterialTable& table, int row, float T, float current);

} // namespace velmora
