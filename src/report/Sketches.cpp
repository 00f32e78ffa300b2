// Line drawings of the profiles and the cylinder. Both are laid out in a physical frame whose
// units are the surface's vertical units, so that a profile keeps its true proportions on a
// surface whose horizontal units are longer or shorter than its vertical ones.

#include "report/Sketches.h"

#include "base/Fp.h"
#include "base/NumberText.h"
#include "case/DesignCase.h"
#include "report/Surface.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace velmora {

namespace {

// Maps the physical frame (origin at the box's top left, y downwards) onto the surface.
class Frame {
public:
    Frame(Surface& s, const SketchBox& box)
        : s_(s), box_(box), aspect_(s.unitAspect() > 0 ? s.unitAspect() : 1.0) {}

    double width() const { return (box_.right - box_.left) * aspect_; }
    double height() const { return box_.bottom - box_.top; }
    double textWidth(const std::string& t) const { return s_.textWidth(t) * aspect_; }
    double textHeight() const { return s_.textHeight("H"); }

    double ux(double px) const { return box_.left + px / aspect_; }
    double uy(double py) const { return box_.top + py; }

    void line(double x1, double y1, double x2, double y2) {
        s_.line(ux(x1), uy(y1), ux(x2), uy(y2));
    }
    void polygon(const std::vector<Point>& pts) {
        std::vector<Point> out;
        out.reserve(pts.size());
        for (const auto& p : pts)
            out.push_back({ux(p.x), uy(p.y)});
        s_.polygon(out, false);
    }
    // Elliptic arc from angle a0 to a1 (radians, 0 to the right, positive downwards).
    void arc(double cx, double cy, double rx, double ry, double a0, double a1) {
        const int steps = std::max(8, static_cast<int>(std::abs(a1 - a0) / (kPi / 24)));
        double px = cx + rx * std::cos(a0);
        double py = cy + ry * std::sin(a0);
        for (int i = 1; i <= steps; ++i) {
            const double a = a0 + (a1 - a0) * i / steps;
            const double nx = cx + rx * std::cos(a);
            const double ny = cy + ry * std::sin(a);
            line(px, py, nx, ny);
            px = nx;
            py = ny;
        }
    }
    // Text with its top left at (px, py).
    void text(double px, double py, const std::string& t) {
        s_.setPos(ux(px), uy(py));
        s_.drawText(t);
    }
    // Text centred on (px, py).
    void textCentred(double px, double py, const std::string& t) {
        text(px - textWidth(t) / 2, py - textHeight() / 2, t);
    }

private:
    Surface& s_;
    SketchBox box_;
    double aspect_;
};

// ---------------------------------------------------------------------------------------------
// Profiles. Model coordinates in mm: x across, y up from the shell plate the profile stands on.

struct Model {
    std::vector<std::vector<Point>> outlines; // closed outlines
    double width = 0;                         // extent across, from x = 0
    double height = 0;                        // profile height above the plate
};

double positive(float v, double fallback) {
    const double d = static_cast<double>(v);
    return (std::isfinite(d) && d > 0) ? d : fallback;
}

// Points of a rounded rectangle, corners of radius rad, counter-clockwise.
std::vector<Point> roundedRect(double x0, double y0, double x1, double y1, double rad) {
    rad = std::clamp(rad, 0.0, std::min(x1 - x0, y1 - y0) / 2);
    std::vector<Point> pts;
    const struct {
        double cx, cy, a0;
    } corners[4] = {{x1 - rad, y0 + rad, -kPi / 2},
                    {x1 - rad, y1 - rad, 0},
                    {x0 + rad, y1 - rad, kPi / 2},
                    {x0 + rad, y0 + rad, kPi}};
    for (const auto& c : corners)
        for (int i = 0; i <= 6; ++i) {
            const double a = c.a0 + (kPi / 2) * i / 6;
            pts.push_back({c.cx + rad * std::cos(a), c.cy + rad * std::sin(a)});
        }
    return pts;
}

struct Dims {
    double H, B, tw, tf, a, c, r;
};

Dims dimsOf(const ProfileRecord& p) {
    Dims d{};
    d.H = positive(p.H, 1);
    d.tw = std::min(positive(p.tw, d.H / 20), d.H);
    d.B = std::max(positive(p.B, d.tw), d.tw);
    d.tf = std::min(positive(p.tf, d.tw), d.H / 2);
    d.a = std::isfinite(p.a) ? static_cast<double>(p.a) : 0.0;
    d.c = positive(p.a, d.tw);
    d.r = positive(p.Ro, 0);
    return d;
}

Model buildModel(ProfileSketch k, const Dims& d) {
    Model m;
    m.height = d.H;
    const double H = d.H, B = d.B, tw = d.tw, tf = d.tf;
    switch (k) {
    case ProfileSketch::L:
        m.outlines.push_back({{0, 0}, {tw, 0}, {tw, H - tf}, {B, H - tf}, {B, H}, {0, H}});
        m.width = B;
        break;
    case ProfileSketch::T: {
        const double w0 = (B - tw) / 2;
        m.outlines.push_back({{w0, 0},
                              {w0 + tw, 0},
                              {w0 + tw, H - tf},
                              {B, H - tf},
                              {B, H},
                              {0, H},
                              {0, H - tf},
                              {w0, H - tf}});
        m.width = B;
        break;
    }
    case ProfileSketch::I: {
        const double w0 = (B - tw) / 2;
        m.outlines.push_back({{0, 0},
                              {B, 0},
                              {B, tf},
                              {w0 + tw, tf},
                              {w0 + tw, H - tf},
                              {B, H - tf},
                              {B, H},
                              {0, H},
                              {0, H - tf},
                              {w0, H - tf},
                              {w0, tf},
                              {0, tf}});
        m.width = B;
        break;
    }
    case ProfileSketch::Flat:
        m.outlines.push_back({{0, 0}, {tw, 0}, {tw, H}, {0, H}});
        m.width = tw;
        break;
    case ProfileSketch::Bulb: {
        // Web with the bulb on one side at the top: outstand c, rounded with radius r.
        const double c = d.c;
        const double w = tw + c;
        const double rad = std::clamp(d.r, 0.0, std::min(c, H / 4));
        const double bulbH = std::min(std::max(1.6 * c, 2 * rad), H * 0.45);
        std::vector<Point> pts{{0, 0}, {tw, 0}, {tw, H - bulbH}, {w, H - bulbH + 0.6 * c}};
        pts.push_back({w, H - rad});
        for (int i = 1; i <= 6; ++i) {
            const double a = (kPi / 2) * i / 6;
            pts.push_back({w - rad + rad * std::cos(a), H - rad + rad * std::sin(a)});
        }
        pts.push_back({0, H});
        m.outlines.push_back(pts);
        m.width = w;
        break;
    }
    case ProfileSketch::RHS: {
        const double t = std::min(tw, std::min(B, H) / 2.5);
        m.outlines.push_back(roundedRect(0, 0, B, H, d.r));
        m.outlines.push_back(roundedRect(t, t, B - t, H - t, std::max(0.0, d.r - t)));
        m.width = B;
        break;
    }
    case ProfileSketch::Trapez: {
        // Hat profile: top flange B, webs spreading by a to each side down to the plate.
        const double t = std::min(tw, H / 3);
        const double a = d.a;
        const double left = std::max(0.0, a);
        const double ox = left; // x of the top flange's left corner
        const double len = std::hypot(a, H);
        const double dx = len > 0 ? t * len / H : t; // horizontal web thickness
        m.outlines.push_back({{ox - a, 0},
                              {ox - a + dx, 0},
                              {ox + dx * 0.5, H - t},
                              {ox + B - dx * 0.5, H - t},
                              {ox + B + a - dx, 0},
                              {ox + B + a, 0},
                              {ox + B, H},
                              {ox, H}});
        m.width = B + 2 * left;
        break;
    }
    case ProfileSketch::None:
        break;
    }
    return m;
}

std::string num(double v, const char* pattern, char sep) {
    return formatNumber(v, pattern, sep);
}

bool hasFlange(ProfileSketch sketch) {
    return sketch == ProfileSketch::L || sketch == ProfileSketch::T || sketch == ProfileSketch::I;
}

// The texts of a profile's marks.
struct MarkTexts {
    std::string height; // H
    std::string width;  // B, or the bulb's c
    std::string web;    // tw, or t of a hollow profile
    std::string flange; // tf
    std::string extra;  // a of the trapezoid, r of the bulb and the RHS; empty for the others
};

MarkTexts markTexts(ProfileSketch sketch, const Dims& d, char decimalSep) {
    MarkTexts t;
    const std::string tName =
        (sketch == ProfileSketch::RHS || sketch == ProfileSketch::Trapez) ? "t=" : "tw=";
    t.height = "H=" + num(d.H, "0", decimalSep);
    t.width = (sketch == ProfileSketch::Bulb ? "c=" + num(d.c, "0", decimalSep)
                                             : "B=" + num(d.B, "0", decimalSep));
    t.web = tName + num(d.tw, "0.0", decimalSep);
    t.flange = "tf=" + num(d.tf, "0.0", decimalSep);
    if (sketch == ProfileSketch::Trapez)
        t.extra = "a=" + num(d.a, "0", decimalSep);
    else if (sketch == ProfileSketch::Bulb)
        t.extra = "r=" + num(d.r, "0", decimalSep);
    else if (sketch == ProfileSketch::RHS)
        t.extra = "r=" + num(d.r, "0", decimalSep);
    return t;
}

// A profile placed in its frame: model millimetres scaled by k, x from the profile's left,
// y up from the top of the plate.
struct ProfileView {
    Frame& f;
    ProfileSketch sketch;
    const Dims& d;
    const Model& m;
    double k;
    double ox;       // frame x of the profile's x = 0
    double plateTop; // frame y of the top of the plate
    double th;       // text height (0 without marks)
    double gap;      // room between a mark and what it marks

