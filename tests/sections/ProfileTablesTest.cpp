#include "sections/ProfileTables.h"
#include "files/DataFiles.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <tuple>

namespace velmora {
namespace {

namespace fs = std::filesystem;

ProfileTable parseOk(TableKind kind, const std::string& text) {
    std::string error;
    std::optional<ProfileTable> t = parseProfileTable(kind, text, tableFileName(kind), error);
    EXPECT_TRUE(t.has_value()) << error;
    EXPECT_EQ(error, "");
    return t ? *t : ProfileTable{};
}

std::string parseFails(TableKind kind, const std::string& text) {
    std::string error;
    std::optional<ProfileTable> t = parseProfileTable(kind, text, tableFileName(kind), error);
    EXPECT_FALSE(t.has_value());
    EXPECT_NE(error.find(tableFileName(kind)), std::string::npos) << error;
    return error;
}

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.rfind(prefix, 0) == 0;
}

std::string repeatLines(const std::string& line, int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += line + "\r\n";
    return text;
}

using test::TempDir;

TEST(ProfileTablesTest, NamesAndLimits) {
    EXPECT_STREQ(tableFileName(TableKind::L), "lprof.dat");
    EXPECT_STREQ(tableFileName(TableKind::T), "tprof.dat");
    EXPECT_STREQ(tableFileName(TableKind::Flat), "fprof.dat");
    EXPECT_STREQ(tableFileName(TableKind::Bulb), "bfprof.dat");
    EXPECT_EQ(tableMaxRows(TableKind::L), 41);
    EXPECT_EQ(tableMaxRows(TableKind::T), 41);
    EXPECT_EQ(tableMaxRows(TableKind::Flat), 41);
    EXPECT_EQ(tableMaxRows(TableKind::Bulb), 61);

    ProfileTables tables;
    tables.T.rows.resize(3);
    tables.bulb.rows.resize(5);
    EXPECT_EQ(tables.of(TableKind::T).lastRow(), 2);
    EXPECT_EQ(tables.of(TableKind::Bulb).lastRow(), 4);
    EXPECT_EQ(tables.of(TableKind::L).lastRow(), -1);
    EXPECT_EQ(&tables.of(TableKind::Flat), &tables.flat);
}

TEST(ProfileTablesTest, RowsSplitAtCommasAndLineEnds) {
    const ProfileTable t = parseOk(TableKind::L, "100,65,7,7\r\n120,80,8,8\r\n150, 90 ,10,10\r\n");
    ASSERT_EQ(t.lastRow(), 2);
    EXPECT_EQ(t.kind, TableKind::L);
    EXPECT_EQ(t.rows[2].H, 150);
    EXPECT_EQ(t.rows[2].B, 90);
    EXPECT_EQ(t.rows[2].tw, 10);
    EXPECT_EQ(t.rows[2].tf, 10);

    // A row may span lines, a line may hold more than one row; no final line end needed.
    const ProfileTable s = parseOk(TableKind::T, "200,90\n9,12\n250,100,10,15,300\n150,12,20");
    ASSERT_EQ(s.lastRow(), 2);
    EXPECT_EQ(s.rows[0].tw, 9);
    EXPECT_EQ(s.rows[0].tf, 12);
    EXPECT_EQ(s.rows[1].tf, 15);
    EXPECT_EQ(s.rows[2].H, 300);
    EXPECT_EQ(s.rows[2].tf, 20);

    const ProfileTable f = parseOk(TableKind::Flat, "80,8,100,10\n\n \r\n");
    ASSERT_EQ(f.lastRow(), 1);
    EXPECT_EQ(f.rows[1].H, 100);
    EXPECT_EQ(f.rows[1].tw, 10);

    const ProfileTable b = parseOk(TableKind::Bulb, "200,11.5,28,8,3186\n");
    ASSERT_EQ(b.lastRow(), 0);
    EXPECT_EQ(b.rows[0].tw, 11.5f);
    EXPECT_EQ(b.rows[0].c, 28);
    EXPECT_EQ(b.rows[0].r, 8);
    EXPECT_EQ(b.rows[0].A, 3186);
}

TEST(ProfileTablesTest, BadFilesAreRefused) {
    EXPECT_TRUE(
        startsWith(parseFails(TableKind::L, "100,65,7,7\r\n120,80\r\n"), "lprof.dat, line 2: "));
    EXPECT_TRUE(
        startsWith(parseFails(TableKind::Bulb, "200,10,28,8,2886\n220,10,31"), "bfprof.dat"));
    EXPECT_TRUE(startsWith(parseFails(TableKind::Flat, "80,8\n100,x10\n"), "fprof.dat, line 2: "));
    EXPECT_TRUE(startsWith(parseFails(TableKind::Flat, "80,8\n100,10,\n"), "fprof.dat, line 2: "));
    EXPECT_TRUE(startsWith(parseFails(TableKind::Flat, "80,8\n\n100,10\n"), "fprof.dat, line 2: "));
    EXPECT_TRUE(startsWith(parseFails(TableKind::Flat, "80,8\n100,0\n"), "fprof.dat, line 2: "));
    EXPECT_TRUE(startsWith(parseFails(TableKind::T, "200,90,-9,12\n"), "tprof.dat, line 1: "));
    EXPECT_TRUE(startsWith(parseFails(TableKind::T, "200,90,9,12.5.1\n"), "tprof.dat, line 1: "));
    EXPECT_TRUE(startsWith(parseFails(TableKind::T, "200;90;9;12\n"), "tprof.dat, line 1: "));
    parseFails(TableKind::L, "");
    parseFails(TableKind::L, "\r\n\r\n");
}

TEST(ProfileTablesTest, BulbRowsMustGiveAnEquivalentFlange) {
    // c - 0.45 r = 0: the equivalent flange would have no width.
    EXPECT_TRUE(startsWith(parseFails(TableKind::Bulb, "200,10,28,8,2886\n200,10,9,20,2886\n"),
                           "bfprof.dat, line 2: "));
    // A not above H tw: no bulb area left for the flange.
    EXPECT_TRUE(
        startsWith(parseFails(TableKind::Bulb, "200,10,28,8,2000\n"), "bfprof.dat, line 1"));
}

TEST(ProfileTablesTest, RowCountLimits) {
    EXPECT_EQ(parseOk(TableKind::L, repeatLines("100,65,7,7", 41)).lastRow(), 40);
    EXPECT_TRUE(startsWith(parseFails(TableKind::L, repeatLines("100,65,7,7", 42)),
                           "lprof.dat, line 42: "));
    EXPECT_TRUE(
        startsWith(parseFails(TableKind::Flat, repeatLines("80,8", 42)), "fprof.dat, line 42: "));
    EXPECT_EQ(parseOk(TableKind::Bulb, repeatLines("200,10,28,8,2886", 61)).lastRow(), 60);
    EXPECT_TRUE(startsWith(parseFails(TableKind::Bulb, repeatLines("200,10,28,8,2886", 62)),
                           "bfprof.dat, line 62: "));
    // Forty-one flat-bar rows written two to a line, then one more row too many.
    std::string text;
    for (int i = 0; i < 21; ++i)
        text += "80,8,90,9\n";
    EXPECT_TRUE(startsWith(parseFails(TableKind::Flat, text), "fprof.dat, line 21: "));
}

TEST(ProfileTablesTest, RowText) {
    const ProfileTable l = parseOk(TableKind::L, "100,65,7,7\n");
    EXPECT_EQ(l.rowText(0), "L100x65x7x7");
    EXPECT_EQ(l.rowText(1), "");
    EXPECT_EQ(l.rowText(-1), "");
    EXPECT_EQ(parseOk(TableKind::T, "200,90,9,12\n").rowText(0), "T200x90x9x12");
    EXPECT_EQ(parseOk(TableKind::T, "250,100,10.5,15\n").rowText(0, ','), "T250x100x10,5x15");
    EXPECT_EQ(parseOk(TableKind::Flat, "100,10\n").rowText(0), "Fb100x10");
    const ProfileTable b = parseOk(TableKind::Bulb, "160,11.5,22,6,2387\n");
    EXPECT_EQ(b.rowText(0), "BF 160x11.5");
    EXPECT_EQ(b.rowText(0, ','), "BF 160x11,5");
}

TEST(ProfileTablesTest, LoadKeepsGoodTablesAndEmptiesBadOnes) {
    TempDir dir;
    ProfileTables tables;
    tables.L.rows.resize(3);

    // Nothing there: four messages naming the four files, all tables empty.
    std::vector<std::string> msgs = loadProfileTables(dir.str(), tables);
    ASSERT_EQ(msgs.size(), 4u);
    EXPECT_NE(msgs[0].find("bfprof.dat"), std::string::npos);
    EXPECT_NE(msgs[1].find("lprof.dat"), std::string::npos);
    EXPECT_NE(msgs[2].find("tprof.dat"), std::string::npos);
    EXPECT_NE(msgs[3].find("fprof.dat"), std::string::npos);
    EXPECT_TRUE(tables.L.rows.empty());

    dir.write("bfprof.dat", "200,10,28,8,2886\r\n220,10,31,9,3286\r\n");
    dir.write("lprof.dat", "100,65,7,7\r\n120,80,8,8\r\n150,90\r\n"); // cut off in row 2
    dir.write("tprof.dat", "200,90,9,12\r\n");
    dir.write("fprof.dat", "80,8\r\n100,10\r\n120,12\r\n");
    msgs = loadProfileTables(dir.str(), tables);
    ASSERT_EQ(msgs.size(), 1u);
    EXPECT_TRUE(startsWith(msgs[0], "lprof.dat, line 3: ")) << msgs[0];
    EXPECT_TRUE(tables.L.rows.empty()); // not the two good rows
    EXPECT_EQ(tables.L.kind, TableKind::L);
    EXPECT_EQ(tables.bulb.lastRow(), 1);
    EXPECT_EQ(tables.bulb.kind, TableKind::Bulb);
    EXPECT_EQ(tables.T.lastRow(), 0);
    EXPECT_EQ(tables.T.kind, TableKind::T);
    EXPECT_EQ(tables.flat.lastRow(), 2);
    EXPECT_EQ(tables.flat.kind, TableKind::Flat);
    EXPECT_EQ(tables.flat.rowText(2), "Fb120x12");
}

TEST(ProfileTablesTest, DeliveredTablesLoad) {
    ProfileTables tables;
    const std::vector<std::string> msgs = loadProfileTables(VELMORA_DATA_DIR, tables);
    for (const std::string& m : msgs)
        ADD_FAILURE() << m;
    for (TableKind k : {TableKind::L, TableKind::T, TableKind::Flat, TableKind::Bulb}) {
        const ProfileTable& t = tables.of(k);
        SCOPED_TRACE(tableFileName(k));
        EXPECT_EQ(t.kind, k);
        EXPECT_GE(t.lastRow(), 9);
        EXPECT_LT(t.lastRow(), tableMaxRows(k));
        // Sorted by size, no row twice.
        for (int i = 1; i <= t.lastRow(); ++i) {
            const ProfileRow& a = t.rows[static_cast<size_t>(i - 1)];
            const ProfileRow& b = t.rows[static_cast<size_t>(i)];
            EXPECT_LT(std::tie(a.H, a.B, a.tw, a.tf), std::tie(b.H, b.B, b.tw, b.tf))
                << t.rowText(i);
        }
    }
    // Rolled angles have one leg thickness.
    for (const ProfileRow& r : tables.L.rows)
        EXPECT_EQ(r.tw, r.tf) << r.H << "x" << r.B;
    // A bulb flat's bulb adds the same area to every web thickness of one height.
    for (size_t i = 1; i < tables.bulb.rows.size(); ++i) {
        const ProfileRow& a = tables.bulb.rows[i - 1];
        const ProfileRow& b = tables.bulb.rows[i];
        if (a.H == b.H) {
            EXPECT_FLOAT_EQ(a.A - a.H * a.tw, b.A - b.H * b.tw) << "BF " << b.H << "x" << b.tw;
        }
    }
    bool found = false;
    for (int i = 0; i <= tables.L.lastRow(); ++i)
        found = found || tables.L.rowText(i) == "L100x65x7x7";
    EXPECT_TRUE(found);
}

} // namespace
} // namespace velmora
