// The calculation sheet's lines: every expression, evaluated with the digits it shows, gives
// the value of its line, for random cases of every cylinder type and both design formats; the
// sheet's usage factors are the panels'; a stopped run gives no sheet; the numbers of a run are
// the same with and without the trace; the worked curved-panel case line by line.
#include "report/CalcSheet.h"

#include "base/NumberText.h"
#include "calc/Calc.h"
#include "calc/State.h"
#include "case/LoadCases.h"
#include "case/Notifier.h"
#include "report/ExpressionEval.h"
#include "report/Panels.h"
#include "support/RecordingSurface.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace velmora {
namespace {

TEST(TraceNumber, SevenSignificantDigitsInPlainDecimals) {
    EXPECT_EQ(formatSignificant(1090.97634, 7), "1090.976");
    EXPECT_EQ(formatSignificant(static_cast<double>(-0.3f), 7), "-0.3");
    EXPECT_EQ(formatSignificant(1500, 7), "1500");
    EXPECT_EQ(formatSignificant(123456789, 7), "123456800");
    EXPECT_EQ(formatSignificant(0.000190476123, 7), "0.0001904761");
    EXPECT_EQ(formatSignificant(0.9999999999, 7), "1");
    EXPECT_EQ(formatSignificant(1.5e-7, 7), "1.5e-7");
    EXPECT_EQ(formatSignificant(2.5e15, 7), "2.5e+15");
    EXPECT_EQ(formatSignificant(0, 7), "0");
}

TEST(TraceLines, FormulaAndExpressionFromOnePattern) {
    CalcTrace trace;
    trace.begin("shell", "Shell buckling (Ch 3.3.2)");
    trace.add("fks", "{} / sqrt(1 + {}^4)", {{"fyp", 355}, {"lamdas", -0.25}}, 1, "MPa",
              "Ch 3.3.2");
    ASSERT_EQ(trace.lines.size(), 1u);
    EXPECT_EQ(trace.lines[0].formula, "fyp / sqrt(1 + lamdas^4)");
    EXPECT_EQ(trace.lines[0].expression, "355 / sqrt(1 + (-0.25)^4)");
    // Singles in their shortest digits, doubles with 9 significant digits.
    EXPECT_EQ(traceNumber(static_cast<double>(-0.3f)), "-0.3");
    EXPECT_EQ(traceNumber(static_cast<double>(1090.97634f)), "1090.9763");
    EXPECT_EQ(traceNumber(1090.976341234), "1090.97634");
    EXPECT_EQ(traceNumber(-32.5), "-32.5");
    EXPECT_EQ(trace.lines[0].check, "shell");
    EXPECT_EQ(trace.lines[0].group, "Shell buckling (Ch 3.3.2)");
}

using test::Interval;

TEST(ExpressionEval, IntervalsHoldTheExactValue) {
    const auto eval = [](const std::string& e) { return test::ExpressionEval(e).evaluate(); };
    Interval v = eval("2 * (3 + 4)^2 - sqrt(16) / 4 + abs(-1) + min(1, 2) * max(2, 3)");
    EXPECT_LE(v.lo, 101);
    EXPECT_GE(v.hi, 101);
    v = eval("(-100)^2");
    EXPECT_NEAR(v.lo, 10000, 0.1);
    // Fewer than 9 digits: a single in its shortest digits, within 2^-24 of it.
    v = eval("1090.976");
    EXPECT_NEAR(v.hi - v.lo, 2 * std::ldexp(1090.976, -24), 1e-12);
    v = eval("1090.97634");
    EXPECT_NEAR(v.hi - v.lo, 0.00001, 1e-11);
    v = eval("1500");
    EXPECT_EQ(v.hi - v.lo, 0);
    v = eval("2 * (sinh(0.5) * cos(0.5) + cosh(0.5) * sin(0.5)) / exp(ln(2))");
    EXPECT_NEAR((v.lo + v.hi) / 2, std::sinh(0.5) * std::cos(0.5) + std::cosh(0.5) * std::sin(0.5),
                1e-6);
    EXPECT_THROW(eval("2 * E"), std::runtime_error);
    EXPECT_THROW(eval("1 / (1 - 1)"), std::runtime_error);
}

double uniform(std::mt19937& rng, double a, double b) {
    return std::uniform_real_distribution<double>(a, b)(rng);
}
float single(std::mt19937& rng, double a, double b) {
    return static_cast<float>(uniform(rng, a, b));
}
int16_t pick(std::mt19937& rng, int n) {
    return static_cast<int16_t>(std::uniform_int_distribution<int>(0, n - 1)(rng));
}

void randomProfile(std::mt19937& rng, ProfileRecord& p, double scale) {
    p.kind = pick(rng, ProfileKind::Count);
    BuiltUpDims& d = p.savedSet(p.kind);
    d.H = single(rng, 100, 400) * static_cast<float>(scale);
    d.B = single(rng, 60, 200);
    d.a = single(rng, 40, 120);
    d.tw = single(rng, 8, 16);
    d.tf = single(rng, 10, 25);
}

// A case of `type` and `format` with random geometry, loads, options and profiles.
State randomCase(std::mt19937& rng, CylinderType type, DesignFormat format) {
    State st = test::newTestState();
    DesignCase& dc = st.dc;
    dc.cylinderType = type;
    dc.designFormat = format;
    dc.UF = single(rng, 0.7, 1.0);
    dc.r = single(rng, 800, 6000);
    dc.t = single(rng, 10, 45);
    dc.l = single(rng, 400, 6000);
    dc.L = dc.l * single(rng, 1, 5);
    dc.s = single(rng, 250, 1200);
    dc.ltStiff = single(rng, 500, 4000);
    dc.ltRing = single(rng, 300, 3000);
    dc.plateMaterial = pick(rng, 4);
    dc.stiffMaterial = pick(rng, 4);
    dc.ringMaterial = pick(rng, 4);
    dc.Sigx = single(rng, -250, 60);
    dc.Sigy = single(rng, -60, 30);
    dc.Tau = rng() % 5 == 0 ? 0.0f : single(rng, -80, 80);
    dc.pd = single(rng, -0.8, 0.4);
    dc.N = single(rng, -40000, 3000);
    dc.M1a = single(rng, -4000, 4000);
    dc.M1b = single(rng, -4000, 4000);
    dc.M2a = rng() % 4 == 0 ? 0.0f : single(rng, -4000, 4000);
    dc.M2b = rng() % 4 == 0 ? 0.0f : single(rng, -4000, 4000);
    dc.k1 = single(rng, 0.5, 2.5);
    dc.k2 = single(rng, 0.5, 2.5);
    dc.dimMoment = pick(rng, 2);
    dc.ringControl = type == CylinderType::Column ? 0 : static_cast<int16_t>(rng() % 4 != 0);
    dc.heavyRingControl = pick(rng, 2);
    dc.outsideStiffening = pick(rng, 2);
    dc.specialIh = pick(rng, 2);
    dc.ringFabrication = pick(rng, 2);
    randomProfile(rng, dc.stiff, 0.6);
    randomProfile(rng, dc.ring, 1.5);
    return st;
}

// Checks every line of `sheet`; returns the number of lines checked.
size_t expectLinesEvaluate(const CalcSheet& sheet, const std::string& where) {
    for (const TraceLine& line : sheet.lines) {
        SCOPED_TRACE(where + " " + line.check + " " + line.symbol + " = " + line.formula + " = " +
                     line.expression);
        EXPECT_FALSE(line.symbol.empty());
        EXPECT_FALSE(line.ref.empty());
        EXPECT_EQ(line.formula.find_first_of("0123456789") == std::string::npos &&
                      line.expression.find_first_of("0123456789") == std::string::npos,
                  false);
        Interval v;
        try {
            v = test::ExpressionEval(line.expression).evaluate();
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
            continue;
        }
        // The run's value lies in the range of the expression, up to the rounding of a value
        // the run stores in single precision.
        const double slack = 2e-7 * std::fabs(line.value) + 1e-12;
        EXPECT_GE(line.value, v.lo - slack) << "range " << v.lo << " .. " << v.hi;
        EXPECT_LE(line.value, v.hi + slack) << "range " << v.lo << " .. " << v.hi;
        // And the digits shown are enough to redo the line: the range is narrow, measured on
        // the value, or for a value that is a small difference of large numbers (below a
        // thousandth of the largest), on a thousandth of that number.
        double largest = 0;
        for (size_t i = 0; i < line.expression.size();) {
            size_t used = 0;
            if (std::isdigit(static_cast<unsigned char>(line.expression[i]))) {
                largest = std::max(largest, std::fabs(std::stod(line.expression.substr(i), &used)));
                i += used;
            } else {
                ++i;
            }
        }
        const double scale = std::max({std::fabs(line.value), 1e-3 * largest, 1e-6});
        EXPECT_LE(v.hi - v.lo, 1e-4 * scale) << "range " << v.lo << " .. " << v.hi;
    }
    return sheet.lines.size();
}

const CheckId kAllChecks[] = {CheckId::Shell,    CheckId::Unstiffened, CheckId::Stiffener,
                              CheckId::RingArea, CheckId::RingInertia, CheckId::Column1,
                              CheckId::Column2};

TEST(CalcSheet, EveryExpressionGivesItsValueForRandomCases) {
    std::mt19937 rng(20261209);
    const CylinderType types[] = {CylinderType::Unstiffened, CylinderType::RingStiffened,
                                  CylinderType::StringerStiffened, CylinderType::Column};
    for (const CylinderType type : types) {
        for (const DesignFormat format : {DesignFormat::LRFD, DesignFormat::WSD}) {
            int sheets = 0;
            size_t lines = 0;
            for (int n = 0; n < 60; ++n) {
                State st = randomCase(rng, type, format);
                QuietNotifier quiet;
                // The first run brings the profiles' working dimensions in from their saved
                // sets (the window's profile dialogs do that before they calculate).
                calcAll(st, quiet);
                if (!calcAll(st, quiet))
                    continue;
                CalcSheet sheet;
                const std::optional<std::string> refusal = makeCalcSheet(st, sheet);
                ASSERT_FALSE(refusal) << *refusal;
                const std::string where = "type " + std::to_string(static_cast<int>(type)) +
                                          " format " + std::to_string(static_cast<int>(format)) +
                                          " case " + std::to_string(n);
                lines += expectLinesEvaluate(sheet, where);
                ++sheets;

                // The sheet's usage factors are the verdict's and the panels'.
                for (const CheckId c : kAllChecks) {
                    const CheckValue& value = sheet.verdict.checks[static_cast<size_t>(c)];
                    if (!value.present)
                        continue;
                    const std::optional<double> uf = sheetUsageFactor(sheet, c);
                    ASSERT_TRUE(uf) << where << " " << checkName(c);
                    EXPECT_EQ(*uf, value.uf) << where << " " << checkName(c);
                }
                if (type != CylinderType::Column) {
                    EXPECT_EQ(formatNumber(*sheetUsageFactor(sheet, CheckId::Shell), "0.00"),
                              st.res.shellPanel.value[10]);
                }
                if (st.dc.ringControl == 1 && type != CylinderType::Column) {
                    EXPECT_EQ(*sheetUsageFactor(sheet, CheckId::RingArea), st.res.ringAreaUF);
                    EXPECT_EQ(formatNumber(st.res.ringAreaUF, "0.00"), st.res.ringPanel.value[2]);
                }
                if (type == CylinderType::StringerStiffened) {
                    EXPECT_EQ(*sheetUsageFactor(sheet, CheckId::Stiffener), st.res.stiffUF);
                }
                if (type == CylinderType::Column) {
                    EXPECT_EQ(*sheetUsageFactor(sheet, CheckId::Column1), st.res.UF1);
                    EXPECT_EQ(formatNumber(st.res.UF2, "0.00"), st.res.columnPanel.value[14]);
                    EXPECT_EQ(*sheetUsageFactor(sheet, CheckId::Column2), st.res.UF2);
                }
            }
            EXPECT_GE(sheets, 20) << "type " << static_cast<int>(type);
            EXPECT_GT(lines, static_cast<size_t>(sheets) * 20);
        }
    }
}

TEST(CalcSheet, TraceChangesNoNumber) {
    std::mt19937 rng(7);
    for (int n = 0; n < 40; ++n) {
        State a = randomCase(rng, static_cast<CylinderType>(n % 4),
                             n % 3 ? DesignFormat::LRFD : DesignFormat::WSD);
        State b = a;
        QuietNotifier quiet;
        CalcTrace trace;
        CalcOptions traced;
        traced.trace = &trace;
        const bool doneA = calcAll(a, quiet);
        const bool doneB = calcAll(b, quiet, traced);
        EXPECT_EQ(doneA, doneB);
        EXPECT_TRUE(a.res == b.res) << n;
        EXPECT_TRUE(a.dc == b.dc) << n;
        EXPECT_EQ(a.run.calcMessage, b.run.calcMessage);
    }
}

// The new case as a curved panel with a user-defined fyp of 355: fEa 1091.0, lamdas 0.90,
// gm 0.85 + 0.60 * 0.90 = 1.39, UF 0.57 (the shell panel's worked values).
TEST(CalcSheet, WorkedCurvedPanelLineByLine) {
    State st = test::userDefinedPlateState();
    st.dc.ringControl = 0;
    QuietNotifier quiet;
    ASSERT_TRUE(calcAll(st, quiet));
    CalcSheet sheet;
    ASSERT_FALSE(makeCalcSheet(st, sheet));
    auto find = [&](const std::string& check, const std::string& symbol) -> const TraceLine& {
        const auto it = std::find_if(sheet.lines.begin(), sheet.lines.end(), [&](const auto& l) {
            return l.check == check && l.symbol == symbol;
        });
        EXPECT_NE(it, sheet.lines.end()) << check << " " << symbol;
        static const TraceLine none;
        return it == sheet.lines.end() ? none : *it;
    };
    EXPECT_NEAR(find("shell", "Zs").value, 11.447, 0.001);
    EXPECT_NEAR(find("shell", "fEa").value, 1091.0, 0.05);
    EXPECT_EQ(find("shell", "fEa").formula, "pi^2 * C_a * E / 12 / (1 - 0.3^2) * (t / s)^2");
    EXPECT_NEAR(find("shell", "fEh").value, 244.9, 0.05);
    EXPECT_NEAR(find("shell", "SighPd").value, -22.5, 1e-4);
    EXPECT_EQ(find("shell", "SighPd").expression, "(-0.3) * 1500 / 20");
    EXPECT_NEAR(find("shell", "SighSd").value, -32.5, 1e-4);
    const TraceLine& gm = find("shell", "gm");
    EXPECT_EQ(gm.formula, "0.85 + 0.60 * lamdas");
    EXPECT_NEAR(gm.value, 1.39, 0.005);
    EXPECT_NE(gm.branch.find("lies between 0.5 and 1.0, so gM = 0.85 + 0.60 lamdas"),
              std::string::npos)
        << gm.branch;
    EXPECT_EQ(find("shell", "UF").formula, "SigjSd / fksd");
    EXPECT_NEAR(find("shell", "UF").value, 0.568, 0.005);
    EXPECT_EQ(find("shell", "Sigh0Sd").branch,
              "SighSd = -32.5000015 is compressive, so Sigh0Sd = -SighSd");
    // The design stresses come first, the shell check next, the stiffener check after it.
    EXPECT_EQ(sheet.lines.front().check, "shell");
    EXPECT_EQ(sheet.lines.front().group, "Design stresses (Ch 3.2)");
    EXPECT_EQ(sheet.lines.back().check, "unstiffened");
}

TEST(CalcSheet, StoppedRunGivesNoSheet) {
    // No stress at all: the slenderness divides by SigjSd = 0 and the run stops.
    State st = test::userDefinedPlateState();
    st.dc.cylinderType = CylinderType::Unstiffened;
    st.dc.ringControl = 0;
    st.dc.Sigx = 0;
    st.dc.Sigy = 0;
    st.dc.Tau = 0;
    st.dc.pd = 0;
    QuietNotifier quiet;
    ASSERT_FALSE(calcAll(st, quiet));
    CalcSheet sheet;
    const std::optional<std::string> refusal = makeCalcSheet(st, sheet);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->rfind("The case was not calculated: ", 0), 0u) << *refusal;
    EXPECT_NE(refusal->find(st.run.calcMessage.substr(1, 20)), std::string::npos) << *refusal;
    EXPECT_TRUE(sheet.lines.empty());

