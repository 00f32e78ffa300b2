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

    const bool flanged = sketch == ProfileSketch::L || sketch == ProfileSketch::T ||
                         sketch == ProfileSketch::I || sketch == ProfileSketch::Bulb;
    const bool hasB = flanged || sketch == ProfileSketch::RHS || sketch == ProfileSketch::Trapez;
    const std::string tName =
        (sketch == ProfileSketch::RHS || sketch == ProfileSketch::Trapez) ? "t=" : "tw=";
    const std::string tH = "H=" + num(d.H, "0", decimalSep);
    const std::string tB = (sketch == ProfileSketch::Bulb ? "c=" + num(d.c, "0", decimalSep)
                                                          : "B=" + num(d.B, "0", decimalSep));
    const std::string tW = tName + num(d.tw, "0.0", decimalSep);
    const std::string tF = "tf=" + num(d.tf, "0.0", decimalSep);
    std::string tExtra;
    if (sketch == ProfileSketch::Trapez)
        tExtra = "a=" + num(d.a, "0", decimalSep);
    else if (sketch == ProfileSketch::Bulb)
        tExtra = "r=" + num(d.r, "0", decimalSep);
    else if (sketch == ProfileSketch::RHS)
        tExtra = "r=" + num(d.r, "0", decimalSep);

    const double th = marks ? f.textHeight() : 0;
    const double gap = marks ? th * 0.4 : 0;
    const double plateFrac = 0.05;
    double mL = 0, mR = 0, mT = 0, mB = 0;
    if (marks) {
        mL = f.textWidth(tH) + 3 * gap;
        const bool tfRight =
            sketch == ProfileSketch::L || sketch == ProfileSketch::T || sketch == ProfileSketch::I;
        mR = std::max({f.textWidth(tW) + gap, tfRight ? f.textWidth(tF) + gap : 0.0,
                       tExtra.empty() ? 0.0 : f.textWidth(tExtra) + gap}) +
             gap;
        mT = hasB ? th + 2 * gap : gap;
        mB = th * 0.2;
    }
    // The shell plate below the profile, part of the drawing but not dimensioned.
    const double plateExt = 0.25 * m.width + 0.05 * m.height;
    const double modelW = m.width + 2 * plateExt;
    const double modelH = m.height * (1 + plateFrac);
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
    auto X = [&](double x) { return ox + x * k; };
    auto Y = [&](double y) { return plateTop - y * k; };

    for (const auto& outline : m.outlines) {
        std::vector<Point> pts;
        for (const auto& q : outline)
            pts.push_back({X(q.x), Y(q.y)});
        f.polygon(pts);
    }
    const double plateBottom = plateTop + m.height * plateFrac * k;
    f.polygon({{X(-plateExt), plateTop},
               {X(m.width + plateExt), plateTop},
               {X(m.width + plateExt), plateBottom},
               {X(-plateExt), plateBottom}});
    if (!marks)
        return;

    const double tick = th * 0.3;
    // H: a dimension line left of the profile.
    const double hx = X(0) - (sketch == ProfileSketch::Trapez ? d.a * k : 0) - 1.5 * gap;
    f.line(hx, Y(0), hx, Y(d.H));
    f.line(hx - tick, Y(0), hx + tick, Y(0));
    f.line(hx - tick, Y(d.H), hx + tick, Y(d.H));
    f.text(hx - gap - f.textWidth(tH), (Y(0) + Y(d.H)) / 2 - th / 2, tH);

    // B (or the bulb's c): a dimension line above the top.
    double bx0 = X(0), bx1 = X(m.width);
    if (sketch == ProfileSketch::Trapez) {
        bx0 = X(std::max(0.0, d.a));
        bx1 = bx0 + d.B * k;
    } else if (sketch == ProfileSketch::Bulb) {
        bx0 = X(d.tw);
        bx1 = X(d.tw + d.c);
    }
    if (hasB) {
        const double by = Y(d.H) - gap;
        f.line(bx0, by, bx1, by);
        f.line(bx0, by - tick, bx0, by + tick);
        f.line(bx1, by - tick, bx1, by + tick);
        f.text((bx0 + bx1) / 2 - f.textWidth(tB) / 2, by - gap / 2 - th, tB);
    }

    // tw (or t): beside the web, with a short leader to it.
    double webRight = X(d.tw);
    double webY = Y(d.H * 0.3);
    if (sketch == ProfileSketch::T || sketch == ProfileSketch::I)
        webRight = X((d.B + d.tw) / 2);
    else if (sketch == ProfileSketch::RHS || sketch == ProfileSketch::Trapez) {
        webRight = X(m.width);
        webY = Y(d.H * 0.45);
        if (sketch == ProfileSketch::Trapez)
            webRight = X(std::max(0.0, d.a) + d.B + d.a * 0.55);
    }
    const double twX = std::max(webRight + gap, X(m.width) + gap);
    if (twX > webRight + gap)
        f.line(webRight, webY, twX - gap * 0.3, webY);
    f.text(twX, webY - th / 2, tW);

    // tf: at the end of the flange.
    if (sketch == ProfileSketch::L || sketch == ProfileSketch::T || sketch == ProfileSketch::I)
        f.text(X(m.width) + gap, Y(d.H - d.tf / 2) - th / 2, tF);

    // a, r: under the other marks on the right.
    if (!tExtra.empty()) {
        double ey = Y(d.H * 0.75) - th / 2;
        if (sketch == ProfileSketch::Trapez)
            ey = Y(d.H * 0.12) - th / 2;
        f.text(X(m.width) + gap, ey, tExtra);
    }
}

