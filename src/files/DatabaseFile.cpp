// Database files.
//
// A database file holds one row a line, every field followed by ";". A line whose first field
// begins with "%" or is "End" / "END" is a comment or marker row; any other line is a design
// case of 35 fields. Profiles are kept by their designation ("T 300x150x10.0x15.0"), from which
// the reader takes the kind and the dimensions.

#include "files/DatabaseFile.h"

#include "base/CodePage.h"
#include "base/FileIo.h"
#include "base/NumberText.h"
#include "base/Text.h"
#include "sections/ProfileTables.h"
#include "sections/Sections.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>
#include <type_traits>
#include <utility>

namespace velmora {

namespace {

namespace PK = ProfileKind;

constexpr int kCaseFields = 35;

using Col = DatabaseColumn;
using T = DatabaseColumn::Type;
using R = DatabaseRow;
using C = DesignCase;

constexpr Col text(const char* h, std::string R::*m, std::string C::*c) {
    Col col{h, T::Text};
    col.text = m;
    col.caseText = c;
    return col;
}
// A code field keeps a number: an on/off switch 0 or 1, a named code 0 to its last code's.
template <class F> constexpr int lastNumber() {
    if constexpr (std::is_same_v<F, int16_t>)
        return 1;
    else
        return lastCodeNumber<F>();
}
template <class F> constexpr int16_t numberOf(F value) {
    if constexpr (std::is_same_v<F, int16_t>)
        return value;
    else
        return codeNumber(value);
}

// The code field `rowField` of a row, shared with the field `caseField` of the design case
// (none when null).
template <auto rowField, auto caseField = nullptr> constexpr Col code(const char* h) {
    using F = std::remove_cvref_t<decltype(std::declval<R&>().*rowField)>;
    Col col{h, T::Code, 0, lastNumber<F>()};
    col.codeOf = [](const R& r) { return numberOf(r.*rowField); };
    col.setCode = [](R& r, int16_t n) {
        if constexpr (std::is_same_v<F, int16_t>)
            r.*rowField = n;
        else if (const std::optional<F> c = codeFromNumber<F>(n))
            r.*rowField = *c;
    };
    if constexpr (!std::is_null_pointer_v<decltype(caseField)>) {
        col.codeFromCase = [](R& r, const C& c) { r.*rowField = c.*caseField; };
        col.codeToCase = [](C& c, const R& r) { c.*caseField = r.*rowField; };
    }
    return col;
}
constexpr Col number(const char* h, float R::*m, float C::*c) {
    Col col{h, T::Number};
    col.number = m;
    col.caseNumber = c;
    return col;
}
constexpr Col profile(const char* h, ProfileEntry R::*m) {
    Col col{h, T::Profile};
    col.profile = m;
    return col;
}

// The fields of a case row in file order. The heavy ring-frame switch has no plain case field:
// it is loaded only together with the ring-frame check.
constexpr std::array<Col, kCaseFields> kColumns = {
    text("Project", &R::projectName, &C::projectName),
    text("Identification", &R::identification, &C::identification),
    code<&R::designMethod, &C::designFormat>("Design-method"),
    number("Allow/Basic Usage Factor", &R::UF, &C::UF),
    code<&R::cylinderType, &C::cylinderType>("Cylinder type"),
    code<&R::outsideStiffening, &C::outsideStiffening>("Outside stiffeneing"),
    code<&R::ringFrameControl, &C::ringControl>("Ringframe control"),
    code<&R::heavyRingControl>("Heavy Ringframe control"),
    number("E - modulus", &R::E, &C::E),
    number("Material-plate", &R::fyp, &C::fyp),
    number("r", &R::r, &C::r),
    number("l", &R::l, &C::l),
    number("t", &R::t, &C::t),
    number("s", &R::s, &C::s),
    number("lt", &R::ltStiffener, &C::ltStiff),
    profile("Stiff Prof", &R::stiff),
    number("Material-Stiff", &R::fys, &C::fys),
    number("cyll", &R::L, &C::L),
    number("gilt", &R::ltRing, &C::ltRing),
    profile("Ringfr Prof", &R::ring),
    number("Material-Ringfr", &R::fyr, &C::fyr),
    code<&R::ringFabrication, &C::ringFabrication>("Fabrication"),
    code<&R::specialIh, &C::specialIh>("Special Calc"),
    number("Sigx", &R::Sigx, &C::Sigx),
    number("Sigy", &R::Sigy, &C::Sigy),
    number("Tau", &R::Tau, &C::Tau),
    number("pd", &R::pd, &C::pd),
    number("k1", &R::k1, &C::k1),
    number("k2", &R::k2, &C::k2),
    number("N", &R::N, &C::N),
    number("M1a", &R::M1a, &C::M1a),
    number("M2a", &R::M2a, &C::M2a),
    number("M1b", &R::M1b, &C::M1b),
    number("M2b", &R::M2b, &C::M2b),
    code<&R::dimMoment, &C::dimMoment>("Dim mom"),
};

// Reads the fields of one case line; the first failure is kept as the message.
class CaseLineReader {
public:
    CaseLineReader(const std::vector<std::string_view>& fields, const ProfileTable& bulb,
                   bool decimalPointLocale)
        : fields_(fields), bulb_(bulb), pointLocale_(decimalPointLocale) {}

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    void number(int i, float& out) {
        if (!ok())
            return;
        const ParsedNumber p = parseNumber(fields_[static_cast<size_t>(i)], pointLocale_);
        if (!p.ok) {
            fail(i, "not a number");
            return;
        }
        out = p.value;
    }

