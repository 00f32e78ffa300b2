#include "ui/widgets/SketchButton.h"

#include "pdf/QtSurface.h"

#include <QPainter>

namespace velmora {

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
