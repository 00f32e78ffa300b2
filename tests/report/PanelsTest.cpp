// Result panels against a recording surface: alignment, styles and the usage-factor colours.
#include "report/Panels.h"
#include "support/RecordingSurface.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

// A panel whose texts are made here: label i is "Li", value i "v" repeated i times.
ResultPanel panel(const std::string& title, int n) {
    ResultPanel p;
    p.lineCount = n;
    p.label[0] = title;
    for (int i = 1; i <= n; ++i) {
        p.label[static_cast<size_t>(i)] = "L" + std::to_string(i) + " = ";
        p.value[static_cast<size_t>(i)] = std::string(static_cast<size_t>(i % 5 + 1), '7');
        p.unit[static_cast<size_t>(i)] = " u" + std::to_string(i);
    }
    return p;
}

State panelState() {
    State st;
    st.res.shellPanel = panel("Shell Buckling: (Ch 3.3.2)", 10);
    st.res.stiffPanel = panel("Stiffener Buckling: (Ch 3.6.3)", 13);
    st.res.columnPanel = panel("Global Buckling: (Ch 3.8)", 14);
    st.res.ringPanel = panel("Panel Ring Buckling: (Ch 3.5.2)", 12);
    return st;
}

const RecordingSurface::Text& at(const RecordingSurface& s, const std::string& t) {
    const auto* found = s.find(t);
    if (!found)
        throw std::runtime_error("text not drawn: " + t);
    return *found;
}

TEST(PanelsTest, ShellPanelLayoutOnTheScreen) {
    State st = panelState();
    st.res.shellUF = 0.5;
    st.res.UFallow = 1;
    st.res.shellUFallow = 1;
    RecordingSurface s;
    const double end = drawShellPanel(s, st, 0.3, 1, 0);
    EXPECT_EQ(s.clears, 1);

    const auto& title = at(s, "Shell Buckling: (Ch 3.3.2)");
    EXPECT_DOUBLE_EQ(title.x, 1);
    EXPECT_DOUBLE_EQ(title.y, 0.3);
    EXPECT_TRUE(title.bold);
    EXPECT_TRUE(title.underline);

    // Line 1 one title-and-a-tenth below; its value "77" ends at left + 15, unit follows.
    const auto& l1 = at(s, "L1 = ");
    EXPECT_DOUBLE_EQ(l1.y, 1.4);
    EXPECT_FALSE(l1.bold);
    const auto& u1 = at(s, " u1");
    EXPECT_DOUBLE_EQ(u1.x, 16);
    EXPECT_DOUBLE_EQ(u1.y, 1.4);

    // Line 9 at 1.4 + 8, the usage-factor line 10 below it.
    EXPECT_DOUBLE_EQ(at(s, "L9 = ").y, 9.4);
    const auto& uf = at(s, "L10 = ");
    EXPECT_DOUBLE_EQ(uf.y, 10.4);
    EXPECT_FALSE(uf.bold);
    // The usage factor directly after its label, bold and green; the unit plain black.
    const auto& ufValue = s.texts[s.texts.size() - 2];
    EXPECT_EQ(ufValue.text, "7");
    EXPECT_DOUBLE_EQ(ufValue.x, 1 + 6);
    EXPECT_TRUE(ufValue.bold);
    EXPECT_EQ(ufValue.color, kGreen);
    EXPECT_EQ(s.texts.back().color, kBlack);
    EXPECT_FALSE(s.texts.back().bold);
    EXPECT_DOUBLE_EQ(end, 11.4);
}

TEST(PanelsTest, UsageFactorColourIsStrictlyAbovePermitted) {
    State st = panelState();
    st.res.shellUFallow = 0.85;
    auto ufColor = [&](double uf) {
        st.res.shellUF = uf;
        RecordingSurface s;
        drawShellPanel(s, st, 0, 0, 1);
        EXPECT_EQ(s.clears, 0); // report mode adds to the page
        return s.texts[s.texts.size() - 2].color;
    };
    EXPECT_EQ(ufColor(0.85), kGreen);
    EXPECT_EQ(ufColor(0.8500001), kRed);
    EXPECT_EQ(ufColor(0.2), kGreen);
}

TEST(PanelsTest, ShellPanelComparesWithTheShellChecksPermittedValue) {
    // A WSD column case: the shell check permits 1.15 beta n0 = 1.035 at lamdas 0.75, the
    // column check 1.15 n0 = 1.15, and UFallow holds the column's after the run.
    State st = panelState();
    st.res.shellUFallow = 1.035;
    st.res.UFallow = 1.15;
    st.res.shellUF = 1.1;
    RecordingSurface s;
    drawShellPanel(s, st, 0, 0, 1);
    EXPECT_EQ(s.texts[s.texts.size() - 2].color, kRed);
}

