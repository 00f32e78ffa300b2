#include "files/ResultsFile.h"

#include "base/NumberText.h"
#include "case/CaseResults.h"
#include "case/DesignCase.h"
#include "files/DatabaseFile.h"

#include <array>

namespace velmora {

namespace {

const char* cylinderName(CylinderType type) {
    switch (type) {
    case CylinderType::Unstiffened:
        return "Cylinder";
    case CylinderType::RingStiffened:
        return "Ring stiff";
    case CylinderType::StringerStiffened:
        return "Stringer stiff";
    case CylinderType::Column:
        return "Column";
    }
    return "";
}

// Cells of one line, each followed by ";".
class Line {
public:
    Line() { text_.reserve(512); }
    // The cell's text, a ";" in it as "," and a line break as a blank, then the separator.
    void cell(const std::string& s) {
        const size_t start = text_.size();
        text_ += s;
        for (size_t i = start; i < text_.size(); ++i) {
            char& c = text_[i];
            if (c == ';')
                c = ',';
            else if (c == '\r' || c == '\n')
                c = ' ';
        }
        text_ += ';';
    }
    std::string& text() { return text_; }

private:
    std::string text_;
};

using Cell = std::string (*)(const DesignCase& dc, const DatabaseRow& row, char sep);

struct InputColumn {
    const char* heading;
    AppliesTo shown;
    Cell cell;
};

std::string yesNo(int16_t v) {
    return v != 0 ? "Yes" : "No";
}
std::string whole(float v, char sep) {
    return formatNumber(v, "0", sep);
}

// The input columns in file order; the results file shows the column length L once more
// among the column data.
constexpr std::array<InputColumn, 36> kInputs = {{
    {"Project", AppliesTo::Always,
     [](const DesignCase& dc, const DatabaseRow&, char) { return dc.projectName; }},
    {"Identification", AppliesTo::Always,
     [](const DesignCase& dc, const DatabaseRow&, char) { return dc.identification; }},
    {"Design-method", AppliesTo::Always,
     [](const DesignCase& dc, const DatabaseRow&, char) {
         return std::string(dc.designFormat == DesignFormat::LRFD ? "LRFD" : "WSD");
     }},
    {"Allow/Basic Usage Factor", AppliesTo::Always,
     [](const DesignCase& dc, const DatabaseRow&, char sep) {
         return formatNumber(dc.UF, "0.##", sep);
     }},
    {"Cylinder type", AppliesTo::Always,
     [](const DesignCase& dc, const DatabaseRow&, char) {
         return std::string(cylinderName(dc.cylinderType));
     }},
    {"Outside stiffeneing", AppliesTo::Always,
     [](const DesignCase& dc, const DatabaseRow&, char) { return yesNo(dc.outsideStiffening); }},
    {"Ringframe control", AppliesTo::Always,
     [](const DesignCase& dc, const DatabaseRow&, char) { return yesNo(dc.ringControl); }},
    {"Heavy Ringframe control", AppliesTo::Always,
     [](const DesignCase& dc, const DatabaseRow&, char) {
         return dc.ringControl != 0 ? yesNo(dc.heavyRingControl) : std::string("No");
     }},
    {"E - modulus", AppliesTo::Always,
     [](const DesignCase& dc, const DatabaseRow&, char sep) {
         return formatNumber(dc.E, "00.0E+0", sep);
     }},
    {"Material-plate", AppliesTo::Always,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return whole(dc.fyp, sep); }},
    {"r", AppliesTo::Always,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return whole(dc.r, sep); }},
    {"l", AppliesTo::Always,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return whole(dc.l, sep); }},
    {"t", AppliesTo::Always,
     [](const DesignCase& dc, const DatabaseRow&, char sep) {
         return formatNumber(dc.t, "0.0", sep);
     }},
    {"s", AppliesTo::Stringer,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return whole(dc.s, sep); }},
    {"lt", AppliesTo::Stringer,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return whole(dc.ltStiff, sep); }},
    {"Stiff Prof", AppliesTo::Stringer,
     [](const DesignCase&, const DatabaseRow& row, char) { return row.stiff.designation; }},
    {"Material-Stiff", AppliesTo::Stringer,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return whole(dc.fys, sep); }},
    {"cyll", AppliesTo::Ring,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return whole(dc.L, sep); }},
    {"gilt", AppliesTo::Ring,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return whole(dc.ltRing, sep); }},
    {"Ringfr Prof", AppliesTo::Ring,
     [](const DesignCase&, const DatabaseRow& row, char) { return row.ring.designation; }},
    {"Material-Ringfr", AppliesTo::Ring,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return whole(dc.fyr, sep); }},
    {"Fabrication", AppliesTo::Ring,
     [](const DesignCase& dc, const DatabaseRow&, char) {
         return std::string(dc.ringFabrication == 0 ? "Fab" : "Welded");
     }},
    {"Special Calc", AppliesTo::Ring,
     [](const DesignCase& dc, const DatabaseRow&, char) { return yesNo(dc.specialIh); }},
    {"Sigx", AppliesTo::NotColumn,
     [](const DesignCase& dc, const DatabaseRow&, char sep) {
         return formatGeneral(dc.Sigx, sep);
     }},
    {"Sigy", AppliesTo::NotColumn,
     [](const DesignCase& dc, const DatabaseRow&, char sep) {
         return formatGeneral(dc.Sigy, sep);
     }},
    {"Tau", AppliesTo::NotColumn,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return formatGeneral(dc.Tau, sep); }},
    {"pd", AppliesTo::Always,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return formatGeneral(dc.pd, sep); }},
    {"L", AppliesTo::Column,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return formatGeneral(dc.L, sep); }},
    {"k1", AppliesTo::Column,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return formatGeneral(dc.k1, sep); }},
    {"k2", AppliesTo::Column,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return formatGeneral(dc.k2, sep); }},
    {"N", AppliesTo::Column,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return formatGeneral(dc.N, sep); }},
    {"M1a", AppliesTo::Column,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return formatGeneral(dc.M1a, sep); }},
    {"M2a", AppliesTo::Column,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return formatGeneral(dc.M2a, sep); }},
    {"M1b", AppliesTo::Column,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return formatGeneral(dc.M1b, sep); }},
    {"M2b", AppliesTo::Column,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return formatGeneral(dc.M2b, sep); }},
    {"Dim mom", AppliesTo::Column,
     [](const DesignCase& dc, const DatabaseRow&,
        char) { return std::string(dc.dimMoment != 0 ? "Red" : "Max"); }},
}};

