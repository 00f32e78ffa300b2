// The named codes at the file boundary: the case, database and results files keep the numbers
// 0..3 for the cylinder types and 0..1 for the design formats, and refuse any other number.

#include "case/Codes.h"
#include "case/DesignCase.h"
#include "files/CaseFile.h"
#include "files/DatabaseFile.h"
#include "files/ResultsFile.h"

#include "case/CaseResults.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace velmora;

namespace {

// A code with the number the case and database files keep and the word the results file shows.
template <class Code> struct Stored {
    Code code;
    const char* number;
    const char* resultsName;
};
const Stored<CylinderType> kTypes[] = {
    {CylinderType::Unstiffened, "0", "Cylinder"},
    {CylinderType::RingStiffened, "1", "Ring stiff"},
    {CylinderType::StringerStiffened, "2", "Stringer stiff"},
    {CylinderType::Column, "3", "Column"},
};
const Stored<DesignFormat> kFormats[] = {
    {DesignFormat::LRFD, "0", "LRFD"},
    {DesignFormat::WSD, "1", "WSD"},
};

// `f` for every cylinder type with every design format.
template <class F> void forEachPair(F f) {
    for (const Stored<CylinderType>& t : kTypes)
        for (const Stored<DesignFormat>& d : kFormats)
            f(t, d);
}

std::vector<std::string> split(const std::string& text, const std::string& sep) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t p = text.find(sep); p != std::string::npos; p = text.find(sep, start)) {
        out.push_back(text.substr(start, p - start));
        start = p + sep.size();
    }
    out.push_back(text.substr(start));
    return out;
}

// The pieces `split` gave, each but the last (empty) one followed by `sep`, with piece `n`
// (counted from 1) replaced by `value`.
std::string joinReplacing(std::vector<std::string> pieces, size_t n, const std::string& value,
                          const std::string& sep) {
    pieces.at(n - 1) = value;
    std::string out;
    for (size_t i = 0; i + 1 < pieces.size(); ++i)
        out += pieces[i] + sep;
    return out;
}

// Lines 10 (design format) and 12 (cylinder type) of a case file.
TEST(StoredCodes, CaseFileKeepsTheNumbersAndReadsThemBack) {
    forEachPair([&](const Stored<CylinderType>& t, const Stored<DesignFormat>& f) {
        DesignCase dc;
        dc.cylinderType = t.code;
        dc.designFormat = f.code;
        const std::string text = caseFileText(dc);
        const std::vector<std::string> lines = split(text, "\r\n");
        ASSERT_GE(lines.size(), 12u);
        EXPECT_EQ(f.number, lines[9]);
        EXPECT_EQ(t.number, lines[11]);

        DesignCase back;
        back.cylinderType = CylinderType::StringerStiffened;
        back.designFormat = DesignFormat::LRFD;
        std::string error;
        ASSERT_TRUE(parseCaseFile(text, DesignCase{}, back, error)) << error;
        EXPECT_EQ(t.code, back.cylinderType);
        EXPECT_EQ(f.code, back.designFormat);
    });
}

TEST(StoredCodes, CaseFileRefusesNumbersOutOfRangeByName) {
    const std::vector<std::string> good = split(caseFileText(DesignCase{}), "\r\n");
    auto refusal = [&](size_t line, const std::string& value) {
        const std::string text = joinReplacing(good, line, value, "\r\n");
        DesignCase dc;
        std::string error;
        EXPECT_FALSE(parseCaseFile(text, DesignCase{}, dc, error)) << line << " " << value;
        EXPECT_EQ(DesignCase{}, dc);
        return error;
    };
    EXPECT_EQ("line 10: design format must be 0 or 1", refusal(10, "2"));
    EXPECT_EQ("line 10: design format must be 0 or 1", refusal(10, "-1"));
    EXPECT_EQ("line 12: cylinder type must be 0 to 3", refusal(12, "4"));
    EXPECT_EQ("line 12: cylinder type must be 0 to 3", refusal(12, "-1"));
}

// Fields 3 (design method) and 5 (cylinder type) of a database case row.
TEST(StoredCodes, DatabaseFileKeepsTheNumbersAndReadsThemBack) {
    const ProfileTables& tables = test::smallProfileTables();
    forEachPair([&](const Stored<CylinderType>& t, const Stored<DesignFormat>& f) {
        CaseDatabase db;
        db.rows[0] = DatabaseRow{};
        db.rows[0].designMethod = f.code;
        db.rows[0].cylinderType = t.code;
        db.rows[0].stiff.designation = "L 200x90x9.0x12.0";
        db.rows[0].ring.designation = "T 200x90x9.0x12.0";
        db.rows[1] = commentRow("End");
        db.lastRow = 1;
        std::string text, error;
        ASSERT_TRUE(databaseFileText(db, '.', text, error)) << error;
        const std::vector<std::string> fields = split(split(text, "\r\n")[0], ";");
        ASSERT_GE(fields.size(), 5u);
        EXPECT_EQ(f.number, fields[2]);
        EXPECT_EQ(t.number, fields[4]);

        CaseDatabase back;
        ASSERT_TRUE(parseDatabaseText(text, "db_in.csv", tables.bulb, true, back, error)) << error;
        EXPECT_EQ(f.code, back.rows[0].designMethod);
        EXPECT_EQ(t.code, back.rows[0].cylinderType);
    });
}

TEST(StoredCodes, DatabaseFileRefusesNumbersOutOfRange) {
    const ProfileTables& tables = test::smallProfileTables();
    CaseDatabase db;
    db.rows[0] = DatabaseRow{};
    db.rows[0].stiff.designation = "L 200x90x9.0x12.0";
    db.rows[0].ring.designation = "T 200x90x9.0x12.0";
    db.lastRow = 0;
    std::string good, error;
    ASSERT_TRUE(databaseFileText(db, '.', good, error)) << error;
    auto refusal = [&](size_t field, const std::string& value) {
        const std::string line =
            joinReplacing(split(split(good, "\r\n")[0], ";"), field, value, ";");
        CaseDatabase out;
        std::string message;
        EXPECT_FALSE(
            parseDatabaseText(line + "\r\n", "db_in.csv", tables.bulb, true, out, message));
        return message;
    };
    EXPECT_EQ("db_in.csv, line 1: field 3 (Design-method): must be 0 to 1", refusal(3, "2"));
    EXPECT_EQ("db_in.csv, line 1: field 5 (Cylinder type): must be 0 to 3", refusal(5, "-1"));
    // A number is rounded to the nearest whole one before it is judged.
    EXPECT_EQ("db_in.csv, line 1: field 5 (Cylinder type): must be 0 to 3", refusal(5, "3.6"));
}

// Cells 3 and 5 of a results-file line name the design format and the cylinder type.
TEST(StoredCodes, ResultsFileNamesTheCodes) {
    forEachPair([&](const Stored<CylinderType>& t, const Stored<DesignFormat>& f) {
        DesignCase dc;
        dc.cylinderType = t.code;
        dc.designFormat = f.code;
        const std::vector<std::string> cells =
            split(resultsCaseLine(dc, CaseResults{}, DatabaseRow{}, true, '.'), ";");
        ASSERT_GE(cells.size(), 5u);
        EXPECT_EQ(f.resultsName, cells[2]);
        EXPECT_EQ(t.resultsName, cells[4]);
    });
}

} // namespace
