#include "files/CaseFile.h"
#include "calc/Calc.h"
#include "calc/CaseIo.h"
#include "files/DataFiles.h"

#include "base/CodePage.h"
#include "base/FileIo.h"
#include "calc/State.h"
#include "sections/Materials.h"
#include "sections/ProfileTables.h"
#include "support/RecordingNotifier.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace velmora;

namespace {

using Lines = std::vector<std::string>;

std::string join(const Lines& lines, const char* eol = "\r\n") {
    std::string s;
    for (const auto& l : lines)
        s += l + eol;
    return s;
}

DesignCase newDesignCase() {
    State st;
    newCase(st);
    return st.dc;
}

// The lines a new case must be written as.
const Lines kNewCaseLines = {
    "185", "Project", "Test", "2",      "2",    "2",    "0",    "0",   "0",    "0",    "1",  "2",
    "0",   "1",       "1",    "0",      "0",    "0",    "0",    "0",   "0",    "0",    "2",  "0",
    "0",   "0",       "0",    "210000", "600",  "3000", "3000", "600", "6000", "1500", "20", "-100",
    "-10", "40",      "-0.3", "200",    "90",   "1",    "9",    "12",  "200",  "90",   "1",  "9",
    "12",  "0",       "0",    "-1000",  "-200", "-100", "100",  "100", "1",    "1",    "0"};

// A case with every field different from a new case, as the file holds it (Windows-1252).
const Lines kDistinctLines = {
    "185",
    "Pr\xFC"
    "fstand, \"A\"; 1",
    "Fall 2 \x96 S\xFC"
    "d, 'x'",
    "3",       // plateMaterial
    "4",       // stiffMaterial
    "5",       // ringMaterial
    "355",     // fyp
    "315",     // fys
    "275.5",   // fyr
    "1",       // designFormat
    "0.85",    // UF
    "1",       // cylinderType
    "1",       // outsideStiffening
    "1",       // fixedFlag
    "0",       // ringControl
    "1",       // specialIh
    "1",       // ringFabrication
    "7",       // stiffKind RHS
    "3",       // stiff rowBulb
    "4",       // stiff rowL
    "5",       // stiff rowT
    "6",       // stiff rowFlat
    "8",       // ringKind trapezoid
    "7",       // ring rowBulb
    "8",       // ring rowL
    "9",       // ring rowT
    "10",      // ring rowFlat
    "205000",  // E
    "650.5",   // s
    "2750",    // l
    "2400",    // ltStiff
    "725",     // ltRing
    "12500",   // L
    "2250.25", // r
    "22.5",    // t
    "-123.5",  // Sigx
    "-15.75",  // Sigy
    "33.125",  // Tau
    "0.45",    // pd
    "250",     // stiff H
    "100",     // stiff B
    "7",       // stiff a
    "11",      // stiff tw
    "14.5",    // stiff tf
    "400",     // ring H
    "150",     // ring B
    "60",      // ring a
    "12",      // ring tw
    "18",      // ring tf
    "1",       // heavyRingControl
    "5",       // spareFlag
    "-2500.5", // N
    "-310",    // M1a
    "-120.5",  // M2a
    "210",     // M1b
    "95.25",   // M2b
    "0.7",     // k1
    "2.1",     // k2
    "1",       // dimMoment
};

void expectDistinctCase(const DesignCase& dc) {
    EXPECT_EQ(dc.projectName, "Pr\xC3\xBC"
                              "fstand, \"A\"; 1");
    EXPECT_EQ(dc.identification, "Fall 2 \xE2\x80\x93 S\xC3\xBC"
                                 "d, 'x'");
    EXPECT_EQ(dc.plateMaterial, 3);
    EXPECT_EQ(dc.stiffMaterial, 4);
    EXPECT_EQ(dc.ringMaterial, 5);
    EXPECT_EQ(dc.fyp, 355.0f);
    EXPECT_EQ(dc.fys, 315.0f);
    EXPECT_EQ(dc.fyr, 275.5f);
    EXPECT_EQ(dc.designFormat, DesignFormat::WSD);
    EXPECT_EQ(dc.UF, 0.85f);
    EXPECT_EQ(dc.cylinderType, CylinderType::RingStiffened);
    EXPECT_EQ(dc.outsideStiffening, 1);
    EXPECT_EQ(dc.fixedFlag, 1);
    EXPECT_EQ(dc.ringControl, 0);
    EXPECT_EQ(dc.specialIh, 1);
    EXPECT_EQ(dc.ringFabrication, 1);
    EXPECT_EQ(dc.stiff.kind, 7);
    EXPECT_EQ(dc.stiff.rowBulb, 3);
    EXPECT_EQ(dc.stiff.rowL, 4);
    EXPECT_EQ(dc.stiff.rowT, 5);
    EXPECT_EQ(dc.stiff.rowFlat, 6);
    EXPECT_EQ(dc.ring.kind, 8);
    EXPECT_EQ(dc.ring.rowBulb, 7);
    EXPECT_EQ(dc.ring.rowL, 8);
    EXPECT_EQ(dc.ring.rowT, 9);
    EXPECT_EQ(dc.ring.rowFlat, 10);
    EXPECT_EQ(dc.E, 205000.0f);
    EXPECT_EQ(dc.s, 650.5f);
    EXPECT_EQ(dc.l, 2750.0f);
    EXPECT_EQ(dc.ltStiff, 2400.0f);
    EXPECT_EQ(dc.ltRing, 725.0f);
    EXPECT_EQ(dc.L, 12500.0f);
    EXPECT_EQ(dc.r, 2250.25f);
    EXPECT_EQ(dc.t, 22.5f);
    EXPECT_EQ(dc.Sigx, -123.5f);
    EXPECT_EQ(dc.Sigy, -15.75f);
    EXPECT_EQ(dc.Tau, 33.125f);
    EXPECT_EQ(dc.pd, 0.45f);
    EXPECT_EQ(dc.stiff.H, 250.0f);
    EXPECT_EQ(dc.stiff.B, 100.0f);
    EXPECT_EQ(dc.stiff.a, 7.0f);
    EXPECT_EQ(dc.stiff.tw, 11.0f);
    EXPECT_EQ(dc.stiff.tf, 14.5f);
    EXPECT_EQ(dc.ring.H, 400.0f);
    EXPECT_EQ(dc.ring.B, 150.0f);
    EXPECT_EQ(dc.ring.a, 60.0f);
    EXPECT_EQ(dc.ring.tw, 12.0f);
    EXPECT_EQ(dc.ring.tf, 18.0f);
    // The ring-frame check is off in this case, so its heavy ring-frame switch reads as off.
    EXPECT_EQ(dc.heavyRingControl, 0);
    EXPECT_EQ(dc.spareFlag, 5);
    EXPECT_EQ(dc.N, -2500.5f);
    EXPECT_EQ(dc.M1a, -310.0f);
    EXPECT_EQ(dc.M2a, -120.5f);
    EXPECT_EQ(dc.M1b, 210.0f);
    EXPECT_EQ(dc.M2b, 95.25f);
    EXPECT_EQ(dc.k1, 0.7f);
    EXPECT_EQ(dc.k2, 2.1f);
    EXPECT_EQ(dc.dimMoment, 1);
}

// Field by field, including what the file does not hold (corner radii, saved sets).
void expectSameCase(const DesignCase& a, const DesignCase& b) {
    EXPECT_EQ(caseFileText(a), caseFileText(b));
    for (auto [p, q] : {std::pair{&a.stiff, &b.stiff}, std::pair{&a.ring, &b.ring}}) {
        EXPECT_EQ(p->Ro, q->Ro);
        EXPECT_EQ(p->Ri, q->Ri);
        for (int16_t k = 0; k < ProfileKind::Count; ++k) {
            EXPECT_EQ(p->savedSet(k).H, q->savedSet(k).H) << k;
            EXPECT_EQ(p->savedSet(k).B, q->savedSet(k).B) << k;
            EXPECT_EQ(p->savedSet(k).a, q->savedSet(k).a) << k;
            EXPECT_EQ(p->savedSet(k).tw, q->savedSet(k).tw) << k;
            EXPECT_EQ(p->savedSet(k).tf, q->savedSet(k).tf) << k;
        }
    }
}

// A base case whose column data and switches differ from both files above, to see which
// fields an older file leaves alone.
DesignCase markedBase() {
    DesignCase b = newDesignCase();
    b.heavyRingControl = 1;
    b.spareFlag = 9;
    b.N = 777;
    b.M1a = 11;
    b.M2a = 22;
    b.M1b = 33;
    b.M2b = 44;
    b.k1 = 0.5f;
    b.k2 = 0.6f;
    b.dimMoment = 1;
    return b;
}

Lines withLine(Lines lines, int line, const std::string& text) {
    lines.at(static_cast<size_t>(line - 1)) = text;
    return lines;
}

// ---------------------------------------------------------------------------------------------
// Writing

TEST(CaseFileWrite, NewCaseLayout) {
    const std::string text = caseFileText(newDesignCase());
    EXPECT_EQ(text, join(kNewCaseLines));
    // CR LF everywhere and nothing else.
    size_t lf = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') {
            ++lf;
            EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
        }
    EXPECT_EQ(lf, 59u);
}

