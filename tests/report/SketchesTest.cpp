// The profile and cylinder sketches: the marks each kind carries, and nothing outside its box.
#include "report/Sketches.h"
#include "case/DesignCase.h"
#include "support/RecordingSurface.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

constexpr SketchBox kBox{10, 20, 110, 90};

void expectInside(const RecordingSurface& s, const SketchBox& b) {
    for (const auto& l : s.lines) {
        EXPECT_GE(std::min(l.x1, l.x2), b.left - 1e-9);
        EXPECT_LE(std::max(l.x1, l.x2), b.right + 1e-9);
        EXPECT_GE(std::min(l.y1, l.y2), b.top - 1e-9);
        EXPECT_LE(std::max(l.y1, l.y2), b.bottom + 1e-9);
    }
    for (const auto& t : s.texts) {
        EXPECT_GE(t.x, b.left - 1e-9) << t.text;
        EXPECT_LE(t.x + s.textWidth(t.text), b.right + 1e-9) << t.text;
        EXPECT_GE(t.y, b.top - 1e-9) << t.text;
        EXPECT_LE(t.y + 1, b.bottom + 1e-9) << t.text;
    }
}

std::vector<std::string> texts(const RecordingSurface& s) {
    std::vector<std::string> out;
    for (const auto& t : s.texts)
        out.push_back(t.text);
    return out;
}

TEST(SketchesTest, ProfileMarksPerKind) {
    ProfileRecord p;
    p.H = 200;
    p.B = 90;
    p.tw = 9;
    p.tf = 12;
    p.a = 50;
    p.Ro = 10;
    using V = std::vector<std::string>;
    const struct {
        ProfileSketch kind;
        V marks;
    } cases[] = {
        {ProfileSketch::L, V{"H=200", "B=90", "tw=9.0", "tf=12.0"}},
        {ProfileSketch::T, V{"H=200", "B=90", "tw=9.0", "tf=12.0"}},
        {ProfileSketch::I, V{"H=200", "B=90", "tw=9.0", "tf=12.0"}},
        {ProfileSketch::Flat, V{"H=200", "tw=9.0"}},
        {ProfileSketch::Bulb, V{"H=200", "c=50", "tw=9.0", "r=10"}},
        {ProfileSketch::RHS, V{"H=200", "B=90", "t=9.0", "r=10"}},
        {ProfileSketch::Trapez, V{"H=200", "B=90", "t=9.0", "a=50"}},
    };
    for (const auto& c : cases) {
        RecordingSurface s;
        s.charWidth = 1.5;
        drawProfileSketch(s, p, c.kind, kBox, true, '.');
        EXPECT_EQ(texts(s), c.marks) << static_cast<int>(c.kind);
        EXPECT_GE(s.shapes, 2); // the profile and the plate it stands on
        expectInside(s, kBox);

        RecordingSurface button;
        drawProfileSketch(button, p, c.kind, kBox, false, '.');
        EXPECT_TRUE(button.texts.empty());
        EXPECT_EQ(button.shapes, s.shapes);
    }
}

TEST(SketchesTest, ProfileMarksUseTheDecimalSeparator) {
    ProfileRecord p;
    p.tw = 9.5f;
    RecordingSurface s;
    drawProfileSketch(s, p, ProfileSketch::Flat, kBox, true, ',');
    EXPECT_NE(s.find("tw=9,5"), nullptr);
}

TEST(SketchesTest, DegenerateDimensionsStillDrawInsideTheBox) {
    ProfileRecord p;
    p.H = 0;
    p.B = -5;
    p.tw = 0;
    p.tf = 400;
    RecordingSurface s;
    drawProfileSketch(s, p, ProfileSketch::T, kBox, true, '.');
    expectInside(s, kBox);
    // A box too small for the marks gets the bare drawing.
    RecordingSurface tiny;
    drawProfileSketch(tiny, p, ProfileSketch::L, {0, 0, 3, 2}, true, '.');
    EXPECT_TRUE(tiny.texts.empty());
}

TEST(SketchesTest, CylinderMarksPerType) {
    using V = std::vector<std::string>;
    const struct {
        CylinderType type;
        float L;
        V marks;
    } cases[] = {
        {CylinderType::Unstiffened, 6000, V{"r", "t", "l"}},
        {CylinderType::RingStiffened, 6000, V{"r", "t", "l", "L"}},
        {CylinderType::StringerStiffened, 6000, V{"s", "r", "t", "l", "L"}},
        {CylinderType::Column, 6000, V{"r", "t", "l", "L"}},
        {CylinderType::Column, 3000, V{"r", "t", "L = l"}},
    };
    for (const auto& c : cases) {
        for (int16_t outside : {int16_t{0}, int16_t{1}}) {
            DesignCase dc;
            dc.cylinderType = c.type;
            dc.L = c.L;
            dc.outsideStiffening = outside;
            RecordingSurface s;
            drawCylinderSketch(s, dc, kBox);
            EXPECT_EQ(texts(s), c.marks) << codeNumber(c.type) << " L " << c.L;
            expectInside(s, kBox);
        }
    }
}

TEST(SketchesTest, StiffeningOnTheOutsideStandsOutOfTheShell) {
    // The outside version reaches further up than the inside one: the frames and stringers
    // stand out of the shell's silhouette.
    auto highest = [](int16_t outside) {
        DesignCase dc;
        dc.cylinderType = CylinderType::StringerStiffened;
        dc.outsideStiffening = outside;
        RecordingSurface s;
        drawCylinderSketch(s, dc, kBox);
        double top = 1e9;
        for (const auto& l : s.lines)
            top = std::min({top, l.y1, l.y2});
        return top;
    };
    EXPECT_LT(highest(1), highest(0));
}

} // namespace
} // namespace velmora