    // A 16-bit code, rounded to the nearest whole number, within [lo, hi].
    void code(int i, int16_t& out, int lo, int hi) {
        float v = 0;
        number(i, v);
        if (!ok())
            return;
        const double rounded = std::nearbyint(static_cast<double>(v));
        if (rounded < lo || rounded > hi) {
            fail(i, "must be " + std::to_string(lo) + " to " + std::to_string(hi));
            return;
        }
        out = static_cast<int16_t>(rounded);
    }

    void profile(int i, ProfileEntry& out) {
        if (!ok())
            return;
        const std::string text(fields_[static_cast<size_t>(i)]);
        ProfileEntry e;
        e.designation = text;
        const size_t blank = text.find(' ');
        if (blank == std::string::npos) {
            fail(i, "profile designation \"" + text + "\" has no blank after its code");
            return;
        }
        const ProfileKindDesc* kind = profileKindForCode(std::string_view(text).substr(0, blank));
        if (kind) {
            std::string_view rest = std::string_view(text).substr(blank + 1);
            const size_t second = rest.find(' ');
            if (second != std::string_view::npos)
                rest = rest.substr(0, second);
            const std::vector<std::string_view> parts = splitFields(rest, 'x');
            if (parts.size() < kind->dimCount) {
                fail(i, "profile designation \"" + text + "\" needs " +
                            std::to_string(kind->dimCount) + " dimensions");
                return;
            }
            for (size_t k = 0; k < kind->dimCount; ++k) {
                const ParsedNumber p = parseNumber(parts[k], pointLocale_);
                if (!p.ok) {
                    fail(i, "profile designation \"" + text +
                                "\" has a dimension that is not a "
                                "number");
                    return;
                }
                e.dims[k] = p.value;
            }
            e.kind = kind->kind;
            if (e.kind == PK::BulbFlat)
                e.bulbRow = findBulbFlatRow(bulb_, e.dims[0], e.dims[1]);
        }
        out = std::move(e);
    }

private:
    void fail(int i, const std::string& what) {
        error_ = std::string("field ") + std::to_string(i + 1) + " (" +
                 kColumns[static_cast<size_t>(i)].heading + "): " + what;
    }