    double X(double x) const { return ox + x * k; }
    double Y(double y) const { return plateTop - y * k; }
};

// The share of the profile's height that the plate under it is thick.
constexpr double kPlateFrac = 0.05;

// The profile's outlines and the plate it stands on.
void drawProfileOutlines(const ProfileView& v, double plateExt) {
    for (const auto& outline : v.m.outlines) {
        std::vector<Point> pts;
        for (const auto& q : outline)
            pts.push_back({v.X(q.x), v.Y(q.y)});
        v.f.polygon(pts);
    }
    const double plateBottom = v.plateTop + v.m.height * kPlateFrac * v.k;
    v.f.polygon({{v.X(-plateExt), v.plateTop},
                 {v.X(v.m.width + plateExt), v.plateTop},
                 {v.X(v.m.width + plateExt), plateBottom},
                 {v.X(-plateExt), plateBottom}});
}

// H: a dimension line left of the profile.
void drawHeightMark(const ProfileView& v, const std::string& text, double tick) {
    const Dims& d = v.d;
    const double hx = v.X(0) - (v.sketch == ProfileSketch::Trapez ? d.a * v.k : 0) - 1.5 * v.gap;
    v.f.line(hx, v.Y(0), hx, v.Y(d.H));
    v.f.line(hx - tick, v.Y(0), hx + tick, v.Y(0));
    v.f.line(hx - tick, v.Y(d.H), hx + tick, v.Y(d.H));
    v.f.text(hx - v.gap - v.f.textWidth(text), (v.Y(0) + v.Y(d.H)) / 2 - v.th / 2, text);
}

// B (or the bulb's c): a dimension line above the top.
void drawWidthMark(const ProfileView& v, const std::string& text, double tick) {
    const Dims& d = v.d;
    double bx0 = v.X(0), bx1 = v.X(v.m.width);
    if (v.sketch == ProfileSketch::Trapez) {
        bx0 = v.X(std::max(0.0, d.a));
        bx1 = bx0 + d.B * v.k;
    } else if (v.sketch == ProfileSketch::Bulb) {
        bx0 = v.X(d.tw);
        bx1 = v.X(d.tw + d.c);
    }
    const double by = v.Y(d.H) - v.gap;
    v.f.line(bx0, by, bx1, by);
    v.f.line(bx0, by - tick, bx0, by + tick);
    v.f.line(bx1, by - tick, bx1, by + tick);
    v.f.text((bx0 + bx1) / 2 - v.f.textWidth(text) / 2, by - v.gap / 2 - v.th, text);
}

// tw (or t): beside the web, with a short leader to it.
void drawWebMark(const ProfileView& v, const std::string& text) {
    const Dims& d = v.d;
    double webRight = v.X(d.tw);
    double webY = v.Y(d.H * 0.3);
    if (v.sketch == ProfileSketch::T || v.sketch == ProfileSketch::I)
        webRight = v.X((d.B + d.tw) / 2);
    else if (v.sketch == ProfileSketch::RHS || v.sketch == ProfileSketch::Trapez) {
        webRight = v.X(v.m.width);
        webY = v.Y(d.H * 0.45);
        if (v.sketch == ProfileSketch::Trapez)
            webRight = v.X(std::max(0.0, d.a) + d.B + d.a * 0.55);
    }
    const double twX = std::max(webRight + v.gap, v.X(v.m.width) + v.gap);
    if (twX > webRight + v.gap)
        v.f.line(webRight, webY, twX - v.gap * 0.3, webY);
    v.f.text(twX, webY - v.th / 2, text);
}

// a, r: under the other marks on the right.
void drawExtraMark(const ProfileView& v, const std::string& text) {
    double ey = v.Y(v.d.H * 0.75) - v.th / 2;
    if (v.sketch == ProfileSketch::Trapez)
        ey = v.Y(v.d.H * 0.12) - v.th / 2;
    v.f.text(v.X(v.m.width) + v.gap, ey, text);
}

} // namespace

