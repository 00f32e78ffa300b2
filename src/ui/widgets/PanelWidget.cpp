#include "ui/widgets/PanelWidget.h"

#include "pdf/QtSurface.h"

#include <QFontMetricsF>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace velmora {

namespace {

// Takes the measures of the texts a routine draws, in the units of its scale, and paints
// nothing.
class ExtentSurface : public QtSurface {
public:
    using QtSurface::QtSurface;
    void clear() override {}
    void drawText(const std::string& text) override {
        const double w = textWidth(text);
        right = std::max(right, x() + w);
        bottom = std::max(bottom, y() + textHeight(text));
        setPos(x() + w, y());
    }
    void line(double, double, double, double) override {}
    void polygon(const std::vector<Point>&, bool) override {}
    void ellipse(double, double, double, double, bool) override {}

    double right = 0;
    double bottom = 0;
};

} // namespace

PanelUnits panelUnits(const QWidget* w) {
    const QFontMetricsF fm(QFont("Arial", 8), const_cast<QWidget*>(w));
    PanelUnits u;
    u.charWidth = fm.averageCharWidth() > 0 ? fm.averageCharWidth() : 6;
    u.lineHeight = fm.lineSpacing() > 0 ? fm.lineSpacing() : 13;
    return u;
}

PanelWidget::PanelWidget(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    setAutoFillBackground(false);
}

void PanelWidget::setPaintRoutine(PaintRoutine routine) {
    routine_ = std::move(routine);
    update();
}

void PanelWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, !textScale_);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const QRectF area(0, 0, width(), height());
    QtSurface s(p, area, Qt::white);
    s.clear();
    if (!routine_)
        return;
    if (textScale_) {
        const PanelUnits u = panelUnits(this);
        const double w = width() / u.charWidth;
        const double h = height() / u.lineHeight;
        s.setScale(0, 0, w, h);
        routine_(s, w, h);
    } else {
        routine_(s, width(), height());
    }
}

QSizeF PanelWidget::drawnExtent() const {
    if (!routine_ || !textScale_)
        return {};
    // The texts are measured as this widget's paint device measures them.
    QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    device.setDotsPerMeterX(static_cast<int>(logicalDpiX() / 0.0254 + 0.5));
    device.setDotsPerMeterY(static_cast<int>(logicalDpiY() / 0.0254 + 0.5));
    QPainter p(&device);
    const PanelUnits u = panelUnits(this);
    // Any size serves: the panels are laid out from fixed positions in their units.
    const double w = 200;
    const double h = 60;
    ExtentSurface s(p, QRectF(0, 0, w * u.charWidth, h * u.lineHeight));
    s.setScale(0, 0, w, h);
    routine_(s, w, h);
    return {s.right * u.charWidth, s.bottom * u.lineHeight};
}

void PanelWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(e);
}

} // namespace velmora
