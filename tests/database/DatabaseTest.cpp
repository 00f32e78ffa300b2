#include "calc/DatabaseRows.h"
#include "files/DatabaseFile.h"

#include "DatabaseSupport.h"
#include "base/CodePage.h"
#include "base/FileIo.h"
#include "calc/Calc.h"
#include "calc/State.h"
#include "case/LoadCases.h"
#include "files/CaseFile.h"
#include "support/RecordingNotifier.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::caseLine;
using test::joinLines;
using test::ScratchDir;

namespace PK = ProfileKind;

CaseDatabase parseOk(const std::string& text, const ProfileTable& bulb, bool pointLocale = true) {
    CaseDatabase db;
    std::string error;
    EXPECT_TRUE(parseDatabaseText(text, "db_in.csv", bulb, pointLocale, db, error)) << error;
    return db;
}

std::string parseError(const std::string& text, bool pointLocale = true) {
    CaseDatabase db;
    std::string error;
    EXPECT_FALSE(parseDatabaseText(text, "db_in.csv", test::smallProfileTables().bulb, pointLocale,
                                   db, error));
    return error;
}

// ---- Reading ------------------------------------------------------------------------------

TEST(DatabaseRead, CaseRowTakesEveryFieldInTableOrder) {
    const std::string line =
        "Pr;Id;1;0.8;3;1;1;1;200000;320;1000;2500;18;550;2400;RHS 150x100x8.0;330;8000;700;"
        "TPZ 300x200x50x8.0;340;1;1;-90;-15;25;0.25;0.9;0.7;-500;-11;-22;33;44;1;";
    const CaseDatabase db = parseOk(joinLines({line}), test::smallProfileTables().bulb);
    ASSERT_EQ(0, db.lastRow);
    const DatabaseRow& r = db.rows[0];
    EXPECT_FALSE(r.isComment);
    EXPECT_EQ("Pr", r.projectName);
    EXPECT_EQ("Id", r.identification);
    EXPECT_EQ("Id", r.listText);
    EXPECT_EQ(DesignFormat::WSD, r.designMethod);
    EXPECT_FLOAT_EQ(0.8f, r.UF);
    EXPECT_EQ(CylinderType::Column, r.cylinderType);
    EXPECT_EQ(1, r.outsideStiffening);
    EXPECT_EQ(1, r.ringFrameControl);
    EXPECT_EQ(1, r.heavyRingControl);
    EXPECT_FLOAT_EQ(200000, r.E);
    EXPECT_FLOAT_EQ(320, r.fyp);
    EXPECT_FLOAT_EQ(1000, r.r);
    EXPECT_FLOAT_EQ(2500, r.l);
    EXPECT_FLOAT_EQ(18, r.t);
    EXPECT_FLOAT_EQ(550, r.s);
    EXPECT_FLOAT_EQ(2400, r.ltStiffener);
    EXPECT_EQ(PK::RHS, r.stiff.kind);
    EXPECT_EQ((std::array<float, 4>{150, 100, 8, 0}), r.stiff.dims);
    EXPECT_FLOAT_EQ(330, r.fys);
    EXPECT_FLOAT_EQ(8000, r.L);
    EXPECT_FLOAT_EQ(700, r.ltRing);
    EXPECT_EQ(PK::Trapez, r.ring.kind);
    EXPECT_EQ((std::array<float, 4>{300, 200, 50, 8}), r.ring.dims);
    EXPECT_EQ("TPZ 300x200x50x8.0", r.ring.designation);
    EXPECT_FLOAT_EQ(340, r.fyr);
    EXPECT_EQ(1, r.ringFabrication);
    EXPECT_EQ(1, r.specialIh);
    EXPECT_FLOAT_EQ(-90, r.Sigx);
    EXPECT_FLOAT_EQ(-15, r.Sigy);
    EXPECT_FLOAT_EQ(25, r.Tau);
    EXPECT_FLOAT_EQ(0.25f, r.pd);
    EXPECT_FLOAT_EQ(0.9f, r.k1);
    EXPECT_FLOAT_EQ(0.7f, r.k2);
    EXPECT_FLOAT_EQ(-500, r.N);
    // The moments come in the order M1a, M2a, M1b, M2b.
    EXPECT_FLOAT_EQ(-11, r.M1a);
    EXPECT_FLOAT_EQ(-22, r.M2a);
    EXPECT_FLOAT_EQ(33, r.M1b);
    EXPECT_FLOAT_EQ(44, r.M2b);
    EXPECT_EQ(1, r.dimMoment);
}

