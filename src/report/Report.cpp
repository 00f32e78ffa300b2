// The printed report. Positions are in two user scales: the header in characters and lines of
// the 11 pt font as measured on the page, the body in a fixed grid of 136 by 88 units (about one
// 8 pt character across, one 8 pt line down).

#include "report/Report.h"

#include "base/NumberText.h"
#include "base/Version.h"
#include "calc/State.h"
#include "calc/Verdict.h"
#include "case/LoadCases.h"
#include "report/LoadCaseTable.h"
#include "report/Panels.h"
#include "report/Sketches.h"
#include "report/Surface.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace velmora {

namespace {

constexpr const char* kFont = "arial";
constexpr double kRuleRight = kBodyWidth - 0.5 * kC0; // 129.2
constexpr double kSketchX = 92.6;
constexpr double kSketchW = 30;
constexpr double kProfileW = (kC3 - kC0) - 3;                             // 29
constexpr double kProfileH = kProfileW * kBodyHeight / kBodyWidth / 1.41; // about 13.3
constexpr double kRingOffset = 60;
constexpr double kHeaderTextPt = 8;
constexpr double kResultsPt = 8; // the profile blocks and the result panels

// Number of bytes of the UTF-8 sequence that starts with `c`.
size_t sequenceLength(unsigned char c) {
    if (c < 0x80)
        return 1;
    if ((c & 0xE0) == 0xC0)
        return 2;
    if ((c & 0xF0) == 0xE0)
        return 3;
    if ((c & 0xF8) == 0xF0)
        return 4;
    return 1; // a stray continuation byte counts as one character
}

class Page {
public:
    Page(Surface& s, char sep) : s_(s), sep_(sep) {}

    void text(double x, double y, const std::string& t) {
        s_.setPos(x, y);
        s_.drawText(t);
    }
    void styled(double x, double y, const std::string& t) {
        s_.setBold(true);
        s_.setItalic(true);
        s_.setUnderline(true);
        text(x, y, t);
        plain();
    }
    void plain() {
        s_.setBold(false);
        s_.setItalic(false);
        s_.setUnderline(false);
        s_.setColor(kBlack);
    }
    // A value ending at `right`, then one blank and the unit.
    void value(double right, double y, const std::string& v, const std::string& unit) {
        text(right - s_.textWidth(v), y, v);
        if (!unit.empty())
            s_.drawText(" " + unit);
    }
    std::string num(double v, const char* pattern) const { return formatNumber(v, pattern, sep_); }

    Surface& s_;
    char sep_;
};

const std::string& materialName(const State& st, int index) {
    static const std::string none;
    if (index < 0 || index >= static_cast<int>(st.materials.rows.size()))
        return none;
    return st.materials.rows[static_cast<size_t>(index)].name;
}

// A text that ends before `right`: set smaller, down to 5 pt, where the field is too narrow.
void fitted(Page& p, double x, double y, const std::string& t, double right) {
    Surface& s = p.s_;
    const double width = s.textWidth(t);
    if (width > right - x && width > 0) {
        s.setFont(kFont, std::max(5.0, kHeaderTextPt * (right - x) / width));
        p.text(x, y, t);
        s.setFont(kFont, kHeaderTextPt);
        return;
    }
    p.text(x, y, t);
}

// Minutes and the like with a leading zero: 9:03, not 9:3.
std::string twoDigits(int n) {
    return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n);
}