    const std::vector<std::string_view>& fields_;
    const ProfileTable& bulb_;
    bool pointLocale_;
    std::string error_;
};

std::string readCaseLine(const std::vector<std::string_view>& f, const ProfileTable& bulb,
                         bool pointLocale, DatabaseRow& row) {
    if (static_cast<int>(f.size()) < kCaseFields)
        return "a case row needs " + std::to_string(kCaseFields) + " fields, this one has " +
               std::to_string(f.size());
    row.isComment = false;
    CaseLineReader rd(f, bulb, pointLocale);
    for (size_t i = 0; i < kColumns.size(); ++i) {
        const Col& c = kColumns[i];
        const int field = static_cast<int>(i);
        switch (c.type) {
        case T::Text:
            row.*c.text = f[i];
            break;
        case T::Code: {
            int16_t n = 0;
            rd.code(field, n, c.lo, c.hi);
            if (rd.ok())
                c.setCode(row, n);
            break;
        }
        case T::Number:
            rd.number(field, row.*c.number);
            break;
        case T::Profile:
            rd.profile(field, row.*c.profile);
            break;
        }
    }
    row.listText = row.identification;
    return rd.error();
}

// A text written into a field: a ";" would split the field and a line break the row, so ";"
// becomes "," and a line break a blank.
std::string fieldText(const std::string& s) {
    std::string out = s;
    for (char& c : out) {
        if (c == ';')
            c = ',';
        else if (c == '\r' || c == '\n')
            c = ' ';
    }
    return out;
}

// True when the designation reads back: a blank after the code and, for a known code, enough
// dimensions.
bool designationReadsBack(const std::string& designation) {
    const size_t blank = designation.find(' ');
    if (blank == std::string::npos)
        return false;
    const ProfileKindDesc* kind =
        profileKindForCode(std::string_view(designation).substr(0, blank));
    std::string_view rest = std::string_view(designation).substr(blank + 1);
    const size_t second = rest.find(' ');
    if (second != std::string_view::npos)
        rest = rest.substr(0, second);
    return splitFields(rest, 'x').size() >= (kind ? kind->dimCount : 0);
}

void putText(std::string& line, const std::string& s) {
    line += fieldText(s);
    line += ';';
}
void putCode(std::string& line, int16_t v) {
    line += std::to_string(v);
    line += ';';
}
void putNumber(std::string& line, float v, char sep) {
    line += formatGeneral(v, sep);
    line += ';';
}

std::string caseLine(const DatabaseRow& r, char sep) {
    std::string line;
    line.reserve(320);
    for (const Col& c : kColumns) {
        switch (c.type) {
        case T::Text:
            putText(line, r.*c.text);
            break;
        case T::Code:
            putCode(line, c.codeOf(r));
            break;
        case T::Number:
            putNumber(line, r.*c.number, sep);
            break;
        case T::Profile:
            putText(line, (r.*c.profile).designation);
            break;
        }
    }
    return line;
}

} // namespace

std::span<const DatabaseColumn> databaseColumns() {
    return kColumns;
}

void storeProfile(const ProfileRecord& p, const ProfileTables& tables,
                  const std::string& designation, ProfileEntry& e) {
    const ProfileKindDesc* desc = findProfileKind(p.kind);
    if (!desc)
        return; // an unknown kind leaves the entry as it was
    ProfileEntry out;
    out.designation = designation;
    out.kind = desc->storedKind;
    if (desc->table) {
        // A table row that the loaded table has; otherwise the working dimensions of the
        // record, which the section routine took from that row.
        const ProfileTable& table = tables.of(*desc->table);
        const int16_t row = p.*tableRowMember(*desc->table);
        const bool known = row >= 0 && row <= table.lastRow();
        for (size_t k = 0; k < desc->dimCount; ++k) {
            const Dim d = desc->dims[k];
            out.dims[k] = known ? rowDim(table.rows[static_cast<size_t>(row)], d)
                                : p.*dimMember<ProfileRecord>(d);
        }
        if (desc->family == ProfileSketch::Bulb)
            out.bulbRow = p.rowBulb;
    } else {
        const BuiltUpDims& saved = p.savedSet(p.kind);
        for (size_t k = 0; k < desc->dimCount; ++k)
            out.dims[k] = saved.*dimMember<BuiltUpDims>(desc->dims[k]);
    }
    e = std::move(out);
}

void loadProfile(const ProfileEntry& e, ProfileRecord& p) {
    p.kind = e.kind;
    const ProfileKindDesc* desc = findProfileKind(e.kind);
    if (!desc || desc->storedKind != desc->kind)
        return;
    if (desc->table) {
        p.rowBulb = e.bulbRow;
        return;
    }
    BuiltUpDims& s = p.savedSet(e.kind);
    for (size_t k = 0; k < desc->dimCount; ++k) {
        const Dim d = desc->dims[k];
        s.*dimMember<BuiltUpDims>(d) = e.dims[k];
        p.*dimMember<ProfileRecord>(d) = s.*dimMember<BuiltUpDims>(d);
    }
    if (desc->tfIsTw)
        p.tf = s.tw;
}

DatabaseRow commentRow(const std::string& text) {
    DatabaseRow r;
    r.isComment = true;
    r.listText = text;
    return r;
}

bool isCommentText(std::string_view firstField) {
    return (!firstField.empty() && firstField[0] == '%') || firstField == "End" ||
           firstField == "END";
}

CaseDatabase::CaseDatabase() : rows(kCapacity) {
    rows[0] = commentRow("End");
    lastRow = 0;
}

void CaseDatabase::reset() {
    rows.assign(kCapacity, DatabaseRow{});
    lastRow = -1;
    modified = false;
}

bool CaseDatabase::insertRow(int at, DatabaseRow row) {
    if (at < 0 || at > lastRow + 1 || lastRow + 1 >= kCapacity)
        return false;
    for (int i = lastRow; i >= at; --i)
        rows[static_cast<size_t>(i) + 1] = std::move(rows[static_cast<size_t>(i)]);
    rows[static_cast<size_t>(at)] = std::move(row);
    ++lastRow;
    modified = true;
    return true;
}

void CaseDatabase::swapRows(int a, int b) {
    if (a < 0 || b < 0 || a > lastRow || b > lastRow)
        return;
    std::swap(rows[static_cast<size_t>(a)], rows[static_cast<size_t>(b)]);
    modified = true;
}

void CaseDatabase::removeRow(int at) {
    if (at < 0 || at > lastRow)
        return;
    for (int i = at; i < lastRow; ++i)
        rows[static_cast<size_t>(i)] = std::move(rows[static_cast<size_t>(i) + 1]);
    rows[static_cast<size_t>(lastRow)] = DatabaseRow{};
    --lastRow;
    modified = true;
}

int16_t findBulbFlatRow(const ProfileTable& bulb, float H, float t) {
    int16_t found = 0;
    for (size_t i = 0; i < bulb.rows.size(); ++i)
        if (bulb.rows[i].H == H && bulb.rows[i].tw == t)
            found = static_cast<int16_t>(i);
    return found;
}

namespace {

// A line without the blanks, tabs and carriage returns at either end. A file whose lines end
// in LF CR instead of CR LF leaves a CR at the start of each next line: it belongs to the line
// break, not to the first field (where it would be written back as a blank and then trimmed).
std::string_view trimLine(std::string_view s) {
    while (!s.empty() && (isBlank(s.front()) || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// Reads one line of a database file into `row`; "" or why the line cannot be read.
std::string readLine(const std::string& text, const ProfileTable& bulb, bool decimalPointLocale,
                     DatabaseRow& row) {
    const std::string_view line = trimLine(text);
    if (line.empty())
        return "empty line";
    const std::vector<std::string_view> fields = splitFields(line, ';');
    if (isCommentText(fields[0])) {
        row = commentRow(std::string(fields[0]));
        return "";
    }
    return readCaseLine(fields, bulb, decimalPointLocale, row);
}

} // namespace

bool parseDatabaseText(const std::string& bytes, const std::string& fileName,
                       const ProfileTable& bulb, bool decimalPointLocale, CaseDatabase& out,
                       std::string& error) {
    out.reset();
    const std::vector<std::string> lines = splitLines(cp1252ToUtf8(bytes));
    // Blank lines after the last row hold nothing; a blank line between rows is an error.
    size_t used = lines.size();
    while (used > 0 && trimLine(lines[used - 1]).empty())
        --used;
    for (size_t i = 0; i < used; ++i) {
        std::string reason =
            i < static_cast<size_t>(CaseDatabase::kCapacity)
                ? readLine(lines[i], bulb, decimalPointLocale, out.rows[i])
                : "a database holds at most " + std::to_string(CaseDatabase::kCapacity) + " rows";
        if (!reason.empty()) {
            error = fileName + ", line " + std::to_string(i + 1) + ": " + reason;
            return false;
        }
    }
    out.lastRow = static_cast<int16_t>(used) - 1;
    error.clear();
    return true;
}

bool databaseFileText(const CaseDatabase& db, char decimalSep, std::string& text,
                      std::string& error) {
    std::string utf8;
    utf8.reserve(static_cast<size_t>(db.lastRow + 1) * 300);
    for (int i = 0; i <= db.lastRow; ++i) {
        const DatabaseRow& r = db.rows[static_cast<size_t>(i)];
        const auto where = [i] { return "row " + std::to_string(i + 1) + ": "; };
        if (r.isComment) {
            const std::string t = fieldText(r.listText);
            if (!isCommentText(t)) {
                error = where() + "the comment \"" + r.listText +
                        "\" must begin with \"%\" to be read back as a comment";
                return false;
            }
            utf8 += t;
            utf8 += ";\r\n";
            continue;
        }
        if (isCommentText(fieldText(r.projectName))) {
            error = where() + "the project name \"" + r.projectName +
                    "\" would be read back as a comment row; rename the project";
            return false;
        }
        for (const ProfileEntry* e : {&r.stiff, &r.ring}) {
            if (!designationReadsBack(fieldText(e->designation))) {
                error = where() + "the profile designation \"" + e->designation +
                        "\" cannot be read back";
                return false;
            }
        }
        utf8 += caseLine(r, decimalSep);
        utf8 += "\r\n";
    }
    text = utf8ToCp1252(utf8);
    error.clear();
    return true;
}

std::string readDatabaseFile(const std::string& path, const ProfileTable& bulb,
                             bool decimalPointLocale, CaseDatabase& out) {
    std::string bytes;
    switch (readFileLimited(path, kDatabaseFileLimit, bytes)) {
    case ReadStatus::Unreadable:
        return "can't find file - " + path;
    case ReadStatus::TooLarge:
        return path + ", the file is far larger than a database of " +
               std::to_string(CaseDatabase::kCapacity) + " rows";
    case ReadStatus::Ok:
        break;
    }
    CaseDatabase fresh;
    std::string error;
    if (!parseDatabaseText(bytes, path, bulb, decimalPointLocale, fresh, error))
        return error;
    fresh.databaseFileName = path;
    out = std::move(fresh);
    return "";
}

std::string writeDatabaseFile(const CaseDatabase& db, char decimalSep, const std::string& path) {
    std::string text;
    std::string error;
    if (!databaseFileText(db, decimalSep, text, error))
        return path + ", " + error;
    if (!writeFileAtomic(path, text))
        return "can't save file - " + path;
    return "";
}

int firstCaseRow(const CaseDatabase& db) {
    for (int i = 0; i <= db.lastRow; ++i)
        if (!db.rows[static_cast<size_t>(i)].isComment)
            return i;
    return -1;
}

} // namespace velmora
