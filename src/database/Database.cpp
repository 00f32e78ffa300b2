// Database files and the moves between a database row and the current design case.
//
// A database file holds one row a line, every field followed by ";". A line whose first field
// begins with "%" or is "End" / "END" is a comment or marker row; any other line is a design
// case of 35 fields. Profiles are kept by their designation ("T 300x150x10.0x15.0"), from which
// the reader takes the kind and the dimensions.

#include "database/Database.h"

#include "calc/Calc.h"
#include "case/Notifier.h"
#include "calc/State.h"
#include "base/Fp.h"
#include "base/CodePage.h"
#include "base/NumberText.h"
#include "sections/ProfileTables.h"
#include "sections/Sections.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace velmora {

namespace {

namespace PK = ProfileKind;

constexpr int kCaseFields = 35;

std::string_view trimBlanks(std::string_view s) {
    size_t b = 0;
    size_t e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return s.substr(b, e - b);
}

std::vector<std::string> splitFields(std::string_view line, char sep) {
    std::vector<std::string> out;
    size_t start = 0;
    while (true) {
        const size_t p = line.find(sep, start);
        if (p == std::string_view::npos) {
            out.emplace_back(line.substr(start));
            return out;
        }
        out.emplace_back(line.substr(start, p - start));
        start = p + 1;
    }
}

// Number of dimensions a profile code carries, with the kind it stands for; 0 dimensions and
// kind 0 for a code that is not recognised.
struct CodeInfo {
    int16_t kind = 0;
    int dims = 0;
};

CodeInfo codeInfo(std::string_view code) {
    if (code == "L")
        return {PK::LBuiltUp, 4};
    if (code == "T")
        return {PK::TBuiltUp, 4};
    if (code == "Fb" || code == "FB")
        return {PK::FlatBuiltUp, 2};
    if (code == "BF")
        return {PK::BulbFlat, 2};
    if (code == "RHS")
        return {PK::RHS, 3};
    if (code == "TPZ")
        return {PK::Trapez, 4};
    if (code == "I")
        return {PK::IBuiltUp, 4};
    return {};
}

// Headings of the 35 fields, used to name a field in a message.
const char* const kFieldNames[kCaseFields] = {"Project",
                                              "Identification",
                                              "Design-method",
                                              "Allow/Basic Usage Factor",
                                              "Cylinder type",
                                              "Outside stiffeneing",
                                              "Ringframe control",
                                              "Heavy Ringframe control",
                                              "E - modulus",
                                              "Material-plate",
                                              "r",
                                              "l",
                                              "t",
                                              "s",
                                              "lt",
                                              "Stiff Prof",
                                              "Material-Stiff",
                                              "cyll",
                                              "gilt",
                                              "Ringfr Prof",
                                              "Material-Ringfr",
                                              "Fabrication",
                                              "Special Calc",
                                              "Sigx",
                                              "Sigy",
                                              "Tau",
                                              "pd",
                                              "k1",
                                              "k2",
                                              "N",
                                              "M1a",
                                              "M2a",
                                              "M1b",
                                              "M2b",
                                              "Dim mom"};

// Reads the fields of one case line; the first failure is kept as the message.
class CaseLineReader {
public:
    CaseLineReader(const std::vector<std::string>& fields, const ProfileTable& bulb,
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
        const std::string& text = fields_[static_cast<size_t>(i)];
        ProfileEntry e;
        e.designation = text;
        const size_t blank = text.find(' ');
        if (blank == std::string::npos) {
            fail(i, "profile designation \"" + text + "\" has no blank after its code");
            return;
        }
        const CodeInfo info = codeInfo(std::string_view(text).substr(0, blank));
        if (info.kind != 0) {
            std::string_view rest = std::string_view(text).substr(blank + 1);
            const size_t second = rest.find(' ');
            if (second != std::string_view::npos)
                rest = rest.substr(0, second);
            const std::vector<std::string> parts = splitFields(rest, 'x');
            if (static_cast<int>(parts.size()) < info.dims) {
                fail(i, "profile designation \"" + text + "\" needs " + std::to_string(info.dims) +
                            " dimensions");
                return;
            }
            for (int k = 0; k < info.dims; ++k) {
                const ParsedNumber p = parseNumber(parts[static_cast<size_t>(k)], pointLocale_);
                if (!p.ok) {
                    fail(i, "profile designation \"" + text +
                                "\" has a dimension that is not a "
                                "number");
                    return;
                }
                e.dims[static_cast<size_t>(k)] = p.value;
            }
            e.kind = info.kind;
            if (e.kind == PK::BulbFlat)
                e.bulbRow = findBulbFlatRow(bulb_, e.dims[0], e.dims[1]);
        }
        out = std::move(e);
    }

private:
    void fail(int i, const std::string& what) {
        error_ =
            std::string("field ") + std::to_string(i + 1) + " (" + kFieldNames[i] + "): " + what;
    }

