// Tables of standard rolled sections: L and T profiles, flat bars and bulb flats.
#pragma once

#include "case/ProfileKinds.h"

#include <optional>
#include <string>
#include <vector>

namespace velmora {

// One row. L and T use H, B, tw, tf; flat bars H, tw; bulb flats H, tw, c, r and the area A.
struct ProfileRow {
    float H = 0;
    float B = 0;
    float tw = 0;
    float tf = 0;
    float c = 0;
    float r = 0;
    float A = 0;
};

struct ProfileTable {
    TableKind kind = TableKind::L;
    std::vector<ProfileRow> rows;

    int lastRow() const { return static_cast<int>(rows.size()) - 1; }
    // Text of row i as the picker lists show it ("L100x65x7x7", "Fb100x10", "BF 120x6").
    std::string rowText(int i, char decimalSep = '.') const;
};

struct ProfileTables {
    ProfileTable L{TableKind::L, {}};
    ProfileTable T{TableKind::T, {}};
    ProfileTable flat{TableKind::Flat, {}};
    ProfileTable bulb{TableKind::Bulb, {}};

    const ProfileTable& of(TableKind k) const;
};

const char* tableFileName(TableKind kind); // "lprof.dat", "tprof.dat", "fprof.dat", "bfprof.dat"
int tableMaxRows(TableKind kind);          // 41, or 61 for bulb flats

// Parses one table file's text; on failure returns nothing and sets `error` to a message naming
// the file (and the line where it applies).
std::optional<ProfileTable> parseProfileTable(TableKind kind, const std::string& text,
                                              const std::string& fileName, std::string& error);

} // namespace velmora
