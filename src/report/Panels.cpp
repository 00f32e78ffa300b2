// The result panels. Each routine lays out one ResultPanel that the checks have filled: the
// title underlined and bold, the labelled values right-aligned to the panel's value column,
// the usage-factor lines bold and coloured by comparison with their permitted value. Nothing is
// computed here except text widths for the alignment.

#include "report/Panels.h"

#include "base/NumberText.h"
#include "calc/State.h"
#include "checks/PanelTexts.h"
#include "report/Surface.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace velmora {

namespace {

// Usage factors are red only when strictly above what is permitted.
Rgb verdictColor(double uf, double allowed) {
    return uf > allowed ? kRed : kGreen;
}

// Clears the screen box, draws the title at (left, top) and returns the y of the first line.
double titleBlock(Surface& s, const std::string& title, double top, double left, int mode,
                  double advance) {
    if (mode == 0)
        s.clear();
    s.setColor(kBlack);
    s.setItalic(false);
    s.setPos(left, top);
    s.setUnderline(true);
    s.setBold(true);
    s.drawText(title);
    s.setUnderline(false);
    s.setBold(false);
    return top + advance;
}

// The value ends at left + width; its unit follows directly. A label longer than the value
// column pushes the value to its end rather than under it.
void rightAligned(Surface& s, const std::string& value, const std::string& unit, double right,
                  double y) {
    s.setPos(std::max(right - s.textWidth(value), s.x()), y);
    s.drawText(value);
    s.drawText(unit);
}

// The row at index i, or an empty text for a row outside the 16 a panel holds.
const std::string& cell(const std::array<std::string, 16>& a, int i) {
    static const std::string none;
    return (i >= 0 && i < 16) ? a[static_cast<size_t>(i)] : none;
}

int clampedCount(const ResultPanel& p) {
    if (p.lineCount < 0)
        return 0;
    return p.lineCount > 15 ? 15 : p.lineCount;
}

// A text at (left, y), set smaller where it is wider than `width` (when given).
void fittedLine(Surface& s, const std::string& text, double left, double y, double width) {
    s.setPos(left, y);
    const std::string font = s.fontName();
    const double size = s.fontSize();
    const double textWidth = s.textWidth(text);
    const bool smaller = width > 0 && size > 0 && textWidth > width;
    if (smaller)
        s.setFont(font, size * width / textWidth);
    s.drawText(text);
    if (smaller)
        s.setFont(font, size);
}

// A labelled value line.
void valueLine(Surface& s, const ResultPanel& p, int i, double left, double width, double y,
               bool underlineLabel = false) {
    s.setPos(left, y);
    s.setUnderline(underlineLabel);
    s.drawText(cell(p.label, i));
    s.setUnderline(false);
    rightAligned(s, cell(p.value, i), cell(p.unit, i), left + width, y);
}

// A usage-factor line: label, then the value in bold and the verdict colour directly after it,
// then the unit in plain black.
void verdictLine(Surface& s, const ResultPanel& p, int i, double x, double y, Rgb color,
                 double valueX = -1) {
    s.setPos(x, y);
    s.drawText(cell(p.label, i));
    if (valueX >= 0)
        s.setPos(valueX, y);
    s.setBold(true);
    s.setColor(color);
    s.drawText(cell(p.value, i));
    s.setColor(kBlack);
    s.setBold(false);
    s.drawText(cell(p.unit, i));
}

// Shell and stiffener panels share one form: n - 1 value lines and a final usage-factor line.
double drawUsagePanel(Surface& s, const ResultPanel& p, Rgb verdict, double top, double left,
                      int mode) {
    constexpr double W = 15;
    double y = titleBlock(s, p.label[0], top, left, mode, 1.1);
    const int n = clampedCount(p);
    for (int i = 1; i <= n - 1; ++i) {
        valueLine(s, p, i, left, W, y);
        y += 1;
    }
    if (n >= 1) {
        verdictLine(s, p, n, left, y, verdict);
        y += 1;
    }
    return y;
}

} // namespace

std::string slenderNoteReportLine(const State& st) {
    std::string line = kSlenderNoteReportLine;
    const CheckValue v = caseChecks(st.dc, st.res)[static_cast<size_t>(CheckId::Unstiffened)];
    if (v.present) {
        const char sep = st.decimalSep();
        line += ", unstiffened cylinder UF = " + formatNumber(v.uf, "0.00", sep);
        line += comparisonSign(v.exceeds());
        line += formatNumber(v.permitted, "0.00", sep);
    }
    return line;
}

