// Paints over a chart of the study window with a routine of the chart's own (labels of the
// thresholds, the cells of the map), in the chart's coordinates; follows the chart when it is
// resized.
#pragma once

#include <QGraphicsItem>
#include <QRectF>

#include <functional>

class QChart;
class QPainter;

namespace velmora {

class ChartOverlay : public QGraphicsItem {
public:
    using Routine = std::function<void(QPainter&, QChart&)>;

    // Owned by `chart`, drawn at height `z` among the chart's items.
    ChartOverlay(QChart* chart, Routine routine, qreal z);
    QRectF boundingRect() const override { return rect_; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override;

private:
    void follow();

    QChart* chart_;
    Routine routine_;
    QRectF rect_;
};

} // namespace velmora