void drawProfileSketch(Surface& s, const ProfileRecord& p, ProfileSketch sketch,
                       const SketchBox& box, bool marks, char decimalSep) {
    if (sketch == ProfileSketch::None)
        return;
    s.setColor(kBlack);
    s.setBold(false);
    s.setItalic(false);
    s.setUnderline(false);
    Frame f(s, box);
    const Dims d = dimsOf(p);
    const Model m = buildModel(sketch, d);
    if (m.width <= 0 || m.height <= 0)
        return;

    const bool flanged = hasFlange(sketch) || sketch == ProfileSketch::Bulb;
    const bool hasB = flanged || sketch == ProfileSketch::RHS || sketch == ProfileSketch::Trapez;
    const MarkTexts t = markTexts(sketch, d, decimalSep);

    // The room the marks take round the profile.
    const double th = marks ? f.textHeight() : 0;
    const double gap = marks ? th * 0.4 : 0;
    double mL = 0, mR = 0, mT = 0, mB = 0;
    if (marks) {
        mL = f.textWidth(t.height) + 3 * gap;
        mR = std::max({f.textWidth(t.web) + gap,
                       hasFlange(sketch) ? f.textWidth(t.flange) + gap : 0.0,
                       t.extra.empty() ? 0.0 : f.textWidth(t.extra) + gap}) +
             gap;
        mT = hasB ? th + 2 * gap : gap;
        mB = th * 0.2;
    }
    // The shell plate below the profile, part of the drawing but not dimensioned.
    const double plateExt = 0.25 * m.width + 0.05 * m.height;
    const double modelW = m.width + 2 * plateExt;
    const double modelH = m.height * (1 + kPlateFrac);
    const double availW = f.width() - mL - mR;
    const double availH = f.height() - mT - mB;
    if (availW <= 0 || availH <= 0) {
        if (marks)
            drawProfileSketch(s, p, sketch, box, false, decimalSep);
        return;
    }
    const double k = std::min(availW / modelW, availH / modelH);
    // Centre the profile (with its plate) in the space left by the marks.
    const double ox = mL + (availW - modelW * k) / 2 + plateExt * k;
    const double plateTop = mT + (availH - modelH * k) / 2 + m.height * k;
    const ProfileView v{f, sketch, d, m, k, ox, plateTop, th, gap};

    drawProfileOutlines(v, plateExt);
    if (!marks)
        return;

    const double tick = th * 0.3;
    drawHeightMark(v, t.height, tick);
    if (hasB)
        drawWidthMark(v, t.width, tick);
    drawWebMark(v, t.web);
    // tf: at the end of the flange.
    if (hasFlange(sketch))
        f.text(v.X(m.width) + gap, v.Y(d.H - d.tf / 2) - th / 2, t.flange);
    if (!t.extra.empty())
        drawExtraMark(v, t.extra);
}

