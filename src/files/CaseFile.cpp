#include "files/CaseFile.h"

#include "base/CodePage.h"
#include "base/FileIo.h"
#include "base/NumberText.h"
#include "base/Text.h"
#include "case/DesignCase.h"
#include "case/LoadCases.h"
#include "sections/ProfileTables.h"
#include "sections/Sections.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

namespace velmora {

namespace {

constexpr int kLineCount = 59;
constexpr int16_t kWrittenVersion = 185;

// A case with more than one load case adds, after line 59, a section of its own: this line, the
// number of load cases, the selected one (counted from 1), the first load case's name (its
// loads are those of lines 10, 11, 36 to 39 and 52 to 56), then kLoadCaseLines lines for each
// further load case.
constexpr const char* kLoadCaseSection = "[Load cases]";
constexpr int kLoadCaseLines = 12;
constexpr int kFirstFurtherLoadCaseLine = kLineCount + 5;

// Files up to this version end after the ring-frame dimensions (line 49).
constexpr int kLastVersionWithoutHeavyRing = 105;
// Files up to this version add only the heavy ring-frame switch (line 50).
constexpr int kLastVersionWithoutColumn = 130;

// Allowed values of one integer line and the name used when a file breaks the rule.
struct IntRule {
    int lo;
    int hi;
    const char* what;
};

constexpr int kIntMin = std::numeric_limits<int16_t>::min();
constexpr int kIntMax = std::numeric_limits<int16_t>::max();

constexpr IntRule anyValue(const char* what) {
    return {kIntMin, kIntMax, what};
}
constexpr IntRule onOff(const char* what) {
    return {0, 1, what};
}
constexpr IntRule nonNegative(const char* what) {
    return {0, kIntMax, what};
}
constexpr IntRule kindCode(const char* what) {
    return {0, ProfileKind::Count - 1, what};
}
template <StoredCode Code> constexpr IntRule namedCode(const char* what) {
    return {0, lastCodeNumber<Code>(), what};
}

// The record layout: every line of the file after the version, in file order. The same walk
// writes a case and reads one, so the two can never disagree about the order.
template <class Dc, class V> void walkLayout(Dc& dc, V& v) {
    v.text(2, dc.projectName);
    v.text(3, dc.identification);
    v.integer(4, dc.plateMaterial, nonNegative("plate material"));
    v.integer(5, dc.stiffMaterial, nonNegative("stiffener material"));
    v.integer(6, dc.ringMaterial, nonNegative("ring-frame material"));
    v.number(7, dc.fyp);
    v.number(8, dc.fys);
    v.number(9, dc.fyr);
    v.code(10, dc.designFormat, "design format");
    v.number(11, dc.UF);
    v.code(12, dc.cylinderType, "cylinder type");
    v.integer(13, dc.outsideStiffening, onOff("outside stiffening"));
    v.integer(14, dc.fixedFlag, anyValue("fixed flag"));
    v.integer(15, dc.ringControl, onOff("ring-frame control"));
    v.integer(16, dc.specialIh, onOff("special Ih"));
    v.integer(17, dc.ringFabrication, onOff("ring-frame fabrication"));
    v.integer(18, dc.stiff.kind, kindCode("stiffener kind"));
    v.integer(19, dc.stiff.rowBulb, nonNegative("stiffener bulb-flat row"));
    v.integer(20, dc.stiff.rowL, nonNegative("stiffener L row"));
    v.integer(21, dc.stiff.rowT, nonNegative("stiffener T row"));
    v.integer(22, dc.stiff.rowFlat, nonNegative("stiffener flat-bar row"));
    v.integer(23, dc.ring.kind, kindCode("ring-frame kind"));
    v.integer(24, dc.ring.rowBulb, nonNegative("ring-frame bulb-flat row"));
    v.integer(25, dc.ring.rowL, nonNegative("ring-frame L row"));
    v.integer(26, dc.ring.rowT, nonNegative("ring-frame T row"));
    v.integer(27, dc.ring.rowFlat, nonNegative("ring-frame flat-bar row"));
    v.number(28, dc.E);
    v.number(29, dc.s);
    v.number(30, dc.l);
    v.number(31, dc.ltStiff);
    v.number(32, dc.ltRing);
    v.number(33, dc.L);
    v.number(34, dc.r);
    v.number(35, dc.t);
    v.number(36, dc.Sigx);
    v.number(37, dc.Sigy);
    v.number(38, dc.Tau);
    v.number(39, dc.pd);
    v.number(40, dc.stiff.H);
    v.number(41, dc.stiff.B);
    v.number(42, dc.stiff.a);
    v.number(43, dc.stiff.tw);
    v.number(44, dc.stiff.tf);
    v.number(45, dc.ring.H);
    v.number(46, dc.ring.B);
    v.number(47, dc.ring.a);
    v.number(48, dc.ring.tw);
    v.number(49, dc.ring.tf);
    v.integer(50, dc.heavyRingControl, onOff("heavy ring-frame control"));
    v.integer(51, dc.spareFlag, anyValue("spare flag"));
    v.number(52, dc.N);
    // The moments are kept in the order M1a, M2a, M1b, M2b.
    v.number(53, dc.M1a);
    v.number(54, dc.M2a);
    v.number(55, dc.M1b);
    v.number(56, dc.M2b);
    v.number(57, dc.k1);
    v.number(58, dc.k2);
    v.integer(59, dc.dimMoment, onOff("dimensioning moment"));
}

// The lines of one further load case of the section, from line `first` on; the moments in the
// order of lines 53 to 56.
template <class Lc, class V> void walkLoadCase(Lc& lc, int first, V& v) {
    v.text(first, lc.name);
    v.code(first + 1, lc.designFormat, "design format");
    v.number(first + 2, lc.UF);
    v.number(first + 3, lc.Sigx);
    v.number(first + 4, lc.Sigy);
    v.number(first + 5, lc.Tau);
    v.number(first + 6, lc.pd);
    v.number(first + 7, lc.N);
    v.number(first + 8, lc.M1a);
    v.number(first + 9, lc.M2a);
    v.number(first + 10, lc.M1b);
    v.number(first + 11, lc.M2b);
}

class LineWriter {
public:
    std::vector<std::string> lines = std::vector<std::string>(kLineCount);