TEST(PanelsTest, StiffenerPanelComparesWithItsOwnPermittedValue) {
    State st = panelState();
    st.res.shellUF = 2; // the shell's verdict must not leak into the stiffener's
    st.res.UFallow = 1;
    st.res.stiffUF = 0.9;
    st.res.stiffUFallow = 0.95;
    RecordingSurface s;
    const double end = drawStiffenerPanel(s, st, 0, 10, 1);
    EXPECT_EQ(s.texts[s.texts.size() - 2].color, kGreen);
    EXPECT_DOUBLE_EQ(at(s, "L13 = ").y, 1.1 + 12);
    EXPECT_DOUBLE_EQ(end, 14.1);
    st.res.stiffUF = 0.96;
    RecordingSurface s2;
    drawStiffenerPanel(s2, st, 0, 10, 1);
    EXPECT_EQ(s2.texts[s2.texts.size() - 2].color, kRed);
}

TEST(PanelsTest, ColumnPanelUsageFactorsLeftAligned) {
    State st = panelState();
    st.res.UF1 = 1.2;
    st.res.UF2 = 0.4;
    st.res.UFallow = 1;
    for (int mode : {0, 1}) {
        RecordingSurface s;
        drawColumnPanel(s, st, 2, 5, mode);
        const double W = mode == 0 ? 20 : 30;
        const double ufX = mode == 0 ? 17 : 25;
        // A value line: value 5 ("7") ends at 5 + W.
        const auto& u5 = at(s, " u5");
        EXPECT_DOUBLE_EQ(u5.x, 5 + W);
        EXPECT_DOUBLE_EQ(u5.y, 2 + 1.1 + 4);
        // UF1 (line 13) red, UF2 (line 14) green, both starting at the fixed column.
        const auto& l13 = at(s, "L13 = ");
        EXPECT_DOUBLE_EQ(l13.y, 3.1 + 12);
        bool sawRed = false, sawGreen = false;
        for (const auto& t : s.texts) {
            if (t.color == kRed) {
                sawRed = true;
                EXPECT_DOUBLE_EQ(t.x, ufX);
                EXPECT_DOUBLE_EQ(t.y, 3.1 + 12);
                EXPECT_TRUE(t.bold);
            }
            if (t.color == kGreen) {
                sawGreen = true;
                EXPECT_DOUBLE_EQ(t.x, ufX);
                EXPECT_DOUBLE_EQ(t.y, 3.1 + 13);
            }
        }
        EXPECT_TRUE(sawRed);
        EXPECT_TRUE(sawGreen);
        EXPECT_EQ(s.clears, mode == 0 ? 1 : 0);
    }
}

TEST(PanelsTest, RingPanelComparesWithTheCaseUsageFactorAndShowsHeavyLineUnderPressure) {
    State st = panelState();
    st.dc.designFormat = DesignFormat::WSD;
    st.dc.UF = 0.8f;    // n0
    st.res.UFallow = 1; // the shell's 1.15 beta n0 must not decide the ring lines
    st.res.ringAreaUF = 0.85;
    st.res.ringInertiaUF = 0.8f;
    st.dc.pd = 0;
    RecordingSurface s;
    const double end = drawRingPanel(s, st, 0, 1, 1);
    std::vector<Rgb> verdicts;
    for (const auto& t : s.texts)
        if (t.bold && !t.underline)
            verdicts.push_back(t.color);
    ASSERT_EQ(verdicts.size(), 2u);
    EXPECT_EQ(verdicts[0], kRed);   // 0.85 > 0.8
    EXPECT_EQ(verdicts[1], kGreen); // 0.8 = 0.8 (as single precision)
    // Underlined headings of the two requirements; the area value ends at 1 + 18, the
    // inertia values at 1 + 14.
    EXPECT_TRUE(at(s, "L1 = ").underline);
    EXPECT_TRUE(at(s, "L3 = ").underline);
    EXPECT_FALSE(at(s, "L4 = ").underline);
    EXPECT_DOUBLE_EQ(at(s, " u1").x, 19);
    EXPECT_DOUBLE_EQ(at(s, " u4").x, 15);
    EXPECT_DOUBLE_EQ(at(s, "L11 = ").y, 1.1 + 10);
    EXPECT_EQ(s.find("L12 = "), nullptr);
    EXPECT_FALSE(ringPanelShowsSpecialIh(st));
    EXPECT_DOUBLE_EQ(end, 12.1);

    st.dc.pd = -0.3f;
    RecordingSurface s2;
    EXPECT_DOUBLE_EQ(drawRingPanel(s2, st, 0, 1, 1), 13.1);
    const auto* heavy = s2.find("L12 = ");
    ASSERT_NE(heavy, nullptr);
    EXPECT_DOUBLE_EQ(heavy->y, 12.1);
    EXPECT_FALSE(heavy->bold);
    EXPECT_TRUE(ringPanelShowsSpecialIh(st));
}