TEST(CaseFileWrite, DistinctCaseIsWrittenLineForLine) {
    DesignCase dc;
    std::string error;
    ASSERT_TRUE(parseCaseFile(join(kDistinctLines), newDesignCase(), dc, error)) << error;
    EXPECT_EQ(caseFileText(dc), join(withLine(kDistinctLines, 50, "0")));
}

TEST(CaseFileWrite, TextsAreCodePageBytesOnOneLine) {
    DesignCase dc = newDesignCase();
    dc.projectName = "Br\xC3\xBC"
                     "cke \xE2\x82\xAC 5 \xE4\xB8\xAD";
    dc.identification = "two\r\nlines\n";
    const Lines lines = splitLines(caseFileText(dc));
    ASSERT_EQ(lines.size(), 59u);
    EXPECT_EQ(lines[1], "Br\xFC"
                        "cke \x80 5 ?");
    EXPECT_EQ(lines[2], "two  lines ");
    EXPECT_EQ(lines[3], "2");
}

// ---------------------------------------------------------------------------------------------
// Reading

TEST(CaseFileParse, ReadsEveryField) {
    DesignCase dc;
    std::string error;
    ASSERT_TRUE(parseCaseFile(join(kDistinctLines), newDesignCase(), dc, error)) << error;
    expectDistinctCase(dc);
}