void printHeader(Page& p, const State& st, const ReportStamp& stamp, const ReportMetrics& m,
                 int page, int pageCount) {
    Surface& s = p.s_;
    const double W = m.charsPerLine[0];
    s.setScale(0, 0, W, m.linesPerPage[0]);
    s.setFont(kFont, 11);
    p.plain();
    const double x0 = std::floor(0.1 * W);
    const double right = 0.95 * W;

    // The page, date and time fields start at x0 + 88 and x0 + 80 where their texts fit there;
    // on a narrower page they start as far left as their texts need, so that nothing crosses
    // the frame's right edge.
    const std::string pageOf = std::to_string(page + 1) + "/" + std::to_string(pageCount);
    const std::string pageText = "Page: " + pageOf;
    const std::string date = "Date: " + stamp.date;
    const std::string time = "Time: " + std::to_string(stamp.hour) + ":" + twoDigits(stamp.minute);
    s.setFont(kFont, kHeaderTextPt);
    const double pageLeft =
        std::max(x0 + 37.5, std::min(x0 + 88, right - 1 - s.textWidth(pageText)));
    const double dateLeft = std::max(
        x0 + 37.5, std::min(x0 + 80, right - 1 - std::max(s.textWidth(date), s.textWidth(time))));
    s.setFont(kFont, 11);

    // The ruled frame, drawn before the texts.
    s.line(x0, 3.4, x0 + 37, 3.4);
    s.line(x0 + 37, 4, right, 4);
    s.line(dateLeft, 4.9, right, 4.9);
    s.line(x0, 5.8, right, 5.8);
    s.line(x0 + 37, 2, x0 + 37, 5.8);
    s.line(dateLeft, 4, dateLeft, 5.8);
    s.line(pageLeft, 2, pageLeft, 4);

    s.setBold(true);
    p.text(x0 + 0.5, 2, "Velmora DNV");
    s.setBold(false);
    // The grid is measured in 11 pt characters; its fields ("Project: " has 5.5 of them before
    // the name) hold their texts only in a smaller face, so the texts are set in 8 pt.
    s.setFont(kFont, kHeaderTextPt);
    p.text(x0 + 0.5, 3.5, "Cylinder shell buckling based on DNV-RP-C202");
    p.text(x0 + 0.5, 4.2, kVersionLine);

    p.text(x0 + 37.5, 2.1, "Project: ");
    p.text(x0 + 43, 2.1, characters(st.dc.projectName, 1, 45));
    p.text(x0 + 43, 3, characters(st.dc.projectName, 46, 105));
    p.text(x0 + 37.5, 4.1, "Identification: ");
    p.text(x0 + 47, 4.1, characters(st.dc.identification, 1, 38));
    p.text(x0 + 47, 5, characters(st.dc.identification, 39, 98));

    // "Page:" and "1/1" on one line.
    p.text(pageLeft + 0.5, 2.1, "Page: ");
    s.drawText(pageOf);
    fitted(p, dateLeft + 0.5, 4.1, date, right - 0.5);
    fitted(p, dateLeft + 0.5, 5, time, right - 0.5);

    // Under the title block: the file, and the verdict of the case ending at the frame's right
    // edge, bold in its colour. The file name gives way to the verdict where both do not fit.
    const Verdict verdict = caseVerdict(st);
    s.setBold(true);
    const double verdictLeft = std::max(x0 + 37.5, right - s.textWidth(verdict.line));
    s.setColor(verdictStatusColor(verdict.status));
    fitted(p, verdictLeft, 5.9, verdict.line, right);
    p.plain();
    fitted(p, x0 + 0.5, 5.9, "File: " + lowerCase(st.run.fileName), verdictLeft - 1);
}

// One "label  symbol = value unit" line of the top part.
void quantity(Page& p, double row, const std::string& label, const std::string& symbol,
              const std::string& value, const std::string& unit) {
    if (!label.empty())
        p.text(kC0, row, label);
    p.text(kC3, row, symbol);
    p.text(kC4, row, "=");
    p.value(kC5, row, value, unit);
}

// Columns of a load-case table: name, design format and usage factor, governing check, ratio
// (right edge) and verdict, with the right edge of the table.
struct TableColumns {
    double name, format, check, ratio, verdict, right;
};

// The first page's table stands right of the design condition and materials, above the
// cylinder sketch, in a smaller face; the second page's spans the body.
constexpr TableColumns kFirstPageColumns{70, 84, 95.5, 112.5, 114, kRuleRight};
constexpr TableColumns kSecondPageColumns{kC0, 45.6, 63.6, 99.6, 102.6, kRuleRight};
constexpr double kFirstPageTablePt = 6.5;
constexpr double kFirstPageTableRow = 0.85;

