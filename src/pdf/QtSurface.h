// The drawing surface on a QPainter: a window picture box, a printer page or a PDF page.
#pragma once

#include "report/Surface.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QRectF>

namespace velmora {

class QtSurface : public Surface {
public:
    // Draws into `area` (device coordinates of the painter); the user scale maps onto it.
    QtSurface(QPainter& painter, const QRectF& area, QColor background = Qt::white);

    void clear() override;
    void setScale(double left, double top, double right, double bottom) override;
    void setPos(double x, double y) override;
    double x() const override { return x_; }
    double y() const override { return y_; }
    void setFont(const std::string& name, double sizePt) override;
    std::string fontName() const override;
    double fontSize() const override;
    void setBold(bool on) override;
    void setItalic(bool on) override;
    void setUnderline(bool on) override;
    void setColor(Rgb c) override;
    void drawText(const std::string& text) override;
    double textWidth(const std::string& text) const override;
    double textHeight(const std::string& text) const override;
    void line(double x1, double y1, double x2, double y2) override;
    void polygon(const std::vector<Point>& points, bool filled) override;
    void ellipse(double cx, double cy, double rx, double ry, bool filled) override;
    double unitAspect() const override;

    QPointF toDevice(double x, double y) const;

private:
    double unitX() const; // device pixels per user unit across
    double unitY() const; // device pixels per user unit down
    void applyFont();
    QPen pen() const;

    QPainter& painter_;
    QRectF area_;
    QColor background_;
    double left_ = 0, top_ = 0, right_ = 1, bottom_ = 1;
    double x_ = 0, y_ = 0;
    QFont font_;
    QColor color_ = Qt::black;
};

} // namespace velmora
