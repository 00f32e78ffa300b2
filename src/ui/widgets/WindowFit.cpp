#include "ui/widgets/WindowFit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>
#include <QWidget>

#include <algorithm>

namespace velmora {

QSize fittedSize(QSize wanted, QSize minimum, const QRect& available, QSize frame) {
    const int maxW = std::max(1, available.width() - frame.width());
    const int maxH = std::max(1, available.height() - frame.height());
    return {std::clamp(wanted.width(), std::min(minimum.width(), maxW), maxW),
            std::clamp(wanted.height(), std::min(minimum.height(), maxH), maxH)};
}

void fitOnScreen(QWidget* window, QSize wanted) {
    QScreen* screen = window->screen();
    if (screen == nullptr) {
        window->resize(wanted);
        return;
    }
    const QRect avail = screen->availableGeometry();
    const QSize size = fittedSize(wanted, window->minimumSizeHint(), avail);
    window->resize(size);
    // A window not yet shown is placed by the window system; one on the screen is kept wholly
    // on it, frame included.
    if (!window->isVisible())
        return;
    const QPoint at = window->pos();
    const int x =
        std::clamp(at.x(), avail.left(),
                   std::max(avail.left(), avail.right() + 1 - size.width() - kWindowFrame.width()));
    const int y = std::clamp(
        at.y(), avail.top(),
        std::max(avail.top(), avail.bottom() + 1 - size.height() - kWindowFrame.height()));
    window->move(x, y);
}

int titleWidth(const QString& title) {
    // The title bar's font is about the application's; its icon and three buttons take about
    // eight text heights beside the title.
    const QFontMetrics metrics(QApplication::font());
    return metrics.horizontalAdvance(title) + 8 * metrics.height();
}

void fitTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) {
        box.setMinimumWidth(titleWidth(box.windowTitle()));
        return;
    }
    // A message box sizes itself from its layout; a spacer across it sets the least width.
    const int margins = grid->contentsMargins().left() + grid->contentsMargins().right();
    grid->addItem(new QSpacerItem(titleWidth(box.windowTitle()) - margins, 0, QSizePolicy::Minimum,
                                  QSizePolicy::Expanding),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace velmora