    void text(int line, const std::string& value) {
        // One value per line: a line break inside a text would shift every later line.
        std::string oneLine = utf8ToCp1252(value);
        for (char& c : oneLine)
            if (c == '\r' || c == '\n')
                c = ' ';
        at(line) = std::move(oneLine);
    }
    void integer(int line, int16_t value, IntRule) { at(line) = std::to_string(value); }
    template <StoredCode Code> void code(int line, Code value, const char*) {
        integer(line, codeNumber(value), {});
    }
    void number(int line, float value) { at(line) = formatInvariant(value); }

private:
    std::string& at(int line) {
        if (static_cast<size_t>(line) > lines.size())
            lines.resize(static_cast<size_t>(line));
        return lines[static_cast<size_t>(line - 1)];
    }
};

enum class WholeNumber { Ok, NotWhole, OutOfRange };

// A whole number with an optional sign, blanks around it allowed, nothing else.
WholeNumber readWholeNumber(std::string_view text, int& out) {
    std::string_view s = trim(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty())
        return WholeNumber::NotWhole;
    for (char c : s)
        if (c < '0' || c > '9')
            return WholeNumber::NotWhole;
    long long magnitude = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude);
    if (ec == std::errc::result_out_of_range)
        return WholeNumber::OutOfRange;
    if (ec != std::errc{} || end != s.data() + s.size())
        return WholeNumber::NotWhole;
    const long long value = negative ? -magnitude : magnitude;
    if (value < kIntMin || value > kIntMax)
        return WholeNumber::OutOfRange;
    out = static_cast<int>(value);
    return WholeNumber::Ok;
}

std::string lineMessage(int line, const std::string& what) {
    return "line " + std::to_string(line) + ": " + what;
}

std::string ruleText(const IntRule& rule) {
    if (rule.lo == 0 && rule.hi == 1)
        return "must be 0 or 1";
    if (rule.lo == 0 && rule.hi == kIntMax)
        return "must not be negative";
    return "must be " + std::to_string(rule.lo) + " to " + std::to_string(rule.hi);
}

// Reads the lines up to `lastLine` into the fields; stops at the first fault and keeps its
// message.
class LineReader {
public:
    LineReader(const std::vector<std::string>& lines, int lastLine)
        : lines_(lines), lastLine_(lastLine) {}

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    void text(int line, std::string& value) {
        const std::string* raw = fetch(line);
        if (raw)
            value = cp1252ToUtf8(*raw);
    }

