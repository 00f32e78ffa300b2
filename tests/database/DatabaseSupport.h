// Database lines written out by hand for the database tests.
#pragma once

#include "calc/State.h"
#include "files/DatabaseFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace velmora::test {

// A stringer-stiffened case row of 35 fields (the new-case inputs, fyp 355), each followed by
// ";". `changes` replaces fields by their index.
inline std::string caseLine(const std::map<int, std::string>& changes = {}) {
    std::vector<std::string> f = {"Project", "Case A", "0",    "1",
                                  "2",       "0",      "1",    "0",
                                  "210000",  "355",    "1500", "3000",
                                  "20",      "600",    "3000", "L 200x90x9.0x12.0",
                                  "355",     "6000",   "600",  "T 200x90x9.0x12.0",
                                  "355",     "0",      "0",    "-100",
                                  "-10",     "40",     "-0.3", "1",
                                  "1",       "-1000",  "-200", "-100",
                                  "100",     "100",    "0"};
    for (const auto& [i, v] : changes)
        f.at(static_cast<size_t>(i)) = v;
    std::string line;
    for (const auto& v : f)
        line += v + ";";
    return line;
}

// `count` database lines that go round the kinds of case a row can be: each cylinder type, LRFD
// and WSD, ring-frame check with and without the heavy ring frame and the special Ih, the
// profile codes, rows whose run stops (t = 0) and comment rows, so that each row leaves other
// parts of the results behind for the next one.
inline std::vector<std::string> mixedLines(int count) {
    const char* const stiffeners[] = {"L 200x90x9.0x12.0", "Fb 200x10.0", "T 300x150x10.0x15.0",
                                      "I 400x200x12.0x20.0"};
    const char* const rings[] = {"T 200x90x9.0x12.0", "L 250x90x10.0x15.0", "FB 180x12.0"};
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        if (i % 17 == 5) {
            lines.push_back("% comment " + std::to_string(i));
            continue;
        }
        std::map<int, std::string> f = {
            {1, "Row " + std::to_string(i)},
            {2, std::to_string(i / 4 % 2)},
            {4, std::to_string(i % 4)},
            {6, std::to_string(i / 2 % 2)},
            {7, std::to_string(i / 8 % 2)},
            {12, i % 23 == 11 ? "0" : std::to_string(14 + i % 9)},
            {13, std::to_string(500 + 25 * (i % 7))},
            {15, stiffeners[i % 4]},
            {19, rings[i / 3 % 3]},
            {21, std::to_string(i / 5 % 2)},
            {22, std::to_string(i / 6 % 2)},
            {23, std::to_string(-60 - i % 80)},
            {26, i % 3 == 0 ? "-0.3" : "-0.15"},
        };
        lines.push_back(caseLine(f));
    }
    lines.push_back("End;");
    return lines;
}

inline std::string joinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

// A test state (small profile tables) whose database is read from `lines`.
inline State stateWith(const std::vector<std::string>& lines) {
    State st = newTestState();
    CaseDatabase db;
    std::string error;
    EXPECT_TRUE(parseDatabaseText(joinLines(lines), "db_in.csv", st.profiles.bulb, true, db, error))
        << error;
    st.db = std::move(db);
    return st;
}

// Cells of a results or database line (the text between the ";").
inline std::vector<std::string> cells(const std::string& line) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t p = line.find(';'); p != std::string::npos; p = line.find(';', start)) {
        out.push_back(line.substr(start, p - start));
        start = p + 1;
    }
    if (start < line.size())
        out.push_back(line.substr(start));
    return out;
}

// A fresh folder for one test, removed with everything in it at the end.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velmora-db-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace velmora::test