    // Inputs changed after the run: no sheet either.
    State changed = test::userDefinedPlateState();
    ASSERT_TRUE(calcAll(changed, quiet));
    changed.dc.r = 1600;
    EXPECT_TRUE(makeCalcSheet(changed, sheet));
}

} // namespace
} // namespace velmora

namespace velmora {
namespace {

CalcSheet newCaseSheet(State& st) {
    QuietNotifier quiet;
    EXPECT_TRUE(calcAll(st, quiet));
    CalcSheet sheet;
    EXPECT_FALSE(makeCalcSheet(st, sheet));
    return sheet;
}

TEST(CalcSheetPages, TitleBlockOnEveryPageTextsInsideSketchOnTheFirst) {
    State st = test::userDefinedPlateState();
    const CalcSheet sheet = newCaseSheet(st);
    const SheetStamp stamp{"2026-12-09 18:30", "case.cys"};
    RecordingSurface s;
    s.charWidth = 1.6; // millimetres of an 8 pt character
    s.charWidthAtPt = 8;
    const int pages = sheetPageCount(s, st, sheet, stamp);
    EXPECT_GE(pages, 4);
    size_t valuesDrawn = 0;
    for (int page = 0; page < pages; ++page) {
        s.clear();
        drawSheetPage(s, st, sheet, stamp, page, pages);
        const std::string n = std::to_string(page + 1) + " of " + std::to_string(pages);
        EXPECT_NE(s.find(n), nullptr) << n;
        EXPECT_NE(s.find("Project"), nullptr);
        EXPECT_NE(s.find("case.cys"), nullptr);
        EXPECT_NE(s.find("2026-12-09 18:30"), nullptr);
        for (const RecordingSurface::Text& t : s.texts) {
            EXPECT_GE(t.x, 0) << t.text;
            const double width = static_cast<double>(t.text.size()) * 1.6 * t.sizePt / 8;
            EXPECT_LE(t.x + width, 186 + 1e-9) << t.text;
            EXPECT_LE(t.y + 4, 273) << t.text;
        }
        // The cylinder sketch (right of the inputs) on the first page only.
        const bool sketch = std::any_of(s.lines.begin(), s.lines.end(), [](const auto& l) {
            return l.x1 > 117 && l.x2 > 117 && l.x1 < 185 && l.x2 < 185 && l.y1 > 27;
        });
        EXPECT_EQ(sketch, page == 0) << page;
        for (const TraceLine& line : sheet.lines)
            valuesDrawn += s.find(traceNumber(line.value) +
                                  (line.unit.empty() ? "" : " " + line.unit)) != nullptr;
    }
    EXPECT_GE(valuesDrawn, sheet.lines.size());
}

TEST(CalcSheetHtml, OneFileWithEveryLineAndTheVerdict) {
    State st = test::userDefinedPlateState();
    st.dc.projectName = "Tank <A&B>";
    const CalcSheet sheet = newCaseSheet(st);
    const std::string html = calcSheetHtml(st, sheet, {"2026-12-09 18:30", "case.cys"});
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(html.find("Tank &lt;A&amp;B&gt;"), std::string::npos);
    EXPECT_EQ(html.find("<A&B>"), std::string::npos);
    EXPECT_EQ(html.find("src="), std::string::npos);
    EXPECT_EQ(html.find("href="), std::string::npos);
    for (const TraceLine& line : sheet.lines)
        EXPECT_NE(html.find(line.expression), std::string::npos) << line.expression;
    EXPECT_NE(html.find(sheet.verdict.line), std::string::npos);
    EXPECT_NE(html.find("@page { size: A4"), std::string::npos);
    // The cylinder sketch inline, as SVG drawn by the sketch routine (its r and t marks).
    const size_t svg = html.find("<svg ");
    ASSERT_NE(svg, std::string::npos);
    EXPECT_LT(svg, html.find("<h2>Calculation</h2>"));
    EXPECT_NE(html.find(">r</text>", svg), std::string::npos);
    EXPECT_NE(html.find("<line ", svg), std::string::npos);
}

// Three load cases, the second selected; the third (heaviest axial stress) governs.
State threeLoadCases() {
    State st = test::userDefinedPlateState();
    st.dc.ringControl = 0; // the loads govern, not the ring frame's area
    st.dc.loadCaseName = "Operation";
    addLoadCase(st.dc);
    renameLoadCase(st.dc, 1, "Transport");
    st.dc.designFormat = DesignFormat::WSD;
    st.dc.UF = 0.8f;
    st.dc.Sigx = -60;
    st.dc.Sigy = -10;
    addLoadCase(st.dc);
    renameLoadCase(st.dc, 2, "Storm");
    st.dc.designFormat = DesignFormat::LRFD;
    st.dc.UF = 1;
    st.dc.Sigx = -200;
    st.dc.Sigy = -10;
    st.dc.Tau = 40;
    st.dc.pd = -0.3f;
    selectLoadCase(st.dc, 1);
    return st;
}

TEST(CalcSheet, LinesCoverTheSelectedLoadCaseAndEveryLoadCaseIsListed) {
    State st = threeLoadCases();
    const CalcSheet sheet = newCaseSheet(st);

    // The lines are those of a case with the selected load case alone.
    State alone = st;
    keepSelectedLoadCaseOnly(alone.dc);
    const CalcSheet single = newCaseSheet(alone);
    ASSERT_EQ(single.lines.size(), sheet.lines.size());
    for (size_t i = 0; i < sheet.lines.size(); ++i) {
        EXPECT_EQ(single.lines[i].expression, sheet.lines[i].expression) << i;
        EXPECT_EQ(single.lines[i].value, sheet.lines[i].value) << i;
    }
    // Its usage factors are the selected load case's, not the governing one's.
    EXPECT_EQ(single.verdict.line, sheet.loadCaseVerdict.line);
    for (int c = 0; c < kCheckCount; ++c) {
        const CheckValue& v = sheet.loadCaseVerdict.checks[static_cast<size_t>(c)];
        if (v.present) {
            ASSERT_TRUE(sheetUsageFactor(sheet, static_cast<CheckId>(c))) << c;
            EXPECT_EQ(*sheetUsageFactor(sheet, static_cast<CheckId>(c)), v.uf) << c;
        }
    }

    ASSERT_EQ(3u, sheet.loadCases.size());
    EXPECT_EQ("Operation", sheet.loadCases[0].name);
    EXPECT_EQ("WSD, n0 0.80", sheet.loadCases[1].format);
    EXPECT_EQ("LRFD, UF 1.00", sheet.loadCases[2].format);
    EXPECT_TRUE(sheet.loadCases[1].selected);
    EXPECT_FALSE(sheet.loadCases[0].selected || sheet.loadCases[2].selected);
    EXPECT_EQ("Storm", sheet.verdict.loadCaseName);
    EXPECT_NE(sheet.verdict.line.find("load case Storm"), std::string::npos) << sheet.verdict.line;
    for (int i = 0; i < 3; ++i) {
        const Verdict v = loadCaseVerdict(st, i);
        EXPECT_EQ(verdictStatusText(v.status),
                  std::string(verdictStatusText(sheet.loadCases[static_cast<size_t>(i)].status)));
        EXPECT_EQ(formatNumber(v.ratio, "0.00"), sheet.loadCases[static_cast<size_t>(i)].ratio);
    }

    // The inputs say which load case the lines cover.
    bool named = false;
    for (const SheetInput& in : sheetInputs(st))
        named = named || (in.label == "Load case calculated on this sheet" &&
                          in.value == "Transport (2 of 3)");
    EXPECT_TRUE(named);

    // The pages: the table after the usage factors, the case's verdict at the very end.
    const SheetStamp stamp{"2026-12-09 18:30", "case.cys"};
    RecordingSurface s;
    s.charWidth = 1.6;
    s.charWidthAtPt = 8;
    const int pages = sheetPageCount(s, st, sheet, stamp);
    // Where a text first stands, as page * 1000 + its row; -1 when it is not drawn.
    std::vector<RecordingSurface> drawn(static_cast<size_t>(pages));
    for (int page = 0; page < pages; ++page) {
        drawn[static_cast<size_t>(page)] = s;
        drawn[static_cast<size_t>(page)].clear();
        drawSheetPage(drawn[static_cast<size_t>(page)], st, sheet, stamp, page, pages);
    }
    // The first text that starts with `t`, and where it stands as page * 1000 + its row.
    auto first = [&](const std::string& t) -> std::pair<const RecordingSurface::Text*, double> {
        for (int page = 0; page < pages; ++page)
            for (const auto& x : drawn[static_cast<size_t>(page)].texts)
                if (x.text.rfind(t, 0) == 0)
                    return {&x, page * 1000.0 + x.y};
        return {nullptr, -1.0};
    };
    const auto heading = first("Usage factors of load case Transport and verdict");
    const auto table = first("Load cases");
    const auto storm = first("Storm");
    const auto selected = first("Transport (this sheet)");
    // The verdict line, wrapped where it is longer than the page is wide.
    const auto verdict = first(sheet.verdict.line.substr(0, 30));
    ASSERT_TRUE(heading.first && table.first && storm.first && selected.first && verdict.first);
    EXPECT_LT(heading.second, table.second);
    EXPECT_LT(table.second, selected.second);
    EXPECT_LT(table.second, storm.second);
    EXPECT_LT(storm.second, verdict.second) << sheet.verdict.line;
    EXPECT_TRUE(selected.first->bold);
    EXPECT_EQ(verdict.first->color, verdictStatusColor(sheet.verdict.status));

    const std::string html = calcSheetHtml(st, sheet, stamp);
    const size_t tableAt = html.find("<h3>Load cases</h3>");
    ASSERT_NE(tableAt, std::string::npos);
    EXPECT_LT(html.find("Usage factors of load case Transport"), tableAt);
    EXPECT_LT(tableAt, html.find("<b>Transport (this sheet)</b>"));
    EXPECT_LT(tableAt, html.find(sheet.verdict.line));
    EXPECT_NE(html.find("Transport (2 of 3)"), std::string::npos);
}

TEST(CalcSheet, OneLoadCaseHasNoLoadCaseTable) {
    State st = test::userDefinedPlateState();
    const CalcSheet sheet = newCaseSheet(st);
    ASSERT_EQ(1u, sheet.loadCases.size());
    EXPECT_EQ(sheet.verdict.line, sheet.loadCaseVerdict.line);
    const std::string html = calcSheetHtml(st, sheet, {"2026-12-09 18:30", "case.cys"});
    EXPECT_EQ(html.find("Load cases"), std::string::npos);
    EXPECT_NE(html.find("<h2>Usage factors and verdict</h2>"), std::string::npos);
    for (const SheetInput& in : sheetInputs(st))
        EXPECT_NE(in.label, "Load case calculated on this sheet");
}

} // namespace
} // namespace velmora
