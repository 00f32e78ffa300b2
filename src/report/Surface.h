// An abstract drawing surface in user units. The result panels, the profile and cylinder
// sketches and the printed report are laid out against it; the window implements it on
// QPainter, the tests record the calls.
#pragma once

#include <string>
#include <vector>

namespace velmora {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{128, 0, 0};
inline constexpr Rgb kGreen{0, 128, 0};
// A dark amber that reads on white: inputs out of limits, a case not calculated.
inline constexpr Rgb kAmber{191, 110, 0};

struct Point {
    double x = 0;
    double y = 0;
};

class Surface {
public:
    virtual ~Surface() = default;

    virtual void clear() = 0;
    // User coordinates: (left, top) is the upper left corner, (right, bottom) the lower right
    // corner of the drawable area.
    virtual void setScale(double left, double top, double right, double bottom) = 0;
    virtual void setPos(double x, double y) = 0;
    virtual double x() const = 0;
    virtual double y() const = 0;
    virtual void setFont(const std::string& name, double sizePt) = 0;
    // The font last set; a surface that only measures positions may not know it (size 0).
    virtual std::string fontName() const { return ""; }
    virtual double fontSize() const { return 0; }
    virtual void setBold(bool on) = 0;
    virtual void setItalic(bool on) = 0;
    virtual void setUnderline(bool on) = 0;
    virtual void setColor(Rgb c) = 0;
    // Draws text (UTF-8) with its top left at the current position and moves x on by its width.
    virtual void drawText(const std::string& text) = 0;
    virtual double textWidth(const std::string& text) const = 0;
    virtual double textHeight(const std::string& text) const = 0;
    virtual void line(double x1, double y1, double x2, double y2) = 0;
    virtual void polygon(const std::vector<Point>& points, bool filled) = 0;
    virtual void ellipse(double cx, double cy, double rx, double ry, bool filled) = 0;
    // Physical length of one unit across divided by that of one unit down; drawings that must
    // keep their proportions (the sketches) correct their x extents by it.
    virtual double unitAspect() const { return 1.0; }
};

} // namespace velmora