void textIn(Page& p, double x, double y, const std::string& t, double right) {
    // A text too wide for its column is set smaller, as the header's fields are.
    Surface& s = p.s_;
    const double pt = s.fontSize() > 0 ? s.fontSize() : kResultsPt;
    const double width = s.textWidth(t);
    if (width > right - x && width > 0) {
        s.setFont(kFont, std::max(4.5, pt * (right - x) / width));
        p.text(x, y, t);
        s.setFont(kFont, pt);
        return;
    }
    p.text(x, y, t);
}

// The heading of a load-case table and the case's verdict beside it: "Load cases:" and
// "FAILS - governing: load case Storm".
void loadCaseTableTitle(Page& p, const State& st, double x, double y, const std::string& title) {
    Surface& s = p.s_;
    p.styled(x, y, title);
    const Verdict v = caseVerdict(st);
    std::string text = std::string(" ") + verdictStatusText(v.status);
    if (v.status == VerdictStatus::Passes || v.status == VerdictStatus::Fails)
        text += " - governing: " + v.loadCaseName;
    s.setBold(true);
    s.setColor(verdictStatusColor(v.status));
    textIn(p, s.x(), y, text, kRuleRight);
    p.plain();
}

// Column headings and rows `first` to `last` (exclusive) of the load cases from `y`, one row
// `step` apart; the selected load case's name in bold.
void loadCaseTableRows(Page& p, const std::vector<LoadCaseRow>& rows, size_t first, size_t last,
                       const TableColumns& c, double y, double step) {
    Surface& s = p.s_;
    s.setUnderline(true);
    textIn(p, c.name, y, "Load case", c.format - 1);
    textIn(p, c.format, y, "Format, UF", c.check - 1);
    textIn(p, c.check, y, "Governing check", c.ratio - s.textWidth("Ratio") - 1);
    p.text(c.ratio - s.textWidth("Ratio"), y, "Ratio");
    textIn(p, c.verdict, y, "Verdict", c.right);
    s.setUnderline(false);
    for (size_t i = first; i < last && i < rows.size(); ++i) {
        y += step;
        const LoadCaseRow& r = rows[i];
        s.setBold(r.selected);
        textIn(p, c.name, y, r.name, c.format - 1);
        s.setBold(false);
        textIn(p, c.format, y, r.format, c.check - 1);
        textIn(p, c.check, y, r.check, c.ratio - s.textWidth("0.00") - 1);
        p.text(c.ratio - s.textWidth(r.ratio), y, r.ratio);
        s.setBold(true);
        s.setColor(verdictStatusColor(r.status));
        textIn(p, c.verdict, y, verdictStatusText(r.status), c.right);
        p.plain();
    }
}

// The first page's table of a case with several load cases, from row `top`.
void printFirstPageLoadCases(Page& p, const State& st, double top) {
    const std::vector<LoadCaseRow> rows = loadCaseRows(st);
    const size_t shown = std::min(rows.size(), static_cast<size_t>(kLoadCasesOnFirstPage));
    std::string title = "Load cases:";
    if (shown < rows.size())
        title = "Load cases 1-" + std::to_string(shown) + " of " + std::to_string(rows.size()) +
                " (more on page 2):";
    loadCaseTableTitle(p, st, kFirstPageColumns.name, top, title);
    p.s_.setFont(kFont, kFirstPageTablePt);
    loadCaseTableRows(p, rows, 0, shown, kFirstPageColumns, top + 1, kFirstPageTableRow);
    p.s_.setFont(kFont, kResultsPt);
}

