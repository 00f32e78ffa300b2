#include "database/Summary.h"

#include "DatabaseSupport.h"
#include "calc/State.h"
#include "database/Workbook.h"
#include "files/DatabaseFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <map>
#include <regex>

namespace velmora {
namespace {

using test::caseLine;
using test::joinLines;
using test::ScratchDir;
using test::stateWith;

const SummaryGroups kAll{true, true, true, true, true, true, true};
const SummaryGroups kNone{};

// Cell of `line` under `heading`.
std::string at(const SummaryTable& t, size_t line, const std::string& heading) {
    const auto it = std::find(t.headings.begin(), t.headings.end(), heading);
    EXPECT_NE(t.headings.end(), it) << heading;
    return t.lines.at(line).at(static_cast<size_t>(it - t.headings.begin()));
}

TEST(SummaryTable, HeadingsOfTheGroups) {
    const std::vector<std::string> all = {
        "Ident",        "fyk",        "r ",         "l ",      "t",       "Stiff spac",
        "Stiff prof",   "Ring spac",  "RIng prof ", "Sigx",    "Sigy",    "Tau",
        "pd",           "L",          "N",          "M1a",     "M2a",     "M1b",
        "M2b",          "Shell UF =", "Stiff UF =", "Ring Ax", "Ring Ix", "Column UF1 =",
        "Column UF2 =", "UFmax =",    "Verdict"};
    EXPECT_EQ(all, summaryHeadings(kAll));
    const std::vector<std::string> fixed = {"Ident", "fyk",        "r ",      "l ",     "t",
                                            "pd",    "Shell UF =", "UFmax =", "Verdict"};
    EXPECT_EQ(fixed, summaryHeadings(kNone));
    SummaryGroups ringOnly{};
    ringOnly[SummaryGroup::RingResults] = true;
    EXPECT_EQ(11u, summaryHeadings(ringOnly).size());
}

TEST(SummaryTable, NotApplicableCellsForEachCylinderType) {
    State st = stateWith({"% Summary;", caseLine({{1, "Cyl"}, {4, "0"}, {6, "0"}}),
                          caseLine({{1, "Ring"}, {4, "1"}}), caseLine({{1, "Str"}}),
                          caseLine({{1, "Col"}, {4, "3"}, {6, "0"}, {30, "-210"}}), "End;"});
    const SummaryTable t = buildSummaryTable(st, kAll);
    ASSERT_EQ(6u, t.lines.size());
    EXPECT_EQ(std::vector<std::string>{"% Summary"}, t.lines[0]);
    EXPECT_EQ(std::vector<std::string>{"End"}, t.lines[5]);
    for (size_t i = 1; i <= 4; ++i) {
        ASSERT_EQ(t.headings.size(), t.lines[i].size());
        EXPECT_EQ("355", at(t, i, "fyk"));
        EXPECT_EQ("1500", at(t, i, "r "));
        EXPECT_EQ("3000", at(t, i, "l "));
        EXPECT_EQ("20.0", at(t, i, "t"));
        EXPECT_EQ("-0.300", at(t, i, "pd"));
        EXPECT_NE("N/A", at(t, i, "Shell UF ="));
    }
    const std::vector<std::string> stiff = {"Stiff spac", "Stiff prof", "Stiff UF ="};
    const std::vector<std::string> ring = {"Ring spac", "RIng prof ", "Ring Ax", "Ring Ix"};
    const std::vector<std::string> column = {"L",   "N",   "M1a",          "M2a",
                                             "M1b", "M2b", "Column UF1 =", "Column UF2 ="};
    auto expectNA = [&](size_t line, const std::vector<std::string>& hs, bool na) {
        for (const auto& h : hs)
            EXPECT_EQ(na, at(t, line, h) == "N/A") << t.lines[line][0] << " " << h;
    };
    // Unstiffened, ring control off.
    expectNA(1, stiff, true);
    expectNA(1, ring, true);
    expectNA(1, column, true);
    EXPECT_EQ("-100.0", at(t, 1, "Sigx"));
    // Ring stiffened.
    expectNA(2, stiff, true);
    expectNA(2, ring, false);
    EXPECT_EQ("6000", at(t, 2, "Ring spac"));
    EXPECT_EQ("T 200x90x9.0x12.0", at(t, 2, "RIng prof "));
    // Stringer stiffened with rings.
    expectNA(3, stiff, false);
    expectNA(3, ring, false);
    expectNA(3, column, true);
    EXPECT_EQ("600", at(t, 3, "Stiff spac"));
    EXPECT_EQ("L 200x90x9.0x12.0", at(t, 3, "Stiff prof"));
    EXPECT_EQ("40.0", at(t, 3, "Tau"));
    // Column: no stresses, its own data.
    expectNA(4, stiff, true);
    expectNA(4, ring, true);
    expectNA(4, column, false);
    for (const char* h : {"Sigx", "Sigy", "Tau"})
        EXPECT_EQ("N/A", at(t, 4, h));
    EXPECT_EQ("6000", at(t, 4, "L"));
    EXPECT_EQ("-1000.0", at(t, 4, "N"));
    EXPECT_EQ("-210.0", at(t, 4, "M1a"));
    EXPECT_EQ("-100.0", at(t, 4, "M2a"));
    EXPECT_EQ("100.0", at(t, 4, "M1b"));
}

TEST(SummaryTable, LargestUsageFactorComparesNumbers) {
    // As texts "9.00" would beat "10.50".
    EXPECT_EQ("10.50", largestUsageFactor({{9.0, "9.00"}, {10.5, "10.50"}, {0, "0"}}));
    EXPECT_EQ("0", largestUsageFactor({{-0.25, "-0.25"}, {0, "0"}}));
    EXPECT_EQ("0", largestUsageFactor({}));
}

TEST(SummaryTable, UFmaxIsTheLargestShownUsageFactor) {
    State st = stateWith({caseLine({{1, "Str"}}), caseLine({{1, "Col"}, {4, "3"}, {6, "0"}}),
                          caseLine({{1, "Ring"}, {4, "1"}})});
    const SummaryTable t = buildSummaryTable(st, kAll);
    const std::vector<std::string> ufs = {"Shell UF =", "Stiff UF =",   "Ring Ax",
                                          "Ring Ix",    "Column UF1 =", "Column UF2 ="};
    for (size_t i = 0; i < t.lines.size(); ++i) {
        double best = 0;
        std::string bestText = "0";
        for (const auto& h : ufs) {
            const std::string c = at(t, i, h);
            if (c != "N/A" && std::stod(c) > best) {
                best = std::stod(c);
                bestText = c;
            }
        }
        EXPECT_EQ(bestText, at(t, i, "UFmax ="));
    }
    // With every result group off only the shell counts.
    State again = stateWith({caseLine({{1, "Str"}})});
    const SummaryTable shellOnly = buildSummaryTable(again, kNone);
    EXPECT_EQ(at(shellOnly, 0, "Shell UF ="), at(shellOnly, 0, "UFmax ="));
}

TEST(SummaryTable, StoppedRowShowsError) {
    State st = stateWith({caseLine({{1, "Bad"}, {12, "0"}}), caseLine({{1, "Good"}})});
    const SummaryTable t = buildSummaryTable(st, kAll);
    ASSERT_EQ(1u, t.stopped.size());
    EXPECT_EQ("Bad", t.stopped[0].identification);
    for (const char* h : {"Shell UF =", "Stiff UF =", "Ring Ax", "Ring Ix", "UFmax ="})
        EXPECT_EQ("Error", at(t, 0, h)) << h;
    EXPECT_EQ("N/A", at(t, 0, "Column UF1 ="));
    EXPECT_NE("Error", at(t, 1, "UFmax ="));
}

TEST(SummaryTable, VerdictOfEachRowAfterUFmax) {
    // The new case fails on its ring-frame area (3601.5 / 2772 = 1.30); the same shell as an
    // unstiffened cylinder (UF 1.005) passes an allowable 1.2; UF 7 lies outside its limits; a
    // wall of 0 stops the run.
    State st =
        stateWith({caseLine({{1, "Str"}}), caseLine({{1, "Cyl"}, {3, "1.2"}, {4, "0"}, {6, "0"}}),
                   caseLine({{1, "Wide"}, {3, "7"}}), caseLine({{1, "Bad"}, {12, "0"}})});
    const SummaryTable t = buildSummaryTable(st, kNone);
    ASSERT_EQ("Verdict", t.headings.back());
    ASSERT_EQ("UFmax =", t.headings[t.headings.size() - 2]);
    EXPECT_EQ("FAILS", at(t, 0, "Verdict"));
    EXPECT_EQ("PASSES", at(t, 1, "Verdict"));
    EXPECT_EQ("1.01", at(t, 1, "UFmax ="));
    EXPECT_EQ("INPUT OUT OF LIMITS", at(t, 2, "Verdict"));
    EXPECT_EQ("NOT CALCULATED", at(t, 3, "Verdict"));
    // Each field outside its limits is told with its row, the value kept (also the wall of 0).
    ASSERT_EQ(2u, t.warnings.size());
    EXPECT_EQ(2, t.warnings[0].row);
    EXPECT_EQ("Wide", t.warnings[0].identification);
    EXPECT_EQ("input out of limits: UF = 7, limit 0.5 <= UF <= 1.5", t.warnings[0].text);
    EXPECT_EQ(3, t.warnings[1].row);
    EXPECT_EQ("input out of limits: t = 0, limit t >= 0.1", t.warnings[1].text);
}

TEST(SummaryTable, LongDatabaseGivesWhatOneRowAfterTheOtherGives) {
    State rowByRow = stateWith(test::mixedLines(600));
    State shared = rowByRow;
    const SummaryTable one = buildSummaryTable(rowByRow, kAll, [](int, int) {});
    const SummaryTable two = buildSummaryTable(shared, kAll);
    ASSERT_EQ(601u, one.lines.size());
    EXPECT_EQ(one.lines, two.lines);
    EXPECT_EQ(one.abovePermitted, two.abovePermitted);
    EXPECT_EQ(one.stopped.size(), two.stopped.size());
    EXPECT_EQ(one.warnings.size(), two.warnings.size());
    EXPECT_TRUE(rowByRow.res == shared.res);
}

// ---- Workbook ----------------------------------------------------------------------------

// One member of a zip archive, read with python3's zipfile; empty when python3 is missing.
std::string zipMember(const std::string& zip, const std::string& member) {
    const std::string cmd = "python3 -c \"import sys,zipfile; "
                            "sys.stdout.write(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2])"
                            ".decode())\" '" +
                            zip + "' '" + member + "' 2>/dev/null";
    std::string out;
    if (FILE* p = ::popen(cmd.c_str(), "r")) {
        char buf[4096];
        size_t n = 0;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

std::string unescapeXml(std::string s) {
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}}) {
        for (size_t p = s.find(from); p != std::string::npos; p = s.find(from, p + 1))
            s.replace(p, from.size(), to);
    }
    return s;
}

// The cells of the first worksheet by reference: a text cell's text, a number cell's value as
// written, and the style index of each.
struct SheetCells {
    std::map<std::string, std::string> text;
    std::map<std::string, std::string> number;
    std::map<std::string, int> style;
};

SheetCells sheetCells(const std::string& path) {
    std::vector<std::string> strings;
    const std::string shared = zipMember(path, "xl/sharedStrings.xml");
    const std::regex si("<si><t[^>]*>([^<]*)</t></si>");
    for (auto it = std::sregex_iterator(shared.begin(), shared.end(), si);
         it != std::sregex_iterator(); ++it)
        strings.push_back(unescapeXml((*it)[1]));
    SheetCells out;
    const std::string sheet = zipMember(path, "xl/worksheets/sheet1.xml");
    const std::regex cell(
        "<c r=\"([A-Z]+[0-9]+)\"( s=\"([0-9]+)\")?( t=\"s\")?><v>([^<]*)</v></c>");
    for (auto it = std::sregex_iterator(sheet.begin(), sheet.end(), cell);
         it != std::sregex_iterator(); ++it) {
        const std::string ref = (*it)[1];
        if ((*it)[4].matched)
            out.text[ref] = strings.at(std::stoul((*it)[5]));
        else
            out.number[ref] = (*it)[5];
        out.style[ref] = (*it)[3].matched ? std::stoi((*it)[3]) : 0;
    }
    return out;
}

// The number format and whether the font is the failing red, of each cell style in order.
struct CellStyle {
    std::string numberFormat;
    bool red = false;
};
std::vector<CellStyle> cellStyles(const std::string& path) {
    const std::string styles = zipMember(path, "xl/styles.xml");
    std::map<std::string, std::string> codes = {{"0", "General"}};
    const std::regex numFmt("<numFmt numFmtId=\"([0-9]+)\" formatCode=\"([^\"]*)\"/>");
    for (auto it = std::sregex_iterator(styles.begin(), styles.end(), numFmt);
         it != std::sregex_iterator(); ++it)
        codes[(*it)[1]] = (*it)[2];
    std::vector<bool> redFonts;
    const std::regex font("<font>(.*?)</font>");
    for (auto it = std::sregex_iterator(styles.begin(), styles.end(), font);
         it != std::sregex_iterator(); ++it)
        redFonts.push_back(std::string((*it)[1]).find("FFC00000") != std::string::npos);
    std::vector<CellStyle> out;
    const size_t xfs = styles.find("<cellXfs");
    const std::regex xf("<xf numFmtId=\"([0-9]+)\" fontId=\"([0-9]+)\"");
    for (auto it = std::sregex_iterator(styles.begin() + static_cast<long>(xfs), styles.end(), xf);
         it != std::sregex_iterator(); ++it)
        out.push_back({codes[(*it)[1]], redFonts.at(std::stoul((*it)[2]))});
    return out;
}

TEST(SummaryWorkbook, NumbersAreNumbersWithTheShownDecimals) {
    ScratchDir dir;
    SummaryTable table;
    table.decimalSep = ',';
    table.headings = {"Ident", "fyk", "t", "Stiff prof", "UFmax =", "Verdict"};
    table.lines = {{"% Leg <A> & B, a comment longer than every case row"},
                   {"Case 1", "355", "12,0", "L 200x90x9x12", "0,85", "PASSES"},
                   {"2", "355", "9,5", "N/A", "1,10", "FAILS"},
                   {"Bad", "355", "0,0", "N/A", "Error", "NOT CALCULATED"}};
    table.abovePermitted = {{}, {}, {4}, {}};
    const std::string path = dir.file("summary.xlsx");
    ASSERT_EQ("", writeSummaryWorkbook(table, path));
    if (zipMember(path, "xl/workbook.xml").empty())
        GTEST_SKIP() << "python3 zipfile not available";

    const SheetCells cells = sheetCells(path);
    const std::map<std::string, std::string> texts = {
        {"A1", "Ident"},
        {"B1", "fyk"},
        {"C1", "t"},
        {"D1", "Stiff prof"},
        {"E1", "UFmax ="},
        {"F1", "Verdict"},
        {"A2", "% Leg <A> & B, a comment longer than every case row"},
        {"A3", "Case 1"},
        {"D3", "L 200x90x9x12"},
        {"F3", "PASSES"},
        {"A4", "2"},
        {"D4", "N/A"},
        {"F4", "FAILS"},
        {"A5", "Bad"},
        {"D5", "N/A"},
        {"E5", "Error"},
        {"F5", "NOT CALCULATED"}};
    EXPECT_EQ(texts, cells.text);
    // The comma-locale texts are numbers; an identification "2" stays a name.
    const std::map<std::string, std::string> numbers = {
        {"B3", "355"}, {"C3", "12"},  {"E3", "0.85"}, {"B4", "355"},
        {"C4", "9.5"}, {"E4", "1.1"}, {"B5", "355"},  {"C5", "0"}};
    EXPECT_EQ(numbers, cells.number);

    const std::vector<CellStyle> styles = cellStyles(path);
    auto styleOf = [&](const std::string& ref) {
        return styles.at(static_cast<size_t>(cells.style.at(ref)));
    };
    EXPECT_EQ("0", styleOf("B3").numberFormat);
    EXPECT_EQ("0.0", styleOf("C3").numberFormat);
    EXPECT_EQ("0.00", styleOf("E3").numberFormat);
    EXPECT_EQ("0.00", styleOf("E4").numberFormat);
    // Only the failing usage factor is red.
    EXPECT_TRUE(styleOf("E4").red);
    EXPECT_FALSE(styleOf("E3").red);
    EXPECT_FALSE(styleOf("C4").red);
    EXPECT_FALSE(styleOf("F4").red);

    const std::string sheet = zipMember(path, "xl/worksheets/sheet1.xml");
    // The heading row and the Ident column stay in view.
    EXPECT_TRUE(std::regex_search(
        sheet,
        std::regex("<pane xSplit=\"1\" ySplit=\"1\" topLeftCell=\"B2\"[^>]* state=\"frozen\"")));
    // Every column fitted to its heading and case cells (plus one character): A to "Case 1",
    // not to the comment that runs on beside it; D to the designation; F to "NOT CALCULATED".
    for (const auto& [col, width] : std::vector<std::pair<int, std::string>>{
             {1, "7.7109375"}, {2, "4.7109375"}, {4, "14.7109375"}, {6, "15.7109375"}})
        EXPECT_NE(std::string::npos, sheet.find("<col min=\"" + std::to_string(col) + "\" max=\"" +
                                                std::to_string(col) + "\" width=\"" + width + "\""))
            << col;
    EXPECT_EQ(std::string::npos, sheet.find("<col min=\"7\""));
}

TEST(SummaryWorkbook, NumberCellsTakeOnlyWholeNumbers) {
    struct Case {
        const char* text;
        char sep;
        double value;
        const char* format; // "" for a text cell
    };
    const Case cases[] = {{"0.85", '.', 0.85, "0.00"},
                          {"-12,5", ',', -12.5, "0.0"},
                          {"355", '.', 355, "0"},
                          {"2.10E+5", '.', 2.1e5, "0.00E+0"},
                          {"1.234E-03", '.', 1.234e-3, "0.000E+00"},
                          {"12,5", '.', 0, ""},
                          {"12.5", ',', 0, ""},
                          {"N/A", '.', 0, ""},
                          {"L 200x90x9x12", '.', 0, ""},
                          {"", '.', 0, ""},
                          {"-", '.', 0, ""},
                          {"1.", '.', 0, ""},
                          {".5", '.', 0, ""},
                          {"0.85 ", '.', 0, ""},
                          {"1E", '.', 0, ""},
                          {"inf", '.', 0, ""}};
    for (const Case& c : cases) {
        const auto cell = numberCell(c.text, c.sep);
        if (*c.format == '\0') {
            EXPECT_FALSE(cell) << c.text;
            continue;
        }
        ASSERT_TRUE(cell) << c.text;
        EXPECT_DOUBLE_EQ(c.value, cell->value) << c.text;
        EXPECT_EQ(c.format, cell->format) << c.text;
    }
}

TEST(SummaryWorkbook, UnwritablePathKeepsNothingBehind) {
    ScratchDir dir;
    SummaryTable table;
    table.headings = {"Ident"};
    EXPECT_EQ("can't save file - " + dir.file("no/summary.xlsx"),
              writeSummaryWorkbook(table, dir.file("no/summary.xlsx")));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(TableWorkbook, TextsAndNumbersReadBackWithFittedColumns) {
    ScratchDir dir;
    WorkbookTable table;
    table.headings = {"t", "message", "shell"};
    const double none = std::numeric_limits<double>::quiet_NaN();
    table.rows = {{12.5, std::string("a <long> & quoted text"), 0.8731},
                  {13.0, std::string(), none}};
    const std::string path = dir.file("points.xlsx");
    ASSERT_EQ("", writeTableWorkbook(table, path));
    const std::string sheet = zipMember(path, "xl/worksheets/sheet1.xml");
    if (sheet.empty())
        GTEST_SKIP() << "python3 zipfile not available";
    const std::string shared = unescapeXml(zipMember(path, "xl/sharedStrings.xml"));
    for (const char* text : {"t", "message", "shell", "a <long> & quoted text"})
        EXPECT_NE(std::string::npos, shared.find(std::string(">") + text + "<")) << text;
    // Numbers are number cells; an empty text and a number that is not finite are no cells.
    EXPECT_NE(std::string::npos, sheet.find("<c r=\"A2\"><v>12.5</v></c>"));
    EXPECT_NE(std::string::npos, sheet.find("<c r=\"C2\"><v>0.8731</v></c>"));
    EXPECT_NE(std::string::npos, sheet.find("<c r=\"A3\"><v>13</v></c>"));
    EXPECT_EQ(std::string::npos, sheet.find("r=\"B3\""));
    EXPECT_EQ(std::string::npos, sheet.find("r=\"C3\""));
    // Column B as wide as its 22-character text and one more, C as "0.8731" and one more.
    EXPECT_NE(std::string::npos, sheet.find("<col min=\"2\" max=\"2\" width=\"23.7109375\""));
    EXPECT_NE(std::string::npos, sheet.find("<col min=\"3\" max=\"3\" width=\"7.7109375\""));
}

TEST(TableWorkbook, FailedWriteKeepsTheOldFile) {
    ScratchDir dir;
    WorkbookTable table;
    table.headings = {"t"};
    // A folder in the way: the rename over it fails, the folder and what it holds stay.
    const std::string path = dir.file("taken.xlsx");
    std::filesystem::create_directories(path + "/inside");
    EXPECT_EQ("can't save file - " + path, writeTableWorkbook(table, path));
    EXPECT_TRUE(std::filesystem::is_directory(path + "/inside"));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.path()),
                               std::filesystem::directory_iterator()));
}

} // namespace
} // namespace velmora
