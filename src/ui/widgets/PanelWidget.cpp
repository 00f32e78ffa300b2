#include "ui/widgets/PanelWidget.h"

#include "pdf/QtSurface.h"

#include <QFontMetricsF>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <string>
#include <vector>

namespace velmora {

// The values an earlier run left are drawn in this grey.
constexpr Rgb kStaleGrey{150, 150, 150};

// A surface that draws whatever colour is asked for in grey while `grey` is on.
class PanelSurface : public QtSurface {
public:
    using QtSurface::QtSurface;
    void setColor(Rgb c) override { QtSurface::setColor(grey ? kStaleGrey : c); }

    bool grey = false;
};

namespace {

// Takes the measures of the texts a routine draws, in the units of its scale, and paints
// nothing.
class ExtentSurface : public PanelSurface {
public:
    using PanelSurface::PanelSurface;
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

// `text` broken at its blanks into lines no wider than `width` (a single word may be wider).
std::vector<std::string> wrapped(const Surface& s, const std::string& text, double width) {
    std::vector<std::string> lines;
    std::string line;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find(' ', at);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(at, end - at);
        at = end + 1;
        if (word.empty())
            continue;
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && s.textWidth(longer) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// The stale note starts where the panels start their title: one character in, 0.3 lines down.
constexpr double kNoteLeft = 1;
constexpr double kNoteTop = 0.3;

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

void PanelWidget::setStaleNote(const QString& note) {
    if (note == staleNote_)
        return;
    staleNote_ = note;
    update();
}

void PanelWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, !textScale_);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const QRectF area(0, 0, width(), height());
    PanelSurface s(p, area, Qt::white);
    s.clear();
    if (!routine_)
        return;
    if (textScale_) {
        const PanelUnits u = panelUnits(this);
        const double w = width() / u.charWidth;
        const double h = height() / u.lineHeight;
        paintPanel(s, w, h, w - 2 * kNoteLeft);
    } else {
        routine_(s, width(), height());
    }
}

double PanelWidget::paintPanel(PanelSurface& s, double w, double h, double noteWidth) const {
    std::vector<std::string> note;
    s.setScale(0, 0, w, h);
    if (!staleNote_.isEmpty()) {
        s.setBold(true);
        note = wrapped(s, staleNote_.toStdString(), noteWidth);
        s.setBold(false);
    }
    // The routine draws below the note, in grey; its own coordinates are as without the note.
    const double shift = note.empty() ? 0.0 : static_cast<double>(note.size()) + 0.2;
    s.setScale(0, -shift, w, h - shift);
    s.grey = !note.empty();
    routine_(s, w, h - shift);
    s.grey = false;
    // The note last: a routine that draws for the screen clears the panel first.
    s.setScale(0, 0, w, h);
    s.setColor(kAmber);
    s.setBold(true);
    s.setItalic(false);
    s.setUnderline(false);
    for (size_t i = 0; i < note.size(); ++i) {
        s.setPos(kNoteLeft, kNoteTop + static_cast<double>(i));
        s.drawText(note[i]);
    }
    s.setBold(false);
    s.setColor(kBlack);
    return shift;
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
    // A stale note is broken at the width the values need; it adds its lines above them.
    double right = s.right;
    double bottom = s.bottom;
    if (!staleNote_.isEmpty()) {
        ExtentSurface withNote(p, QRectF(0, 0, w * u.charWidth, h * u.lineHeight));
        const double shift = paintPanel(withNote, w, h, std::max(1.0, right - kNoteLeft));
        right = std::max(right, withNote.right);
        bottom += shift;
    }
    return {right * u.charWidth, bottom * u.lineHeight};
}

void PanelWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(e);
}

} // namespace velmora