    const std::vector<std::string>& fields_;
    const ProfileTable& bulb_;
    bool pointLocale_;
    std::string error_;
};

std::string readCaseLine(const std::vector<std::string>& f, const ProfileTable& bulb,
                         bool pointLocale, DatabaseRow& row) {
    if (static_cast<int>(f.size()) < kCaseFields)
        return "a case row needs " + std::to_string(kCaseFields) + " fields, this one has " +
               std::to_string(f.size());
    row.isComment = false;
    row.projectName = f[0];
    row.identification = f[1];
    row.listText = f[1];
    CaseLineReader rd(f, bulb, pointLocale);
    rd.code(2, row.designMethod, 0, 1);
    rd.number(3, row.UF);
    rd.code(4, row.cylinderType, 0, 3);
    rd.code(5, row.outsideStiffening, 0, 1);
    rd.code(6, row.ringFrameControl, 0, 1);
    rd.code(7, row.heavyRingControl, 0, 1);
    rd.number(8, row.E);
    rd.number(9, row.fyp);
    rd.number(10, row.r);
    rd.number(11, row.l);
    rd.number(12, row.t);
    rd.number(13, row.s);
    rd.number(14, row.ltStiffener);
    rd.profile(15, row.stiff);
    rd.number(16, row.fys);
    rd.number(17, row.L);
    rd.number(18, row.ltRing);
    rd.profile(19, row.ring);
    rd.number(20, row.fyr);
    rd.code(21, row.ringFabrication, 0, 1);
    rd.code(22, row.specialIh, 0, 1);
    rd.number(23, row.Sigx);
    rd.number(24, row.Sigy);
    rd.number(25, row.Tau);
    rd.number(26, row.pd);
    rd.number(27, row.k1);
    rd.number(28, row.k2);
    rd.number(29, row.N);
    rd.number(30, row.M1a);
    rd.number(31, row.M2a);
    rd.number(32, row.M1b);
    rd.number(33, row.M2b);
    rd.code(34, row.dimMoment, 0, 1);
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
    const CodeInfo info = codeInfo(std::string_view(designation).substr(0, blank));
    std::string_view rest = std::string_view(designation).substr(blank + 1);
    const size_t second = rest.find(' ');
    if (second != std::string_view::npos)
        rest = rest.substr(0, second);
    return static_cast<int>(splitFields(rest, 'x').size()) >= info.dims;
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
    putText(line, r.projectName);
    putText(line, r.identification);
    putCode(line, r.designMethod);
    putNumber(line, r.UF, sep);
    putCode(line, r.cylinderType);
    putCode(line, r.outsideStiffening);
    putCode(line, r.ringFrameControl);
    putCode(line, r.heavyRingControl);
    putNumber(line, r.E, sep);
    putNumber(line, r.fyp, sep);
    putNumber(line, r.r, sep);
    putNumber(line, r.l, sep);
    putNumber(line, r.t, sep);
    putNumber(line, r.s, sep);
    putNumber(line, r.ltStiffener, sep);
    putText(line, r.stiff.designation);
    putNumber(line, r.fys, sep);
    putNumber(line, r.L, sep);
    putNumber(line, r.ltRing, sep);
    putText(line, r.ring.designation);
    putNumber(line, r.fyr, sep);
    putCode(line, r.ringFabrication);
    putCode(line, r.specialIh);
    putNumber(line, r.Sigx, sep);
    putNumber(line, r.Sigy, sep);
    putNumber(line, r.Tau, sep);
    putNumber(line, r.pd, sep);
    putNumber(line, r.k1, sep);
    putNumber(line, r.k2, sep);
    putNumber(line, r.N, sep);
    putNumber(line, r.M1a, sep);
    putNumber(line, r.M2a, sep);
    putNumber(line, r.M1b, sep);
    putNumber(line, r.M2b, sep);
    putCode(line, r.dimMoment);
    return line;
}

// The stored profile of one record: kind and dimensions as its designation shows them.
void storeProfile(const ProfileRecord& p, const ProfileTables& tables,
                  const std::string& designation, ProfileEntry& e) {
    const int16_t kind = p.kind;
    if (kind < 0 || kind >= PK::Count)
        return; // an unknown kind leaves the entry as it was
    // A table row that the loaded table has; otherwise the working dimensions of the record,
    // which the section routine took from that row.
    auto tableRow = [](const ProfileTable& t, int16_t row) -> const ProfileRow* {
        if (row < 0 || row > t.lastRow())
            return nullptr;
        return &t.rows[static_cast<size_t>(row)];
    };
    ProfileEntry out;
    out.designation = designation;
    switch (kind) {
    case PK::LTable:
    case PK::TTable: {
        const ProfileRow* row = tableRow(kind == PK::LTable ? tables.L : tables.T,
                                         kind == PK::LTable ? p.rowL : p.rowT);
        out.kind = kind == PK::LTable ? PK::LBuiltUp : PK::TBuiltUp;
        out.dims = row ? std::array<float, 4>{row->H, row->B, row->tw, row->tf}
                       : std::array<float, 4>{p.H, p.B, p.tw, p.tf};
        break;
    }
    case PK::FlatTable: {
        const ProfileRow* row = tableRow(tables.flat, p.rowFlat);
        out.kind = PK::FlatBuiltUp;
        out.dims = row ? std::array<float, 4>{row->H, row->tw, 0, 0}
                       : std::array<float, 4>{p.H, p.tw, 0, 0};
        break;
    }
    case PK::BulbFlat: {
        const ProfileRow* row = tableRow(tables.bulb, p.rowBulb);
        out.kind = PK::BulbFlat;
        out.bulbRow = p.rowBulb;
        out.dims = row ? std::array<float, 4>{row->H, row->tw, 0, 0}
                       : std::array<float, 4>{p.H, p.tw, 0, 0};
        break;
    }
    case PK::LBuiltUp:
    case PK::TBuiltUp:
    case PK::IBuiltUp: {
        const BuiltUpDims& s = p.savedSet(kind);
        out.kind = kind;
        out.dims = {s.H, s.B, s.tw, s.tf};
        break;
    }
    case PK::FlatBuiltUp: {
        const BuiltUpDims& s = p.savedSet(kind);
        out.kind = kind;
        out.dims = {s.H, s.tw, 0, 0};
        break;
    }
    case PK::RHS: {
        const BuiltUpDims& s = p.savedSet(kind);
        out.kind = kind;
        out.dims = {s.H, s.B, s.tw, 0};
        break;
    }
    case PK::Trapez: {
        const BuiltUpDims& s = p.savedSet(kind);
        out.kind = kind;
        out.dims = {s.H, s.B, s.a, s.tw};
        break;
    }
    default:
        break;
    }
    e = std::move(out);
}

// Loads a stored profile into the record: its kind, the saved set of that kind and, for the
// built-up kinds, the working dimensions themselves, so that nothing of the previous case's
// profile is left in the record the run reads first.
void loadProfile(const ProfileEntry& e, ProfileRecord& p) {
    p.kind = e.kind;
    const auto& d = e.dims;
    if (e.kind == PK::BulbFlat) {
        p.rowBulb = e.bulbRow;
        return;
    }
    if (e.kind < PK::LBuiltUp || e.kind >= PK::Count || isTableKind(e.kind))
        return;
    BuiltUpDims& s = p.savedSet(e.kind);
    switch (e.kind) {
    case PK::FlatBuiltUp:
        s.H = d[0];
        s.tw = d[1];
        p.H = s.H;
        p.tw = s.tw;
        break;
    case PK::RHS:
        s.H = d[0];
        s.B = d[1];
        s.tw = d[2];
        p.H = s.H;
        p.B = s.B;
        p.tw = s.tw;
        p.tf = s.tw;
        break;
    case PK::Trapez:
        s.H = d[0];
        s.B = d[1];
        s.a = d[2];
        s.tw = d[3];
        p.H = s.H;
        p.B = s.B;
        p.a = s.a;
        p.tw = s.tw;
        p.tf = s.tw;
        break;
    default: // L, T and I built up
        s.H = d[0];
        s.B = d[1];
        s.tw = d[2];
        s.tf = d[3];
        p.H = s.H;
        p.B = s.B;
        p.tw = s.tw;
        p.tf = s.tf;
        break;
    }
}

// The section routines of stiffener and ring frame for the current kinds. They set the working
// dimensions (a bulb flat's from its table row) and the designations. A section that cannot be
// computed is left to the calculation run, which meets the same fault and reports it.
void computeSections(State& st, Notifier& nt) {
    try {
        computeStiffenerSection(st, nt, st.dc.stiff.kind);
    } catch (const CalcFault&) {
    }
    try {
        computeRingSection(st, nt, st.dc.ring.kind);
    } catch (const CalcFault&) {
    }
}

} // namespace

