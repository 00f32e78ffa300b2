// Case files with several load cases: the first load case in the 59 lines, the others in the
// section after them.
#include "files/CaseFile.h"

#include "base/CodePage.h"
#include "case/DesignCase.h"
#include "case/LoadCases.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

using Lines = std::vector<std::string>;

std::string join(const Lines& lines) {
    std::string s;
    for (const auto& l : lines)
        s += l + "\r\n";
    return s;
}

// A new case with three load cases, the second one selected: "Operation" (the new case's
// loads), "Storm" and "Transport".
DesignCase threeLoadCases() {
    DesignCase dc;
    renameLoadCase(dc, 0, "Operation");
    addLoadCase(dc);
    renameLoadCase(dc, 1, "Storm");
    dc.designFormat = DesignFormat::WSD;
    dc.UF = 0.8f;
    dc.Sigx = -150.5f;
    dc.Sigy = -20;
    dc.Tau = 12.25f;
    dc.pd = -0.45f;
    dc.N = -2000;
    dc.M1a = 1;
    dc.M1b = 2;
    dc.M2a = 3;
    dc.M2b = 4;
    addLoadCase(dc);
    renameLoadCase(dc, 2, "Transport \xC3\xBC"); // ü: one byte in the file
    dc.Sigx = 5;
    selectLoadCase(dc, 1);
    return dc;
}

// The lines the section of threeLoadCases() must be written as.
const Lines kSection = {
    "[Load cases]", "3", "2", "Operation",
    // Storm: name, design format, UF, Sigx, Sigy, Tau, pd, N, M1a, M2a, M1b, M2b
    "Storm", "1", "0.8", "-150.5", "-20", "12.25", "-0.45", "-2000", "1", "3", "2", "4",
    // Transport: the WSD format and UF of the load case selected when it was added, the other
    // loads those of a new case
    "Transport \xFC", "1", "0.8", "5", "-10", "40", "-0.3", "-1000", "-200", "-100", "100", "100"};

TEST(LoadCaseSection, OneLoadCaseIsWrittenAsEver) {
    // Added and deleted again, or renamed: still 59 lines, the same bytes as a new case.
    DesignCase dc;
    const std::string plain = caseFileText(dc);
    addLoadCase(dc);
    deleteLoadCase(dc, 1);
    renameLoadCase(dc, 0, "Only");
    EXPECT_EQ(plain, caseFileText(dc));
    EXPECT_EQ(59u, splitLines(plain).size());
}

TEST(LoadCaseSection, FirstLoadCaseFillsTheLinesTheOthersFollow) {
    const DesignCase dc = threeLoadCases();
    const Lines lines = splitLines(caseFileText(dc));
    ASSERT_EQ(59u + kSection.size(), lines.size());
    // The 59 lines are those of the case with its first load case alone.
    DesignCase first;
    first.projectName = dc.projectName;
    const Lines plain = splitLines(caseFileText(first));
    EXPECT_EQ(plain, Lines(lines.begin(), lines.begin() + 59));
    EXPECT_EQ(kSection, Lines(lines.begin() + 59, lines.end()));
}

TEST(LoadCaseSection, SeveralLoadCasesReadBackEqual) {
    const DesignCase dc = threeLoadCases();
    DesignCase back;
    std::string error;
    ASSERT_TRUE(parseCaseFile(caseFileText(dc), DesignCase{}, back, error)) << error;
    EXPECT_EQ(dc, back);
    EXPECT_EQ("Storm", back.loadCaseName);
    EXPECT_EQ(-150.5f, back.Sigx);
    EXPECT_EQ("Transport \xC3\xBC", loadCaseAt(back, 2).name);
}

TEST(LoadCaseSection, AReaderOfFiftyNineLinesSeesTheFirstLoadCase) {
    const Lines lines = splitLines(caseFileText(threeLoadCases()));
    DesignCase back;
    std::string error;
    ASSERT_TRUE(parseCaseFile(join(Lines(lines.begin(), lines.begin() + 59)), threeLoadCases(),
                              back, error))
        << error;
    EXPECT_EQ(1, loadCaseCount(back));
    EXPECT_EQ(LoadCase{}, selectedLoadCase(back));
}

TEST(LoadCaseSection, ACutSectionChangesNothing) {
    const Lines lines = splitLines(caseFileText(threeLoadCases()));
    const DesignCase before = threeLoadCases();
    for (size_t keep = 60; keep < lines.size(); ++keep) {
        DesignCase out = before;
        std::string error;
        EXPECT_FALSE(
            parseCaseFile(join(Lines(lines.begin(), lines.begin() + static_cast<long>(keep))),
                          DesignCase{}, out, error))
            << keep;
        EXPECT_EQ("line " + std::to_string(keep + 1) + ": missing, the file ends before it", error);
        EXPECT_EQ(before, out);
    }
}

TEST(LoadCaseSection, AMalformedSectionIsRefusedByLine) {
    const Lines good = splitLines(caseFileText(threeLoadCases()));
    struct Bad {
        size_t line;
        const char* text;
    };
    const Bad bad[] = {{61, "1"},
                       {61, "31"},
                       {61, "x"},
                       {62, "0"},
                       {62, "4"},
                       {63, ""},
                       {64, "Operation"},
                       {65, "2"},
                       {66, "1,5"},
                       {68, "a"},
                       {76, "LC1 is a name far longer than thirty"},
                       {77, "-1"},
                       {87, "nan"}};
    const DesignCase before = threeLoadCases();
    for (const Bad& b : bad) {
        Lines lines = good;
        lines.at(b.line - 1) = b.text;
        DesignCase out = before;
        std::string error;
        EXPECT_FALSE(parseCaseFile(join(lines), DesignCase{}, out, error)) << b.line;
        EXPECT_EQ(0u, error.rfind("line " + std::to_string(b.line) + ":", 0)) << error;
        EXPECT_EQ(before, out);
    }
}

TEST(LoadCaseSection, OtherLinesAfterTheCaseAreNoSection) {
    Lines lines = splitLines(caseFileText(DesignCase{}));
    lines.push_back("Load cases");
    lines.push_back("3");
    DesignCase base = threeLoadCases();
    DesignCase out;
    std::string error;
    ASSERT_TRUE(parseCaseFile(join(lines), base, out, error)) << error;
    EXPECT_EQ(DesignCase{}, out);
}

} // namespace
} // namespace velmora