// Design condition, materials, geometry with the cylinder sketch, loading; returns the top row
// of the profile part.
double printTopPart(Page& p, const State& st) {
    Surface& s = p.s_;
    const DesignCase& dc = st.dc;
    const double partTop = 10;
    double row = partTop;

    p.styled(kC0, row, "Design format/Condition and Material:");
    row += 1;
    p.text(kC0, row, "Design Condition:");
    p.value(kC5, row, dc.designFormat == DesignFormat::LRFD ? "LRFD method" : "WSD method", "");
    row += 1;
    if (dc.designFormat == DesignFormat::WSD)
        quantity(p, row, "Basic Usage Factor: ", "n0", p.num(dc.UF, "#0.00"), "");
    else
        quantity(p, row, "Allowable Usage Factor: ", "UF", p.num(dc.UF, "##.00"), "");
    row += 1;

    row += 1.3;
    auto material = [&](const std::string& name, int index, float fy) {
        p.text(kC0, row, name);
        p.value(43.6, row, materialName(st, index), "");
        p.text(kC3, row, "fy");
        p.text(kC4, row, "=");
        p.value(kC5, row, p.num(fy, "###"), "MPa");
        row += 1;
    };
    material("Plate: ", dc.plateMaterial, dc.fyp);
    material("Stiffener: ", dc.stiffMaterial, dc.fys);
    if (dc.ringControl == 1)
        material("Ringframe: ", dc.ringMaterial, dc.fyr);
    quantity(p, row, "Youngs modulus: ", "E", p.num(dc.E, "0.00E+0"), "MPa");
    row += 1;

    row += 1.5;
    const double geometryTop = row;
    p.styled(kC0, row, "Geometry:");
    row += 1;
    auto length = [&](const std::string& label, const std::string& symbol, float v,
                      const char* pattern = "0") {
        quantity(p, row, label, symbol, p.num(v, pattern), "mm");
        row += 1;
    };
    length("Cylinder radius (cL plate)", "r", dc.r);
    length("Distance between ring frames", "l", dc.l);
    length("Cylinder wall thickness", "t", dc.t, "0.0");
    if (dc.cylinderType == CylinderType::RingStiffened) {
        length("Cylinder length", "L", dc.L);
        length("Lat tors buckl length: (ringframe)", "lt", dc.ltRing);
    } else if (dc.cylinderType == CylinderType::StringerStiffened) {
        length("Stiff spacing:", "s", dc.s);
        length("Lat tors buckl length: (stiffener)", "lt", dc.ltStiff);
        length("Cylinder length", "L", dc.L);
        length("Lat tors buckl length: (ringframe)", "lt", dc.ltRing);
    } else if (dc.cylinderType == CylinderType::Column) {
        length("Cylinder length", "L", dc.L);
        quantity(p, row, "Effective length factor", "k1", p.num(dc.k1, "0.00"), "");
        row += 1;
        quantity(p, row, "", "k2", p.num(dc.k2, "0.00"), "");
        row += 1;
    }

    const double sketchH = kSketchW * kBodyHeight / kBodyWidth;
    s.setFont(kFont, 7);
    drawCylinderSketch(s, dc, {kSketchX, geometryTop, kSketchX + kSketchW, geometryTop + sketchH});
    s.setFont(kFont, 8);
    p.plain();

    row += 1.5;
    p.styled(kC0, row, "Loading:");
    // With several load cases the loading and the panels are the selected load case's.
    if (loadCaseCount(dc) > 1)
        s.drawText(" load case " + dc.loadCaseName);
    row += 1;
    auto load = [&](const std::string& label, float v, const char* pattern,
                    const std::string& unit) {
        p.text(kC0, row, label);
        p.text(19.6, row, "=");
        p.value(31.6, row, p.num(v, pattern), unit);
        row += 1;
    };
    const std::string pressureUnit = "MPa (positive = inside pressure)";
    if (dc.cylinderType == CylinderType::Column) {
        load("pd", dc.pd, "0.000", pressureUnit);
        load("N", dc.N, "0.0", "kN");
        load("M1a", dc.M1a, "0.0", "kNm");
        load("M1b", dc.M1b, "0.0", "kNm");
        load("M2a", dc.M2a, "0.0", "kNm");
        load("M2b", dc.M2b, "0.0", "kNm");
    } else {
        load("Sigx", dc.Sigx, "0.0", "MPa");
        load("Sigy", dc.Sigy, "0.0", "MPa");
        load("Tau", dc.Tau, "0.0", "MPa");
        load("pd", dc.pd, "0.000", pressureUnit);
    }

    row = std::max(row, geometryTop + sketchH + 1);
    s.line(kC0, row, kRuleRight, row);
    if (loadCaseCount(dc) > 1) {
        // The load-case table takes the upper right, the rule starts beside the geometry.
        printFirstPageLoadCases(p, st, partTop);
        s.line(80.6, geometryTop - 0.5, 80.6, row - 0.5);
    } else {
        s.line(80.6, partTop + 0.5, 80.6, row - 0.5);
    }
    return row + 1;
}

