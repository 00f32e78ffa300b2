// The case database: many design cases and comment rows kept together, in memory and in
// semicolon-separated database files ("_in.csv").
#pragma once

#include "case/DesignCase.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct ProfileTable;
struct ProfileTables;

// A stiffener or ring-frame profile as a database row keeps it: the designation text and what
// was read from it. Table kinds are kept under their built-up kind (L 1, T 3, flat bar 5);
// kind 0 means the designation's code was not recognised.
struct ProfileEntry {
    int16_t kind = 0;
    int16_t bulbRow = 0;         // bulb-flat table row, for kind 6
    std::array<float, 4> dims{}; // in the order of the designation text
    std::string designation;     // "L 200x90x9.0x12.0", "BF 200x10.0", ...
};

// One slot of the database: a design case, or a comment or marker row (only listText used).
struct DatabaseRow {
    bool isComment = false;
    std::string listText; // the whole comment; for a case row a copy of identification
    std::string projectName;
    std::string identification;
    DesignFormat designMethod = DesignFormat::LRFD;
    float UF = 0;
    CylinderType cylinderType = CylinderType::Unstiffened;
    int16_t outsideStiffening = 0;
    int16_t ringFrameControl = 0;
    int16_t specialIh = 0;
    float r = 0;
    float l = 0;
    float t = 0;
    float E = 0;
    float fyp = 0;
    float s = 0;
    float ltStiffener = 0;
    ProfileEntry stiff;
    float fys = 0;
    float L = 0;
    float ltRing = 0;
    float fyr = 0;
    ProfileEntry ring;
    int16_t ringFabrication = 0;
    int16_t heavyRingControl = 0;
    float Sigx = 0;
    float Sigy = 0;
    float Tau = 0;
    float pd = 0;
    float N = 0;
    float M1a = 0;
    float M2a = 0;
    float M1b = 0;
    float M2b = 0;
    float k1 = 0;
    float k2 = 0;
    int16_t dimMoment = 0;
};

// A comment or marker row holding `text`.
DatabaseRow commentRow(const std::string& text);

// True for the text of a row the reader takes as a comment or marker: it begins with "%" or
// is exactly "End" or "END".
bool isCommentText(std::string_view firstField);

// Up to 1001 rows, 0..lastRow in use. A database made by the program ends with the marker row
// "End"; a fresh database is that marker alone, so that the first case added becomes row 0.
struct CaseDatabase {
    static constexpr int kCapacity = 1001;

    std::vector<DatabaseRow> rows;
    int16_t lastRow = 0;
    std::string databaseFileName; // path of the current database file
    // Whether rows were added, changed or removed since the database was read, made or saved:
    // every edit below and storeCaseInRow set it; reading, writing and reset clear it.
    bool modified = false;

    CaseDatabase();
    // All kCapacity slots back to the empty state (an empty slot reads as a case row);
    // lastRow -1.
    void reset();

    // The edits of the database window, each marking the database changed.
    // Row `at` becomes `row`, the rows from `at` on move down by one; false (nothing changed)
    // when the database is full or `at` lies outside 0..lastRow+1.
    bool insertRow(int at, DatabaseRow row);
    // Rows a and b change places (both within 0..lastRow).
    void swapRows(int a, int b);
    // Row `at` (within 0..lastRow) goes, the rows after it move up by one.
    void removeRow(int at);
};

// Row of the bulb-flat table whose height and thickness equal H and t exactly (as singles);
// the last such row when several match, 0 when none does.
int16_t findBulbFlatRow(const ProfileTable& bulb, float H, float t);

// Reads database-file text into `out`, a fresh database, against the bulb-flat table. Returns
// false with `error` naming the file and the line when the text is not a whole database.
bool parseDatabaseText(const std::string& bytes, const std::string& fileName,
                       const ProfileTable& bulb, bool decimalPointLocale, CaseDatabase& out,
                       std::string& error);

// Text of the database file for rows 0..lastRow (Windows-1252, CR LF). Returns false with
// `error` set when a row cannot be written so that it reads back as the same row.
bool databaseFileText(const CaseDatabase& db, char decimalSep, std::string& text,
                      std::string& error);

// Reads `path` into `out` (a fresh database) against the bulb-flat table; returns "" or the
// message naming the file and the line. A file far larger than any database is refused unread.
std::string readDatabaseFile(const std::string& path, const ProfileTable& bulb,
                             bool decimalPointLocale, CaseDatabase& out);

// Writes rows 0..lastRow to `path` through a temporary file renamed over it. Returns "" or the
// message; on failure the previous file is untouched.
std::string writeDatabaseFile(const CaseDatabase& db, char decimalSep, const std::string& path);

// Index of the first case row from row 0 on, stepping over comment and marker rows; -1 when
// rows 0..lastRow hold no case row.
int firstCaseRow(const CaseDatabase& db);

// One field of a case row, in file order: its heading, how it is read and written, the member
// of DatabaseRow that holds it and, where a row and the design case share the field plainly,
// the member of DesignCase. A code field (an on/off switch or a named code) is reached through
// its number, the number the file keeps.
struct DatabaseColumn {
    enum class Type { Text, Code, Number, Profile };
    const char* heading = "";
    Type type = Type::Number;
    int lo = 0; // codes: the allowed range
    int hi = 0;
    std::string DatabaseRow::*text = nullptr;
    float DatabaseRow::*number = nullptr;
    ProfileEntry DatabaseRow::*profile = nullptr;
    std::string DesignCase::*caseText = nullptr;
    float DesignCase::*caseNumber = nullptr;
    // Codes: the number of the row's field, and the field set from a number within [lo, hi].
    int16_t (*codeOf)(const DatabaseRow&) = nullptr;
    void (*setCode)(DatabaseRow&, int16_t) = nullptr;
    // Codes the design case shares: the field copied from the case into the row, and back.
    void (*codeFromCase)(DatabaseRow&, const DesignCase&) = nullptr;
    void (*codeToCase)(DesignCase&, const DatabaseRow&) = nullptr;
};

// The 35 fields of a case row, in the order of the file.
std::span<const DatabaseColumn> databaseColumns();

// The entry a database row keeps for `p`: kind and dimensions as `designation` shows them, from
// the table row of a table kind (the record's working dimensions when the loaded table has no
// such row) or from the saved set of a built-up kind. An unknown kind leaves `e` as it was.
void storeProfile(const ProfileRecord& p, const ProfileTables& tables,
                  const std::string& designation, ProfileEntry& e);

// Loads a stored profile into the record: its kind, the saved set of that kind and, for the
// built-up kinds, the working dimensions themselves; a bulb flat its table row.
void loadProfile(const ProfileEntry& e, ProfileRecord& p);

} // namespace velmora
