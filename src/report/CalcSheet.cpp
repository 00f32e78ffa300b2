#include "report/CalcSheet.h"

#include "base/NumberText.h"
#include "calc/Calc.h"
#include "calc/State.h"
#include "case/LoadCases.h"
#include "case/Notifier.h"
#include "sections/Sections.h"

namespace velmora {

std::optional<std::string> makeCalcSheet(const State& st, CalcSheet& out) {
    if (std::optional<std::string> refusal = reportRefusal(st))
        return refusal;
    // The case run once more, with its trace, on a copy: the same routines on the same inputs.
    State copy = caseCopy(st);
    QuietNotifier quiet;
    CalcTrace trace;
    CalcOptions options;
    options.trace = &trace;
    if (!calcAll(copy, quiet, options))
        return "The case was not calculated: " + copy.run.calcMessage;
    if (!(copy.res == st.res) || !(copy.dc == st.dc))
        return std::string("The case was not calculated: its results are not those of a new run");
    out.lines = std::move(trace.lines);
    out.verdict = caseVerdict(st);
    out.loadCaseVerdict = loadCaseVerdict(st, st.dc.selectedLoadCase);
    out.loadCases = loadCaseRows(st);
    return std::nullopt;
}

namespace {

std::string num(double v) {
    return traceNumber(v);
}

// "t = 20 mm (16 < t <= 40)": the thickness T and the band of material `row` it falls in.
std::string thicknessBand(const MaterialTable& table, int row, float T) {
    if (row < 0 || row >= table.materialCount())
        return "user-defined, typed";
    const auto& v = table.rows[static_cast<size_t>(row)].v;
    const std::string t = "t = " + num(T) + " mm (";
    for (size_t k = 1; k < v.size(); k += 2) {
        if (T <= v[k])
            return t + (k == 1 ? "" : num(v[k - 2]) + " < ") + "t <= " + num(v[k]) + ")";
    }
    return t + "t > " + num(v[11]) + ")";
}

std::string materialName(const MaterialTable& table, int row) {
    if (row < 0 || row >= static_cast<int>(table.rows.size()))
        return "";
    return table.rows[static_cast<size_t>(row)].name;
}

void profileInputs(std::vector<SheetInput>& out, const State& st, bool ring) {
    const DesignCase& dc = st.dc;
    const CaseResults& res = st.res;
    const ProfileRecord& p = ring ? dc.ring : dc.stiff;
    const SectionProps& sp = ring ? res.ringSection : res.stiffSection;
    const std::string section = std::string(ring ? "Ring-frame profile: " : "Stiffener profile: ") +
                                (ring ? res.ringProfileText : res.stiffProfileText);
    auto add = [&](const char* label, const char* symbol, double v, const char* unit) {
        out.push_back({section, label, symbol, num(v), unit});
    };
    add("Height", "H", p.H, "mm");
    switch (p.kind) {
    case ProfileKind::FlatTable:
    case ProfileKind::FlatBuiltUp:
        add("Thickness", "tw", p.tw, "mm");
        break;
    case ProfileKind::BulbFlat:
        add("Web thickness", "tw", p.tw, "mm");
        add("Bulb c", "c", p.a, "mm");
        add("Bulb r", "r", p.Ro, "mm");
        add("Equivalent flange width", "B", p.B, "mm");
        add("Equivalent flange thickness", "tf", p.tf, "mm");
        break;
    case ProfileKind::RHS:
        add("Width", "B", p.B, "mm");
        add("Wall thickness", "t", p.tw, "mm");
        break;
    case ProfileKind::Trapez:
        add("Width", "B", p.B, "mm");
        add("Dimension a", "a", p.a, "mm");
        add("Plate thickness", "t", p.tw, "mm");
        break;
    default:
        add("Flange width", "B", p.B, "mm");
        add("Web thickness", "tw", p.tw, "mm");
        add("Flange thickness", "tf", p.tf, "mm");
        break;
    }
    add("Area", "A", sp.A, "mm2");
    add("Web area", "Aw", sp.Aw, "mm2");
    add("Flange area", "Af", sp.Af, "mm2");
    add("Plate side to centroid", "zc", sp.zc, "mm");
    add("Moment of inertia, plate axis", "Iy", sp.Iy, "mm4");
    add("Moment of inertia, web axis", "Iz", sp.Iz, "mm4");
    if (ring) {
        add("Effective shell flange width", "le", res.le, "mm");
        add("Effective moment of inertia", "I", res.eff.Ie, "mm4");
    } else {
        add("Effective plate flange width", "se", res.se, "mm");
        add("Effective moment of inertia", "Isef", res.Isef, "mm4");
    }
}

} // namespace

std::vector<SheetInput> sheetInputs(const State& st) {
    const DesignCase& dc = st.dc;
    std::vector<SheetInput> out;
    const bool column = dc.cylinderType == CylinderType::Column;
    const bool stringer = dc.cylinderType == CylinderType::StringerStiffened;
    // The ring-frame check runs wherever it is switched on.
    const bool ring = dc.ringControl == 1;
    const char* types[] = {"Unstiffened cylinder", "Ring stiffened cylinder",
                           "Stringer stiffened cylinder", "Column buckling"};
    const std::string design = "Design format";
    out.push_back({design, "Cylinder type", "", types[static_cast<int>(dc.cylinderType) & 3], ""});
    // The load case whose loads, format and usage factor follow, when there are several.
    if (const int count = loadCaseCount(dc); count > 1)
        out.push_back({design, "Load case calculated on this sheet", "",
                       dc.loadCaseName + " (" + std::to_string(dc.selectedLoadCase + 1) + " of " +
                           std::to_string(count) + ")",
                       ""});
    if (dc.designFormat == DesignFormat::LRFD) {
        out.push_back({design, "LRFD: allowable usage factor", "UF", num(dc.UF), ""});
    } else {
        out.push_back({design, "WSD: basic usage factor", "n0", num(dc.UF), ""});
    }

    const std::string geometry = "Geometry";
    auto length = [&](const char* label, const char* symbol, double v) {
        out.push_back({geometry, label, symbol, num(v), "mm"});
    };
    length("Radius (centre of the plate)", "r", dc.r);
    length("Wall thickness", "t", dc.t);
    length("Distance between ring frames", "l", dc.l);
    length("Cylinder length", "L", dc.L);
    if (stringer) {
        length("Stiffener spacing", "s", dc.s);
        length("Tors. buckling length, stiffener", "lT", dc.ltStiff);
    }
    if (ring) {
        length("Tors. buckling length, ring frame", "lT", dc.ltRing);
        out.push_back(
            {geometry, "Ring frames", "", dc.outsideStiffening == 1 ? "outside" : "inside", ""});
        out.push_back({geometry, "Ring-frame fabrication", "",
                       dc.ringFabrication == 1 ? "cold-formed" : "fabricated", ""});
    }
    if (column) {
        out.push_back({geometry, "Effective length factor 1", "k1", num(dc.k1), ""});
        out.push_back({geometry, "Effective length factor 2", "k2", num(dc.k2), ""});
    }

    const std::string materials = "Materials (yield strength as looked up)";
    const MaterialTable& mt = st.materials;
    out.push_back({materials,
                   "Plate " + materialName(mt, dc.plateMaterial) + ", " +
                       thicknessBand(mt, dc.plateMaterial, dc.t),
                   "fyp", num(dc.fyp), "MPa"});
    if (stringer)
        out.push_back({materials,
                       "Stiffener " + materialName(mt, dc.stiffMaterial) + ", " +
                           thicknessBand(mt, dc.stiffMaterial, governingThickness(dc.stiff)),
                       "fys", num(dc.fys), "MPa"});
    if (ring)
        out.push_back({materials,
                       "Ring frame " + materialName(mt, dc.ringMaterial) + ", " +
                           thicknessBand(mt, dc.ringMaterial, governingThickness(dc.ring)),
                       "fyr", num(dc.fyr), "MPa"});
    out.push_back({materials, "Young's modulus", "E", num(dc.E), "MPa"});

    if (stringer)
        profileInputs(out, st, false);
    if (ring)
        profileInputs(out, st, true);

    const std::string loads = "Loads";
    if (column) {
        out.push_back({loads, "Axial force", "N", num(dc.N), "kN"});
        out.push_back({loads, "End moment, axis 1, end a", "M1a", num(dc.M1a), "kNm"});
        out.push_back({loads, "End moment, axis 1, end b", "M1b", num(dc.M1b), "kNm"});
        out.push_back({loads, "End moment, axis 2, end a", "M2a", num(dc.M2a), "kNm"});
        out.push_back({loads, "End moment, axis 2, end b", "M2b", num(dc.M2b), "kNm"});
        out.push_back({loads, "Dimensioning moments", "",
                       dc.dimMoment == 1 ? "reduced value" : "maximum along the member", ""});
    } else {
        out.push_back({loads, "Axial stress (compression < 0)", "Sigx", num(dc.Sigx), "MPa"});
        out.push_back({loads, "Circumferential stress", "Sigy", num(dc.Sigy), "MPa"});
        out.push_back({loads, "Shear stress", "Tau", num(dc.Tau), "MPa"});
    }
    out.push_back({loads, "Lateral pressure (inside > 0)", "pd", num(dc.pd), "MPa"});
    return out;
}

std::optional<double> sheetUsageFactor(const CalcSheet& sheet, CheckId check) {
    const std::string name = checkName(check);
    const char* symbol = check == CheckId::Column1   ? "UF1"
                         : check == CheckId::Column2 ? "UF2"
                                                     : "UF";
    std::optional<double> uf;
    for (const TraceLine& line : sheet.lines)
        if (line.check == name && line.symbol == symbol)
            uf = line.value;
    return uf;
}

} // namespace velmora
