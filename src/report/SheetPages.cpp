// The calculation sheet as pages: A4 in millimetres, a title block on every page, the inputs
// with the cylinder sketch on the first page, every check's lines (the formula, the numbers put
// in, the value) grouped under their headings, each usage factor against its permitted value
// and the verdict. The same content as one HTML file.
#include "base/NumberText.h"
#include "base/Version.h"
#include "calc/State.h"
#include "report/CalcSheet.h"
#include "report/Panels.h"
#include "report/Sketches.h"
#include "report/Surface.h"

#include <algorithm>
#include <string>
#include <vector>

namespace velmora {

namespace {

constexpr const char* kFont = "arial";
// The printable area of an A4 page with 12 mm margins, in millimetres.
constexpr double kPageW = 186;
constexpr double kPageH = 273;
constexpr double kBodyTop = 27;
constexpr double kRow = 4.1; // one 8 pt line
// Columns of a calculation line.
constexpr double kSymbolX = 1;
constexpr double kEqX = 34;
constexpr double kFormulaX = 37;
constexpr double kFormulaRight = 148;
constexpr double kRefX = 150;

// A title block field: "Project: " and its text.
struct Field {
    std::string label;
    std::string text;
};

// Splits `text` into pieces of at most `width` (measured on `s`), at blanks where it can.
std::vector<std::string> wrapped(const Surface& s, const std::string& text, double width) {
    std::vector<std::string> rows;
    std::string row;
    size_t i = 0;
    while (i < text.size()) {
        size_t next = text.find(' ', i + 1);
        if (next == std::string::npos)
            next = text.size();
        const std::string word = text.substr(i, next - i);
        if (!row.empty() && s.textWidth(row + word) > width) {
            rows.push_back(row);
            row = word.size() > 0 && word[0] == ' ' ? word.substr(1) : word;
        } else {
            row += word;
        }
        i = next;
    }
    if (!row.empty() || rows.empty())
        rows.push_back(row);
    return rows;
}

// Draws onto one page of the sheet and counts the pages: everything before and after the page
// being drawn only moves the cursor.
class Pager {
public:
    Pager(Surface& s, const State& st, const SheetStamp& stamp, int target, int pageCount)
        : s_(s), st_(st), stamp_(stamp), target_(target), pageCount_(pageCount) {
        startPage();
    }

    Surface& s() { return s_; }
    bool drawing() const { return page_ == target_; }
    int pages() const { return page_ + 1; }
    double y() const { return y_; }
    void down(double h) { y_ += h; }
    void setY(double y) { y_ = y; }
    // Starts a new page unless `h` millimetres fit below the cursor.
    void need(double h) {
        if (y_ + h > kPageH - 2) {
            ++page_;
            startPage();
        }
    }
    void font(double pt, bool bold = false, bool italic = false, Rgb colour = kBlack) {
        s_.setFont(kFont, pt);
        s_.setBold(bold);
        s_.setItalic(italic);
        s_.setUnderline(false);
        s_.setColor(colour);
    }
    void text(double x, const std::string& t, double dy = 0) {
        if (!drawing())
            return;
        s_.setPos(x, y_ + dy);
        s_.drawText(t);
    }
    void right(double x, const std::string& t) { text(x - s_.textWidth(t), t); }
    void rule(double x1, double x2) {
        if (drawing())
            s_.line(x1, y_, x2, y_);
    }

private:
    void startPage() {
        y_ = kBodyTop;
        if (drawing())
            titleBlock();
    }
    void titleBlock();

