#include "report/SvgSurface.h"

#include "base/NumberText.h"

namespace velmora {

namespace {

constexpr double kMmPerPt = 25.4 / 72;

std::string n(double v) {
    return formatNumber(v, "0.###");
}

std::string escapedText(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

} // namespace

SvgSurface::SvgSurface(double left, double top, double right, double bottom)
    : left_(left), top_(top), right_(right), bottom_(bottom) {}

std::string SvgSurface::colour() const {
    return "rgb(" + std::to_string(colour_.r) + "," + std::to_string(colour_.g) + "," +
           std::to_string(colour_.b) + ")";
}

std::string SvgSurface::svg(double widthMm) const {
    const double w = right_ - left_;
    const double h = bottom_ - top_;
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + n(widthMm) + "mm\" height=\"" +
           n(widthMm * h / w) + "mm\" viewBox=\"" + n(left_) + " " + n(top_) + " " + n(w) + " " +
           n(h) + "\" font-family=\"Arial, Helvetica, sans-serif\">" + body_ + "</svg>";
}

void SvgSurface::drawText(const std::string& text) {
    // The surface places text by its top left corner; SVG by its baseline.
    const double size = sizePt_ * kMmPerPt;
    body_ += "<text x=\"" + n(x_) + "\" y=\"" + n(y_ + 0.8 * size) + "\" font-size=\"" + n(size) +
             "\" fill=\"" + colour() + "\"" + (bold_ ? " font-weight=\"bold\"" : "") + ">" +
             escapedText(text) + "</text>";
    x_ += textWidth(text);
}

double SvgSurface::textWidth(const std::string& text) const {
    return static_cast<double>(text.size()) * 0.55 * sizePt_ * kMmPerPt;
}

double SvgSurface::textHeight(const std::string&) const {
    return 1.15 * sizePt_ * kMmPerPt;
}

void SvgSurface::line(double x1, double y1, double x2, double y2) {
    body_ += "<line x1=\"" + n(x1) + "\" y1=\"" + n(y1) + "\" x2=\"" + n(x2) + "\" y2=\"" + n(y2) +
             "\" stroke=\"" + colour() + "\" stroke-width=\"0.2\"/>";
}

void SvgSurface::polygon(const std::vector<Point>& points, bool filled) {
    std::string list;
    for (const Point& p : points)
        list += n(p.x) + "," + n(p.y) + " ";
    body_ += "<polygon points=\"" + list + "\" stroke=\"" + colour() +
             "\" stroke-width=\"0.2\" fill=\"" + (filled ? colour() : std::string("none")) + "\"/>";
}

void SvgSurface::ellipse(double cx, double cy, double rx, double ry, bool filled) {
    body_ += "<ellipse cx=\"" + n(cx) + "\" cy=\"" + n(cy) + "\" rx=\"" + n(rx) + "\" ry=\"" +
             n(ry) + "\" stroke=\"" + colour() + "\" stroke-width=\"0.2\" fill=\"" +
             (filled ? colour() : std::string("none")) + "\"/>";
}

} // namespace velmora
