// The printed report laid out against a recording surface. The surface measures 1/128 of the
// page per character and 1/64 per line, so the header scale is 128 characters by 64 lines and
// its left margin 12.
#include "report/Report.h"
#include "base/NumberText.h"
#include "calc/Calc.h"
#include "calc/Verdict.h"
#include "case/LoadCases.h"
#include "report/Panels.h"
#include "sections/Sections.h"
#include "support/RecordingNotifier.h"
#include "support/RecordingSurface.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velmora {
namespace {

constexpr double kChar = 1.0 / 128;

RecordingSurface pageSurface() {
    RecordingSurface s;
    s.charWidth = kChar;
    s.lineHeight = 1.0 / 64;
    return s;
}

State calculated(CylinderType cylinderType, float s = 400) {
    State st = test::newTestState();
    st.dc.cylinderType = cylinderType;
    if (cylinderType == CylinderType::Unstiffened || cylinderType == CylinderType::Column)
        st.dc.ringControl = 0;
    st.dc.s = s;
    RecordingNotifier nt;
    EXPECT_TRUE(calcAll(st, nt));
    return st;
}

RecordingSurface report(const State& st) {
    RecordingSurface s = pageSurface();
    printReport(s, st, {"24.05.2024", 9, 5});
    return s;
}

const RecordingSurface::Text& at(const RecordingSurface& s, const std::string& t) {
    const auto* found = s.find(t);
    if (!found)
        throw std::runtime_error("text not drawn: " + t);
    return *found;
}

bool hasLine(const RecordingSurface& s, double x1, double y1, double x2, double y2) {
    return std::any_of(s.lines.begin(), s.lines.end(), [&](const RecordingSurface::Line& l) {
        return std::abs(l.x1 - x1) < 1e-9 && std::abs(l.y1 - y1) < 1e-9 &&
               std::abs(l.x2 - x2) < 1e-9 && std::abs(l.y2 - y2) < 1e-9;
    });
}

// The right edge of a value printed right-aligned.
double rightEdge(const RecordingSurface::Text& t) {
    return t.x + static_cast<double>(t.text.size()) * kChar;
}

TEST(ReportTest, MeasuresCharactersAndLinesPerPage) {
    RecordingSurface s = pageSurface();
    const ReportMetrics m = measureReport(s);
    EXPECT_EQ(m.charsPerLine[0], 128);
    EXPECT_EQ(m.linesPerPage[0], 64);
    EXPECT_EQ(m.charsPerLine[3], 128);
}

TEST(ReportTest, HeaderTextsAndRuledFrame) {
    State st = calculated(CylinderType::StringerStiffened);
    st.run.fileName = "/Home/Cases/TANK-A.CYS";
    const RecordingSurface s = report(st);

    const auto& title = at(s, "Velmora DNV");
    EXPECT_DOUBLE_EQ(title.x, 12.5);
    EXPECT_DOUBLE_EQ(title.y, 2);
    EXPECT_TRUE(title.bold);
    EXPECT_DOUBLE_EQ(title.sizePt, 11);
    const auto& standard = at(s, "Cylinder shell buckling based on DNV-RP-C202");
    EXPECT_DOUBLE_EQ(standard.y, 3.5);
    EXPECT_FALSE(standard.bold);
    // The field texts are smaller than the 11 pt grid they are placed on.
    EXPECT_DOUBLE_EQ(standard.sizePt, 8);
    EXPECT_DOUBLE_EQ(at(s, "Version 1.8.5").y, 4.2);
    EXPECT_DOUBLE_EQ(at(s, "Project: ").x, 49.5);
    EXPECT_DOUBLE_EQ(at(s, "Project").x, 55);
    EXPECT_DOUBLE_EQ(at(s, "Project").y, 2.1);
    EXPECT_DOUBLE_EQ(at(s, "Identification: ").y, 4.1);
    EXPECT_DOUBLE_EQ(at(s, "Test").x, 59);
    // "Page:" and "1/1" on one line; minutes with two digits.
    EXPECT_DOUBLE_EQ(at(s, "Page: ").x, 100.5);
    EXPECT_DOUBLE_EQ(at(s, "Page: ").y, 2.1);
    EXPECT_DOUBLE_EQ(at(s, "1/1").x, 100.5 + 6 * kChar);
    EXPECT_DOUBLE_EQ(at(s, "1/1").y, 2.1);
    EXPECT_DOUBLE_EQ(at(s, "Date: 24.05.2024").x, 92.5);
    EXPECT_DOUBLE_EQ(at(s, "Time: 9:05").y, 5);
    const auto& file = at(s, "File: /home/cases/tank-a.cys");
    EXPECT_DOUBLE_EQ(file.x, 12.5);
    EXPECT_DOUBLE_EQ(file.y, 5.9);

    // 0.95 of 128 characters is 121.6.
    EXPECT_TRUE(hasLine(s, 12, 3.4, 49, 3.4));
    EXPECT_TRUE(hasLine(s, 49, 4, 121.6, 4));
    EXPECT_TRUE(hasLine(s, 92, 4.9, 121.6, 4.9));
    EXPECT_TRUE(hasLine(s, 12, 5.8, 121.6, 5.8));
    EXPECT_TRUE(hasLine(s, 49, 2, 49, 5.8));
    EXPECT_TRUE(hasLine(s, 92, 4, 92, 5.8));
    EXPECT_TRUE(hasLine(s, 100, 2, 100, 4));
}

// Measures one character as `charWidth` of the page whatever the scale, as a page does.
class ScaledSurface : public RecordingSurface {
public:
    double textWidth(const std::string& text) const override {
        const double across = scale.size() == 4 ? scale[2] - scale[0] : 1;
        return static_cast<double>(text.size()) * charWidth * across;
    }
};

TEST(ReportTest, VerdictLineUnderTheTitleBlock) {
    // The new case as an unstiffened cylinder: UF 1.01 (112.3 / 111.7) above 1.00.
    State st = calculated(CylinderType::Unstiffened);
    st.run.fileName = "tank.cys";
    RecordingSurface s = report(st);
    const auto& line = at(s, "FAILS - governing: shell buckling (Ch 3.4.2), UF 1.01 of 1.00");
    EXPECT_DOUBLE_EQ(line.y, 5.9);
    EXPECT_NEAR(rightEdge(line), 121.6, 1e-9);
    EXPECT_TRUE(line.bold);
    EXPECT_EQ(line.color, kRed);
    EXPECT_DOUBLE_EQ(at(s, "File: tank.cys").x, 12.5);
    EXPECT_FALSE(at(s, "File: tank.cys").bold);

    st.dc.UF = 1.2f;
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    s = report(st);
    EXPECT_EQ(at(s, "PASSES - governing: shell buckling (Ch 3.4.2), UF 1.01 of 1.20").color,
              kGreen);
    st.dc.UF = 7;
    ASSERT_TRUE(calcAll(st, nt));
    s = report(st);
    EXPECT_EQ(at(s, "INPUT OUT OF LIMITS - UF = 7, limit 0.5 <= UF <= 1.5").color, kAmber);
}

TEST(ReportTest, DateAndTimeStayInsideTheirFieldOnANarrowPage) {
    // 100 characters across: the fields at x0 + 80 and x0 + 88 would end beyond 0.95 of the
    // width (95), so they start where their texts end at the frame's edge.
    State st = calculated(CylinderType::Unstiffened);
    ScaledSurface s;
    s.charWidth = 1.0 / 100;
    s.lineHeight = 1.0 / 64;
    printReport(s, st, {"Wednesday, 24 December 2024", 23, 0});
    const auto& date = at(s, "Date: Wednesday, 24 December 2024");
    const auto& time = at(s, "Time: 23:00");
    const double right = 95;
    EXPECT_LE(date.x + static_cast<double>(date.text.size()), right);
    EXPECT_DOUBLE_EQ(time.x, date.x);
    EXPECT_TRUE(hasLine(s, date.x - 0.5, 4, date.x - 0.5, 5.8));
    EXPECT_TRUE(hasLine(s, date.x - 0.5, 4.9, right, 4.9));
    const auto& page = at(s, "Page: ");
    EXPECT_LE(page.x + static_cast<double>(std::string("Page: 1/1").size()), right);
    EXPECT_TRUE(hasLine(s, page.x - 0.5, 2, page.x - 0.5, 4));
    EXPECT_DOUBLE_EQ(at(s, "1/1").y, page.y);
}

TEST(ReportTest, ProjectNameWrapsAfter45AndIsCutAfter105Characters) {
    State st = calculated(CylinderType::Unstiffened);
    std::string name;
    for (int i = 0; i < 11; ++i)
        name += std::string(9, static_cast<char>('a' + i)) + "|"; // 110 characters
    st.dc.projectName = name;
    st.dc.identification = std::string(38, 'x') + "Y" + std::string(70, 'z');
    const RecordingSurface s = report(st);
    const auto& first = at(s, name.substr(0, 45));
    EXPECT_DOUBLE_EQ(first.y, 2.1);
    const auto& second = at(s, name.substr(45, 60));
    EXPECT_DOUBLE_EQ(second.x, 55);
    EXPECT_DOUBLE_EQ(second.y, 3);
    EXPECT_EQ(s.find(name.substr(45)), nullptr);
    EXPECT_DOUBLE_EQ(at(s, std::string(38, 'x')).y, 4.1);
    EXPECT_DOUBLE_EQ(at(s, "Y" + std::string(59, 'z')).y, 5);
}

TEST(ReportTest, CharactersCountLettersNotBytes) {
    // "Ø" and "æ" take two bytes each in UTF-8 but are one character.
    EXPECT_EQ(characters("ØæA", 2, 2), "æ");
    EXPECT_EQ(characters("ØæA", 1, 45), "ØæA");
    EXPECT_EQ(characters("abc", 4, 10), "");
    EXPECT_EQ(lowerCase("C:\\ØRSTA\\Tank.CYS"), "c:\\ørsta\\tank.cys");
    EXPECT_EQ(lowerCase("A×B"), "a×b"); // the multiplication sign has no small form
}

TEST(ReportTest, WsdCaseShowsMethodAndBasicUsageFactor) {
    State st = calculated(CylinderType::StringerStiffened);
    st.dc.designFormat = DesignFormat::WSD;
    st.dc.UF = 0.77f;
    const RecordingSurface s = report(st);
    const auto& method = at(s, "WSD method");
    EXPECT_DOUBLE_EQ(method.y, 11);
    EXPECT_NEAR(rightEdge(method), kC5, 1e-9);
    const auto& label = at(s, "Basic Usage Factor: ");
    EXPECT_DOUBLE_EQ(label.x, kC0);
    EXPECT_DOUBLE_EQ(label.y, 12);
    EXPECT_DOUBLE_EQ(at(s, "n0").x, kC3);
    EXPECT_DOUBLE_EQ(at(s, "n0").y, 12);
    const auto& uf = at(s, "0.77");
    EXPECT_NEAR(rightEdge(uf), kC5, 1e-9);
    EXPECT_EQ(s.find("LRFD method"), nullptr);

    st.dc.designFormat = DesignFormat::LRFD;
    st.dc.UF = 1;
    const RecordingSurface lrfd = report(st);
    EXPECT_NE(lrfd.find("LRFD method"), nullptr);
    EXPECT_NE(lrfd.find("Allowable Usage Factor: "), nullptr);
    EXPECT_NE(lrfd.find("1.00"), nullptr);
}

TEST(ReportTest, BodyTopRowsOfAStringerStiffenedCase) {
    const State st = calculated(CylinderType::StringerStiffened);
    const RecordingSurface s = report(st);
    const auto& heading = at(s, "Design format/Condition and Material:");
    EXPECT_DOUBLE_EQ(heading.y, 10);
    EXPECT_TRUE(heading.bold && heading.italic && heading.underline);
    EXPECT_DOUBLE_EQ(heading.sizePt, 8);
    // Materials from row 14.3 on, the ring frame's included; E after them.
    EXPECT_DOUBLE_EQ(at(s, "Plate: ").y, 14.3);
    EXPECT_DOUBLE_EQ(at(s, "Ringframe: ").y, 16.3);
    EXPECT_NEAR(rightEdge(at(s, "S355")), 43.6, 1e-9);
    EXPECT_DOUBLE_EQ(at(s, "Youngs modulus: ").y, 17.3);
    EXPECT_NE(s.find("2.10E+5"), nullptr);
    // Geometry from 19.8, eight rows for a stringer-stiffened cylinder.
    EXPECT_DOUBLE_EQ(at(s, "Geometry:").y, 19.8);
    EXPECT_DOUBLE_EQ(at(s, "Cylinder radius (cL plate)").y, 20.8);
    EXPECT_DOUBLE_EQ(at(s, "Stiff spacing:").y, 23.8);
    EXPECT_DOUBLE_EQ(at(s, "Lat tors buckl length: (ringframe)").y, 26.8);
    EXPECT_NEAR(rightEdge(at(s, "1500")), kC5, 1e-9);
    EXPECT_NE(s.find("20.0"), nullptr);
    // Loading from 29.3: "=" at 19.6, values ending at 31.6.
    EXPECT_DOUBLE_EQ(at(s, "Loading:").y, 29.3);
    EXPECT_DOUBLE_EQ(at(s, "Sigx").y, 30.3);
    EXPECT_NEAR(rightEdge(at(s, "-100.0")), 31.6, 1e-9);
    EXPECT_NEAR(rightEdge(at(s, "-0.300")), 31.6, 1e-9);
    // The sketch (30 by 30 x 88/136) reaches 19.8 + 19.41; the rule lies one row below it.
    const double rule = 19.8 + 30.0 * 88 / 136 + 1;
    EXPECT_TRUE(hasLine(s, 13.6, rule, 129.2, rule));
    EXPECT_TRUE(hasLine(s, 80.6, 10.5, 80.6, rule - 0.5));
    const auto& stiffTitle = at(s, "Stiffener Profile:");
    EXPECT_DOUBLE_EQ(stiffTitle.y, rule + 1);
    EXPECT_DOUBLE_EQ(stiffTitle.x, 13.6);
    EXPECT_DOUBLE_EQ(at(s, "Ringframe Profile:").x, 73.6);
    EXPECT_NE(s.find(" L 200x90x9.0x12.0"), nullptr);
    EXPECT_NE(s.find(" T 200x90x9.0x12.0 (Fabricated)"), nullptr);
}

TEST(ReportTest, ProfileDataBlockLines) {
    State st = calculated(CylinderType::StringerStiffened);
    RecordingSurface s = pageSurface();
    const double end = printProfileBlock(s, st, false, 0, 50);
    const auto& title = at(s, "Profile data:");
    EXPECT_DOUBLE_EQ(title.x, 45.6);
    EXPECT_DOUBLE_EQ(title.y, 52);
    EXPECT_TRUE(title.underline);
    // L 200x90x9x12: A = 188*9 + 90*12 = 2772 mm2, g = 7850*2772/1e6 = 21.76 kg/m.
    EXPECT_DOUBLE_EQ(at(s, "H").y, 53);
    EXPECT_NEAR(rightEdge(at(s, "2772")), 63.6, 1e-9);
    EXPECT_DOUBLE_EQ(at(s, "2772").y, 57);
    EXPECT_NE(s.find("21.8"), nullptr);
    EXPECT_NE(s.find(" mm4"), nullptr);
    EXPECT_DOUBLE_EQ(at(s, "Local buckling:").y, 61);
    EXPECT_DOUBLE_EQ(at(s, st.res.webCheckText).y, 62);
    EXPECT_DOUBLE_EQ(at(s, st.res.flangeCheckText).y, 63);
    EXPECT_DOUBLE_EQ(end, 64);

    // The ring frame's block at the right half.
    RecordingSurface r = pageSurface();
    printProfileBlock(r, st, true, 60, 50);
    EXPECT_DOUBLE_EQ(at(r, "Profile data:").x, 105.6);
    EXPECT_NE(r.find(st.res.ringWebCheckText), nullptr);
}

TEST(ReportTest, FlatBarAndTrapezoidBlocksPrintTheirOwnLines) {
    State st = test::newTestState();
    st.dc.stiff.kind = ProfileKind::FlatTable;
    RecordingNotifier nt;
    ASSERT_TRUE(calcAll(st, nt));
    RecordingSurface s = pageSurface();
    // H, tw, A, g, Iy, the heading and the web text.
    EXPECT_DOUBLE_EQ(printProfileBlock(s, st, false, 0, 0), 3 + 7);
    EXPECT_EQ(s.find("B"), nullptr);
    EXPECT_EQ(s.find("Iz"), nullptr);

    st.dc.stiff.kind = ProfileKind::Trapez;
    ASSERT_TRUE(calcAll(st, nt));
    RecordingSurface t = pageSurface();
    EXPECT_DOUBLE_EQ(printProfileBlock(t, st, false, 0, 0), 3 + 7);
    EXPECT_NE(t.find("a"), nullptr);
    EXPECT_EQ(t.find("Local buckling:"), nullptr);
}

TEST(ReportTest, UnstiffenedCylinderPrintsNoProfilePartAndOnlyTheShellPanel) {
    const State st = calculated(CylinderType::Unstiffened);
    const RecordingSurface s = report(st);
    EXPECT_EQ(s.find("Stiffener Profile:"), nullptr);
    EXPECT_EQ(s.find("Ringframe Profile:"), nullptr);
    EXPECT_EQ(s.find("Profile data:"), nullptr);
    EXPECT_EQ(s.find("Stiff spacing:"), nullptr);
    EXPECT_EQ(s.find("Ringframe: "), nullptr);
    EXPECT_EQ(s.find(st.res.stiffPanel.label[0]), nullptr);
    EXPECT_EQ(s.find(st.res.ringPanel.label[0]), nullptr);
    // Geometry r, l, t only; the shell panel right after the rule below the sketch.
    const double geometry = 18.8; // no ring-frame material line
    EXPECT_DOUBLE_EQ(at(s, "Geometry:").y, geometry);
    const double rule = geometry + 30.0 * 88 / 136 + 1;
    const auto& shell = at(s, st.res.shellPanel.label[0]);
    EXPECT_DOUBLE_EQ(shell.y, rule + 1);
    EXPECT_DOUBLE_EQ(shell.x, 13.6);
}

TEST(ReportTest, SlenderNoteBesideTheShellPanelAndRingPanelBelow) {
    const State st =
        calculated(CylinderType::StringerStiffened, 600); // s/t = 30 > 3 sqrt(75) = 25.98
    ASSERT_TRUE(st.res.slenderNote);
    const RecordingSurface s = report(st);
    const auto& shell = at(s, st.res.shellPanel.label[0]);
    const auto* notes = &s.texts.front();
    for (const auto& t : s.texts)
        if (t.text.rfind("Note: s/t>3* Sqr(r/t) ==> calculation", 0) == 0)
            notes = &t;
    // The shell as an unstiffened cylinder: UF 1.01 (112.3 / 111.7) above 1.00.
    ASSERT_EQ(notes->text,
              "Note: s/t>3* Sqr(r/t) ==> calculation as an unstiffened cylinder, (Ref Ch 3.6.1), "
              "unstiffened cylinder UF = 1.01 > 1.00");
    EXPECT_DOUBLE_EQ(notes->x, 63.6);
    EXPECT_DOUBLE_EQ(notes->y, shell.y + 2.1);
    // The note's title stands beside the shell panel's title.
    const RecordingSurface::Text* titles[2] = {nullptr, nullptr};
    int k = 0;
    for (const auto& t : s.texts)
        if (t.text == st.res.stiffPanel.label[0] && k < 2)
            titles[k++] = &t;
    ASSERT_NE(titles[0], nullptr);
    EXPECT_DOUBLE_EQ(titles[0]->y, shell.y);
    EXPECT_EQ(s.find("se ="), nullptr);
    // Ring panel: note end (top + 3.1) + 9 + 2.
    EXPECT_DOUBLE_EQ(at(s, st.res.ringPanel.label[0]).y, shell.y + 14.1);
}

TEST(ReportTest, SlenderNoteEndsInsideTheRightRule) {
    const State st = calculated(CylinderType::StringerStiffened, 600);
    // Characters about as wide as the report font's at 8 pt: the note is then wider than the
    // room from the stiffener column (63.6) to the right rule (129.2) and must be set smaller.
    RecordingSurface s = pageSurface();
    s.charWidth = 0.9;
    s.charWidthAtPt = 8;
    printReport(s, st, {"24.05.2024", 9, 5});
    // The note and the usage factor it ends with take two lines, each inside the rule.
    const auto& note = at(s, std::string(kSlenderNoteReportLine) + ",");
    const auto& uf = at(s, "unstiffened cylinder UF = 1.01 > 1.00");
    EXPECT_LT(note.sizePt, 8);
    for (const auto* t : {&note, &uf}) {
        EXPECT_DOUBLE_EQ(t->x, 63.6);
        EXPECT_LE(t->x + static_cast<double>(t->text.size()) * 0.9 * t->sizePt / 8, 129.2 + 1e-9);
    }
    EXPECT_DOUBLE_EQ(uf.y, note.y + 1);
    // The title above it and the ring panel below it keep the report's size; the ring panel
    // moves down by the second line.
    const auto& ring = at(s, st.res.ringPanel.label[0]);
    EXPECT_DOUBLE_EQ(ring.sizePt, 8);
    EXPECT_DOUBLE_EQ(ring.y, uf.y + 1 + 9 + 2);
    EXPECT_DOUBLE_EQ(at(s, st.res.stiffPanel.label[0]).sizePt, 8);
}

TEST(ReportTest, StiffenerPanelBesideTheShellPanelAndRingPanelBelow) {
    State st = calculated(CylinderType::StringerStiffened, 400);
    ASSERT_FALSE(st.res.slenderNote);
    st.dc.pd = 0; // no heavy-frame line: the panels keep their rows
    const RecordingSurface s = report(st);
    const auto& shell = at(s, st.res.shellPanel.label[0]);
    const auto& stiff = at(s, st.res.stiffPanel.label[0]);
    EXPECT_DOUBLE_EQ(stiff.x, 63.6);
    EXPECT_DOUBLE_EQ(stiff.y, shell.y);
    // Thirteen stiffener lines below a 1.1 title, then two rows.
    const auto& ring = at(s, st.res.ringPanel.label[0]);
    EXPECT_DOUBLE_EQ(ring.x, 13.6);
    EXPECT_DOUBLE_EQ(ring.y, shell.y + 14.1 + 2);
    // The results sit below the profile sketches and their rule.
    const auto& profile = at(s, "Stiffener Profile:");
    const double rule = profile.y + 3.5 + 29.0 * 88 / 136 / 1.41;
    EXPECT_TRUE(hasLine(s, 13.6, rule, 129.2, rule));
    EXPECT_DOUBLE_EQ(shell.y, rule + 1);
}

TEST(ReportTest, ColumnCaseLoadingAndColumnPanel) {
    const State st = calculated(CylinderType::Column);
    const RecordingSurface s = report(st);
    EXPECT_EQ(s.find("Sigx"), nullptr);
    EXPECT_DOUBLE_EQ(at(s, "M2b").y, at(s, "pd").y + 5);
    EXPECT_NE(s.find("-1000.0"), nullptr);
    EXPECT_DOUBLE_EQ(at(s, "k2").x, kC3);
    EXPECT_EQ(s.find("Stiffener Profile:"), nullptr);
    const auto& shell = at(s, st.res.shellPanel.label[0]);
    const auto& column = at(s, st.res.columnPanel.label[0]);
    EXPECT_DOUBLE_EQ(column.x, 13.6);
    EXPECT_DOUBLE_EQ(column.y, shell.y + 11.1 + 2);
    // The report form puts the usage factors at left + 20.
    const auto& uf1 = at(s, "UF1 = ");
    bool found = false;
    for (const auto& t : s.texts)
        if (t.y == uf1.y && t.bold && (t.color == kRed || t.color == kGreen)) {
            EXPECT_DOUBLE_EQ(t.x, 33.6);
            found = true;
        }
    EXPECT_TRUE(found);
}

TEST(ReportTest, EveryCylinderTypeStaysOnOnePage) {
    for (CylinderType type : {CylinderType::Unstiffened, CylinderType::RingStiffened,
                              CylinderType::StringerStiffened, CylinderType::Column})
        for (float s : {400.0f, 600.0f}) {
            State st = calculated(type, s);
            st.dc.pd = -0.3f; // the ring panel's longest form
            const RecordingSurface page = report(st);
            double lowest = 0;
            for (const auto& t : page.texts)
                if (t.sizePt <= 8)
                    lowest = std::max(lowest, t.y);
            EXPECT_LE(lowest + 1, kBodyHeight) << "type " << codeNumber(type) << " s " << s;
        }
    // The longest page moves its panels up by what they would pass the page bottom (88.22 - 88)
    // and no further.
    State st = calculated(CylinderType::StringerStiffened, 400);
    const RecordingSurface page = report(st);
    const auto& profile = at(page, "Stiffener Profile:");
    const double rule = profile.y + 3.5 + 29.0 * 88 / 136 / 1.41;
    const double shellTop = at(page, st.res.shellPanel.label[0]).y;
    EXPECT_LT(shellTop, rule + 1);
    EXPECT_GT(shellTop, rule + 0.7);
    ASSERT_EQ(page.texts.back().text, st.res.ringPanel.unit[12]);
    EXPECT_NEAR(page.texts.back().y + 1, kBodyHeight, 1e-9);
}

// A stringer-stiffened case without the ring-frame check with `count` load cases "LC1", "LC2",
// ...: the new case's loads with other axial stresses, the second's the heaviest, so that it
// governs; the selected one is the first.
State withLoadCases(int count) {
    State st = test::newTestState();
    st.dc.s = 600;
    st.dc.ringControl = 0; // the loads govern, not the ring frame's area
    for (int i = 1; i < count; ++i) {
        addLoadCase(st.dc);
        st.dc.Sigx = i == 1 ? -160.0f : -50.0f - static_cast<float>(i);
        st.dc.Sigy = -10;
        st.dc.Tau = 40;
        st.dc.pd = -0.3f;
    }
    selectLoadCase(st.dc, 0);
    RecordingNotifier nt;
    EXPECT_TRUE(calcAll(st, nt));
    return st;
}

RecordingSurface reportPage(const State& st, int page) {
    RecordingSurface s = pageSurface();
    printReport(s, st, {"24.05.2024", 9, 5}, page);
    return s;
}

TEST(ReportTest, OneLoadCaseHasNoLoadCaseTable) {
    const State st = calculated(CylinderType::StringerStiffened);
    EXPECT_EQ(1, reportPageCount(st));
    const RecordingSurface s = report(st);
    EXPECT_EQ(s.find("Load cases:"), nullptr);
    EXPECT_EQ(s.find(" load case LC1"), nullptr);
    EXPECT_NE(s.find("1/1"), nullptr);
    // The rule between the two columns starts at the part's top as it always has.
    const double rule = 19.8 + 30.0 * 88 / 136 + 1;
    EXPECT_TRUE(hasLine(s, 80.6, 10.5, 80.6, rule - 0.5));
}

TEST(ReportTest, LoadCaseTableOnTheFirstPage) {
    const State st = withLoadCases(3);
    ASSERT_EQ(3u, st.loadCaseResults.size());
    EXPECT_EQ(1, reportPageCount(st));
    const RecordingSurface s = report(st);
    const Verdict v = caseVerdict(st);
    ASSERT_EQ("LC2", v.loadCaseName);

    const auto& title = at(s, "Load cases:");
    EXPECT_DOUBLE_EQ(title.y, 10);
    EXPECT_TRUE(title.bold && title.underline);
    const auto& verdict =
        at(s, std::string(" ") + verdictStatusText(v.status) + " - governing: LC2");
    EXPECT_DOUBLE_EQ(verdict.y, 10);
    EXPECT_EQ(verdict.color, verdictStatusColor(v.status));
    // The loading and the panels are the selected load case's.
    EXPECT_DOUBLE_EQ(at(s, " load case LC1").y, at(s, "Loading:").y);

    // One row per load case under the column headings, in list order, each with its own
    // verdict; the selected one's name in bold.
    const double headings = at(s, "Governing check").y;
    EXPECT_DOUBLE_EQ(headings, 11);
    const char* names[] = {"LC1", "LC2", "LC3"};
    for (int i = 0; i < 3; ++i) {
        const auto& name = at(s, names[i]);
        EXPECT_NEAR(name.y, 11 + 0.85 * (i + 1), 1e-9) << i;
        EXPECT_DOUBLE_EQ(name.x, 70);
        EXPECT_EQ(name.bold, i == 0);
        const Verdict lv = loadCaseVerdict(st, i);
        ASSERT_TRUE(lv.governing.has_value());
        int found = 0;
        for (const auto& t : s.texts)
            if (std::abs(t.y - name.y) < 1e-9) {
                found += t.text == "LRFD, UF 1.00";
                found += t.text == checkTitle(*lv.governing);
                found += t.text == formatNumber(lv.ratio, "0.00");
                found += t.text == verdictStatusText(lv.status) &&
                         t.color == verdictStatusColor(lv.status);
            }
        EXPECT_EQ(4, found) << i;
    }
    // The heavier axial stress gives the larger ratio.
    EXPECT_GT(loadCaseVerdict(st, 1).ratio, loadCaseVerdict(st, 0).ratio);
    // The table ends above the geometry, where the rule between the columns now starts.
    const double geometry = at(s, "Geometry:").y;
    EXPECT_DOUBLE_EQ(geometry, 18.8); // no ring-frame material row
    EXPECT_LT(at(s, "LC3").y + 0.85, geometry);
    const double rule = geometry + 30.0 * 88 / 136 + 1;
    EXPECT_TRUE(hasLine(s, 80.6, geometry - 0.5, 80.6, rule - 0.5));
}

TEST(ReportTest, MoreThanEightLoadCasesContinueOnASecondPage) {
    State st = withLoadCases(8);
    EXPECT_EQ(1, reportPageCount(st));
    st = withLoadCases(10);
    ASSERT_EQ(2, reportPageCount(st));
    const RecordingSurface first = reportPage(st, 0);
    EXPECT_NE(first.find("1/2"), nullptr);
    EXPECT_NE(first.find("Load cases 1-8 of 10 (more on page 2):"), nullptr);
    EXPECT_NE(first.find("LC8"), nullptr);
    EXPECT_EQ(first.find("LC9"), nullptr);
    // Eight rows still end above the geometry of a case without ring frame check.
    EXPECT_LT(at(first, "LC8").y + 0.85, 18.8);

    const RecordingSurface second = reportPage(st, 1);
    EXPECT_NE(second.find("2/2"), nullptr);
    EXPECT_NE(second.find("Velmora DNV"), nullptr);
    EXPECT_NE(second.find("Load cases 9-10 of 10:"), nullptr);
    EXPECT_EQ(second.find("LC8"), nullptr);
    EXPECT_DOUBLE_EQ(at(second, "LC9").y, 12.5);
    EXPECT_DOUBLE_EQ(at(second, "LC10").y, 13.5);
    EXPECT_DOUBLE_EQ(at(second, "LC9").x, kC0);
    // Nothing of the first page's body on the second.
    EXPECT_EQ(second.find("Geometry:"), nullptr);
    EXPECT_EQ(second.find(st.res.shellPanel.label[0]), nullptr);
}

} // namespace
} // namespace velmora
