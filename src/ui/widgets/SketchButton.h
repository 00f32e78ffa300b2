// A command button whose face is a drawing (the profile picture buttons of the main window).
#pragma once

#include "ui/widgets/PanelWidget.h"

#include <QPushButton>

namespace velmora {

class SketchButton : public QPushButton {
    Q_OBJECT
public:
    explicit SketchButton(const QString& name, QWidget* parent = nullptr);
    void setPaintRoutine(PaintRoutine routine);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    PaintRoutine routine_;
};

} // namespace velmora