void headerBlock(Line& line, const ResultPanel& p) {
    line.cell(p.label[0]);
    for (int i = 1; i <= p.lineCount && i < 16; ++i)
        line.cell(p.label[static_cast<size_t>(i)]);
}

// One result block: an empty cell under the title, then the panel's values; "Error" for each
// when the run stopped; `notApplicable` for each when the block does not apply to the case.
void resultBlock(Line& line, const ResultPanel& p, bool shown, bool completed,
                 const char* notApplicable) {
    line.cell("");
    const int n = p.lineCount < 16 ? p.lineCount : 15;
    for (int i = 1; i <= n; ++i) {
        if (!shown)
            line.cell(notApplicable);
        else if (!completed)
            line.cell("Error");
        else
            line.cell(p.value[static_cast<size_t>(i)]);
    }
}

} // namespace

std::string resultsHeaderLine(const CaseResults& res) {
    Line line;
    for (const InputColumn& c : kInputs)
        line.cell(c.heading);
    ResultPanel shell = res.shellPanel;
    shell.label[0] = "Shell";
    shell.label[2] = "fEtau/fEm = ";
    shell.label[10] = "UF = ";
    ResultPanel stiff = res.stiffPanel;
    stiff.label[0] = "Stiffener";
    stiff.label[13] = "UF = ";
    ResultPanel ring = res.ringPanel;
    ring.label[0] = "Ringframe";
    ring.label[1] = "Area req";
    ring.label[2] = "UF = ";
    ring.label[3] = "Iy req";
    ring.label[11] = "UF =";
    ring.label[12] = "Ihr>= ";
    ResultPanel column = res.columnPanel;
    column.label[0] = "Column";
    headerBlock(line, shell);
    headerBlock(line, stiff);
    headerBlock(line, ring);
    headerBlock(line, column);
    line.text() += ';';
    return line.text();
}

std::string resultsCaseLine(const DesignCase& dc, const CaseResults& res, const DatabaseRow& row,
                            bool completed, char sep) {
    Line line;
    for (const InputColumn& c : kInputs)
        line.cell(applies(c.shown, dc) ? c.cell(dc, row, sep) : "N/A");
    resultBlock(line, res.shellPanel, true, completed, "N/A");
    resultBlock(line, res.stiffPanel, applies(AppliesTo::Stringer, dc), completed, "N/A");
    resultBlock(line, res.ringPanel, applies(AppliesTo::Ring, dc), completed, "N/A");
    resultBlock(line, res.columnPanel, applies(AppliesTo::Column, dc), completed, " N/A");
    line.text() += ';';
    return line.text();
}

std::string resultsCommentLine(const std::string& text) {
    std::string out;
    for (char c : text)
        out += (c == '\r' || c == '\n') ? ' ' : c;
    return out;
}

} // namespace velmora