Rgb verdictStatusColor(VerdictStatus status) {
    switch (status) {
    case VerdictStatus::Passes:
        return kGreen;
    case VerdictStatus::Fails:
        return kRed;
    case VerdictStatus::InputOutOfLimits:
    case VerdictStatus::NotCalculated:
        return kAmber;
    }
    return kBlack;
}

bool ringPanelShowsSpecialIh(const State& st) {
    return st.dc.pd < 0;
}

double drawShellPanel(Surface& s, const State& st, double top, double left, int mode) {
    return drawUsagePanel(s, st.res.shellPanel, verdictColor(st.res.shellUF, st.res.shellUFallow),
                          top, left, mode);
}

double drawStiffenerPanel(Surface& s, const State& st, double top, double left, int mode) {
    return drawUsagePanel(s, st.res.stiffPanel, verdictColor(st.res.stiffUF, st.res.stiffUFallow),
                          top, left, mode);
}

double drawSlenderNote(Surface& s, const State& st, double top, double left, int mode,
                       double noteWidth) {
    double y = titleBlock(s, st.res.stiffPanel.label[0], top, left, mode, 2.1);
    s.setBold(true);
    if (mode == 0) {
        for (const char* line : {"Note: s/t>3* Sqr(r/t) ==>",
                                 "Calculation as an unstiffened cylinder", "(Ref Ch 3.6.1)"}) {
            s.setPos(left, y);
            s.drawText(line);
            y += 1;
        }
    } else {
        // One line; where the usage factor of the unstiffened cylinder makes it wider than the
        // room, that part goes on a second line.
        const std::string note = slenderNoteReportLine(st);
        const bool split = noteWidth > 0 && s.textWidth(note) > noteWidth &&
                           note.size() > std::string_view(kSlenderNoteReportLine).size();
        if (split) {
            const size_t cut = std::string_view(kSlenderNoteReportLine).size() + 2; // ", "
            fittedLine(s, note.substr(0, cut - 1), left, y, noteWidth);
            y += 1;
            fittedLine(s, note.substr(cut), left, y, noteWidth);
        } else {
            fittedLine(s, note, left, y, noteWidth);
        }
        y += 1;
    }
    s.setBold(false);
    return y;
}

double drawColumnPanel(Surface& s, const State& st, double top, double left, int mode) {
    const ResultPanel& p = st.res.columnPanel;
    const double W = mode == 0 ? 20 : 30;
    const double ufX = left + (mode == 0 ? 12 : 20);
    double y = titleBlock(s, p.label[0], top, left, mode, 1.1);
    const int n = clampedCount(p);
    for (int i = 1; i <= n - 2; ++i) {
        valueLine(s, p, i, left, W, y);
        y += 1;
    }
    // The two usage factors start at a fixed column, left-aligned.
    const double ufs[2] = {st.res.UF1, st.res.UF2};
    for (int k = 0; k < 2; ++k) {
        const int i = n - 1 + k;
        if (i < 1)
            continue;
        verdictLine(s, p, i, left, y, verdictColor(ufs[k], st.res.UFallow), ufX);
        y += 1;
    }
    return y;
}

double drawRingPanel(Surface& s, const State& st, double top, double left, int mode) {
    const ResultPanel& p = st.res.ringPanel;
    const double allowed = st.dc.UF;
    double y = titleBlock(s, p.label[0], top, left, mode, 1.1);
    const int n = clampedCount(p);
    if (n >= 1) {
        valueLine(s, p, 1, left, 18, y, true);
        y += 1;
    }
    if (n >= 2) {
        verdictLine(s, p, 2, left, y, verdictColor(st.res.ringAreaUF, allowed));
        y += 1;
    }
    for (int i = 3; i <= n - 2; ++i) {
        valueLine(s, p, i, left, 14, y, i == 3);
        y += 1;
    }
    if (n - 1 >= 3) {
        verdictLine(s, p, n - 1, left, y, verdictColor(st.res.ringInertiaUF, allowed));
        y += 1;
    }
    // The last line belongs to the special Ih calculation, offered under external pressure.
    if (n >= 4 && ringPanelShowsSpecialIh(st)) {
        s.setPos(left, y);
        s.drawText(cell(p.label, n));
        s.drawText(cell(p.value, n));
        s.drawText(cell(p.unit, n));
        y += 1;
    }
    return y;
}

} // namespace velmora