    void integer(int line, int16_t& value, const IntRule& rule) {
        const std::string* raw = fetch(line);
        if (!raw)
            return;
        int v = 0;
        switch (readWholeNumber(*raw, v)) {
        case WholeNumber::NotWhole:
            fail(line, "not a whole number");
            return;
        case WholeNumber::OutOfRange:
            fail(line, "whole number out of range");
            return;
        case WholeNumber::Ok:
            break;
        }
        if (v < rule.lo || v > rule.hi) {
            fail(line, std::string(rule.what) + " " + ruleText(rule));
            return;
        }
        value = static_cast<int16_t>(v);
    }

    // A named code, read as its number.
    template <StoredCode Code> void code(int line, Code& value, const char* what) {
        int16_t n = codeNumber(value);
        integer(line, n, namedCode<Code>(what));
        if (const std::optional<Code> c = codeFromNumber<Code>(n); ok() && c)
            value = *c;
    }

    void number(int line, float& value) {
        const std::string* raw = fetch(line);
        if (!raw)
            return;
        float v = 0;
        if (!readInvariant(*raw, v) || !std::isfinite(v)) {
            fail(line, "not a number");
            return;
        }
        value = v;
    }

private:
    // The text of `line`, or null when the line is not to be read or an earlier one failed.
    const std::string* fetch(int line) {
        if (!ok() || line > lastLine_)
            return nullptr;
        if (static_cast<size_t>(line) > lines_.size()) {
            fail(line, "missing, the file ends before it");
            return nullptr;
        }
        return &lines_[static_cast<size_t>(line - 1)];
    }

    void fail(int line, const std::string& what) { error_ = lineMessage(line, what); }

    const std::vector<std::string>& lines_;
    int lastLine_;
    std::string error_;
};

// The stiffener's stored table row follows the dimensions read: the first row of the table of
// its kind whose dimensions equal them exactly, or the index from the file when none does.
void matchStiffenerRow(const ProfileTables& tables, ProfileRecord& p) {
    const ProfileKindDesc* desc = findProfileKind(p.kind);
    if (!desc || !desc->table)
        return;
    const ProfileTable& table = tables.of(*desc->table);
    for (size_t i = 0; i < table.rows.size() && i <= static_cast<size_t>(kIntMax); ++i) {
        bool same = true;
        for (size_t k = 0; k < desc->matchCount; ++k) {
            const Dim d = desc->matchDims[k];
            same = same && rowDim(table.rows[i], d) == p.*dimMember<ProfileRecord>(d);
        }
        if (same) {
            p.*tableRowMember(*desc->table) = static_cast<int16_t>(i);
            return;
        }
    }
}

// A built-up profile read from a file becomes the saved dimension set of its kind, so that the
// profile dialog shows it and switching kinds and back restores it.
void keepBuiltUpDims(ProfileRecord& p) {
    const ProfileKindDesc* desc = findProfileKind(p.kind);
    if (!desc || desc->table)
        return;
    BuiltUpDims& saved = p.savedSet(p.kind);
    for (size_t k = 0; k < desc->dimCount; ++k)
        saved.*dimMember<BuiltUpDims>(desc->dims[k]) = p.*dimMember<ProfileRecord>(desc->dims[k]);
}

// The load-case section of a case with more than one load case (read from `lines`, which
// hold the 59 lines before it): the load cases over the first one read into `dc`. False with
// `error` set when the section is cut short or malformed.
bool readLoadCaseSection(const std::vector<std::string>& lines, DesignCase& dc,
                         std::string& error) {
    const int countLine = kLineCount + 2;
    int count = 0;
    int selected = 0;
    const auto wholeLine = [&](int line, int lo, int hi, const char* what, int& out) {
        if (static_cast<size_t>(line) > lines.size()) {
            error = lineMessage(line, "missing, the file ends before it");
            return false;
        }
        if (readWholeNumber(lines[static_cast<size_t>(line - 1)], out) != WholeNumber::Ok ||
            out < lo || out > hi) {
            error = lineMessage(line, std::string(what) + " must be " + std::to_string(lo) +
                                          " to " + std::to_string(hi));
            return false;
        }
        return true;
    };
    if (!wholeLine(countLine, 2, kMaxLoadCases, "the number of load cases", count) ||
        !wholeLine(countLine + 1, 1, count, "the selected load case", selected))
        return false;

    std::vector<LoadCase> list(static_cast<size_t>(count));
    list[0] = selectedLoadCase(dc);
    const int lastLine = kFirstFurtherLoadCaseLine - 1 + (count - 1) * kLoadCaseLines;
    LineReader reader(lines, lastLine);
    reader.text(kFirstFurtherLoadCaseLine - 1, list[0].name);
    for (int i = 1; i < count; ++i)
        walkLoadCase(list[static_cast<size_t>(i)],
                     kFirstFurtherLoadCaseLine + (i - 1) * kLoadCaseLines, reader);
    if (!reader.ok()) {
        error = reader.error();
        return false;
    }
    // Each name must be one the case could have been given: checked against those before it.
    DesignCase named;
    named.loadCaseName.clear();
    for (int i = 0; i < count; ++i) {
        const LoadCase& lc = list[static_cast<size_t>(i)];
        const std::string problem = loadCaseNameProblem(named, lc.name);
        if (!problem.empty()) {
            error = lineMessage(i == 0 ? kFirstFurtherLoadCaseLine - 1
                                       : kFirstFurtherLoadCaseLine + (i - 1) * kLoadCaseLines,
                                problem);
            return false;
        }
        if (i == 0)
            named.loadCaseName = lc.name;
        else
            named.otherLoadCases.push_back(lc);
    }
    setLoadCases(dc, list, selected - 1);
    return true;
}

} // namespace