DatabaseRow commentRow(const std::string& text) {
    DatabaseRow r;
    r.isComment = true;
    r.listText = text;
    return r;
}

bool isCommentText(const std::string& firstField) {
    return (!firstField.empty() && firstField[0] == '%') || firstField == "End" ||
           firstField == "END";
}

CaseDatabase::CaseDatabase() : rows(kCapacity) {
    rows[0] = commentRow("End");
    lastRow = 0;
}

void CaseDatabase::reset() {
    std::fill(rows.begin(), rows.end(), DatabaseRow{});
    lastRow = -1;
}

int16_t findBulbFlatRow(const ProfileTable& bulb, float H, float t) {
    int16_t found = 0;
    for (size_t i = 0; i < bulb.rows.size(); ++i)
        if (bulb.rows[i].H == H && bulb.rows[i].tw == t)
            found = static_cast<int16_t>(i);
    return found;
}

bool parseDatabaseText(const std::string& bytes, const std::string& fileName,
                       const ProfileTable& bulb, bool decimalPointLocale, CaseDatabase& out,
                       std::string& error) {
    out.reset();
    const std::vector<std::string> lines = splitLines(cp1252ToUtf8(bytes));
    // Blank lines after the last row hold nothing; a blank line between rows is an error.
    size_t used = lines.size();
    while (used > 0 && trimBlanks(lines[used - 1]).empty())
        --used;
    for (size_t i = 0; i < used; ++i) {
        const std::string where = fileName + ", line " + std::to_string(i + 1) + ": ";
        if (i >= static_cast<size_t>(CaseDatabase::kCapacity)) {
            error = where + "a database holds at most " + std::to_string(CaseDatabase::kCapacity) +
                    " rows";
            return false;
        }
        const std::string_view line = trimBlanks(lines[i]);
        if (line.empty()) {
            error = where + "empty line";
            return false;
        }
        const std::vector<std::string> fields = splitFields(line, ';');
        DatabaseRow& row = out.rows[i];
        if (isCommentText(fields[0])) {
            row = commentRow(fields[0]);
            continue;
        }
        const std::string reason = readCaseLine(fields, bulb, decimalPointLocale, row);
        if (!reason.empty()) {
            error = where + reason;
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
        const std::string where = "row " + std::to_string(i + 1) + ": ";
        if (r.isComment) {
            const std::string t = fieldText(r.listText);
            if (!isCommentText(t)) {
                error = where + "the comment \"" + r.listText +
                        "\" must begin with \"%\" to be read back as a comment";
                return false;
            }
            utf8 += t;
            utf8 += ";\r\n";
            continue;
        }
        if (isCommentText(fieldText(r.projectName))) {
            error = where + "the project name \"" + r.projectName +
                    "\" would be read back as a comment row; rename the project";
            return false;
        }
        for (const ProfileEntry* e : {&r.stiff, &r.ring}) {
            if (!designationReadsBack(fieldText(e->designation))) {
                error = where + "the profile designation \"" + e->designation +
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

std::string readDatabaseFile(State& st, const std::string& path) {
    std::string bytes;
    if (!readFile(path, bytes))
        return "can't find file - " + path;
    CaseDatabase fresh;
    std::string error;
    if (!parseDatabaseText(bytes, path, st.profiles.bulb, st.run.decimalPointLocale, fresh, error))
        return error;
    fresh.databaseFileName = path;
    st.db = std::move(fresh);
    return "";
}

std::string writeDatabaseFile(State& st, const std::string& path) {
    std::string text;
    std::string error;
    if (!databaseFileText(st.db, st.decimalSep(), text, error))
        return path + ", " + error;
    if (!writeFileAtomic(path, text))
        return "can't save file - " + path;
    return "";
}

bool storeCaseInRow(State& st, int index) {
    if (index < 0 || index + 1 >= CaseDatabase::kCapacity)
        return false;
    // The designations must show the profiles of the current kinds and dimensions, even where
    // the last run had no use for a section (the stiffener of a ring-stiffened cylinder).
    RecordingNotifier quiet;
    computeSections(st, quiet);

    const DesignCase& dc = st.dc;
    DatabaseRow& r = st.db.rows[static_cast<size_t>(index)];
    r.isComment = false;
    r.projectName = dc.projectName;
    r.identification = dc.identification;
    r.listText = dc.identification;
    r.designMethod = dc.designFormat;
    r.UF = dc.UF;
    r.cylinderType = dc.cylinderType;
    r.outsideStiffening = dc.outsideStiffening;
    r.ringFrameControl = dc.ringControl;
    r.specialIh = dc.specialIh;
    r.r = dc.r;
    r.l = dc.l;
    r.t = dc.t;
    r.E = dc.E;
    r.fyp = dc.fyp;
    r.s = dc.s;
    r.ltStiffener = dc.ltStiff;
    storeProfile(dc.stiff, st.profiles, st.res.stiffProfileText, r.stiff);
    r.fys = dc.fys;
    r.L = dc.L;
    r.ltRing = dc.ltRing;
    r.fyr = dc.fyr;
    storeProfile(dc.ring, st.profiles, st.res.ringProfileText, r.ring);
    r.ringFabrication = dc.ringFabrication;
    r.heavyRingControl = dc.heavyRingControl;
    r.Sigx = dc.Sigx;
    r.Sigy = dc.Sigy;
    r.Tau = dc.Tau;
    r.pd = dc.pd;
    r.N = dc.N;
    r.M1a = dc.M1a;
    r.M2a = dc.M2a;
    r.M1b = dc.M1b;
    r.M2b = dc.M2b;
    r.k1 = dc.k1;
    r.k2 = dc.k2;
    r.dimMoment = dc.dimMoment;

    st.db.rows[static_cast<size_t>(index) + 1] = commentRow("End");
    st.db.lastRow = static_cast<int16_t>(index + 1);
    return true;
}

bool loadRowIntoCase(State& st, Notifier& nt, int index) {
    if (index < 0 || index >= CaseDatabase::kCapacity)
        return false;
    const DatabaseRow& r = st.db.rows[static_cast<size_t>(index)];
    if (r.isComment)
        return false;
    DesignCase& dc = st.dc;
    dc.projectName = r.projectName;
    dc.identification = r.identification;
    dc.designFormat = r.designMethod;
    dc.UF = r.UF;
    dc.cylinderType = r.cylinderType;
    dc.outsideStiffening = r.outsideStiffening;
    dc.ringControl = r.ringFrameControl;
    // The heavy ring-frame check builds on the panel-ring check; without it the switch is off,
    // as the option buttons keep it.
    dc.heavyRingControl = r.ringFrameControl == 0 ? int16_t{0} : r.heavyRingControl;
    dc.specialIh = r.specialIh;
    dc.r = r.r;
    dc.l = r.l;
    dc.t = r.t;
    dc.E = r.E;
    dc.fyp = r.fyp;
    dc.s = r.s;
    dc.ltStiff = r.ltStiffener;
    dc.fys = r.fys;
    dc.L = r.L;
    dc.ltRing = r.ltRing;
    dc.fyr = r.fyr;
    dc.ringFabrication = r.ringFabrication;
    dc.Sigx = r.Sigx;
    dc.Sigy = r.Sigy;
    dc.Tau = r.Tau;
    dc.pd = r.pd;
    dc.N = r.N;
    dc.M1a = r.M1a;
    dc.M2a = r.M2a;
    dc.M1b = r.M1b;
    dc.M2b = r.M2b;
    dc.k1 = r.k1;
    dc.k2 = r.k2;
    dc.dimMoment = r.dimMoment;

    // The stored yield strengths are used as they stand: all three materials user-defined.
    const int16_t userDefined = static_cast<int16_t>(std::max(0, st.materials.materialCount()));
    dc.plateMaterial = userDefined;
    dc.stiffMaterial = userDefined;
    dc.ringMaterial = userDefined;

    loadProfile(r.stiff, dc.stiff);
    loadProfile(r.ring, dc.ring);
    // Built-up dimensions are current now; a table profile (a bulb flat) takes its dimensions
    // from its table row through the section routine.
    if (isTableKind(dc.stiff.kind) || isTableKind(dc.ring.kind))
        computeSections(st, nt);
    return calcAll(st, nt);
}

int firstCaseRow(const CaseDatabase& db) {
    for (int i = 0; i <= db.lastRow; ++i)
        if (!db.rows[static_cast<size_t>(i)].isComment)
            return i;
    return -1;
}

} // namespace velmora