TEST(DatabaseRead, CommentAndMarkerRowsKeepTheirFirstFieldOnly) {
    const CaseDatabase db =
        parseOk(joinLines({"% first comment;ignored;", "%x", "End;", "END;more", caseLine()}),
                test::smallProfileTables().bulb);
    ASSERT_EQ(4, db.lastRow);
    EXPECT_TRUE(db.rows[0].isComment);
    EXPECT_EQ("% first comment", db.rows[0].listText);
    EXPECT_EQ("%x", db.rows[1].listText);
    EXPECT_EQ("End", db.rows[2].listText);
    EXPECT_EQ("END", db.rows[3].listText);
    EXPECT_TRUE(db.rows[2].isComment && db.rows[3].isComment);
    // Lines after a marker are further rows; slots beyond lastRow are empty case rows.
    EXPECT_FALSE(db.rows[4].isComment);
    EXPECT_FALSE(db.rows[5].isComment);
    EXPECT_EQ("", db.rows[5].identification);
}

TEST(DatabaseRead, LowerCaseEndIsACaseRowThatLacksFields) {
    const std::string error = parseError(joinLines({"% c", "end;"}));
    EXPECT_EQ("db_in.csv, line 2: a case row needs 35 fields, this one has 2", error);
}

TEST(DatabaseRead, LineEndsLfOrCrLfAndWindows1252Text) {
    const std::string lf = "% Pr\xF8ve\n" + caseLine({{1, "M\xE5ling"}}) + "\nEnd;\n";
    const CaseDatabase db = parseOk(lf, test::smallProfileTables().bulb);
    ASSERT_EQ(2, db.lastRow);
    EXPECT_EQ("% Pr\xC3\xB8ve", db.rows[0].listText);
    EXPECT_EQ("M\xC3\xA5ling", db.rows[1].identification);

    // Lines ending in LF CR: the CR is line break, not the start of the next project name, and
    // the file writes back as CR LF and reads back the same.
    const std::string lfcr = "% c\n\r" + caseLine({{0, "Hull"}}) + "\n\rEnd;\n\r";
    const CaseDatabase reversed = parseOk(lfcr, test::smallProfileTables().bulb);
    ASSERT_EQ(2, reversed.lastRow);
    EXPECT_EQ("Hull", reversed.rows[1].projectName);
    std::string text;
    std::string error;
    ASSERT_TRUE(databaseFileText(reversed, '.', text, error)) << error;
    EXPECT_EQ(joinLines({"% c;", caseLine({{0, "Hull"}}), "End;"}), text);
}

TEST(DatabaseRead, CapacityIs1001Lines) {
    std::vector<std::string> lines(1000, "% row");
    lines.push_back("End;");
    EXPECT_EQ(1000, parseOk(joinLines(lines), test::smallProfileTables().bulb).lastRow);
    lines.push_back("End;");
    EXPECT_EQ("db_in.csv, line 1002: a database holds at most 1001 rows",
              parseError(joinLines(lines)));
}

TEST(DatabaseRead, BadLinesNameTheLine) {
    EXPECT_EQ("db_in.csv, line 2: empty line", parseError(joinLines({"% a", "  ", "End;"})));
    EXPECT_EQ("db_in.csv, line 1: field 16 (Stiff Prof): profile designation \"L200x90\" has "
              "no blank after its code",
              parseError(joinLines({caseLine({{15, "L200x90"}})})));
    EXPECT_EQ("db_in.csv, line 1: field 20 (Ringfr Prof): profile designation \"T 200x90x9\" "
              "needs 4 dimensions",
              parseError(joinLines({caseLine({{19, "T 200x90x9"}})})));
    EXPECT_EQ("db_in.csv, line 1: field 5 (Cylinder type): must be 0 to 3",
              parseError(joinLines({caseLine({{4, "4"}})})));
    // Where the locale writes ",", a text that is no number is refused.
    EXPECT_EQ("db_in.csv, line 1: field 11 (r): not a number",
              parseError(joinLines({caseLine({{10, "abc"}})}), false));
}