// ---------------------------------------------------------------------------------------------
// The cylinder, seen from the side with its open end to the left.

namespace {

// The cylinder of a case as drawn in its frame.
struct CylinderView {
    Frame& f;
    CylinderType type = CylinderType::Unstiffened;
    bool outside = false;   // the stiffening stands on the outside of the shell
    bool rings = false;     // ring frames are drawn
    bool stringers = false; // stringers are drawn
    double th = 0;          // text height
    double gap = 0;         // room between a mark and what it marks
    double ringH = 0;       // ring-frame height as a fraction of the radius
    double stringH = 0;     // height of outside stringers as a fraction of the radius
    double protrude = 0;    // how far the stiffening stands out of the shell, over the radius
    double R = 0;           // radius as drawn
    double rx = 0;          // half width of the end ellipses
    double x0 = 0;          // the open end
    double x1 = 0;          // the far end
    double cy = 0;          // the axis
    double tD = 0;          // wall thickness as drawn
    double len = 0;         // length as drawn
    int bays = 0;           // ring-frame bays drawn
    double bay = 0;         // length of one bay as drawn
};

// Fits the cylinder of `dc` into the frame; false when the frame has no room for it.
bool layCylinder(const DesignCase& dc, CylinderView& c) {
    Frame& f = c.f;
    const CylinderType type = c.type;
    const double r = positive(dc.r, 1);
    const double l = positive(dc.l, r);
    const double L = positive(dc.L, l);
    c.rings = type == CylinderType::RingStiffened || type == CylinderType::StringerStiffened ||
              (type == CylinderType::Column && dc.L != dc.l);
    c.stringers = type == CylinderType::StringerStiffened;

    c.th = f.textHeight();
    c.gap = c.th * 0.3;
    c.ringH = c.rings ? 0.14 : 0.0;
    const double outH = (c.rings && c.outside) ? c.ringH : 0.0;
    c.stringH = c.stringers && c.outside ? 0.08 : 0.0;
    c.protrude = std::max(outH, c.stringH);
    const double th = c.th;
    const double gap = c.gap;
    const double protrude = c.protrude;

    // Length to diameter as drawn: near the true one, but kept readable.
    const double shownLength = (type == CylinderType::Unstiffened) ? l : L;
    const double ratio = std::clamp(shownLength / (2 * r), 0.9, 2.4);
    const int dimRows = (type == CylinderType::Unstiffened || !c.rings) ? 1 : 2;
    const double mBottom =
        dimRows * (th + 2 * gap) + gap + (type == CylinderType::Column ? th * 0.8 : 0.0);
    const double mTop = gap;
    const double ex = 0.28; // end ellipse width as a fraction of the radius
    const double availH = f.height() - mBottom - mTop;
    // Across: the labels left of the open end (t, s), the end ellipses with whatever stands out
    // of the shell, and the axial-force arrow of a column on the right.
    const double labelsLeft = std::max(f.textWidth("t"), f.textWidth("s")) + 2 * gap;
    const double arrowRight = type == CylinderType::Column ? 3 * gap : 0.0;
    const double availW = f.width() - labelsLeft - arrowRight - gap;
    if (availH <= 0 || availW <= 0)
        return false;
    double R = availH / (2 * (1 + protrude));
    R = std::min(R, availW / (2 * ratio + 2 * ex * (1 + protrude)));
    c.R = R;
    c.len = 2 * R * ratio;
    c.rx = ex * R;
    const double used = c.len + 2 * c.rx * (1 + protrude);
    c.x0 = labelsLeft + (availW - used) / 2 + c.rx * (1 + protrude);
    c.x1 = c.x0 + c.len;
    // Centred in the height the drawing and its dimension lines leave free.
    const double spare = std::max(0.0, availH - 2 * (1 + protrude) * R);
    c.cy = mTop + spare / 2 + (1 + protrude) * R;
    c.tD = std::max(R * 0.06, th * 0.15); // wall thickness, drawn thicker

    // Ring frames at both ends and every l between.
    c.bays = 1;
    if (c.rings)
        c.bays = std::clamp(static_cast<int>(std::lround(L / l)), 2, 6);
    c.bay = c.len / c.bays;
    return true;
}

// Shell: silhouette, the open end with its wall, the visible half of the far end.
void drawShell(const CylinderView& c) {
    const double R = c.R, rx = c.rx, cy = c.cy;
    c.f.line(c.x0, cy - R, c.x1, cy - R);
    c.f.line(c.x0, cy + R, c.x1, cy + R);
    c.f.arc(c.x0, cy, rx, R, 0, 2 * kPi);
    c.f.arc(c.x0, cy, rx * (R - c.tD) / R, R - c.tD, 0, 2 * kPi);
    c.f.arc(c.x1, cy, rx, R, -kPi / 2, kPi / 2);
}

// Ring frames: at both ends and every l between; outside frames stand out of the silhouette,
// inside frames show in the open end.
void drawRingFrames(const CylinderView& c) {
    const double R = c.R, rx = c.rx, cy = c.cy, ringH = c.ringH;
    for (int i = 1; i < c.bays; ++i) {
        const double x = c.x0 + i * c.bay;
        const double rr = c.outside ? R * (1 + ringH) : R;
        c.f.arc(x, cy, rx * rr / R, rr, -kPi / 2, kPi / 2);
        if (c.outside)
            c.f.arc(x + c.tD, cy, rx * rr / R, rr, -kPi / 2, kPi / 2);
        else
            c.f.arc(x + c.tD, cy, rx, R, -kPi / 2, kPi / 2);
    }
    if (!c.outside)
        c.f.arc(c.x0, cy, rx * (1 - ringH), R * (1 - ringH), 0, 2 * kPi);
    else
        c.f.arc(c.x0, cy, rx * (1 + ringH), R * (1 + ringH), 0, 2 * kPi);
}

// Stringers: lines along the shell and their sections round the open end, with s between the
// two nearest the top of the open end.
void drawStringers(const CylinderView& c) {
    const double R = c.R, rx = c.rx, cy = c.cy, x0 = c.x0;
    const double h = R * (c.outside ? c.stringH : 0.1);
    for (int i = -2; i <= 2; ++i) {
        const double phi = i * kPi / 6;
        const double y = cy + R * std::sin(phi);
        c.f.line(x0 + rx * std::cos(phi), y, c.x1 + rx * std::cos(phi), y);
    }
    for (int i = 0; i < 12; ++i) {
        const double phi = i * kPi / 6;
        const double co = std::cos(phi), sn = std::sin(phi);
        const double rIn = c.outside ? R : R - c.tD;
        const double rOut = c.outside ? R + h : R - c.tD - h;
        c.f.line(x0 + rx * co * rIn / R, cy + sn * rIn, x0 + rx * co * rOut / R, cy + sn * rOut);
    }
    const double sTickY0 = cy + R * std::sin(-kPi / 2);
    const double sTickY1 = cy + R * std::sin(-kPi / 3);
    c.f.text(x0 - rx * 0.5 - c.f.textWidth("s") - c.gap, (sTickY0 + sTickY1) / 2 - c.th / 2, "s");
}

// r from the axis of the open end; t at its wall.
void drawRadiusAndWall(const CylinderView& c) {
    const double R = c.R, rx = c.rx, cy = c.cy, x0 = c.x0, gap = c.gap;
    c.f.line(x0, cy, x0, cy - R + c.tD);
    c.f.line(x0 - rx * 0.15, cy, x0 + rx * 0.15, cy);
    c.f.text(x0 + gap * 0.5, cy - R * 0.55 - c.th / 2, "r");
    c.f.line(x0 - rx - gap * 0.5, cy + R * 0.2, x0 - rx * 0.95, cy + R * 0.05);
    c.f.text(x0 - rx - gap * 0.5 - c.f.textWidth("t"), cy + R * 0.2, "t");
}

// Column: supports at the ends and the axial force.
void drawColumnSupports(const CylinderView& c) {
    const double R = c.R, cy = c.cy, x1 = c.x1, rx = c.rx, gap = c.gap;
    const double tri = c.th * 0.8;
    for (double x : {c.x0, x1}) {
        c.f.polygon({{x, cy + R}, {x - tri * 0.6, cy + R + tri}, {x + tri * 0.6, cy + R + tri}});
    }
    c.f.line(x1 + rx + gap, cy, x1 + rx + 3 * gap, cy);
    c.f.line(x1 + rx + gap, cy, x1 + rx + 1.8 * gap, cy - gap * 0.6);
    c.f.line(x1 + rx + gap, cy, x1 + rx + 1.8 * gap, cy + gap * 0.6);
}

// Dimension lines under the cylinder: l over one bay, L over the whole length.
void drawLengthDimensions(const CylinderView& c) {
    const double th = c.th, gap = c.gap, x0 = c.x0, x1 = c.x1;
    auto dimension = [&](double xa, double xb, double y, const std::string& t) {
        c.f.line(xa, y, xb, y);
        c.f.line(xa, y - gap, xa, y + gap);
        c.f.line(xb, y - gap, xb, y + gap);
        c.f.text((xa + xb) / 2 - c.f.textWidth(t) / 2, y - th - gap * 0.2, t);
    };
    double y = c.cy + c.R * (1 + c.protrude) + gap + th;
    if (c.type == CylinderType::Column)
        y += th * 0.8;
    if (c.type == CylinderType::Unstiffened) {
        dimension(x0, x1, y, "l");
    } else if (!c.rings) {
        dimension(x0, x1, y, "L = l");
    } else {
        dimension(x0, x0 + c.bay, y, "l");
        dimension(x0, x1, y + th + 2 * gap, "L");
    }
}

} // namespace

void drawCylinderSketch(Surface& s, const DesignCase& dc, const SketchBox& box) {
    s.setColor(kBlack);
    s.setBold(false);
    s.setItalic(false);
    s.setUnderline(false);
    Frame f(s, box);
    CylinderView c{f, dc.cylinderType, dc.outsideStiffening != 0};
    if (!layCylinder(dc, c))
        return;
    drawShell(c);
    if (c.rings)
        drawRingFrames(c);
    if (c.stringers)
        drawStringers(c);
    drawRadiusAndWall(c);
    if (c.type == CylinderType::Column)
        drawColumnSupports(c);
    drawLengthDimensions(c);
}

} // namespace velmora
