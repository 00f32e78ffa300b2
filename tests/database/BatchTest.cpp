#include "database/Batch.h"

#include "DatabaseSupport.h"
#include "base/CodePage.h"
#include "base/FileIo.h"
#include "calc/State.h"
#include "files/DatabaseFile.h"
#include "support/RecordingNotifier.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

namespace velmora {
namespace {

using test::caseLine;
using test::cells;
using test::joinLines;
using test::ScratchDir;
using test::stateWith;

std::vector<std::string> resultLines(State& st, BatchResult& result) {
    return splitLines(cp1252ToUtf8(resultsFileText(st, result.stopped, result.warnings)));
}

// Cells 0..35 are inputs; the blocks follow: shell 36..46, stiffener 47..60, ring frame 61..73,
// column 74..88; a last empty cell closes the line.
constexpr size_t kShell = 36, kStiff = 47, kRing = 61, kColumn = 74, kCells = 90;

void expectBlock(const std::vector<std::string>& c, size_t first, size_t count,
                 const std::string& text) {
    EXPECT_EQ("", c.at(first));
    for (size_t i = first + 1; i <= first + count; ++i)
        EXPECT_EQ(text, c.at(i)) << "cell " << i;
}

void expectValues(const std::vector<std::string>& c, size_t first, size_t count) {
    EXPECT_EQ("", c.at(first));
    for (size_t i = first + 1; i <= first + count; ++i) {
        EXPECT_NE("N/A", c.at(i)) << "cell " << i;
        EXPECT_NE("Error", c.at(i)) << "cell " << i;
    }
}

TEST(ResultsFile, HeaderAndLinesForEachKindOfRow) {
    State st =
        stateWith({"% Columns first;x",
                   caseLine({{1, "Col"},
                             {2, "1"},
                             {3, "0.85"},
                             {4, "3"},
                             {6, "0"},
                             {30, "-210"},
                             {31, "-110"},
                             {32, "120"},
                             {33, "130"},
                             {34, "1"}}),
                   caseLine({{1, "Stringers, no rings"}, {6, "0"}}),
                   caseLine({{1, "Rings"}, {4, "1"}, {7, "1"}, {21, "1"}, {22, "1"}}), "End;"});
    BatchResult result;
    const std::vector<std::string> lines = resultLines(st, result);
    EXPECT_TRUE(result.stopped.empty());
    ASSERT_EQ(6u, lines.size());

    const std::vector<std::string> h = cells(lines[0]);
    ASSERT_EQ(kCells, h.size());
    EXPECT_EQ("Project", h[0]);
    EXPECT_EQ("pd", h[26]);
    EXPECT_EQ("L", h[27]);
    EXPECT_EQ("k1", h[28]);
    EXPECT_EQ("Dim mom", h[35]);
    EXPECT_EQ("Shell", h[kShell]);
    EXPECT_EQ("fEa = ", h[kShell + 1]);
    EXPECT_EQ("fEtau/fEm = ", h[kShell + 2]);
    EXPECT_EQ("UF = ", h[kShell + 10]);
    EXPECT_EQ("Stiffener", h[kStiff]);
    EXPECT_EQ("UF = ", h[kStiff + 13]);
    EXPECT_EQ("Ringframe", h[kRing]);
    EXPECT_EQ("Area req", h[kRing + 1]);
    EXPECT_EQ("UF = ", h[kRing + 2]);
    EXPECT_EQ("Iy req", h[kRing + 3]);
    EXPECT_EQ("UF =", h[kRing + 11]);
    EXPECT_EQ("Ihr>= ", h[kRing + 12]);
    EXPECT_EQ("Column", h[kColumn]);
    EXPECT_EQ("UF2 =  ", h[kColumn + 14]);
    EXPECT_EQ("", h[89]);

    // Comment rows stand alone in their places.
    EXPECT_EQ("% Columns first", lines[1]);
    EXPECT_EQ("End", lines[5]);

    const std::vector<std::string> col = cells(lines[2]);
    ASSERT_EQ(kCells, col.size());
    const std::vector<std::string> colInputs = {
        "Project", "Col",  "WSD",  "0.85",  "Column", "No",   "No",  "No",  "21.0E+4",
        "355",     "1500", "3000", "20.0",  "N/A",    "N/A",  "N/A", "N/A", "N/A",
        "N/A",     "N/A",  "N/A",  "N/A",   "N/A",    "N/A",  "N/A", "N/A", "-0.3",
        "6000",    "1",    "1",    "-1000", "-210",   "-110", "120", "130", "Red"};
    EXPECT_EQ(colInputs, std::vector<std::string>(col.begin(), col.begin() + 36));
    expectValues(col, kShell, 10);
    expectBlock(col, kStiff, 13, "N/A");
    expectBlock(col, kRing, 12, "N/A");
    expectValues(col, kColumn, 14);

    const std::vector<std::string> str = cells(lines[3]);
    ASSERT_EQ(kCells, str.size());
    const std::vector<std::string> strInputs = {"Project",
                                                "Stringers, no rings",
                                                "LRFD",
                                                "1",
                                                "Stringer stiff",
                                                "No",
                                                "No",
                                                "No",
                                                "21.0E+4",
                                                "355",
                                                "1500",
                                                "3000",
                                                "20.0",
                                                "600",
                                                "3000",
                                                "L 200x90x9.0x12.0",
                                                "355",
                                                "N/A",
                                                "N/A",
                                                "N/A",
                                                "N/A",
                                                "N/A",
                                                "N/A",
                                                "-100",
                                                "-10",
                                                "40",
                                                "-0.3",
                                                "N/A",
                                                "N/A",
                                                "N/A",
                                                "N/A",
                                                "N/A",
                                                "N/A",
                                                "N/A",
                                                "N/A",
                                                "N/A"};
    EXPECT_EQ(strInputs, std::vector<std::string>(str.begin(), str.begin() + 36));
    expectValues(str, kStiff, 13);
    expectBlock(str, kRing, 12, "N/A");
    expectBlock(str, kColumn, 14, " N/A");

    const std::vector<std::string> ring = cells(lines[4]);
    ASSERT_EQ(kCells, ring.size());
    EXPECT_EQ("Ring stiff", ring[4]);
    EXPECT_EQ("Yes", ring[7]);
    EXPECT_EQ("N/A", ring[13]);
    const std::vector<std::string> ringInputs = {"6000", "600",    "T 200x90x9.0x12.0",
                                                 "355",  "Welded", "Yes"};
    EXPECT_EQ(ringInputs, std::vector<std::string>(ring.begin() + 17, ring.begin() + 23));
    expectBlock(ring, kStiff, 13, "N/A");
    expectValues(ring, kRing, 12);
}

TEST(ResultsFile, StoppedRowShowsErrorAndIsReportedOnce) {
    State st = stateWith(
        {caseLine({{1, "A"}}), caseLine({{1, "Bad"}, {12, "0"}}), caseLine({{1, "C"}}), "End;"});
    BatchResult result;
    const std::vector<std::string> lines = resultLines(st, result);
    ASSERT_EQ(1u, result.stopped.size());
    EXPECT_EQ(1, result.stopped[0].row);
    EXPECT_EQ("Bad", result.stopped[0].identification);
    EXPECT_FALSE(result.stopped[0].text.empty());

    const std::vector<std::string> bad = cells(lines[2]);
    ASSERT_EQ(kCells, bad.size());
    EXPECT_EQ("0.0", bad[12]);
    expectBlock(bad, kShell, 10, "Error");
    expectBlock(bad, kStiff, 13, "Error");
    expectBlock(bad, kRing, 12, "Error");
    expectBlock(bad, kColumn, 14, " N/A");

    // The row after it is calculated afresh: same inputs as row A, same results.
    const std::vector<std::string> a = cells(lines[1]);
    const std::vector<std::string> c = cells(lines[3]);
    EXPECT_EQ(std::vector<std::string>(a.begin() + kShell, a.end()),
              std::vector<std::string>(c.begin() + kShell, c.end()));

    EXPECT_EQ(" Calculation stopped in 1 row: \nRow 2 (Bad): " + result.stopped[0].text,
              stoppedRowsMessage(result.stopped));
}

TEST(ResultsFile, RowsWithDifferentProfileKindsKeepTheirOwnResults) {
    const std::string a = caseLine({{1, "L stiffener"}});
    const std::string b = caseLine({{1, "Flat bar"}, {15, "Fb 200x10.0"}});
    State st = stateWith({a, b, "End;"});
    const CaseDatabase before = st.db;
    BatchResult result;
    const std::vector<std::string> lines = resultLines(st, result);
    EXPECT_EQ("L 200x90x9.0x12.0", cells(lines[1])[15]);
    EXPECT_EQ("Fb 200x10.0", cells(lines[2])[15]);
    EXPECT_NE(cells(lines[1])[kStiff + 13], cells(lines[2])[kStiff + 13]);
    // Each line is what that row gives on its own.
    for (const auto& [line, alone] : {std::pair{lines[1], a}, std::pair{lines[2], b}}) {
        State single = stateWith({alone});
        BatchResult r;
        EXPECT_EQ(line, resultLines(single, r)[1]);
    }
    // The batch leaves the last case row in the design case and the database as it was.
    EXPECT_EQ("Flat bar", st.dc.identification);
    EXPECT_EQ(before.lastRow, st.db.lastRow);
    EXPECT_EQ(before.rows[1].stiff.designation, st.db.rows[1].stiff.designation);
}

// Messages as "row|identification|text" lines, to compare two runs.
std::vector<std::string> messageTexts(const std::vector<RowMessage>& messages) {
    std::vector<std::string> out;
    for (const RowMessage& m : messages)
        out.push_back(std::to_string(m.row) + "|" + m.identification + "|" + m.text);
    return out;
}

// Telling the progress of a long database of mixed rows changes nothing: both ways give the
// same file, the same messages in row order and leave the same last case.
TEST(ResultsFile, LongDatabaseGivesWhatOneRowAfterTheOtherGives) {
    State rowByRow = stateWith(test::mixedLines(600));
    State shared = rowByRow;
    BatchResult one;
    BatchResult two;
    int told = 0;
    const std::string expected =
        resultsFileText(rowByRow, one.stopped, one.warnings, [&told](int, int) { ++told; });
    EXPECT_EQ(601, told);
    EXPECT_EQ(expected, resultsFileText(shared, two.stopped, two.warnings));
    EXPECT_FALSE(one.stopped.empty());
    EXPECT_EQ(messageTexts(one.stopped), messageTexts(two.stopped));
    EXPECT_EQ(messageTexts(one.warnings), messageTexts(two.warnings));
    EXPECT_TRUE(rowByRow.dc == shared.dc);
    EXPECT_TRUE(rowByRow.res == shared.res);
    EXPECT_TRUE(rowByRow.run == shared.run);
}

TEST(ResultsFile, WrittenAsWindows1252WithCrLfAndNotOverAFailure) {
    ScratchDir dir;
    State st = stateWith({"% Pr\xF8ve;", caseLine(), "End;"});
    const std::string path = dir.file("db_out.csv");
    const BatchResult result = writeResultsFile(st, path);
    EXPECT_TRUE(result.ok());
    std::string bytes;
    ASSERT_TRUE(readFile(path, bytes));
    EXPECT_NE(std::string::npos, bytes.find(";;\r\n% Pr\xF8ve\r\nProject;Case A;"));
    EXPECT_EQ("\r\nEnd\r\n", bytes.substr(bytes.size() - 7));

    const BatchResult failed = writeResultsFile(st, dir.file("missing/db_out.csv"));
    EXPECT_EQ("can't save file - " + dir.file("missing/db_out.csv"), failed.error);
    EXPECT_FALSE(failed.ok());
}

TEST(StartupBatch, MissingDatabaseWarnsOnceAndKeepsTheNewCase) {
    ScratchDir dir;
    State st = test::newTestState();
    RecordingNotifier nt;
    const StartupBatchResult r = runStartupBatch(st, nt, dir.path());
    EXPECT_FALSE(r.ran);
    EXPECT_EQ(std::vector<std::string>{"Error in databasefile"}, nt.warnings());
    EXPECT_EQ("Test", st.dc.identification);
    EXPECT_EQ(0, st.db.lastRow);
}

TEST(StartupBatch, ShowsTheFirstCaseRowAfterTheComments) {
    ScratchDir dir;
    ASSERT_TRUE(
        writeFileAtomic(dir.file("Velmora_Dnv_in.csv"),
                        joinLines({"% a;", "% b;", caseLine({{1, "First"}}),
                                   caseLine({{1, "Second"}, {15, "Fb 200x10.0"}}), "End;"})));
    State st = test::newTestState();
    RecordingNotifier nt;
    const StartupBatchResult r = runStartupBatch(st, nt, dir.path());
    EXPECT_TRUE(r.ran);
    EXPECT_TRUE(nt.warnings().empty());
    EXPECT_EQ(2, r.shownRow);
    EXPECT_EQ("First", st.dc.identification);
    EXPECT_EQ(ProfileKind::LBuiltUp, st.dc.stiff.kind);
    EXPECT_EQ(dir.file("Velmora_Dnv_out.csv"), st.run.fileName);
    EXPECT_EQ(dir.file("Velmora_Dnv_in.csv"), st.db.databaseFileName);
    std::string bytes;
    ASSERT_TRUE(readFile(dir.file("Velmora_Dnv_out.csv"), bytes));
    const std::vector<std::string> lines = splitLines(bytes);
    ASSERT_EQ(6u, lines.size());
    EXPECT_EQ("% a", lines[1]);
    EXPECT_EQ("% b", lines[2]);
    EXPECT_EQ("End", lines[5]);
}

TEST(StartupBatch, ResultsGoToTheUserFolderWhenTheProgramFolderCannotBeWritten) {
    ScratchDir dir;
    // A program "folder" that is a plain file stands for one the user may not write into.
    ASSERT_TRUE(writeFileAtomic(dir.file("program"), "not a folder"));
    const std::string user = dir.file("user/Velmora DNV");
    EXPECT_EQ(user, startupResultsFolder(dir.file("program"), user));
    EXPECT_TRUE(std::filesystem::is_directory(user));
    // A writable program folder keeps the results beside the program, and leaves no probe file.
    EXPECT_EQ(dir.path(), startupResultsFolder(dir.path(), user));
    EXPECT_FALSE(std::filesystem::exists(dir.file(".Velmora_Dnv_out.probe")));

    // The database is read from its own folder and the results written to the other.
    ASSERT_TRUE(writeFileAtomic(dir.file("Velmora_Dnv_in.csv"),
                                joinLines({caseLine({{1, "Only"}}), "End;"})));
    State st = test::newTestState();
    RecordingNotifier nt;
    const StartupBatchResult r = runStartupBatch(st, nt, dir.path(), user);
    EXPECT_TRUE(r.ran) << r.error;
    EXPECT_EQ(user + "/Velmora_Dnv_out.csv", st.run.fileName);
    EXPECT_TRUE(std::filesystem::exists(user + "/Velmora_Dnv_out.csv"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("Velmora_Dnv_out.csv")));
    EXPECT_EQ("Only", st.dc.identification);
}

TEST(StartupBatch, MalformedDatabaseNamesTheLine) {
    ScratchDir dir;
    ASSERT_TRUE(writeFileAtomic(dir.file("Velmora_Dnv_in.csv"),
                                joinLines({"% a;", "Project;short;", "End;"})));
    State st = test::newTestState();
    RecordingNotifier nt;
    const StartupBatchResult r = runStartupBatch(st, nt, dir.path());
    EXPECT_FALSE(r.ran);
    ASSERT_EQ(1u, nt.warnings().size());
    EXPECT_EQ("Error in databasefile\n" + dir.file("Velmora_Dnv_in.csv") +
                  ", line 2: a case row needs 35 fields, this one has 3",
              nt.warnings()[0]);
    EXPECT_EQ("Test", st.dc.identification);
}

TEST(StartupBatch, DeliveredDatabaseCalculatesEveryRow) {
    ScratchDir dir;
    std::string bytes;
    ASSERT_TRUE(readFile(std::string(VELMORA_DATA_DIR) + "/Velmora_Dnv_in.csv", bytes));
    ASSERT_TRUE(writeFileAtomic(dir.file("Velmora_Dnv_in.csv"), bytes));
    State st = test::newTestState();
    RecordingNotifier nt;
    const StartupBatchResult r = runStartupBatch(st, nt, dir.path());
    EXPECT_TRUE(r.ran) << r.error;
    EXPECT_TRUE(r.batch.stopped.empty()) << stoppedRowsMessage(r.batch.stopped);
    EXPECT_EQ("End", st.db.rows[static_cast<size_t>(st.db.lastRow)].listText);
    bool type[4] = {};
    for (int i = 0; i <= st.db.lastRow; ++i)
        if (!st.db.rows[static_cast<size_t>(i)].isComment)
            type[codeNumber(st.db.rows[static_cast<size_t>(i)].cylinderType)] = true;
    EXPECT_TRUE(type[0] && type[1] && type[2] && type[3]);
}

} // namespace
} // namespace velmora