std::string caseFileText(const DesignCase& dc) {
    LineWriter w;
    w.lines[0] = std::to_string(kWrittenVersion);
    if (loadCaseCount(dc) == 1) {
        walkLayout(dc, w);
    } else {
        // The first load case fills the 59 lines, so that a reader of 59 lines sees it.
        DesignCase first = dc;
        selectLoadCase(first, 0);
        walkLayout(first, w);
        w.lines.push_back(kLoadCaseSection);
        w.lines.push_back(std::to_string(loadCaseCount(dc)));
        w.lines.push_back(std::to_string(dc.selectedLoadCase + 1));
        w.text(kFirstFurtherLoadCaseLine - 1, first.loadCaseName);
        for (int i = 1; i < loadCaseCount(dc); ++i) {
            const LoadCase lc = loadCaseAt(dc, i);
            walkLoadCase(lc, kFirstFurtherLoadCaseLine + (i - 1) * kLoadCaseLines, w);
        }
    }
    std::string out;
    for (const std::string& line : w.lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

bool parseCaseFile(const std::string& bytes, const DesignCase& base, DesignCase& out,
                   std::string& error) {
    const std::vector<std::string> lines = splitLines(bytes);
    if (lines.empty()) {
        error = lineMessage(1, "missing, the file is empty");
        return false;
    }
    int version = 0;
    if (readWholeNumber(lines[0], version) != WholeNumber::Ok) {
        error = lineMessage(1, "the file version is not a whole number");
        return false;
    }
    int lastLine = kLineCount;
    if (version <= kLastVersionWithoutHeavyRing)
        lastLine = 49;
    else if (version <= kLastVersionWithoutColumn)
        lastLine = 50;

    DesignCase dc = base;
    LineReader reader(lines, lastLine);
    walkLayout(dc, reader);
    if (!reader.ok()) {
        error = reader.error();
        return false;
    }
    // A file of 59 lines holds one load case; a section after them holds the others.
    keepSelectedLoadCaseOnly(dc);
    dc.loadCaseName = LoadCase{}.name;
    if (lastLine == kLineCount && lines.size() > static_cast<size_t>(kLineCount) &&
        trim(lines[kLineCount]) == kLoadCaseSection && !readLoadCaseSection(lines, dc, error))
        return false;
    dc.fixedFlag = 1;
    // The heavy ring-frame check builds on the panel ring check: without it the switch is off,
    // as the option buttons and the database keep it.
    if (dc.ringControl == 0)
        dc.heavyRingControl = 0;
    out = std::move(dc);
    return true;
}

std::string writeCaseFile(const DesignCase& dc, const std::string& path) {
    if (!writeFileAtomic(path, caseFileText(dc)))
        return "can't save file - " + path;
    return "";
}

std::string readCaseFile(const std::string& path, const DesignCase& base,
                         const ProfileTables& tables, DesignCase& out) {
    std::string bytes;
    switch (readFileLimited(path, kCaseFileLimit, bytes)) {
    case ReadStatus::Unreadable:
        return "can't find file - " + path;
    case ReadStatus::TooLarge:
        return path + ", the file is far larger than a case file";
    case ReadStatus::Ok:
        break;
    }
    DesignCase dc;
    std::string error;
    if (!parseCaseFile(bytes, base, dc, error))
        return path + ", " + error;
    matchStiffenerRow(tables, dc.stiff);
    keepBuiltUpDims(dc.stiff);
    keepBuiltUpDims(dc.ring);
    out = std::move(dc);
    return "";
}

} // namespace velmora
