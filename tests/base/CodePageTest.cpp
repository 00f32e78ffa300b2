#include "base/CodePage.h"
#include "base/FileIo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using velmora::cp1252ToUtf8;
using velmora::readFile;
using velmora::splitLines;
using velmora::utf8ToCp1252;
using velmora::writeFileAtomic;
using velmora::writeThroughTemporary;

namespace {

struct ByteCase {
    unsigned char byte;
    const char* utf8;
};

// Windows-1252 bytes and the UTF-8 of their characters, taken from the code page chart.
const ByteCase kChart[] = {
    {0x41, "A"},
    {0x80, "\xE2\x82\xAC"}, // euro sign U+20AC
    {0x82, "\xE2\x80\x9A"}, // single low-9 quotation mark U+201A
    {0x83, "\xC6\x92"},     // f with hook U+0192
    {0x85, "\xE2\x80\xA6"}, // ellipsis U+2026
    {0x8A, "\xC5\xA0"},     // S caron U+0160
    {0x8C, "\xC5\x92"},     // OE U+0152
    {0x8E, "\xC5\xBD"},     // Z caron U+017D
    {0x91, "\xE2\x80\x98"}, // left single quotation mark U+2018
    {0x96, "\xE2\x80\x93"}, // en dash U+2013
    {0x97, "\xE2\x80\x94"}, // em dash U+2014
    {0x98, "\xCB\x9C"},     // small tilde U+02DC
    {0x99, "\xE2\x84\xA2"}, // trade mark U+2122
    {0x9F, "\xC5\xB8"},     // Y diaeresis U+0178
    {0xA0, "\xC2\xA0"},     // no-break space
    {0xB0, "\xC2\xB0"},     // degree sign
    {0xC4, "\xC3\x84"},     // A umlaut
    {0xFC, "\xC3\xBC"},     // u umlaut
    {0xFF, "\xC3\xBF"},     // y diaeresis
    // The five bytes without a character keep their value as C1 controls.
    {0x81, "\xC2\x81"},
    {0x8D, "\xC2\x8D"},
    {0x8F, "\xC2\x8F"},
    {0x90, "\xC2\x90"},
    {0x9D, "\xC2\x9D"},
};

TEST(CodePageTest, BytesBecomeTheirCharacters) {
    for (const ByteCase& c : kChart) {
        const std::string byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(cp1252ToUtf8(byte), c.utf8) << "byte " << int(c.byte);
        EXPECT_EQ(utf8ToCp1252(c.utf8), byte) << "byte " << int(c.byte);
    }
}

TEST(CodePageTest, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(CodePageTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(utf8ToCp1252("Pr\xC3\xBC"
                           "fstand"),
              "Pr\xFC"
              "fstand");
    EXPECT_EQ(utf8ToCp1252("a\xE4\xB8\xAD"
                           "b"),
              "a?b"); // CJK U+4E2D
    EXPECT_EQ(utf8ToCp1252("a\xF0\x9F\x98\x80"
                           "b"),
              "a?b");                         // emoji, four bytes, one "?"
    EXPECT_EQ(utf8ToCp1252("\xC2\x80"), "?"); // U+0080: 0x80 is the euro sign
    EXPECT_EQ(utf8ToCp1252("\xC5\x81"), "?"); // L stroke U+0141
}

TEST(CodePageTest, MalformedUtf8BecomesQuestionMarks) {
    EXPECT_EQ(utf8ToCp1252("\xFF"), "?");
    EXPECT_EQ(utf8ToCp1252("ab\xC3"), "ab?");         // sequence cut at the end
    EXPECT_EQ(utf8ToCp1252("\xC3(x"), "?(x");         // the byte after a broken lead survives
    EXPECT_EQ(utf8ToCp1252("\xC0\xAF"), "??");        // overlong "/"
    EXPECT_EQ(utf8ToCp1252("\xE0\x80\xAF"), "?");     // overlong three-byte form
    EXPECT_EQ(utf8ToCp1252("\xED\xA0\x80"), "?");     // surrogate half
    EXPECT_EQ(utf8ToCp1252("\xF4\x90\x80\x80"), "?"); // beyond U+10FFFF
    EXPECT_EQ(utf8ToCp1252("\x80x"), "?x");           // stray continuation byte
}

TEST(CodePageTest, SplitLines) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(splitLines(""), Lines{});
    EXPECT_EQ(splitLines("a"), Lines{"a"});
    EXPECT_EQ(splitLines("a\r\n"), Lines{"a"});
    EXPECT_EQ(splitLines("a\n"), Lines{"a"});
    EXPECT_EQ(splitLines("\r\n"), Lines{""});
    EXPECT_EQ(splitLines("a\r\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(splitLines("a\r\nb\nc\r\n"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(splitLines("a\n\n\nb\n"), (Lines{"a", "", "", "b"}));
    EXPECT_EQ(splitLines("a\n\n"), (Lines{"a", ""}));
    // A lone CR is no line end; only the CR right before LF belongs to it.
    EXPECT_EQ(splitLines("a\rb"), Lines{"a\rb"});
    EXPECT_EQ(splitLines("a\r\r\n"), Lines{"a\r"});
    EXPECT_EQ(splitLines(std::string_view("a\0b\n", 4)), Lines{std::string("a\0b", 3)});
}

class CodePageFiles : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::path(::testing::TempDir()) / "velmora-codepage-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }

    static void put(const fs::path& p, const std::string& bytes) {
        std::ofstream f(p, std::ios::binary);
        f << bytes;
    }
    static std::string get(const fs::path& p) {
        std::string s;
        EXPECT_TRUE(readFile(p.string(), s)) << p;
        return s;
    }
    // Everything in the folder, to see that no temporary file is left behind.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir;
};

TEST_F(CodePageFiles, ReadFileGivesTheExactBytes) {
    const std::string bytes("185\r\nPr\xFC"
                            "f\0x\n",
                            10);
    put(dir / "a.cys", bytes);
    EXPECT_EQ(get(dir / "a.cys"), bytes);

    std::string out = "unchanged";
    EXPECT_FALSE(readFile((dir / "missing.cys").string(), out));
    EXPECT_FALSE(readFile(dir.string(), out)); // a folder is no file
    EXPECT_EQ(out, "unchanged");
}

TEST_F(CodePageFiles, WriteCreatesAndReplacesWithoutLeftovers) {
    const fs::path target = dir / "case.cys";
    ASSERT_TRUE(writeFileAtomic(target.string(), "first\r\n"));
    EXPECT_EQ(get(target), "first\r\n");
    ASSERT_TRUE(writeFileAtomic(target.string(), "second"));
    EXPECT_EQ(get(target), "second");
    ASSERT_TRUE(writeFileAtomic(target.string(), ""));
    EXPECT_EQ(get(target), "");
    EXPECT_EQ(entries(), std::vector<std::string>{"case.cys"});
}

TEST_F(CodePageFiles, ReplacedFileKeepsItsPermissions) {
    const fs::path target = dir / "case.cys";
    put(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    ASSERT_TRUE(writeFileAtomic(target.string(), "new"));
    struct stat sb {};
    ASSERT_EQ(::stat(target.c_str(), &sb), 0);
    EXPECT_EQ(sb.st_mode & 07777, 0640u);
}

TEST_F(CodePageFiles, WriteIntoAMissingFolderFailsAndCreatesNothing) {
    const fs::path target = dir / "no-such-folder" / "case.cys";
    EXPECT_FALSE(writeFileAtomic(target.string(), "x"));
    EXPECT_FALSE(fs::exists(dir / "no-such-folder"));
    EXPECT_TRUE(entries().empty());
    EXPECT_FALSE(writeFileAtomic("", "x"));
}

TEST_F(CodePageFiles, FailedRenameLeavesTheTargetAndNoTemporary) {
    // A folder of the target's name cannot be replaced by a file.
    const fs::path target = dir / "case.cys";
    fs::create_directory(target);
    put(target / "inside.txt", "keep");
    EXPECT_FALSE(writeFileAtomic(target.string(), "new"));
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(get(target / "inside.txt"), "keep");
    EXPECT_EQ(entries(), std::vector<std::string>{"case.cys"});
}

// A writer that opens the temporary by its name (as the workbook library does) replaces the
// file with what it wrote there; a writer that fails leaves the old file and no temporary.
TEST_F(CodePageFiles, WriterOfTheTemporaryByNameReplacesOnlyWhenItSucceeds) {
    const fs::path target = dir / "table.xlsx";
    put(target, "old");
    auto writeByName = [](const std::string& text, bool succeed) {
        return [text, succeed](int, const std::string& tmp) {
            std::FILE* f = std::fopen(tmp.c_str(), "wb");
            if (!f)
                return false;
            std::fputs(text.c_str(), f);
            return std::fclose(f) == 0 && succeed;
        };
    };
    EXPECT_FALSE(writeThroughTemporary(target.string(), writeByName("half", false)));
    EXPECT_EQ(get(target), "old");
    EXPECT_EQ(entries(), std::vector<std::string>{"table.xlsx"});
    ASSERT_TRUE(writeThroughTemporary(target.string(), writeByName("whole", true)));
    EXPECT_EQ(get(target), "whole");
    EXPECT_EQ(entries(), std::vector<std::string>{"table.xlsx"});
}

TEST_F(CodePageFiles, ReadOnlyFolderKeepsTheOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into read-only folders";
    const fs::path target = dir / "case.cys";
    put(target, "old content");
    ASSERT_EQ(::chmod(dir.c_str(), 0555), 0);
    EXPECT_FALSE(writeFileAtomic(target.string(), "new"));
    ASSERT_EQ(::chmod(dir.c_str(), 0755), 0);
    EXPECT_EQ(get(target), "old content");
    EXPECT_EQ(entries(), std::vector<std::string>{"case.cys"});
}

} // namespace