// A long file of mixed rows reads every row where it stands, and the first bad line in file
// order is the one named.
TEST(DatabaseRead, LongFileReadsEveryRowAndNamesItsFirstBadLine) {
    std::vector<std::string> lines = test::mixedLines(700);
    const CaseDatabase db = parseOk(joinLines(lines), test::smallProfileTables().bulb);
    EXPECT_EQ(700, db.lastRow);
    EXPECT_EQ("Row 650", db.rows[650].identification);
    EXPECT_EQ(CylinderType::StringerStiffened, db.rows[650].cylinderType);
    EXPECT_EQ("T 300x150x10.0x15.0", db.rows[650].stiff.designation);
    EXPECT_EQ("% comment 685", db.rows[685].listText);
    EXPECT_TRUE(db.rows[685].isComment);
    EXPECT_EQ("End", db.rows[700].listText);

    lines[600] = caseLine({{4, "7"}});
    EXPECT_EQ("db_in.csv, line 601: field 5 (Cylinder type): must be 0 to 3",
              parseError(joinLines(lines)));
    lines[100] = "   ";
    EXPECT_EQ("db_in.csv, line 101: empty line", parseError(joinLines(lines)));
}

TEST(DatabaseRead, NumbersTakeEitherSeparatorAndCodesAreRounded) {
    const CaseDatabase db =
        parseOk(joinLines({caseLine({{10, " 1500,5 "}, {26, "-0.3"}, {4, "1.6"}})}),
                test::smallProfileTables().bulb, false);
    EXPECT_FLOAT_EQ(1500.5f, db.rows[0].r);
    EXPECT_EQ(-0.3f, db.rows[0].pd);
    EXPECT_EQ(CylinderType::StringerStiffened, db.rows[0].cylinderType);
    // Where the locale writes ".", a text without a leading number reads as 0.
    const CaseDatabase point =
        parseOk(joinLines({caseLine({{23, "abc"}})}), test::smallProfileTables().bulb);
    EXPECT_FLOAT_EQ(0, point.rows[0].Sigx);
}

TEST(DatabaseRead, ProfileCodes) {
    ProfileTable bulb;
    bulb.kind = TableKind::Bulb;
    bulb.rows = {
        {200, 0, 10, 0, 29, 9, 2820}, {220, 0, 11, 0, 31, 9, 3500}, {200, 0, 10, 0, 28, 8, 2800}};
    auto entry = [&bulb](const std::string& designation) {
        return parseOk(joinLines({caseLine({{15, designation}})}), bulb).rows[0].stiff;
    };
    EXPECT_EQ(PK::LBuiltUp, entry("L 200x90x9.0x12.0").kind);
    EXPECT_EQ(PK::TBuiltUp, entry("T 300x150x10.0x15.0").kind);
    EXPECT_EQ(PK::FlatBuiltUp, entry("Fb 200x10.0").kind);
    EXPECT_EQ(PK::FlatBuiltUp, entry("FB 180x12.0").kind);
    EXPECT_EQ((std::array<float, 4>{180, 12, 0, 0}), entry("FB 180x12.0").dims);
    EXPECT_EQ(PK::IBuiltUp, entry("I 400x200x12.0x20.0").kind);
    // Text after a second blank is no part of the dimensions.
    EXPECT_EQ((std::array<float, 4>{400, 200, 12, 20}), entry("I 400x200x12.0x20.0 x7").dims);
    // Bulb flats: the last table row of that height and thickness, 0 when none matches.
    EXPECT_EQ(2, entry("BF 200x10.0").bulbRow);
    EXPECT_EQ(1, entry("BF 220x11.0").bulbRow);
    const ProfileEntry none = entry("BF 210x10.0");
    EXPECT_EQ(PK::BulbFlat, none.kind);
    EXPECT_EQ(0, none.bulbRow);
    // An unknown code is no error: kind 0 and no dimensions.
    const ProfileEntry unknown = entry("HP 200x9");
    EXPECT_EQ(0, unknown.kind);
    EXPECT_EQ((std::array<float, 4>{}), unknown.dims);
    EXPECT_EQ("HP 200x9", unknown.designation);
    EXPECT_EQ(0, findBulbFlatRow(bulb, 999, 1));
}

