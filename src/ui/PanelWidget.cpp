#include "ui/PanelWidget.h"

#include "pdf/QtSurface.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>

namespace velmora {

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

void PanelWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(e);
}

SketchButton::SketchButton(const QString& name, QWidget* parent) : QPushButton(parent) {
    setObjectName(name);
}

void SketchButton::setPaintRoutine(PaintRoutine routine) {
    routine_ = std::move(routine);
    update();
}

void SketchButton::paintEvent(QPaintEvent* e) {
    QPushButton::paintEvent(e);
    if (!routine_)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF area(4, 4, width() - 8, height() - 8);
    QtSurface s(p, area, Qt::white);
    s.clear();
    s.setScale(0, 0, area.width(), area.height());
    routine_(s, area.width(), area.height());
}

} // namespace velmora
