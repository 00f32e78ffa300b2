// A picture box of the main window: paints through the drawing surface with a routine it is
// given (a result panel, the cylinder sketch, a profile sketch).
#pragma once

#include "report/Surface.h"

#include <QWidget>

#include <functional>

namespace velmora {

class PanelSurface;

using PaintRoutine = std::function<void(Surface& s, double width, double height)>;

// The panel's user scale: one unit a text line down, one average character width across, in
// the 8-point font the result panels are drawn in.
struct PanelUnits {
    double charWidth = 1;
    double lineHeight = 1;
};
PanelUnits panelUnits(const QWidget* w);

class PanelWidget : public QWidget {
    Q_OBJECT
public:
    explicit PanelWidget(const QString& name, QWidget* parent = nullptr);
    void setPaintRoutine(PaintRoutine routine);
    // Text scale (lines and characters) or plain pixel scale for sketches.
    void setTextScale(bool on) { textScale_ = on; }
    // How far right and down, in pixels from the top left corner, the texts the routine draws
    // reach (text scale only; an empty size otherwise). Nothing is painted.
    QSizeF drawnExtent() const;

    // Values that an earlier run left (the last run stopped before their check): the routine's
    // drawing in grey under `note` ("Not recalculated: " and why), which is set in the amber of
    // a case not calculated and broken into lines at the panel's width. An empty note draws the
    // routine as it is.
    void setStaleNote(const QString& note);
    const QString& staleNote() const { return staleNote_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    // Draws the routine on `s` (text scale) under the stale note, where there is one, broken at
    // `noteWidth`; returns how many lines the note moved the routine's drawing down.
    double paintPanel(PanelSurface& s, double w, double h, double noteWidth) const;

    PaintRoutine routine_;
    bool textScale_ = true;
    QString staleNote_;
};

} // namespace velmora
