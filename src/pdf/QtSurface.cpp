#include "pdf/QtSurface.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>

namespace velmora {

QtSurface::QtSurface(QPainter& painter, const QRectF& area, QColor background)
    : painter_(painter), area_(area), background_(background) {
    setScale(0, 0, area.width(), area.height());
    font_ = QFont("Arial", 8);
    applyFont();
}

void QtSurface::clear() {
    painter_.fillRect(area_, background_);
}

void QtSurface::setScale(double left, double top, double right, double bottom) {
    left_ = left;
    top_ = top;
    right_ = (right == left) ? left + 1 : right;
    bottom_ = (bottom == top) ? top + 1 : bottom;
}

void QtSurface::setPos(double x, double y) {
    x_ = x;
    y_ = y;
}

double QtSurface::unitAspect() const {
    // Device pixels can be non-square on some printers.
    const QPaintDevice* dev = painter_.device();
    const double px = dev ? dev->logicalDpiX() : 96;
    const double py = dev ? dev->logicalDpiY() : 96;
    return (unitX() / px) / (unitY() / py);
}

double QtSurface::unitX() const {
    return area_.width() / (right_ - left_);
}
double QtSurface::unitY() const {
    return area_.height() / (bottom_ - top_);
}

QPointF QtSurface::toDevice(double x, double y) const {
    return {area_.left() + (x - left_) * unitX(), area_.top() + (y - top_) * unitY()};
}

void QtSurface::applyFont() {
    painter_.setFont(font_);
}

std::string QtSurface::fontName() const {
    return font_.family().toStdString();
}

double QtSurface::fontSize() const {
    return font_.pointSizeF();
}

void QtSurface::setFont(const std::string& name, double sizePt) {
    font_.setFamily(QString::fromStdString(name));
    font_.setPointSizeF(sizePt);
    applyFont();
}

void QtSurface::setBold(bool on) {
    font_.setBold(on);
    applyFont();
}

void QtSurface::setItalic(bool on) {
    font_.setItalic(on);
    applyFont();
}

void QtSurface::setUnderline(bool on) {
    font_.setUnderline(on);
    applyFont();
}

void QtSurface::setColor(Rgb c) {
    color_ = QColor(c.r, c.g, c.b);
}

void QtSurface::drawText(const std::string& text) {
    const QString s = QString::fromStdString(text);
    const QFontMetricsF fm(font_, painter_.device());
    const QPointF p = toDevice(x_, y_);
    painter_.setPen(color_);
    painter_.drawText(QPointF(p.x(), p.y() + fm.ascent()), s);
    x_ += fm.horizontalAdvance(s) / unitX();
}

double QtSurface::textWidth(const std::string& text) const {
    const QFontMetricsF fm(font_, painter_.device());
    return fm.horizontalAdvance(QString::fromStdString(text)) / unitX();
}

double QtSurface::textHeight(const std::string&) const {
    const QFontMetricsF fm(font_, painter_.device());
    return fm.height() / unitY();
}

// A line about 0.15 mm wide on any device, at least one device pixel.
QPen QtSurface::pen() const {
    const QPaintDevice* dev = painter_.device();
    const double dpi = dev ? dev->logicalDpiX() : 96;
    return QPen(color_, std::max(1.0, dpi / 170.0));
}

void QtSurface::line(double x1, double y1, double x2, double y2) {
    painter_.setPen(pen());
    painter_.drawLine(toDevice(x1, y1), toDevice(x2, y2));
}

void QtSurface::polygon(const std::vector<Point>& points, bool filled) {
    QPolygonF poly;
    for (const auto& p : points)
        poly << toDevice(p.x, p.y);
    painter_.setPen(pen());
    painter_.setBrush(filled ? QBrush(color_) : Qt::NoBrush);
    painter_.drawPolygon(poly);
    painter_.setBrush(Qt::NoBrush);
}

void QtSurface::ellipse(double cx, double cy, double rx, double ry, bool filled) {
    const QPointF c = toDevice(cx, cy);
    painter_.setPen(pen());
    painter_.setBrush(filled ? QBrush(color_) : Qt::NoBrush);
    painter_.drawEllipse(c, rx * unitX(), ry * unitY());
    painter_.setBrush(Qt::NoBrush);
}

} // namespace velmora