// ---------------------------------------------------------------------------------------------
// The cylinder, seen from the side with its open end to the left.

void drawCylinderSketch(Surface& s, const DesignCase& dc, const SketchBox& box) {
    s.setColor(kBlack);
    s.setBold(false);
    s.setItalic(false);
    s.setUnderline(false);
    Frame f(s, box);
    const CylinderType type = dc.cylinderType;
    const bool outside = dc.outsideStiffening != 0;
    const double r = positive(dc.r, 1);
    const double l = positive(dc.l, r);
    const double L = positive(dc.L, l);
    const bool rings = type == CylinderType::RingStiffened ||
                       type == CylinderType::StringerStiffened ||
                       (type == CylinderType::Column && dc.L != dc.l);
    const bool stringers = type == CylinderType::StringerStiffened;

    const double th = f.textHeight();
    const double gap = th * 0.3;
    const double ringH = rings ? 0.14 : 0.0; // ring-frame height as a fraction of the radius
    const double outH = (rings && outside) ? ringH : 0.0;
    const double stringH = stringers && outside ? 0.08 : 0.0;
    const double protrude = std::max(outH, stringH);

    // Length to diameter as drawn: near the true one, but kept readable.
    const double shownLength = (type == CylinderType::Unstiffened) ? l : L;
    const double ratio = std::clamp(shownLength / (2 * r), 0.9, 2.4);
    const int dimRows = (type == CylinderType::Unstiffened || !rings) ? 1 : 2;
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
        return;
    double R = availH / (2 * (1 + protrude));
    R = std::min(R, availW / (2 * ratio + 2 * ex * (1 + protrude)));
    const double len = 2 * R * ratio;
    const double rx = ex * R;
    const double used = len + 2 * rx * (1 + protrude);
    const double x0 = labelsLeft + (availW - used) / 2 + rx * (1 + protrude);
    const double x1 = x0 + len;
    // Centred in the height the drawing and its dimension lines leave free.
    const double spare = std::max(0.0, availH - 2 * (1 + protrude) * R);
    const double cy = mTop + spare / 2 + (1 + protrude) * R;
    const double tD = std::max(R * 0.06, th * 0.15); // wall thickness, drawn thicker

    // Shell: silhouette, the open end with its wall, the visible half of the far end.
    f.line(x0, cy - R, x1, cy - R);
    f.line(x0, cy + R, x1, cy + R);
    f.arc(x0, cy, rx, R, 0, 2 * kPi);
    f.arc(x0, cy, rx * (R - tD) / R, R - tD, 0, 2 * kPi);
    f.arc(x1, cy, rx, R, -kPi / 2, kPi / 2);

    // Ring frames: at both ends and every l between; outside frames stand out of the
    // silhouette, inside frames show in the open end.
    int bays = 1;
    if (rings)
        bays = std::clamp(static_cast<int>(std::lround(L / l)), 2, 6);
    const double bay = len / bays;
    if (rings) {
        for (int i = 1; i < bays; ++i) {
            const double x = x0 + i * bay;
            const double rr = outside ? R * (1 + ringH) : R;
            f.arc(x, cy, rx * rr / R, rr, -kPi / 2, kPi / 2);
            if (outside)
                f.arc(x + tD, cy, rx * rr / R, rr, -kPi / 2, kPi / 2);
            else
                f.arc(x + tD, cy, rx, R, -kPi / 2, kPi / 2);
        }
        if (!outside)
            f.arc(x0, cy, rx * (1 - ringH), R * (1 - ringH), 0, 2 * kPi);
        else
            f.arc(x0, cy, rx * (1 + ringH), R * (1 + ringH), 0, 2 * kPi);
    }

    // Stringers: lines along the shell and their sections round the open end.
    double sTickY0 = 0, sTickY1 = 0;
    if (stringers) {
        const double h = R * (outside ? stringH : 0.1);
        for (int i = -2; i <= 2; ++i) {
            const double phi = i * kPi / 6;
            const double y = cy + R * std::sin(phi);
            f.line(x0 + rx * std::cos(phi), y, x1 + rx * std::cos(phi), y);
        }
        for (int i = 0; i < 12; ++i) {
            const double phi = i * kPi / 6;
            const double c = std::cos(phi), sn = std::sin(phi);
            const double rIn = outside ? R : R - tD;
            const double rOut = outside ? R + h : R - tD - h;
            f.line(x0 + rx * c * rIn / R, cy + sn * rIn, x0 + rx * c * rOut / R, cy + sn * rOut);
        }
        // s between the two stringers nearest the top of the open end.
        sTickY0 = cy + R * std::sin(-kPi / 2);
        sTickY1 = cy + R * std::sin(-kPi / 3);
        f.text(x0 - rx * 0.5 - f.textWidth("s") - gap, (sTickY0 + sTickY1) / 2 - th / 2, "s");
    }

    // r from the axis of the open end; t at its wall.
    f.line(x0, cy, x0, cy - R + tD);
    f.line(x0 - rx * 0.15, cy, x0 + rx * 0.15, cy);
    f.text(x0 + gap * 0.5, cy - R * 0.55 - th / 2, "r");
    f.line(x0 - rx - gap * 0.5, cy + R * 0.2, x0 - rx * 0.95, cy + R * 0.05);
    f.text(x0 - rx - gap * 0.5 - f.textWidth("t"), cy + R * 0.2, "t");

    // Column: supports at the ends and the axial force.
    if (type == CylinderType::Column) {
        const double tri = th * 0.8;
        for (double x : {x0, x1}) {
            f.polygon({{x, cy + R}, {x - tri * 0.6, cy + R + tri}, {x + tri * 0.6, cy + R + tri}});
        }
        f.line(x1 + rx + gap, cy, x1 + rx + 3 * gap, cy);
        f.line(x1 + rx + gap, cy, x1 + rx + 1.8 * gap, cy - gap * 0.6);
        f.line(x1 + rx + gap, cy, x1 + rx + 1.8 * gap, cy + gap * 0.6);
    }

    // Dimension lines under the cylinder: l over one bay, L over the whole length.
    auto dimension = [&](double xa, double xb, double y, const std::string& t) {
        f.line(xa, y, xb, y);
        f.line(xa, y - gap, xa, y + gap);
        f.line(xb, y - gap, xb, y + gap);
        f.text((xa + xb) / 2 - f.textWidth(t) / 2, y - th - gap * 0.2, t);
    };
    double y = cy + R * (1 + protrude) + gap + th;
    if (type == CylinderType::Column)
        y += th * 0.8;
    if (type == CylinderType::Unstiffened) {
        dimension(x0, x1, y, "l");
    } else if (!rings) {
        dimension(x0, x1, y, "L = l");
    } else {
        dimension(x0, x0 + bay, y, "l");
        dimension(x0, x1, y + th + 2 * gap, "L");
    }
}

} // namespace velmora