// Title, sketch and data of one profile block.
void printProfile(Page& p, const State& st, bool ring, double offset, double top) {
    Surface& s = p.s_;
    const ProfileRecord& rec = ring ? st.dc.ring : st.dc.stiff;
    std::string designation;
    if (ring)
        designation = st.res.ringProfileText +
                      (st.dc.ringFabrication == 0 ? " (Fabricated)" : " (Cold-formed)");
    else
        designation =
            st.res.stiffProfileText + (rec.kind == ProfileKind::LBuiltUp ? " (built-up)" : "");
    p.styled(offset + kC0, top, ring ? "Ringframe Profile:" : "Stiffener Profile:");
    s.drawText(" " + designation);

    const double x = offset + kC0;
    s.setFont(kFont, 6);
    drawProfileSketch(s, rec, sketchForKind(rec.kind),
                      {x, top + 2, x + kProfileW, top + 2 + kProfileH}, true, st.decimalSep());
    s.setFont(kFont, kResultsPt);
    p.plain();
    printProfileBlock(s, st, ring, offset, top);
}

// Where the data of one profile block come from.
struct ProfileData {
    const ProfileRecord& rec;
    const SectionProps& props;
    const std::string& web;
    const std::string& flange;
};

class ProfileLines {
public:
    ProfileLines(Page& p, double offset, double row) : p_(p), offset_(offset), row_(row) {}

    void add(const std::string& symbol, double v, const char* pattern, const std::string& unit) {
        p_.text(offset_ + kC3, row_, symbol);
        p_.text(offset_ + kC4, row_, "=");
        p_.value(offset_ + kC5, row_, p_.num(v, pattern), unit);
        row_ += 1;
    }
    void note(const std::string& t) {
        p_.text(offset_ + kC3, row_, t);
        row_ += 1;
    }
    double row() const { return row_; }

private:
    Page& p_;
    double offset_;
    double row_;
};

void lengths(ProfileLines& out, const ProfileRecord& r, bool withB) {
    out.add("H", r.H, "#00", "mm");
    if (withB)
        out.add("B", r.B, "#00", "mm");
}

void areaMass(ProfileLines& out, const SectionProps& sp) {
    out.add("A", sp.A, "#00", "mm2");
    out.add("g", sp.g, "#0.0", "kg/m");
    out.add("Iy", sp.Iy, "0.000E+0", "mm4");
}

// L, T and I profiles.
double printFlangedBlock(ProfileLines& out, const ProfileData& d, bool showIz) {
    lengths(out, d.rec, true);
    out.add("tw", d.rec.tw, "#0.0", "mm");
    out.add("tf", d.rec.tf, "#0.0", "mm");
    areaMass(out, d.props);
    if (showIz)
        out.add("Iz", d.props.Iz, "0.000E+0", "mm4");
    out.note("Local buckling:");
    out.note(d.web);
    out.note(d.flange);
    return out.row();
}

// Trapezoid and RHS: plate thickness t held in tw; a belongs to the trapezoid only.
double printTrapezoidBlock(ProfileLines& out, const ProfileData& d) {
    lengths(out, d.rec, true);
    if (d.rec.kind == ProfileKind::Trapez)
        out.add("a", d.rec.a, "#00", "mm");
    out.add("tw", d.rec.tw, "#0.0", "mm");
    areaMass(out, d.props);
    return out.row();
}

double printFlatBarBlock(ProfileLines& out, const ProfileData& d) {
    lengths(out, d.rec, false);
    out.add("tw", d.rec.tw, "#0.0", "mm");
    areaMass(out, d.props);
    out.note("Local buckling:");
    out.note(d.web);
    return out.row();
}