TEST(DatabaseRead, FailedReadChangesNothingAndNamesFileAndLine) {
    ScratchDir dir;
    State st = test::newTestState();
    const std::string good = dir.file("good_in.csv");
    ASSERT_TRUE(writeFileAtomic(good, joinLines({"% one", caseLine(), "End;"})));
    ASSERT_EQ("", readDatabaseFile(st, good));
    EXPECT_EQ(2, st.db.lastRow);
    EXPECT_EQ(good, st.db.databaseFileName);

    const std::string bad = dir.file("bad_in.csv");
    ASSERT_TRUE(writeFileAtomic(
        bad, joinLines({"% two", caseLine({{1, "New"}}), caseLine({{15, "L"}}), "End;"})));
    EXPECT_EQ(bad + ", line 3: field 16 (Stiff Prof): profile designation \"L\" has no blank "
                    "after its code",
              readDatabaseFile(st, bad));
    EXPECT_EQ(2, st.db.lastRow);
    EXPECT_EQ("% one", st.db.rows[0].listText);
    EXPECT_EQ("Case A", st.db.rows[1].identification);
    EXPECT_EQ(good, st.db.databaseFileName);

    EXPECT_EQ("can't find file - " + dir.file("none_in.csv"),
              readDatabaseFile(st, dir.file("none_in.csv")));
    EXPECT_EQ(2, st.db.lastRow);
}

// ---- Writing ------------------------------------------------------------------------------

TEST(DatabaseWrite, RoundTripOfEveryProfileCodeMomentsAndComments) {
    const std::vector<std::string> designations = {
        "L 200x90x9.0x12.0", "T 300x150x10.0x15.0", "Fb 200x10.0",         "BF 200x10.0",
        "RHS 150x100x8.0",   "TPZ 300x200x50x8.0",  "I 400x200x12.0x20.0", "HP 200x9"};
    std::vector<std::string> lines = {"% Profiles of every code;"};
    for (size_t i = 0; i < designations.size(); ++i)
        lines.push_back(caseLine({{1, "Row " + std::to_string(i)},
                                  {15, designations[i]},
                                  {19, designations[designations.size() - 1 - i]},
                                  {29, "-1234.5"},
                                  {30, "-11.25"},
                                  {31, "22.5"},
                                  {32, "0.001"},
                                  {33, "1.234568E+07"}}));
    lines.push_back("End;");
    const ProfileTable bulb = test::smallProfileTables().bulb;
    const CaseDatabase db = parseOk(joinLines(lines), bulb);

    std::string text;
    std::string error;
    ASSERT_TRUE(databaseFileText(db, '.', text, error)) << error;
    // What was read is written back exactly, every field followed by ";", CR LF line ends.
    EXPECT_EQ(joinLines(lines), text);

    const CaseDatabase again = parseOk(text, bulb);
    ASSERT_EQ(db.lastRow, again.lastRow);
    for (int i = 0; i <= db.lastRow; ++i) {
        const DatabaseRow& a = db.rows[static_cast<size_t>(i)];
        const DatabaseRow& b = again.rows[static_cast<size_t>(i)];
        EXPECT_EQ(a.listText, b.listText);
        EXPECT_EQ(a.stiff.kind, b.stiff.kind);
        EXPECT_EQ(a.stiff.dims, b.stiff.dims);
        EXPECT_EQ(a.ring.designation, b.ring.designation);
        EXPECT_EQ(a.M2b, b.M2b);
    }
    EXPECT_EQ(PK::FlatBuiltUp, again.rows[3].stiff.kind);
    EXPECT_FLOAT_EQ(12345680.0f, again.rows[1].M2b);
}

TEST(DatabaseWrite, TextsCannotSplitTheirLine) {
    CaseDatabase db = parseOk(joinLines({caseLine(), "End;"}), test::smallProfileTables().bulb);
    db.rows[0].projectName = "Rig; phase 2";
    db.rows[0].identification = "Leg A\r\nupper";
    std::string text;
    std::string error;
    ASSERT_TRUE(databaseFileText(db, '.', text, error));
    EXPECT_EQ(0u, text.find("Rig, phase 2;Leg A  upper;0;1;2;"));
    const CaseDatabase again = parseOk(text, test::smallProfileTables().bulb);
    EXPECT_EQ(1, again.lastRow);
    EXPECT_EQ("Leg A  upper", again.rows[0].identification);
}

