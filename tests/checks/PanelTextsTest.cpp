// The usage-factor lines of the panels write their comparison as it is: " <= " and the permitted
// value where the usage factor lies within it, " > " where it exceeds it.
#include "checks/PanelTexts.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(PanelTexts, StiffenerLineSignFollowsTheComparison) {
    ResultPanel p;
    StiffenerResult r;
    r.stiffUFallow = 1.15;
    r.stiffUF = 1.15; // equal: within
    fillStiffenerPanel(p, r, 0, '.');
    EXPECT_EQ(p.unit[13], " <= 1.15");
    r.stiffUF = 1.1501;
    fillStiffenerPanel(p, r, 0, '.');
    EXPECT_EQ(p.value[13], "1.15");
    EXPECT_EQ(p.unit[13], " > 1.15");
    r.stiffUF = 0.8;
    fillStiffenerPanel(p, r, 0, ',');
    EXPECT_EQ(p.unit[13], " <= 1,15");
}

TEST(PanelTexts, ShellLineSignFollowsTheComparison) {
    ResultPanel p;
    ShellResult r;
    r.title = "Shell Buckling: (Ch 3.4.2)";
    r.line2Label = "fEtau = ";
    r.factor.UFallow = 0.92;
    r.shellUF = 1.34;
    fillShellPanel(p, r, 0, '.');
    EXPECT_EQ(p.value[10], "1.34");
    EXPECT_EQ(p.unit[10], " > 0.92");
    r.shellUF = 0.5;
    fillShellPanel(p, r, 0, '.');
    EXPECT_EQ(p.unit[10], " <= 0.92");
}

TEST(PanelTexts, ColumnLinesEachWithTheirOwnSign) {
    ResultPanel p;
    ColumnResult r;
    r.factor.UFallow = 1.0;
    r.UF1 = 1.2;
    r.UF2 = 0.9;
    fillColumnPanel(p, r, false, '.');
    EXPECT_EQ(p.label[13], "UF1 = ");
    EXPECT_EQ(p.unit[13], " > 1.00");
    EXPECT_EQ(p.label[14], "UF2 =  ");
    EXPECT_EQ(p.unit[14], " <= 1.00");
}

TEST(PanelTexts, RingLinesCompareWithTheAllowableUsageFactor) {
    ResultPanel p;
    RingResult r;
    r.ringAreaUF = 0.95;
    r.ringInertiaUF = 1.05f;
    fillRingPanel(p, r, 2772, 0.9f, '.');
    EXPECT_EQ(p.unit[2], " > 0.90");
    EXPECT_EQ(p.unit[11], " > 0.90");
    fillRingPanel(p, r, 2772, 1.1f, '.');
    EXPECT_EQ(p.unit[2], " <= 1.10");
    EXPECT_EQ(p.unit[11], " <= 1.10");
}

} // namespace
} // namespace velmora