// Bulb flat: the table's c and r, then the equivalent flange B and tf. Its flange outstand is
// not checked, so only the web text belongs to it.
double printBulbFlatBlock(ProfileLines& out, const ProfileData& d) {
    lengths(out, d.rec, false);
    out.add("tw", d.rec.tw, "#0.0", "mm");
    out.add("c", d.rec.a, "#00", "mm");
    out.add("r", d.rec.Ro, "#00", "mm");
    out.add("B", d.rec.B, "#00", "mm");
    out.add("tf", d.rec.tf, "#0.0", "mm");
    areaMass(out, d.props);
    out.note("Local buckling:");
    out.note(d.web);
    return out.row();
}

// Passes measurements through to the page but draws nothing; tells how far down the texts go.
class ProbeSurface : public Surface {
public:
    explicit ProbeSurface(const Surface& page) : page_(page) {}
    void clear() override {}
    void setScale(double, double, double, double) override {}
    void setPos(double x, double y) override {
        x_ = x;
        y_ = y;
    }
    double x() const override { return x_; }
    double y() const override { return y_; }
    void setFont(const std::string&, double) override {}
    void setBold(bool) override {}
    void setItalic(bool) override {}
    void setUnderline(bool) override {}
    void setColor(Rgb) override {}
    void drawText(const std::string& text) override {
        lowest = std::max(lowest, y_);
        x_ += page_.textWidth(text);
    }
    double textWidth(const std::string& text) const override { return page_.textWidth(text); }
    double textHeight(const std::string& text) const override { return page_.textHeight(text); }
    void line(double, double, double, double) override {}
    void polygon(const std::vector<Point>&, bool) override {}
    void ellipse(double, double, double, double, bool) override {}

    double lowest = 0;

private:
    const Surface& page_;
    double x_ = 0;
    double y_ = 0;
};

void drawResults(Surface& s, const State& st, double row) {
    const DesignCase& dc = st.dc;
    const double resultsTop = row;
    constexpr int report = 1;

    row = drawShellPanel(s, st, row, kC0, report);
    if (dc.cylinderType == CylinderType::StringerStiffened) {
        if (st.res.slenderNote)
            // The one-line note ends inside the right rule.
            row = drawSlenderNote(s, st, resultsTop, kC5, report, kRuleRight - kC5) + 9;
        else
            row = drawStiffenerPanel(s, st, resultsTop, kC5, report);
        if (dc.ringControl == 1)
            drawRingPanel(s, st, row + 2, kC0, report);
    } else if (dc.cylinderType == CylinderType::RingStiffened) {
        if (dc.ringControl == 1)
            drawRingPanel(s, st, row + 2, kC0, report);
    } else if (dc.cylinderType == CylinderType::Column) {
        drawColumnPanel(s, st, row + 2, kC0, report);
    }
}

// The result panels below the profile part. The longest combination (stiffener panel and a
// ring panel with its heavy-frame line) would end a fraction of a line below the page; the
// panels then move up into the blank row under the rule, so that nothing is cut off.
void printResults(Page& p, const State& st, double row) {
    ProbeSurface probe(p.s_);
    drawResults(probe, st, row);
    const double overflow = probe.lowest + 1 - kBodyHeight;
    if (overflow > 0)
        row -= std::min(overflow, 0.8);
    drawResults(p.s_, st, row);
}

} // namespace

std::string characters(const std::string& text, size_t first, size_t last) {
    std::string out;
    size_t index = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t n =
            std::min(sequenceLength(static_cast<unsigned char>(text[i])), text.size() - i);
        ++index;
        if (index > last)
            break;
        if (index >= first)
            out.append(text, i, n);
        i += n;
    }
    return out;
}

std::string lowerCase(const std::string& text) {
    std::string out = text;
    for (size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c + 32);
        } else if (c == 0xC3 && i + 1 < out.size()) {
            // U+00C0..U+00DE (but not the multiplication sign U+00D7) are capitals whose small
            // letter lies 0x20 above.
            const auto d = static_cast<unsigned char>(out[i + 1]);
            if (d >= 0x80 && d <= 0x9E && d != 0x97)
                out[i + 1] = static_cast<char>(d + 0x20);
            ++i;
        }
    }
    return out;
}