TEST(DatabaseWrite, RowsThatWouldNotReadBackAreRefused) {
    const ProfileTable bulb = test::smallProfileTables().bulb;
    CaseDatabase db = parseOk(joinLines({caseLine(), "End;"}), bulb);
    std::string text;
    std::string error;
    db.rows[0].projectName = "End";
    EXPECT_FALSE(databaseFileText(db, '.', text, error));
    EXPECT_EQ("row 1: the project name \"End\" would be read back as a comment row; rename the "
              "project",
              error);
    db.rows[0].projectName = "P";
    db.rows[0].ring.designation = "";
    EXPECT_FALSE(databaseFileText(db, '.', text, error));
    db.rows[0].ring.designation = "T 200x90x9.0x12.0";
    db.rows[1] = commentRow("note without percent");
    EXPECT_FALSE(databaseFileText(db, '.', text, error));
    EXPECT_EQ(0u, error.find("row 2: the comment"));
}

TEST(DatabaseWrite, WritesWindows1252AndKeepsTheOldFileOnFailure) {
    ScratchDir dir;
    State st = test::newTestState();
    const std::string path = dir.file("db_in.csv");
    ASSERT_TRUE(writeFileAtomic(path, joinLines({"% Pr\xF8ve;", caseLine(), "End;"})));
    ASSERT_EQ("", readDatabaseFile(st, path));
    const std::string copy = dir.file("copy_in.csv");
    ASSERT_EQ("", writeDatabaseFile(st, copy));
    std::string bytes;
    ASSERT_TRUE(readFile(copy, bytes));
    EXPECT_EQ(joinLines({"% Pr\xF8ve;", caseLine(), "End;"}), bytes);

    st.db.rows[1].projectName = "%oops";
    EXPECT_NE("", writeDatabaseFile(st, copy));
    ASSERT_TRUE(readFile(copy, bytes));
    EXPECT_EQ(joinLines({"% Pr\xF8ve;", caseLine(), "End;"}), bytes);
    st.db.rows[1].projectName = "Project";
    EXPECT_EQ("can't save file - " + dir.file("no/such_in.csv"),
              writeDatabaseFile(st, dir.file("no/such_in.csv")));
}

// Every edit marks the database changed; reading and a successful write clear the mark, a
// failed write keeps it.
TEST(DatabaseChanges, EditsMarkTheDatabaseAndSavingClearsIt) {
    ScratchDir dir;
    State st = test::newTestState();
    const std::string path = dir.file("db_in.csv");
    ASSERT_TRUE(writeFileAtomic(path, joinLines({"% Hull;", caseLine(), "End;"})));
    ASSERT_EQ("", readDatabaseFile(st, path));
    EXPECT_FALSE(st.db.modified);

    ASSERT_TRUE(storeCaseInRow(st, st.db.lastRow));
    EXPECT_TRUE(st.db.modified);
    EXPECT_EQ("can't save file - " + dir.file("no/such_in.csv"),
              writeDatabaseFile(st, dir.file("no/such_in.csv")));
    EXPECT_TRUE(st.db.modified);
    ASSERT_EQ("", writeDatabaseFile(st, path));
    EXPECT_FALSE(st.db.modified);

    // A comment row inserted at 1: the rows from 1 on move down.
    ASSERT_TRUE(st.db.insertRow(1, commentRow("% Deck")));
    EXPECT_TRUE(st.db.modified);
    ASSERT_EQ(4, st.db.lastRow);
    EXPECT_EQ("% Deck", st.db.rows[1].listText);
    EXPECT_FALSE(st.db.rows[2].isComment);
    EXPECT_EQ("End", st.db.rows[4].listText);
    EXPECT_FALSE(st.db.insertRow(6, commentRow("% beyond the end")));

    st.db.modified = false;
    st.db.swapRows(0, 1);
    EXPECT_TRUE(st.db.modified);
    EXPECT_EQ("% Deck", st.db.rows[0].listText);
    EXPECT_EQ("% Hull", st.db.rows[1].listText);

    st.db.modified = false;
    st.db.removeRow(0);
    EXPECT_TRUE(st.db.modified);
    ASSERT_EQ(3, st.db.lastRow);
    EXPECT_EQ("% Hull", st.db.rows[0].listText);
    EXPECT_EQ("End", st.db.rows[3].listText);
    EXPECT_EQ("", st.db.rows[4].listText);

    // Reading replaces the database with the file as it lies: nothing changed.
    ASSERT_EQ("", readDatabaseFile(st, path));
    EXPECT_FALSE(st.db.modified);
    EXPECT_EQ(3, st.db.lastRow);
    st.db.reset();
    EXPECT_FALSE(st.db.modified);

    // A full database takes no more rows.
    st.db.lastRow = CaseDatabase::kCapacity - 1;
    EXPECT_FALSE(st.db.insertRow(0, commentRow("% full")));
    EXPECT_FALSE(st.db.modified);
}