TEST(CaseFileParse, LineFeedOnlyAndExtraLines) {
    Lines lines = kDistinctLines;
    lines.push_back("something a later version added");
    lines.push_back("");
    DesignCase dc;
    std::string error;
    ASSERT_TRUE(parseCaseFile(join(lines, "\n"), newDesignCase(), dc, error)) << error;
    expectDistinctCase(dc);
    // No line end after the last line.
    std::string text = join(kDistinctLines);
    text.resize(text.size() - 2);
    ASSERT_TRUE(parseCaseFile(text, newDesignCase(), dc, error)) << error;
    expectDistinctCase(dc);
}

TEST(CaseFileParse, OlderNumberNotations) {
    Lines lines = withLine(kNewCaseLines, 39, "-.3");
    lines = withLine(lines, 28, "2.1E+05");
    lines = withLine(lines, 34, "  1500  ");
    lines = withLine(lines, 11, ".5");
    lines = withLine(lines, 4, " 3 ");
    lines = withLine(lines, 5, "+4");
    DesignCase dc;
    std::string error;
    ASSERT_TRUE(parseCaseFile(join(lines), DesignCase{}, dc, error)) << error;
    EXPECT_EQ(dc.pd, -0.3f);
    EXPECT_EQ(dc.E, 210000.0f);
    EXPECT_EQ(dc.r, 1500.0f);
    EXPECT_EQ(dc.UF, 0.5f);
    EXPECT_EQ(dc.plateMaterial, 3);
    EXPECT_EQ(dc.stiffMaterial, 4);
}