    Surface& s_;
    const State& st_;
    const SheetStamp& stamp_;
    int target_;
    int pageCount_;
    int page_ = 0;
    double y_ = 0;
};

void Pager::titleBlock() {
    // Three cells: the program, the case, date and page.
    const double h = 22;
    const double c1 = 50;
    const double c2 = 142;
    s_.setColor(kBlack);
    s_.line(0, 0, kPageW, 0);
    s_.line(0, h, kPageW, h);
    s_.line(0, 0, 0, h);
    s_.line(kPageW, 0, kPageW, h);
    s_.line(c1, 0, c1, h);
    s_.line(c2, 0, c2, h);
    auto at = [&](double x, double y, const std::string& t) {
        s_.setPos(x, y);
        s_.drawText(t);
    };
    font(11, true);
    at(2, 1.5, "Velmora DNV");
    font(9, true);
    at(2, 7, "Calculation sheet");
    font(7);
    at(2, 12, "Cylinder shell buckling based on");
    at(2, 15.5, "DNV-RP-C202");
    at(2, 19 - 0.5, std::string("Velmora DNV ") + kVersionLine);

    const Field fields[3] = {{"Project: ", st_.dc.projectName},
                             {"Identification: ", st_.dc.identification},
                             {"File: ", stamp_.fileName}};
    double y = 1.5;
    for (const Field& f : fields) {
        font(7);
        at(c1 + 2, y, f.label);
        font(8, true);
        const std::vector<std::string> rows = wrapped(s_, f.text, c2 - c1 - 22);
        for (size_t i = 0; i < rows.size() && i < 2; ++i)
            at(c1 + 21, y + 3.2 * static_cast<double>(i), rows[i]);
        y += rows.size() > 1 ? 7 : 6.5;
    }
    font(7);
    at(c2 + 2, 1.5, "Date and time:");
    font(8);
    at(c2 + 2, 5, stamp_.dateTime);
    font(7);
    at(c2 + 2, 12, "Page");
    font(11, true);
    at(c2 + 2, 15.5, std::to_string(page_ + 1) + " of " + std::to_string(pageCount_));
    font(8);
}

// ---------------------------------------------------------------------------------------------
// The content

void heading(Pager& p, const std::string& title, double before = 3) {
    // A heading never stands alone at the foot of a page.
    p.need(before + 10 * kRow);
    p.down(before);
    p.font(10, true);
    p.text(kSymbolX, title);
    p.down(5);
    p.rule(0, kPageW);
    p.down(1.2);
    p.font(8);
}

void subheading(Pager& p, const std::string& title) {
    p.need(6 * kRow);
    p.down(1.5);
    p.font(8.5, true);
    p.text(kSymbolX, title);
    p.down(kRow + 0.5);
    p.font(8);
}

// One input: label, symbol = value unit.
void input(Pager& p, const SheetInput& in) {
    p.need(kRow);
    p.font(8);
    p.text(kSymbolX + 2, in.label);
    if (in.symbol.empty()) {
        // A choice in words, not a number.
        p.text(76, in.value);
    } else {
        p.text(68, in.symbol);
        p.text(80, "=");
        p.right(104, in.value);
        p.text(105.5, in.unit);
    }
    p.down(kRow);
}

void inputs(Pager& p, const State& st) {
    heading(p, "Inputs", 0);
    // The cylinder sketch right of the inputs.
    if (p.drawing()) {
        Surface& s = p.s();
        s.setFont(kFont, 7);
        s.setColor(kBlack);
        drawCylinderSketch(s, st.dc, {118, p.y() + 2, 184, p.y() + 62});
    }
    const double sketchBottom = p.y() + 64;
    std::string section;
    for (const SheetInput& in : sheetInputs(st)) {
        if (in.section != section) {
            section = in.section;
            subheading(p, section);
        }
        input(p, in);
    }
    p.setY(std::max(p.y(), sketchBottom));
}

// One calculation line: the branch in words, symbol = formula, = expression, = value unit, and
// the reference at the right.
void calcLine(Pager& p, const TraceLine& line) {
    Surface& s = p.s();
    s.setFont(kFont, 8);
    const double width = kFormulaRight - kFormulaX;
    // A constant or a value taken as it is needs no second row: "gm = 1.15", "se = s = 600".
    const std::string valueText = traceNumber(line.value);
    const bool constant = line.formula == line.expression && line.formula == valueText;
    const std::vector<std::string> formula =
        constant ? std::vector<std::string>{} : wrapped(s, line.formula, width);
    const std::vector<std::string> expression = line.formula == line.expression
                                                    ? std::vector<std::string>{}
                                                    : wrapped(s, line.expression, width);
    s.setFont(kFont, 7.5);
    const std::vector<std::string> branch =
        line.branch.empty() ? std::vector<std::string>{} : wrapped(s, line.branch, width);
    s.setFont(kFont, 6.5);
    const std::vector<std::string> ref = wrapped(s, line.ref, kPageW - kRefX);
    const double rows = static_cast<double>(branch.size() + formula.size() + expression.size() + 1);
    p.need(rows * kRow + 1);

    p.font(7.5, false, true, Rgb{70, 70, 70});
    for (const std::string& b : branch) {
        p.text(kFormulaX, b);
        p.down(kRow - 0.3);
    }
    p.font(6.5, false, false, Rgb{70, 70, 70});
    for (size_t i = 0; i < ref.size(); ++i)
        p.text(kRefX, ref[i], 0.5 + 3 * static_cast<double>(i));
    p.font(8, true);
    p.text(kSymbolX, line.symbol);
    p.font(8);
    for (const auto* part : {&formula, &expression}) {
        if (part->empty())
            continue;
        p.text(kEqX, "=");
        for (const std::string& f : *part) {
            p.text(kFormulaX, f);
            p.down(kRow);
        }
    }
    p.text(kEqX, "=");
    p.font(8, true);
    p.text(kFormulaX, valueText + (line.unit.empty() ? "" : " " + line.unit));
    p.down(kRow + 0.8);
    p.font(8);
}

void calculation(Pager& p, const CalcSheet& sheet) {
    heading(p, "Calculation");
    std::string group;
    for (const TraceLine& line : sheet.lines) {
        if (line.group != group) {
            group = line.group;
            subheading(p, group);
        }
        calcLine(p, line);
    }
}

// Every load case with its governing check and verdict, the selected one (the lines') in bold.
void loadCaseTable(Pager& p, const CalcSheet& sheet) {
    subheading(p, "Load cases");
    const double format = 62, check = 92, ratio = 142, verdict = 148;
    p.font(8, true);
    p.text(kSymbolX + 2, "Load case");
    p.text(format, "Format, UF");
    p.text(check, "Governing check");
    p.right(ratio, "Ratio");
    p.text(verdict, "Verdict");
    p.down(kRow);
    for (const LoadCaseRow& r : sheet.loadCases) {
        p.need(kRow);
        p.font(8, r.selected);
        p.text(kSymbolX + 2, r.name + (r.selected ? " (this sheet)" : ""));
        p.font(8);
        p.text(format, r.format);
        p.text(check, r.check);
        p.right(ratio, r.ratio);
        p.font(8, true, false, verdictStatusColor(r.status));
        p.text(verdict, verdictStatusText(r.status));
        p.down(kRow);
    }
    p.font(8);
}

void usageFactors(Pager& p, const State& st, const CalcSheet& sheet) {
    const bool several = sheet.loadCases.size() > 1;
    heading(p, several ? "Usage factors of load case " + st.dc.loadCaseName + " and verdict"
                       : std::string("Usage factors and verdict"));
    for (int c = 0; c < kCheckCount; ++c) {
        const CheckValue& value = sheet.loadCaseVerdict.checks[static_cast<size_t>(c)];
        if (!value.present)
            continue;
        const auto id = static_cast<CheckId>(c);
        p.need(kRow);
        p.font(8);
        p.text(kSymbolX + 2, std::string(checkTitle(id)) + " (Ch " + checkChapter(id, st.dc) + ")");
        p.text(88, "UF = " + traceNumber(value.uf));
        p.text(122, (value.exceeds() ? "> " : "<= ") + traceNumber(value.permitted));
        p.font(8, true, false, value.exceeds() ? kRed : kGreen);
        p.text(160, value.exceeds() ? "fails" : "passes");
        p.down(kRow);
    }
    if (several) {
        // The table and the case's verdict after it on one page.
        p.need((static_cast<double>(sheet.loadCases.size()) + 5) * kRow + 15);
        loadCaseTable(p, sheet);
    }
    // The case's verdict, naming the governing load case where there are several.
    const Verdict& v = sheet.verdict;
    p.need(3 * kRow);
    p.down(2);
    p.font(10, true, false, verdictStatusColor(v.status));
    Surface& s = p.s();
    for (const std::string& row : wrapped(s, v.line, kPageW - 4)) {
        p.text(kSymbolX, row);
        p.down(5);
    }
    p.font(8);
    for (const std::string& reason : v.reasons) {
        for (const std::string& row : wrapped(s, "- " + reason, kPageW - 8)) {
            p.need(kRow);
            p.text(kSymbolX + 3, row);
            p.down(kRow);
        }
    }
}

int layout(Surface& s, const State& st, const CalcSheet& sheet, const SheetStamp& stamp, int page,
           int pageCount) {
    s.setScale(0, 0, kPageW, kPageH);
    Pager p(s, st, stamp, page, pageCount);
    inputs(p, st);
    calculation(p, sheet);
    usageFactors(p, st, sheet);
    return p.pages();
}

} // namespace

int sheetPageCount(Surface& s, const State& st, const CalcSheet& sheet, const SheetStamp& stamp) {
    return layout(s, st, sheet, stamp, -1, 0);
}

void drawSheetPage(Surface& s, const State& st, const CalcSheet& sheet, const SheetStamp& stamp,
                   int page, int pageCount) {
    layout(s, st, sheet, stamp, page, pageCount);
}

} // namespace velmora
