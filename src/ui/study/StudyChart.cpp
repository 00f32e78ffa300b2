#include "ui/study/StudyChart.h"

#include "base/NumberText.h"
#include "ui/study/ChartOverlay.h"
#include "ui/study/StudyLabels.h"

#include <QAreaSeries>
#include <QChart>
#include <QGraphicsLayout>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>

namespace velmora {

namespace {

// The colours of the checks, the same in every chart.
const QColor kCheckColours[kStudyCheckCount] = {
    QColor(31, 119, 180),  // shell: blue
    QColor(44, 160, 44),   // shell as an unstiffened cylinder: green
    QColor(148, 103, 189), // stiffener: purple
    QColor(255, 127, 14),  // ring-frame area: orange
    QColor(140, 86, 75),   // ring-frame inertia: brown
    QColor(23, 190, 207),  // column UF1: cyan
    QColor(227, 119, 194), // column UF2: pink
};
const QColor kLimitColour(200, 0, 0);
const QColor kBandColour(0, 170, 0, 45);
const QColor kThresholdColour(70, 70, 70);
const QColor kStoppedColour(160, 160, 160);

// The chart's numbers in the window's decimal separator, without thousands groups.
void localise(QChart* chart, char sep) {
    QLocale locale = sep == ',' ? QLocale(QLocale::German) : QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    chart->setLocale(locale);
    chart->setLocalizeNumbers(true);
}

QChart* newChart(const QString& title, char sep) {
    auto* chart = new QChart;
    chart->setTitle(title);
    QFont f = chart->titleFont();
    f.setPointSizeF(11);
    f.setBold(true);
    chart->setTitleFont(f);
    chart->legend()->setAlignment(Qt::AlignBottom);
    // Lines as lines, the star as a star.
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    chart->setAnimationOptions(QChart::NoAnimation);
    // The plot takes the room of the view: no rounded card with its margins around it.
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setMargins(QMargins(6, 4, 6, 4));
    localise(chart, sep);
    return chart;
}

// Ticks at whole multiples of a step of 1, 2 or 5 times a power of ten, about six of them over
// the axis, labelled with the decimals the step needs (whole numbers for table rows).
void setNiceTicks(QValueAxis* axis, bool whole) {
    const double span = axis->max() - axis->min();
    double interval = 1;
    if (span > 0) {
        const double raw = span / 6;
        const double e = std::pow(10.0, std::floor(std::log10(raw)));
        const double f = raw / e;
        interval = (f < 1.5 ? 1 : f < 3.5 ? 2 : f < 7.5 ? 5 : 10) * e;
    }
    if (whole)
        interval = std::max(1.0, std::round(interval));
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(std::ceil(axis->min() / interval) * interval);
    axis->setTickInterval(interval);
    int decimals = 0;
    if (!whole)
        decimals = std::clamp(static_cast<int>(std::ceil(-std::log10(interval) - 1e-9)), 0, 6);
    axis->setLabelFormat(QStringLiteral("%.") + QString::number(decimals) + QLatin1Char('f'));
}

QValueAxis* titledAxis(const QString& title) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    QFont f = axis->titleFont();
    f.setPointSizeF(10);
    f.setBold(false);
    axis->setTitleFont(f);
    return axis;
}

// An axis over [low, high] with ticks at round values.
QValueAxis* valueAxis(const QString& title, double low, double high, bool whole) {
    QValueAxis* axis = titledAxis(title);
    if (!(high > low)) {
        // A single value: a little room on both sides.
        const double pad = std::max(1.0, std::fabs(low) * 0.05);
        low -= pad;
        high += pad;
    }
    axis->setRange(low, high);
    setNiceTicks(axis, whole);
    return axis;
}

void attach(QChart* chart, QAbstractSeries* s, QValueAxis* x, QValueAxis* y) {
    chart->addSeries(s);
    s->attachAxis(x);
    s->attachAxis(y);
}

// Hides every legend entry of `s`: the series is explained by another one of its kind.
void hideFromLegend(QChart* chart, QAbstractSeries* s) {
    for (QLegendMarker* m : chart->legend()->markers(s))
        m->setVisible(false);
}

double finiteRatio(const StudyCheckValue& v) {
    const double r = v.ratio();
    return std::isfinite(r) ? r : std::numeric_limits<double>::quiet_NaN();
}

// A line of more points than a screen shows apart is drawn through the first, the least, the
// largest and the last ratio of each of kStretches stretches of the input: it looks the same
// and draws at once.
constexpr qsizetype kMaxLinePoints = 4000;
constexpr qsizetype kStretches = 1000;

QList<QPointF> thinned(const QList<QPointF>& points) {
    const qsizetype n = points.size();
    if (n <= kMaxLinePoints)
        return points;
    QList<QPointF> out;
    out.reserve(4 * kStretches);
    for (qsizetype s = 0; s < kStretches; ++s) {
        const qsizetype begin = s * n / kStretches;
        const qsizetype end = (s + 1) * n / kStretches;
        if (begin >= end)
            continue;
        qsizetype low = begin, high = begin;
        for (qsizetype i = begin; i < end; ++i) {
            if (points[i].y() < points[low].y())
                low = i;
            if (points[i].y() > points[high].y())
                high = i;
        }
        qsizetype last = -1;
        for (qsizetype i : {begin, std::min(low, high), std::max(low, high), end - 1}) {
            if (i != last)
                out.append(points[i]);
            last = i;
        }
    }
    return out;
}

QColor mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto c = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(c(a.red(), b.red()), c(a.green(), b.green()), c(a.blue(), b.blue()));
}