TEST(CaseFileParse, FixedFlagIsAlwaysOneAfterReading) {
    DesignCase dc;
    std::string error;
    ASSERT_TRUE(parseCaseFile(join(withLine(kDistinctLines, 14, "0")), newDesignCase(), dc, error))
        << error;
    EXPECT_EQ(dc.fixedFlag, 1);
    ASSERT_TRUE(parseCaseFile(join(withLine(kDistinctLines, 14, "-7")), newDesignCase(), dc, error))
        << error;
    EXPECT_EQ(dc.fixedFlag, 1);
}

TEST(CaseFileParse, HeavyRingSwitchNeedsTheRingFrameCheck) {
    // Line 15 is the ring-frame check, line 50 the heavy ring-frame check built on it.
    DesignCase dc;
    std::string error;
    ASSERT_TRUE(parseCaseFile(join(withLine(kDistinctLines, 15, "1")), newDesignCase(), dc, error))
        << error;
    EXPECT_EQ(dc.ringControl, 1);
    EXPECT_EQ(dc.heavyRingControl, 1);
    EXPECT_EQ(dc.spareFlag, 5);
    ASSERT_TRUE(parseCaseFile(join(kDistinctLines), newDesignCase(), dc, error)) << error;
    EXPECT_EQ(dc.ringControl, 0);
    EXPECT_EQ(dc.heavyRingControl, 0);
}

TEST(CaseFileParse, Version120ReadsOnlyTheHeavyRingSwitch) {
    const DesignCase base = markedBase();
    Lines lines = withLine(kDistinctLines, 1, "120");
    lines = withLine(lines, 50, "0");
    DesignCase dc;
    std::string error;
    ASSERT_TRUE(parseCaseFile(join(lines), base, dc, error)) << error;
    EXPECT_EQ(dc.heavyRingControl, 0);
    EXPECT_EQ(dc.spareFlag, 9);
    EXPECT_EQ(dc.N, 777.0f);
    EXPECT_EQ(dc.M1a, 11.0f);
    EXPECT_EQ(dc.M2a, 22.0f);
    EXPECT_EQ(dc.M1b, 33.0f);
    EXPECT_EQ(dc.M2b, 44.0f);
    EXPECT_EQ(dc.k1, 0.5f);
    EXPECT_EQ(dc.k2, 0.6f);
    EXPECT_EQ(dc.dimMoment, 1);
    // Lines 2 to 49 are read all the same.
    EXPECT_EQ(dc.stiff.tf, 14.5f);
    EXPECT_EQ(dc.ring.tf, 18.0f);

    // Versions 106 and 130 are the limits of this layout: 50 lines are enough.
    const Lines fifty(lines.begin(), lines.begin() + 50);
    for (const char* v : {"106", "130"})
        EXPECT_TRUE(parseCaseFile(join(withLine(fifty, 1, v)), base, dc, error)) << v << error;
    EXPECT_FALSE(parseCaseFile(join(withLine(fifty, 1, "131")), base, dc, error));
    EXPECT_EQ(error.rfind("line 51:", 0), 0u) << error;
}