ReportMetrics measureReport(Surface& s) {
    ReportMetrics m;
    s.setScale(0, 0, 1, 1);
    const double sizes[4] = {11, 10, 9, 8};
    for (size_t i = 0; i < 4; ++i) {
        s.setFont(kFont, sizes[i]);
        const double w = s.textWidth("SmGasdfghjklpoiuytre");
        const double h = s.textHeight("Velmora DNV");
        m.charsPerLine[i] = w > 0 ? static_cast<int>(1.0 / w * 20) : 100;
        m.linesPerPage[i] = h > 0 ? static_cast<int>(1.0 / h) : 70;
        m.charsPerLine[i] = std::max(m.charsPerLine[i], 1);
        m.linesPerPage[i] = std::max(m.linesPerPage[i], 1);
    }
    return m;
}

double printProfileBlock(Surface& s, const State& st, bool ring, double offset, double row) {
    Page p(s, st.decimalSep());
    const CaseResults& res = st.res;
    const ProfileData d =
        ring ? ProfileData{st.dc.ring, res.ringSection, res.ringWebCheckText,
                           res.ringFlangeCheckText}
             : ProfileData{st.dc.stiff, res.stiffSection, res.webCheckText, res.flangeCheckText};
    row += 2;
    s.setUnderline(true);
    p.text(offset + kC3, row, "Profile data:");
    s.setUnderline(false);
    row += 1;
    ProfileLines out(p, offset, row);
    switch (d.rec.kind) {
    case ProfileKind::LTable:
    case ProfileKind::LBuiltUp:
    case ProfileKind::TTable:
    case ProfileKind::TBuiltUp:
        return printFlangedBlock(out, d, true);
    case ProfileKind::IBuiltUp:
        // The stiffener's I section has no lateral inertia of its own.
        return printFlangedBlock(out, d, ring);
    case ProfileKind::RHS:
    case ProfileKind::Trapez:
        return printTrapezoidBlock(out, d);
    case ProfileKind::FlatTable:
    case ProfileKind::FlatBuiltUp:
        return printFlatBarBlock(out, d);
    case ProfileKind::BulbFlat:
        return printBulbFlatBlock(out, d);
    default:
        return row;
    }
}

int reportPageCount(const State& st) {
    return loadCaseCount(st.dc) > kLoadCasesOnFirstPage ? 2 : 1;
}

void printReport(Surface& s, const State& st, const ReportStamp& stamp, int page) {
    const ReportMetrics m = measureReport(s);
    Page p(s, st.decimalSep());
    const int pageCount = reportPageCount(st);
    page = std::clamp(page, 0, pageCount - 1);
    printHeader(p, st, stamp, m, page, pageCount);

    s.setScale(0, 0, kBodyWidth, kBodyHeight);
    s.setFont(kFont, kResultsPt);
    p.plain();
    if (page > 0) {
        // The load cases the first page had no room for.
        const std::vector<LoadCaseRow> rows = loadCaseRows(st);
        const size_t first = static_cast<size_t>(kLoadCasesOnFirstPage);
        loadCaseTableTitle(p, st, kC0, 10,
                           "Load cases " + std::to_string(first + 1) + "-" +
                               std::to_string(rows.size()) + " of " + std::to_string(rows.size()) +
                               ":");
        loadCaseTableRows(p, rows, first, rows.size(), kSecondPageColumns, 11.5, 1);
        return;
    }
    double row = printTopPart(p, st);

    const DesignCase& dc = st.dc;
    if (dc.cylinderType == CylinderType::RingStiffened ||
        dc.cylinderType == CylinderType::StringerStiffened) {
        const double top = row;
        bool printed = false;
        if (dc.cylinderType == CylinderType::StringerStiffened) {
            printProfile(p, st, false, 0, top);
            printed = true;
        }
        if (dc.ringControl == 1) {
            printProfile(p, st, true,
                         dc.cylinderType == CylinderType::StringerStiffened ? kRingOffset : 0, top);
            printed = true;
        }
        // The results start below the profile sketches.
        if (printed)
            row = top + 3.5 + kProfileH;
        if (dc.ringControl == 1) {
            s.line(kC0, row, kRuleRight, row);
            row += 1;
        }
    }
    printResults(p, st, row);
}

} // namespace velmora