// ---- Between a row and the design case ----------------------------------------------------

TEST(DatabaseStore, ReplacesTheEndMarkerAndAppendsANewOne) {
    State st = test::newTestState();
    RecordingNotifier nt;
    calcAll(st, nt);
    // A fresh database is the marker alone.
    ASSERT_EQ(0, st.db.lastRow);
    ASSERT_TRUE(st.db.rows[0].isComment);
    st.dc.identification = "First";
    ASSERT_TRUE(storeCaseInRow(st, st.db.lastRow));
    st.dc.identification = "Second";
    ASSERT_TRUE(storeCaseInRow(st, st.db.lastRow));
    ASSERT_EQ(2, st.db.lastRow);
    EXPECT_EQ("First", st.db.rows[0].listText);
    EXPECT_EQ("Second", st.db.rows[1].identification);
    EXPECT_FALSE(st.db.rows[1].isComment);
    EXPECT_TRUE(st.db.rows[2].isComment);
    EXPECT_EQ("End", st.db.rows[2].listText);
    EXPECT_FALSE(storeCaseInRow(st, 1000));
    EXPECT_FALSE(storeCaseInRow(st, -1));
    EXPECT_EQ(2, st.db.lastRow);
}

TEST(DatabaseStore, TableProfileIsStoredWithTheDimensionsOfItsRow) {
    State st = test::newTestState();
    RecordingNotifier nt;
    st.dc.stiff.kind = PK::LTable;
    st.dc.stiff.rowL = 1; // L 150x90x10x10; the saved L built-up set is 200x90x9x12
    st.dc.ring.kind = PK::FlatTable;
    st.dc.ring.rowFlat = 1; // Fb 150x12; the saved flat-bar set is 200x9
    ASSERT_TRUE(calcAll(st, nt));
    ASSERT_TRUE(storeCaseInRow(st, 0));
    const DatabaseRow& r = st.db.rows[0];
    EXPECT_EQ(PK::LBuiltUp, r.stiff.kind);
    EXPECT_EQ((std::array<float, 4>{150, 90, 10, 10}), r.stiff.dims);
    EXPECT_EQ("L 150x90x10.0x10.0", r.stiff.designation);
    EXPECT_EQ(PK::FlatBuiltUp, r.ring.kind);
    EXPECT_EQ((std::array<float, 4>{150, 12, 0, 0}), r.ring.dims);
    EXPECT_EQ("Fb 150x12.0", r.ring.designation);

    // Loaded from memory or read back from its file, the row computes the same profile:
    // L 150x90x10x10 has A = 10 * 140 + 90 * 10 = 2300 mm2.
    ASSERT_TRUE(loadRowIntoCase(st, nt, 0));
    EXPECT_EQ(PK::LBuiltUp, st.dc.stiff.kind);
    EXPECT_DOUBLE_EQ(2300, st.res.stiffSection.A);
    // Fb 150x12: A = 1800 mm2.
    EXPECT_DOUBLE_EQ(1800, st.res.ringSection.A);
}

TEST(DatabaseStore, BulbFlatKeepsItsRow) {
    State st = test::newTestState();
    RecordingNotifier nt;
    st.dc.stiff.kind = PK::BulbFlat;
    st.dc.stiff.rowBulb = 0;
    ASSERT_TRUE(calcAll(st, nt));
    ASSERT_TRUE(storeCaseInRow(st, 0));
    EXPECT_EQ(PK::BulbFlat, st.db.rows[0].stiff.kind);
    EXPECT_EQ(0, st.db.rows[0].stiff.bulbRow);
    EXPECT_EQ((std::array<float, 4>{200, 10, 0, 0}), st.db.rows[0].stiff.dims);
    EXPECT_EQ("BF 200x10.0", st.db.rows[0].stiff.designation);
}