TEST(CaseFileParse, Version100StopsAfterTheRingFrame) {
    const DesignCase base = markedBase();
    const Lines lines(kDistinctLines.begin(), kDistinctLines.begin() + 49);
    DesignCase dc;
    std::string error;
    ASSERT_TRUE(parseCaseFile(join(withLine(lines, 1, "100")), base, dc, error)) << error;
    // The switch is not in the file; the base's is kept only while the ring-frame check is on.
    EXPECT_EQ(dc.heavyRingControl, 0);
    ASSERT_TRUE(parseCaseFile(join(withLine(withLine(lines, 1, "100"), 15, "1")), base, dc, error))
        << error;
    EXPECT_EQ(dc.heavyRingControl, 1);
    EXPECT_EQ(dc.spareFlag, 9);
    EXPECT_EQ(dc.N, 777.0f);
    EXPECT_EQ(dc.dimMoment, 1);
    EXPECT_EQ(dc.ring.tf, 18.0f);
    EXPECT_EQ(dc.projectName, "Pr\xC3\xBC"
                              "fstand, \"A\"; 1");

    EXPECT_TRUE(parseCaseFile(join(withLine(lines, 1, "105")), base, dc, error)) << error;
    EXPECT_TRUE(parseCaseFile(join(withLine(lines, 1, "-3")), base, dc, error)) << error;
    EXPECT_FALSE(parseCaseFile(join(withLine(lines, 1, "106")), base, dc, error));
    EXPECT_EQ(error.rfind("line 50:", 0), 0u) << error;
}

TEST(CaseFileParse, TruncatedFileChangesNothing) {
    const Lines thirty(kDistinctLines.begin(), kDistinctLines.begin() + 30);
    const DesignCase before = markedBase();
    DesignCase dc = before;
    std::string error;
    EXPECT_FALSE(parseCaseFile(join(thirty), newDesignCase(), dc, error));
    EXPECT_EQ(error.rfind("line 31:", 0), 0u) << error;
    expectSameCase(dc, before);

    EXPECT_FALSE(parseCaseFile("", newDesignCase(), dc, error));
    EXPECT_EQ(error.rfind("line 1:", 0), 0u) << error;
    EXPECT_FALSE(parseCaseFile("185\r\n", newDesignCase(), dc, error));
    EXPECT_EQ(error.rfind("line 2:", 0), 0u) << error;
    expectSameCase(dc, before);
}

struct BadLine {
    int line;
    const char* text;
};

// Lines a case file must not hold; each refusal names its line.
const BadLine kBadLines[] = {
    {1, "abc"},  {1, "185.0"},  {1, ""},       {4, "-1"},      {5, "2.5"},    {6, "x"},
    {7, "2O"},   {8, ""},       {9, "1,5"},    {10, "2"},      {11, "1e"},    {12, "4"},
    {12, "-1"},  {13, "2"},     {15, "yes"},   {16, "-1"},     {17, "2"},     {18, "10"},
    {19, "-1"},  {20, "40000"}, {21, "1 2"},   {22, "-32769"}, {23, "-1"},    {25, "1.0"},
    {27, "-2"},  {28, "nan"},   {34, "inf"},   {35, "1e39"},   {39, "-.3.1"}, {44, "12mm"},
    {49, "--1"}, {50, "2"},     {51, "70000"}, {52, "."},      {56, "+-1"},   {59, "2"},
};

TEST(CaseFileParse, BadLinesAreRefusedByLine) {
    const DesignCase before = markedBase();
    for (const BadLine& b : kBadLines) {
        DesignCase dc = before;
        std::string error;
        EXPECT_FALSE(parseCaseFile(join(withLine(kDistinctLines, b.line, b.text)), newDesignCase(),
                                   dc, error))
            << "line " << b.line << " \"" << b.text << "\"";
        const std::string prefix = "line " + std::to_string(b.line) + ":";
        EXPECT_EQ(error.rfind(prefix, 0), 0u) << error;
        expectSameCase(dc, before);
    }
}

TEST(CaseFileParse, IntegerLimitsAreAccepted) {
    Lines lines = withLine(kDistinctLines, 51, "-32768");
    lines = withLine(lines, 20, "32767");
    DesignCase dc;
    std::string error;
    ASSERT_TRUE(parseCaseFile(join(lines), newDesignCase(), dc, error)) << error;
    EXPECT_EQ(dc.spareFlag, -32768);
    EXPECT_EQ(dc.stiff.rowL, 32767);
}

// ---------------------------------------------------------------------------------------------
// Files on disk

