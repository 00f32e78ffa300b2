// A drawing surface that writes SVG: the cylinder sketch of the calculation sheet's HTML file,
// in the same units as the page (millimetres). Text widths are estimated from the font size.
#pragma once

#include "report/Surface.h"

#include <string>

namespace velmora {

class SvgSurface : public Surface {
public:
    // The picture of the area (left, top) to (right, bottom) in user units, `widthMm` wide.
    SvgSurface(double left, double top, double right, double bottom);

    // The <svg> element with everything drawn.
    std::string svg(double widthMm) const;

    void clear() override { body_.clear(); }
    void setScale(double, double, double, double) override {}
    void setPos(double x, double y) override {
        x_ = x;
        y_ = y;
    }
    double x() const override { return x_; }
    double y() const override { return y_; }
    void setFont(const std::string&, double sizePt) override { sizePt_ = sizePt; }
    double fontSize() const override { return sizePt_; }
    void setBold(bool on) override { bold_ = on; }
    void setItalic(bool) override {}
    void setUnderline(bool) override {}
    void setColor(Rgb c) override { colour_ = c; }
    void drawText(const std::string& text) override;
    double textWidth(const std::string& text) const override;
    double textHeight(const std::string& text) const override;
    void line(double x1, double y1, double x2, double y2) override;
    void polygon(const std::vector<Point>& points, bool filled) override;
    void ellipse(double cx, double cy, double rx, double ry, bool filled) override;

private:
    std::string colour() const;

    double left_, top_, right_, bottom_;
    double x_ = 0;
    double y_ = 0;
    double sizePt_ = 8;
    bool bold_ = false;
    Rgb colour_ = kBlack;
    std::string body_;
};

} // namespace velmora