TEST(DatabaseLoad, UsesStoredYieldStrengthsAsUserDefinedMaterials) {
    State st = test::newTestState();
    RecordingNotifier nt;
    st.db = parseOk(joinLines({caseLine({{9, "300"}, {16, "310"}, {20, "320"}}), "End;"}),
                    st.profiles.bulb);
    ASSERT_TRUE(loadRowIntoCase(st, nt, 0));
    EXPECT_EQ(4, st.dc.plateMaterial);
    EXPECT_EQ(4, st.dc.stiffMaterial);
    EXPECT_EQ(4, st.dc.ringMaterial);
    EXPECT_FLOAT_EQ(300, st.dc.fyp);
    EXPECT_FLOAT_EQ(310, st.dc.fys);
    EXPECT_FLOAT_EQ(320, st.dc.fyr);
    // A comment row is not a case to load.
    EXPECT_FALSE(loadRowIntoCase(st, nt, 1));
}

TEST(DatabaseLoad, TorsionalLengthLimitJudgesTheLoadedRingFrame) {
    State st = test::newTestState();
    RecordingNotifier nt;
    // Row 0 has a deep ring frame (h = 300 - 15 = 285 mm); row 1 a shallow one (h = 188 mm)
    // with lt = 1800, above pi sqrt(1500 * 188) = 1668.3 mm and below pi sqrt(1500 * 285).
    st.db = parseOk(joinLines({caseLine({{19, "T 300x150x10.0x15.0"}, {18, "1000"}}),
                               caseLine({{18, "1800"}}), "End;"}),
                    st.profiles.bulb);
    loadRowIntoCase(st, nt, 0);
    nt.clear();
    loadRowIntoCase(st, nt, 1);
    const std::vector<std::string> w = nt.warnings();
    ASSERT_FALSE(w.empty());
    EXPECT_EQ(" lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects the value ", w.front());
    EXPECT_FLOAT_EQ(1667.3013f, st.dc.ltRing);
}

TEST(DatabaseLoad, HeavyRingSwitchFollowsTheRingFrameCheck) {
    State st = test::newTestState();
    RecordingNotifier nt;
    st.db = parseOk(joinLines({caseLine({{6, "0"}, {7, "1"}}), "End;"}), st.profiles.bulb);
    loadRowIntoCase(st, nt, 0);
    EXPECT_EQ(0, st.dc.ringControl);
    EXPECT_EQ(0, st.dc.heavyRingControl);
}

TEST(DatabaseLoad, ProfileTheRowDoesNotUseRaisesNoWarning) {
    State st = test::newTestState();
    RecordingNotifier nt;
    // An unstiffened cylinder of radius 150 without ring-frame check: its bulb-flat ring frame
    // (H 200) would be higher than the radius allows, but the case never uses it.
    st.db = parseOk(joinLines({caseLine({{4, "0"},
                                         {6, "0"},
                                         {10, "150"},
                                         {12, "10"},
                                         {15, "BF 200x10.0"},
                                         {18, "100"},
                                         {19, "BF 200x10.0"}}),
                               "End;"}),
                    st.profiles.bulb);
    ASSERT_TRUE(loadRowIntoCase(st, nt, 0)) << st.run.calcMessage;
    EXPECT_TRUE(nt.calls.empty()) << nt.calls.front().text;
    EXPECT_EQ(PK::BulbFlat, st.dc.ring.kind);
}

TEST(DatabaseLoad, BulbFlatMissingFromTheTableIsNamed) {
    State st = test::newTestState();
    RecordingNotifier nt;
    // The small bulb-flat table has BF 200x10 only: a BF 220x11 stiffener is calculated with
    // that row, and the engineer is told so; a ring frame of the same designation is not used
    // by a case without ring-frame check and raises nothing.
    st.db =
        parseOk(joinLines({caseLine({{6, "0"}, {15, "BF 220x11.0"}, {19, "BF 220x11.0"}}), "End;"}),
                st.profiles.bulb);
    ASSERT_TRUE(loadRowIntoCase(st, nt, 0)) << st.run.calcMessage;
    const std::vector<std::string> w = nt.warnings();
    ASSERT_EQ(w.size(), 1u);
    EXPECT_EQ(w[0], " BF 220x11.0 is not in bfprof.dat; BF 200x10 is used ");
    EXPECT_EQ(st.dc.stiff.H, 200);
    // A row whose bulb flat the table has raises nothing.
    nt.clear();
    st.db = parseOk(joinLines({caseLine({{15, "BF 200x10.0"}}), "End;"}), st.profiles.bulb);
    ASSERT_TRUE(loadRowIntoCase(st, nt, 0)) << st.run.calcMessage;
    EXPECT_TRUE(nt.warnings().empty());
}