class CaseFileDisk : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::path(::testing::TempDir()) / "velmora-casefile-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        newCase(st);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    std::string put(const std::string& name, const std::string& bytes) {
        const std::string p = (dir / name).string();
        std::ofstream f(p, std::ios::binary);
        f << bytes;
        return p;
    }

    fs::path dir;
    State st;
};

TEST_F(CaseFileDisk, WriteThenReadGivesTheSameCase) {
    DesignCase dc;
    std::string error;
    ASSERT_TRUE(parseCaseFile(join(kDistinctLines), st.dc, dc, error)) << error;
    st.dc = dc;
    const std::string path = (dir / "distinct.cys").string();
    EXPECT_EQ(writeCaseFile(st, path), "");
    EXPECT_EQ(st.run.fileName, path);
    std::string bytes;
    ASSERT_TRUE(readFile(path, bytes));
    EXPECT_EQ(bytes, join(withLine(kDistinctLines, 50, "0")));

    State other;
    newCase(other);
    EXPECT_EQ(readCaseFile(other, path), "");
    EXPECT_EQ(other.run.fileName, path);
    expectDistinctCase(other.dc);
}

TEST_F(CaseFileDisk, FailedSaveKeepsTheFileName) {
    const std::string path = (dir / "missing" / "case.cys").string();
    EXPECT_EQ(writeCaseFile(st, path), "can't save file - " + path);
    EXPECT_EQ(st.run.fileName, "New File");
    EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST_F(CaseFileDisk, MissingFileChangesNothing) {
    st.dc.projectName = "Kept";
    const DesignCase before = st.dc;
    const std::string path = (dir / "nothing.cys").string();
    EXPECT_EQ(readCaseFile(st, path), "can't find file - " + path);
    EXPECT_EQ(st.run.fileName, "New File");
    expectSameCase(st.dc, before);
}

TEST_F(CaseFileDisk, BadFileChangesNothingAndNamesFileAndLine) {
    st.dc.projectName = "Kept";
    const DesignCase before = st.dc;
    const std::string path = put("bad.cys", join(withLine(kDistinctLines, 12, "x")));
    EXPECT_EQ(readCaseFile(st, path), path + ", line 12: not a whole number");
    EXPECT_EQ(st.run.fileName, "New File");
    expectSameCase(st.dc, before);

    const std::string cut =
        put("cut.cys", join(Lines(kDistinctLines.begin(), kDistinctLines.begin() + 30)));
    const std::string message = readCaseFile(st, cut);
    EXPECT_EQ(message.rfind(cut + ", line 31:", 0), 0u) << message;
    expectSameCase(st.dc, before);
}

TEST_F(CaseFileDisk, OpenOfAMissingFileDoesNothingElse) {
    RecordingNotifier nt;
    st.run.currentDir = "/start";
    const std::string path = (dir / "nothing.cys").string();
    EXPECT_EQ(openCase(st, nt, path), "can't find file - " + path);
    EXPECT_EQ(st.run.currentDir, "/start");
    EXPECT_TRUE(nt.calls.empty());
}

TEST_F(CaseFileDisk, OpenSetsTheFolderAndLooksUpTheYieldStrengths) {
    ASSERT_EQ(loadMaterials(VELMORA_DATA_DIR, st.materials), "");
    ASSERT_TRUE(loadProfileTables(VELMORA_DATA_DIR, st.profiles).empty());
    RecordingNotifier nt;
    // The file holds yield strengths of 0; material row 2 is NV-36, 355 MPa up to 100 mm.
    const std::string path = put("new.cys", join(kNewCaseLines));
    EXPECT_EQ(openCase(st, nt, path), "");
    EXPECT_EQ(st.run.fileName, path);
    EXPECT_EQ(fs::path(st.run.currentDir), dir);
    EXPECT_EQ(st.dc.fyp, 355.0f);
    EXPECT_EQ(st.dc.fys, 355.0f);
}

TEST_F(CaseFileDisk, CalculatedColumnCaseStoresTheTypedLoads) {
    ASSERT_EQ(loadMaterials(VELMORA_DATA_DIR, st.materials), "");
    ASSERT_TRUE(loadProfileTables(VELMORA_DATA_DIR, st.profiles).empty());
    st.dc.cylinderType = CylinderType::Column;
    st.dc.ringControl = 0;
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    const std::string path = (dir / "column.cys").string();
    ASSERT_EQ(writeCaseFile(st, path), "");
    State other;
    newCase(other);
    other.dc.Sigx = other.dc.Sigy = other.dc.Tau = 0;
    ASSERT_EQ(readCaseFile(other, path), "");
    EXPECT_EQ(other.dc.Sigx, -100.0f);
    EXPECT_EQ(other.dc.Sigy, -10.0f);
    EXPECT_EQ(other.dc.Tau, 40.0f);
}

// ---------------------------------------------------------------------------------------------
// Profile memories after reading

ProfileTable table(TableKind kind, std::vector<ProfileRow> rows) {
    ProfileTable t;
    t.kind = kind;
    t.rows = std::move(rows);
    return t;
}

class CaseFileProfileMemories : public CaseFileDisk {
protected:
    void SetUp() override {
        CaseFileDisk::SetUp();
        std::vector<ProfileRow> rows;
        for (int i = 0; i < 10; ++i)
            rows.push_back({100.0f + 10.0f * static_cast<float>(i), 65, 7, 7});
        rows[7] = {150, 90, 10, 12};
        rows[9] = {150, 90, 10, 12}; // the same dimensions again further down
        st.profiles.L = table(TableKind::L, rows);
        rows[3] = {150, 90, 10, 14}; // T row 3 differs from row 7 only in tf
        st.profiles.T = table(TableKind::T, rows);
        st.profiles.flat = table(TableKind::Flat, {{100, 0, 10}, {150, 0, 10}, {150, 0, 12}});
        st.profiles.bulb = table(TableKind::Bulb, {{120, 0, 6}, {140, 0, 7}, {160, 0, 8}});
    }

    // Reads a case whose stiffener is of `kind` with H, B, tw, tf and every row index 2.
    DesignCase readStiffener(int kind, const char* H, const char* B, const char* tw,
                             const char* tf) {
        Lines lines = withLine(kNewCaseLines, 18, std::to_string(kind));
        for (int line : {19, 20, 21, 22, 24, 25, 26, 27})
            lines = withLine(lines, line, "2");
        lines = withLine(lines, 23, "0"); // ring frame on the L table with the same dimensions
        lines = withLine(lines, 40, H);
        lines = withLine(lines, 41, B);
        lines = withLine(lines, 43, tw);
        lines = withLine(lines, 44, tf);
        lines = withLine(lines, 45, H);
        lines = withLine(lines, 46, B);
        lines = withLine(lines, 48, tw);
        lines = withLine(lines, 49, tf);
        const std::string path = put("rows.cys", join(lines));
        EXPECT_EQ(readCaseFile(st, path), "");
        return st.dc;
    }
};

TEST_F(CaseFileProfileMemories, LTableRowFollowsTheDimensions) {
    DesignCase dc = readStiffener(0, "150", "90", "10", "99");
    EXPECT_EQ(dc.stiff.rowL, 7); // the first of rows 7 and 9; tf is no L criterion
    EXPECT_EQ(dc.stiff.rowT, 2);
    EXPECT_EQ(dc.stiff.rowFlat, 2);
    EXPECT_EQ(dc.stiff.rowBulb, 2);
    EXPECT_EQ(dc.ring.rowL, 2); // ring-frame rows stay as read

    dc = readStiffener(0, "150", "90", "10.5", "12");
    EXPECT_EQ(dc.stiff.rowL, 2); // no row matches
}

TEST_F(CaseFileProfileMemories, TTableComparesTheFlangeThickness) {
    EXPECT_EQ(readStiffener(2, "150", "90", "10", "14").stiff.rowT, 3);
    EXPECT_EQ(readStiffener(2, "150", "90", "10", "12").stiff.rowT, 7);
    EXPECT_EQ(readStiffener(2, "150", "90", "10", "13").stiff.rowT, 2);
}

TEST_F(CaseFileProfileMemories, FlatAndBulbCompareHeightAndThickness) {
    DesignCase dc = readStiffener(4, "150", "999", "12", "999");
    EXPECT_EQ(dc.stiff.rowFlat, 2);
    dc = readStiffener(4, "150", "999", "10", "999");
    EXPECT_EQ(dc.stiff.rowFlat, 1);
    EXPECT_EQ(dc.stiff.rowL, 2);
    dc = readStiffener(6, "140", "0", "7", "0");
    EXPECT_EQ(dc.stiff.rowBulb, 1);
    dc = readStiffener(6, "140", "0", "8", "0");
    EXPECT_EQ(dc.stiff.rowBulb, 2);
}

TEST_F(CaseFileProfileMemories, BuiltUpKindsFillTheirSavedSets) {
    const DesignCase fresh = newDesignCase();
    // I built up: H, B, tw, tf.
    DesignCase dc = readStiffener(9, "310", "120", "11", "16");
    const BuiltUpDims& i = dc.stiff.savedSet(ProfileKind::IBuiltUp);
    EXPECT_EQ(i.H, 310.0f);
    EXPECT_EQ(i.B, 120.0f);
    EXPECT_EQ(i.tw, 11.0f);
    EXPECT_EQ(i.tf, 16.0f);
    // Other kinds keep their sets.
    EXPECT_EQ(dc.stiff.savedSet(ProfileKind::LBuiltUp).H, 200.0f);
    EXPECT_EQ(dc.stiff.savedSet(ProfileKind::FlatBuiltUp).H, 100.0f);

    // Flat bar built up: H and t only.
    dc = readStiffener(5, "180", "120", "14", "16");
    const BuiltUpDims& f = dc.stiff.savedSet(ProfileKind::FlatBuiltUp);
    EXPECT_EQ(f.H, 180.0f);
    EXPECT_EQ(f.tw, 14.0f);
    EXPECT_EQ(f.B, fresh.stiff.savedSet(ProfileKind::FlatBuiltUp).B);
    EXPECT_EQ(f.tf, fresh.stiff.savedSet(ProfileKind::FlatBuiltUp).tf);

    // RHS on the stiffener and trapezoid on the ring frame, with the distinct case.
    const std::string path = put("distinct.cys", join(kDistinctLines));
    ASSERT_EQ(readCaseFile(st, path), "");
    const BuiltUpDims& rhs = st.dc.stiff.savedSet(ProfileKind::RHS);
    EXPECT_EQ(rhs.H, 250.0f);
    EXPECT_EQ(rhs.B, 100.0f);
    EXPECT_EQ(rhs.tw, 11.0f);
    EXPECT_EQ(rhs.a, fresh.stiff.savedSet(ProfileKind::RHS).a);
    EXPECT_EQ(rhs.tf, fresh.stiff.savedSet(ProfileKind::RHS).tf);
    const BuiltUpDims& trap = st.dc.ring.savedSet(ProfileKind::Trapez);
    EXPECT_EQ(trap.H, 400.0f);
    EXPECT_EQ(trap.B, 150.0f);
    EXPECT_EQ(trap.a, 60.0f);
    EXPECT_EQ(trap.tw, 12.0f);
    // The stiffener's trapezoid set is not the one touched.
    EXPECT_EQ(st.dc.stiff.savedSet(ProfileKind::Trapez).a, 50.0f);
}

TEST_F(CaseFileProfileMemories, TableKindsLeaveTheSavedSets) {
    const DesignCase fresh = newDesignCase();
    const DesignCase dc = readStiffener(0, "150", "90", "10", "12");
    DesignCase expected = dc;
    expected.stiff.saved = fresh.stiff.saved;
    expected.ring.saved = fresh.ring.saved;
    expectSameCase(dc, expected);
}

} // namespace