// The ratio scale of the map: greens from 0.4 to 1, oranges to dark red from 1 to 2.
constexpr double kScaleLow = 0.4;
constexpr double kScaleHigh = 2.0;

QColor scaleColour(double ratio) {
    if (std::isnan(ratio))
        return kStoppedColour;
    if (ratio <= 1)
        return mix(QColor(229, 245, 224), QColor(35, 139, 69),
                   (ratio - kScaleLow) / (1 - kScaleLow));
    return mix(QColor(253, 208, 162), QColor(165, 15, 21), (ratio - 1) / (kScaleHigh - 1));
}

} // namespace

QString checkSeriesName(StudyCheck check) {
    return QStringLiteral("check:") + QString::fromLatin1(studyCheckName(check));
}

int64_t lightestPassing(const std::vector<StudyPoint>& points) {
    int64_t best = -1;
    for (size_t i = 0; i < points.size(); ++i) {
        const StudyPoint& p = points[i];
        if (!p.passes)
            continue;
        if (best < 0) {
            best = static_cast<int64_t>(i);
            continue;
        }
        const StudyPoint& b = points[static_cast<size_t>(best)];
        const bool lighter = p.mass != b.mass ? p.mass < b.mass
                             : p.governingRatio() != b.governingRatio()
                                 ? p.governingRatio() < b.governingRatio()
                                 : p.index < b.index;
        if (lighter)
            best = static_cast<int64_t>(i);
    }
    return best;
}

QColor mapColour(const StudyPoint& p) {
    if (!p.completed || !p.governing)
        return kStoppedColour;
    return scaleColour(p.governingRatio());
}

QChart* makeNoteChart(const QString& text) {
    QChart* chart = newChart(text, '.');
    chart->legend()->hide();
    return chart;
}