TEST(DatabaseStore, LeavesTheDesignCaseAsItWas) {
    State st = test::newTestState();
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    // A ring-stiffened cylinder with a stiffener switched to another table row: the row's
    // designation shows that row, the case keeps its working dimensions and yield strength.
    st.dc.cylinderType = CylinderType::RingStiffened;
    st.dc.stiff.rowL = 1;
    const DesignCase before = st.dc;
    ASSERT_TRUE(storeCaseInRow(st, 0));
    EXPECT_EQ("L 150x90x10.0x10.0", st.db.rows[0].stiff.designation);
    EXPECT_EQ(caseFileText(before), caseFileText(st.dc));
    EXPECT_EQ(before.stiff.H, st.dc.stiff.H);
    EXPECT_EQ(before.fys, st.dc.fys);
}

TEST(DatabaseLoad, FirstCaseRowStepsOverComments) {
    const CaseDatabase db =
        parseOk(joinLines({"% a", "% b", caseLine(), "End;"}), test::smallProfileTables().bulb);
    EXPECT_EQ(2, firstCaseRow(db));
    EXPECT_EQ(-1,
              firstCaseRow(parseOk(joinLines({"% a", "End;"}), test::smallProfileTables().bulb)));
}

} // namespace
} // namespace velmora

namespace velmora {
namespace {

TEST(DatabaseStore, OneRowPerLoadCaseNamedAfterIt) {
    State st = test::newTestState();
    RecordingNotifier nt;
    st.dc.identification = "Tank";
    renameLoadCase(st.dc, 0, "Operation");
    addLoadCase(st.dc);
    renameLoadCase(st.dc, 1, "Storm");
    st.dc.designFormat = DesignFormat::WSD;
    st.dc.UF = 0.8f;
    st.dc.Sigx = -150;
    st.dc.N = -2500;
    selectLoadCase(st.dc, 0);
    ASSERT_TRUE(calcAll(st, nt));
    const DesignCase before = st.dc;
    st.db = CaseDatabase{};
    st.db.rows[0] = commentRow("% tanks");
    st.db.rows[1] = commentRow("End");
    st.db.lastRow = 1;
    ASSERT_EQ(1, addToDatabaseIndex(st.db));
    ASSERT_TRUE(addCaseToDatabase(st));
    EXPECT_EQ(before, st.dc);
    ASSERT_EQ(3, st.db.lastRow);
    EXPECT_EQ("Tank / Operation", st.db.rows[1].identification);
    EXPECT_EQ("Tank / Operation", st.db.rows[1].listText);
    EXPECT_EQ(DesignFormat::LRFD, st.db.rows[1].designMethod);
    EXPECT_EQ(-100.0f, st.db.rows[1].Sigx);
    EXPECT_EQ("Tank / Storm", st.db.rows[2].identification);
    EXPECT_EQ(DesignFormat::WSD, st.db.rows[2].designMethod);
    EXPECT_EQ(0.8f, st.db.rows[2].UF);
    EXPECT_EQ(-150.0f, st.db.rows[2].Sigx);
    EXPECT_EQ(-2500.0f, st.db.rows[2].N);
    EXPECT_EQ(st.db.rows[1].stiff.designation, st.db.rows[2].stiff.designation);
    EXPECT_EQ("End", st.db.rows[3].listText);

    // Loaded back, a row is a case of one load case with that row's loads.
    ASSERT_TRUE(loadRowIntoCase(st, nt, 2));
    EXPECT_EQ(1, loadCaseCount(st.dc));
    EXPECT_EQ(-150.0f, st.dc.Sigx);
    EXPECT_EQ(DesignFormat::WSD, st.dc.designFormat);

    // A case of one load case keeps its identification; rows that do not fit change nothing.
    st.dc.identification = "Single";
    ASSERT_TRUE(addCaseToDatabase(st));
    EXPECT_EQ("Single", st.db.rows[3].identification);
    st.dc = before;
    EXPECT_FALSE(storeLoadCasesInRows(st, CaseDatabase::kCapacity - 2));
    EXPECT_EQ(4, st.db.lastRow);
}

} // namespace
} // namespace velmora