TEST(PanelsTest, SlenderNoteThreeLinesOnScreenOneInReport) {
    State st = panelState();
    RecordingSurface screen;
    EXPECT_DOUBLE_EQ(drawSlenderNote(screen, st, 0.3, 1, 0), 0.3 + 2.1 + 3);
    EXPECT_EQ(screen.clears, 1);
    ASSERT_EQ(screen.texts.size(), 4u);
    EXPECT_EQ(screen.texts[0].text, "Stiffener Buckling: (Ch 3.6.3)");
    EXPECT_EQ(screen.texts[1].text, "Note: s/t>3* Sqr(r/t) ==>");
    EXPECT_DOUBLE_EQ(screen.texts[1].y, 2.4);
    EXPECT_EQ(screen.texts[2].text, "Calculation as an unstiffened cylinder");
    EXPECT_EQ(screen.texts[3].text, "(Ref Ch 3.6.1)");
    EXPECT_DOUBLE_EQ(screen.texts[3].y, 4.4);
    for (size_t i = 1; i < 4; ++i) {
        EXPECT_TRUE(screen.texts[i].bold);
        EXPECT_FALSE(screen.texts[i].underline);
    }

    RecordingSurface report;
    drawSlenderNote(report, st, 5, 63.6, 1);
    ASSERT_EQ(report.texts.size(), 2u);
    EXPECT_EQ(report.texts[1].text,
              "Note: s/t>3* Sqr(r/t) ==> calculation as an unstiffened cylinder, (Ref Ch 3.6.1)");
    EXPECT_DOUBLE_EQ(report.texts[1].y, 7.1);
    EXPECT_DOUBLE_EQ(report.texts[1].x, 63.6);

    // Where the case has the check of the shell as an unstiffened cylinder, the report's line
    // ends with its usage factor and the true comparison.
    st.res.slenderNote = true;
    st.res.unstiffenedUF = 1.18;
    st.res.unstiffenedUFallow = 1;
    RecordingSurface failing;
    drawSlenderNote(failing, st, 5, 63.6, 1);
    EXPECT_EQ(failing.texts[1].text,
              "Note: s/t>3* Sqr(r/t) ==> calculation as an unstiffened cylinder, (Ref Ch 3.6.1), "
              "unstiffened cylinder UF = 1.18 > 1.00");
    st.res.unstiffenedUF = 0.8;
    st.run.decimalPointLocale = false;
    EXPECT_EQ(slenderNoteReportLine(st),
              "Note: s/t>3* Sqr(r/t) ==> calculation as an unstiffened cylinder, (Ref Ch 3.6.1), "
              "unstiffened cylinder UF = 0,80 <= 1,00");
    // A ring-stiffened cylinder has no such check: the note alone.
    st.dc.cylinderType = CylinderType::RingStiffened;
    EXPECT_EQ(slenderNoteReportLine(st), kSlenderNoteReportLine);
}

TEST(PanelsTest, LongLabelPushesItsValueInsteadOfOverlapping) {
    State st = panelState();
    st.res.shellPanel.label[2] = "fEtau/fEm long label = "; // 23 characters, column ends at 15
    st.res.shellPanel.value[2] = "757.9";
    RecordingSurface s;
    drawShellPanel(s, st, 0, 1, 0);
    EXPECT_DOUBLE_EQ(at(s, "757.9").x, 24);
    // The other lines keep their right edge.
    EXPECT_DOUBLE_EQ(at(s, " u3").x, 16);
}

TEST(PanelsTest, LineCountOutsideThePanelDrawsOnlyWhatExists) {
    State st = panelState();
    st.res.shellPanel.lineCount = 40; // a corrupted count must not read past 16 rows
    RecordingSurface s;
    EXPECT_NO_THROW(drawShellPanel(s, st, 0, 0, 0));
    st.res.ringPanel.lineCount = 0;
    RecordingSurface s2;
    drawRingPanel(s2, st, 0, 0, 0);
    EXPECT_EQ(s2.texts.size(), 1u);
}

} // namespace
} // namespace velmora