namespace {

// The two axes of a chart, every series attached to both.
struct Axes {
    QValueAxis* x;
    QValueAxis* y;
};

// ---- sweep ----------------------------------------------------------------------------------

// The top of the ratio axis: the region about 1.0, up to the largest ratio, within 1.25 and 3.
double ratioAxisTop(const std::vector<StudyPoint>& points) {
    double largest = 0;
    for (const StudyPoint& p : points)
        for (const StudyCheckValue& v : p.largest)
            if (v.present && std::isfinite(v.ratio()))
                largest = std::max(largest, v.ratio());
    return std::clamp(std::ceil(largest * 1.05 / 0.25) * 0.25, 1.25, 3.0);
}

QValueAxis* ratioAxis(double top) {
    auto* yAxis = titledAxis(QStringLiteral("usage factor / permitted"));
    yAxis->setRange(0, top);
    yAxis->setTickType(QValueAxis::TicksDynamic);
    yAxis->setTickAnchor(0);
    yAxis->setTickInterval(top <= 2 ? 0.25 : 0.5);
    yAxis->setLabelFormat(top <= 2 ? QStringLiteral("%.2f") : QStringLiteral("%.1f"));
    return yAxis;
}

// The passing bands, from threshold to threshold (the ends of the sweep where it passes there),
// under everything else.
void addPassingBands(QChart* chart, const Axes& axes, const StudyAxis& axis,
                     const SweepResult& result, double top) {
    const std::vector<StudyPoint>& points = result.points;
    bool bandNamed = false;
    for (size_t i = 0; i < points.size();) {
        if (!points[i].passes) {
            ++i;
            continue;
        }
        size_t j = i;
        while (j + 1 < points.size() && points[j + 1].passes)
            ++j;
        // Thresholds lie between neighbours whose verdicts differ, in grid order.
        double from = axis.value(static_cast<int64_t>(i));
        double to = axis.value(static_cast<int64_t>(j));
        for (const StudyThreshold& t : result.thresholds) {
            if (t.between[1] == points[i].inputs[0] && !t.passesBelow)
                from = t.value;
            if (t.between[0] == points[j].inputs[0] && t.passesBelow)
                to = t.value;
        }
        auto* upper = new QLineSeries;
        auto* lower = new QLineSeries;
        upper->append(from, top);
        upper->append(to, top);
        lower->append(from, 0);
        lower->append(to, 0);
        auto* band = new QAreaSeries(upper, lower);
        upper->setParent(band);
        lower->setParent(band);
        band->setName(QStringLiteral("passes"));
        band->setObjectName(QStringLiteral("band"));
        band->setColor(kBandColour);
        band->setBorderColor(Qt::transparent);
        band->setPen(Qt::NoPen);
        attach(chart, band, axes.x, axes.y);
        for (QLegendMarker* m : chart->legend()->markers(band)) {
            // A filled swatch: the band has no outline of its own to show.
            m->setShape(QLegend::MarkerShapeRectangle);
            m->setBrush(QColor(kBandColour.red(), kBandColour.green(), kBandColour.blue(), 90));
            m->setPen(QPen(kBandColour.darker(150)));
            m->setVisible(!bandNamed);
        }
        bandNamed = true;
        i = j + 1;
    }
}

// One line per check that applies at any point, through its largest ratio over the load cases.
void addCheckLines(QChart* chart, const Axes& axes, const std::vector<StudyPoint>& points) {
    for (int c = 0; c < kStudyCheckCount; ++c) {
        QList<QPointF> through;
        for (const StudyPoint& p : points) {
            const StudyCheckValue& v = p.largest[static_cast<size_t>(c)];
            if (v.present && !std::isnan(finiteRatio(v)))
                through.append(QPointF(static_cast<double>(p.inputs[0]), v.ratio()));
        }
        if (through.isEmpty())
            continue;
        auto* line = new QLineSeries;
        line->replace(thinned(through));
        line->setName(studyCheckTitle(static_cast<StudyCheck>(c)));
        line->setObjectName(checkSeriesName(static_cast<StudyCheck>(c)));
        QPen pen(kCheckColours[c]);
        pen.setWidthF(2.2);
        line->setPen(pen);
        line->setPointsVisible(points.size() <= 60);
        attach(chart, line, axes.x, axes.y);
    }
}

// The permitted value across the whole input axis.
QLineSeries* addPermittedLine(QChart* chart, const Axes& axes) {
    auto* limit = new QLineSeries;
    limit->setName(QStringLiteral("permitted (ratio 1.0)"));
    limit->setObjectName(QStringLiteral("limit"));
    limit->append(axes.x->min(), 1.0);
    limit->append(axes.x->max(), 1.0);
    QPen limitPen(kLimitColour);
    limitPen.setWidthF(1.6);
    limitPen.setStyle(Qt::DashLine);
    limit->setPen(limitPen);
    attach(chart, limit, axes.x, axes.y);
    return limit;
}

// Points whose calculation stopped, on the input axis.
void addStoppedPoints(QChart* chart, const Axes& axes, const std::vector<StudyPoint>& points) {
    auto* stopped = new QScatterSeries;
    for (const StudyPoint& p : points)
        if (!p.completed)
            stopped->append(static_cast<double>(p.inputs[0]), 0);
    if (stopped->count() > 0) {
        stopped->setName(QStringLiteral("calculation stopped"));
        stopped->setObjectName(QStringLiteral("stopped"));
        stopped->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        stopped->setMarkerSize(8);
        stopped->setColor(kStoppedColour);
        attach(chart, stopped, axes.x, axes.y);
    } else {
        delete stopped;
    }
}

// The thresholds: a vertical line each, one legend entry for all.
void addThresholdLines(QChart* chart, const Axes& axes,
                       const std::vector<StudyThreshold>& thresholds, double top) {
    bool thresholdNamed = false;
    for (const StudyThreshold& t : thresholds) {
        auto* mark = new QLineSeries;
        mark->setName(QStringLiteral("threshold (passing side)"));
        mark->setObjectName(QStringLiteral("threshold"));
        mark->append(static_cast<double>(t.value), 0);
        mark->append(static_cast<double>(t.value), top);
        QPen pen(kThresholdColour);
        pen.setWidthF(1.4);
        pen.setStyle(Qt::DotLine);
        mark->setPen(pen);
        attach(chart, mark, axes.x, axes.y);
        if (thresholdNamed)
            hideFromLegend(chart, mark);
        thresholdNamed = true;
    }
}

// Each threshold's value at the top of its line, upright on its failing side; `ref` is a series
// on the chart's axes.
void addThresholdLabels(QChart* chart, const StudyAxis& axis,
                        const std::vector<StudyThreshold>& thresholds, QAbstractSeries* ref,
                        double top, char sep) {
    const QString name = QString::fromStdString(axis.range.name);
    // To a hundredth of the step on the chart; the list gives the value in full.
    const int decimals =
        std::clamp(static_cast<int>(std::ceil(-std::log10(axis.range.step / 100) - 1e-9)), 0, 6);
    auto thresholdLabel = [decimals, sep](float v) {
        QString text = QString::number(static_cast<double>(v), 'f', decimals);
        if (sep == ',')
            text.replace(QLatin1Char('.'), QLatin1Char(','));
        return text;
    };
    new ChartOverlay(
        chart,
        [thresholds, name, ref, top, thresholdLabel](QPainter& p, QChart& c) {
            QFont font = c.font();
            font.setPointSizeF(9);
            p.setFont(font);
            const QFontMetricsF fm(font);
            const QRectF area = c.plotArea();
            p.setClipRect(area);
            for (const StudyThreshold& t : thresholds) {
                const QPointF at = c.mapToPosition(QPointF(static_cast<double>(t.value), top), ref);
                const QString text = name + QStringLiteral(" = ") + thresholdLabel(t.value);
                // Upright along the line from the top of the plot, on its failing side, outside
                // the band.
                const double w = fm.horizontalAdvance(text);
                const double h = fm.height();
                p.save();
                p.translate(at.x(), area.top() + 6);
                p.rotate(90);
                const double side = t.passesBelow ? 3 : -h - 3;
                const QRectF box(0, -side - h, w + 6, h);
                p.fillRect(box, QColor(255, 255, 255, 210));
                p.setPen(kThresholdColour.darker(150));
                p.drawText(box, Qt::AlignCenter, text);
                p.restore();
            }
        },
        10);
}

// ---- map ------------------------------------------------------------------------------------

// Legend entries of the colours and the boundary (series without points); returns the first,
// a series on the chart's axes.
QScatterSeries* addMapLegend(QChart* chart, const Axes& axes, const std::vector<StudyPoint>& points,
                             const QPen& boundaryPen) {
    auto swatch = [&](const QString& name, const QColor& colour) {
        auto* s = new QScatterSeries;
        s->setName(name);
        s->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        s->setColor(colour);
        s->setBorderColor(colour.darker(130));
        attach(chart, s, axes.x, axes.y);
        return s;
    };
    QScatterSeries* ref = swatch(QStringLiteral("passes"), scaleColour(0.85));
    swatch(QStringLiteral("fails"), scaleColour(1.5));
    bool anyStopped = false;
    for (const StudyPoint& p : points)
        anyStopped = anyStopped || !p.completed;
    if (anyStopped)
        swatch(QStringLiteral("calculation stopped"), kStoppedColour);
    auto* boundary = new QLineSeries;
    boundary->setName(QStringLiteral("pass/fail boundary"));
    boundary->setPen(boundaryPen);
    attach(chart, boundary, axes.x, axes.y);
    return ref;
}

// The cells as an image, one pixel per point, the first input across, the second upwards.
QImage mapCells(const StudyAxis& ax, const StudyAxis& ay, const std::vector<StudyPoint>& points) {
    const int nx = static_cast<int>(ax.count);
    const int ny = static_cast<int>(ay.count);
    QImage cells(nx, ny, QImage::Format_RGB32);
    for (const StudyPoint& p : points) {
        const int ix = static_cast<int>(p.index / ay.count);
        const int iy = static_cast<int>(p.index % ay.count);
        cells.setPixel(ix, ny - 1 - iy, mapColour(p).rgb());
    }
    return cells;
}

// The boundary: every cell edge between a passing and a failing neighbour, in input values.
std::vector<QLineF> passFailEdges(const StudyAxis& ax, const StudyAxis& ay,
                                  const std::vector<StudyPoint>& points) {
    const int nx = static_cast<int>(ax.count);
    const int ny = static_cast<int>(ay.count);
    const double dx = ax.range.step;
    const double dy = ay.range.step;
    std::vector<QLineF> edges;
    auto passesAt = [&](int ix, int iy) {
        return points[static_cast<size_t>(ix) * static_cast<size_t>(ny) + static_cast<size_t>(iy)]
            .passes;
    };
    for (int ix = 0; ix < nx; ++ix) {
        for (int iy = 0; iy < ny; ++iy) {
            const double x = ax.value(ix);
            const double y = ay.value(iy);
            if (ix + 1 < nx && passesAt(ix, iy) != passesAt(ix + 1, iy))
                edges.emplace_back(x + dx / 2, y - dy / 2, x + dx / 2, y + dy / 2);
            if (iy + 1 < ny && passesAt(ix, iy) != passesAt(ix, iy + 1))
                edges.emplace_back(x - dx / 2, y + dy / 2, x + dx / 2, y + dy / 2);
        }
    }
    return edges;
}

// The cells over the plot area `data` (input values) and the boundary over them. `sharp` keeps
// the enlarged cells between paints.
void paintCells(QPainter& p, QChart& c, const QImage& cells, const std::vector<QLineF>& edges,
                const QRectF& data, QAbstractSeries* ref, const QPen& boundaryPen, QImage& sharp) {
    const QPointF topLeft = c.mapToPosition(QPointF(data.left(), data.bottom()), ref);
    const QPointF bottomRight = c.mapToPosition(QPointF(data.right(), data.top()), ref);
    const QRectF area = c.plotArea();
    p.save();
    p.setClipRect(area);
    // The cells enlarged without smoothing to the pixels they cover on the device, so that a
    // PDF or SVG viewer that smooths images still shows sharp cells.
    const QRectF target(topLeft, bottomRight);
    const QSize pixels = p.worldTransform()
                             .mapRect(target)
                             .size()
                             .toSize()
                             .boundedTo(QSize(4096, 4096))
                             .expandedTo(cells.size());
    if (sharp.size() != pixels)
        sharp = cells.scaled(pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(target, sharp);
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen = boundaryPen;
    pen.setCapStyle(Qt::SquareCap);
    p.setPen(pen);
    for (const QLineF& e : edges)
        p.drawLine(QLineF(c.mapToPosition(e.p1(), ref), c.mapToPosition(e.p2(), ref)));
    p.restore();
}

// The colour scale at the right of the plot, with the permitted value marked.
void paintColourScale(QPainter& p, QChart& c, char sep) {
    const QRectF area = c.plotArea();
    QFont font = c.font();
    font.setPointSizeF(9);
    p.setFont(font);
    const QFontMetricsF fm(font);
    const double barX = area.right() + 14;
    const double barW = 14;
    const double barTop = area.top() + 1.4 * fm.height();
    const double barH = std::max(40.0, area.height() - 2.4 * fm.height());
    auto yOf = [&](double r) {
        return barTop + barH * (kScaleHigh - r) / (kScaleHigh - kScaleLow);
    };
    for (int k = 0; k < static_cast<int>(barH); ++k) {
        const double r = kScaleHigh - (kScaleHigh - kScaleLow) * (k + 0.5) / barH;
        p.fillRect(QRectF(barX, barTop + k, barW, 1.0), scaleColour(r));
    }
    p.setPen(Qt::black);
    p.drawRect(QRectF(barX, barTop, barW, barH));
    for (double r : {0.4, 0.6, 0.8, 1.0, 1.2, 1.4, 1.6, 1.8, 2.0}) {
        const double y = yOf(r);
        p.drawLine(QPointF(barX + barW, y), QPointF(barX + barW + 4, y));
        QString label = QString::number(r, 'f', 1);
        if (sep == ',')
            label.replace(QLatin1Char('.'), QLatin1Char(','));
        if (r == kScaleHigh)
            label = QStringLiteral("\u2265 ") + label;
        p.drawText(QPointF(barX + barW + 6, y + fm.ascent() / 2 - 1), label);
    }
    QPen limit(Qt::black);
    limit.setWidthF(2);
    p.setPen(limit);
    p.drawLine(QPointF(barX - 3, yOf(1.0)), QPointF(barX + barW + 3, yOf(1.0)));
    p.setPen(Qt::black);
    p.drawText(QPointF(barX - 6, barTop - fm.height()), QStringLiteral("UF / permitted"));
}

// The lightest passing point, as a star.
void addLightestMark(QChart* chart, const Axes& axes, const StudyPoint& best) {
    auto* star = new QScatterSeries;
    star->setObjectName(QStringLiteral("lightest"));
    star->setName(QStringLiteral("lightest passing design"));
    star->setMarkerShape(QScatterSeries::MarkerShapeStar);
    star->setMarkerSize(20);
    star->setColor(QColor(20, 60, 220));
    star->setBorderColor(Qt::white);
    star->append(static_cast<double>(best.inputs[0]), static_cast<double>(best.inputs[1]));
    attach(chart, star, axes.x, axes.y);
}

} // namespace

QChart* makeSweepChart(const StudyGrid& grid, const SweepResult& result, const QString& title,
                       char sep) {
    QChart* chart = newChart(title, sep);
    // A column of entries at the right names every line in full.
    chart->legend()->setAlignment(Qt::AlignRight);
    const StudyAxis& axis = grid.axes.front();
    const std::vector<StudyPoint>& points = result.points;
    const double x0 = axis.value(0);
    const double x1 = axis.value(axis.count - 1);
    const double top = ratioAxisTop(points);
    const Axes axes{valueAxis(studyInputTitle(axis.range.name), x0, x1, axis.profileRow),
                    ratioAxis(top)};
    chart->addAxis(axes.x, Qt::AlignBottom);
    chart->addAxis(axes.y, Qt::AlignLeft);

    addPassingBands(chart, axes, axis, result, top);
    addCheckLines(chart, axes, points);
    QLineSeries* limit = addPermittedLine(chart, axes);
    addStoppedPoints(chart, axes, points);
    addThresholdLines(chart, axes, result.thresholds, top);
    if (!result.thresholds.empty())
        addThresholdLabels(chart, axis, result.thresholds, limit, top, sep);
    return chart;
}

QChart* makeMapChart(const StudyGrid& grid, const std::vector<StudyPoint>& points, int64_t lightest,
                     const QString& title, char sep) {
    QChart* chart = newChart(title, sep);
    const StudyAxis& ax = grid.axes[0];
    const StudyAxis& ay = grid.axes[1];
    const double dx = ax.range.step;
    const double dy = ay.range.step;
    // Each point is a cell of one step around its value.
    const double xLow = ax.value(0) - dx / 2;
    const double xHigh = ax.value(ax.count - 1) + dx / 2;
    const double yLow = ay.value(0) - dy / 2;
    const double yHigh = ay.value(ay.count - 1) + dy / 2;
    const Axes axes{valueAxis(studyInputTitle(ax.range.name), xLow, xHigh, ax.profileRow),
                    valueAxis(studyInputTitle(ay.range.name), yLow, yHigh, ay.profileRow)};
    axes.x->setGridLineVisible(false);
    axes.y->setGridLineVisible(false);
    chart->addAxis(axes.x, Qt::AlignBottom);
    chart->addAxis(axes.y, Qt::AlignLeft);
    // Room at the right for the colour scale.
    chart->setMargins(QMargins(6, 4, 96, 4));

    QPen boundaryPen(Qt::black);
    boundaryPen.setWidthF(2.4);
    QScatterSeries* ref = addMapLegend(chart, axes, points, boundaryPen);

    const QImage cells = mapCells(ax, ay, points);
    const std::vector<QLineF> edges = passFailEdges(ax, ay, points);
    const QRectF data(QPointF(xLow, yLow), QPointF(xHigh, yHigh));
    new ChartOverlay(
        chart,
        [cells, edges, data, ref, boundaryPen, sep, sharp = std::make_shared<QImage>()](QPainter& p,
                                                                                        QChart& c) {
            paintCells(p, c, cells, edges, data, ref, boundaryPen, *sharp);
            paintColourScale(p, c, sep);
        },
        2.5);

    if (lightest >= 0)
        addLightestMark(chart, axes, points[static_cast<size_t>(lightest)]);
    return chart;
}

} // namespace velmora
