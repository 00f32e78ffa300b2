#include "ui/study/ChartOverlay.h"

#include <QChart>
#include <QPainter>

namespace velmora {

ChartOverlay::ChartOverlay(QChart* chart, Routine routine, qreal z)
    : QGraphicsItem(chart), chart_(chart), routine_(std::move(routine)) {
    setZValue(z);
    QObject::connect(chart, &QChart::plotAreaChanged, chart, [this] { follow(); });
    QObject::connect(chart, &QGraphicsWidget::geometryChanged, chart, [this] { follow(); });
    follow();
}

void ChartOverlay::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->save();
    routine_(*painter, *chart_);
    painter->restore();
}

void ChartOverlay::follow() {
    prepareGeometryChange();
    rect_ = chart_->rect();
    update();
}

} // namespace velmora
