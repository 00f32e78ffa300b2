// Windows and message boxes that fit: a window no larger than the screen it opens on, a message
// box wide enough to show its title whole.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QMessageBox;
class QWidget;

namespace velmora {

// Room the window system takes around a window's content: borders and the title bar.
inline constexpr QSize kWindowFrame(16, 40);

// `wanted` made no larger than `available` less `frame`, nor smaller than `minimum` where that
// still fits.
QSize fittedSize(QSize wanted, QSize minimum, const QRect& available, QSize frame = kWindowFrame);

// Resizes `window` to `wanted`, at most the available area of its screen (less the frame); a
// window already shown is also moved wholly onto that screen.
void fitOnScreen(QWidget* window, QSize wanted);

// The width a window needs so that its title is not cut short in the title bar: the title's
// text with room for the window icon and the title-bar buttons.
int titleWidth(const QString& title);

// Gives `box` at least the width that shows its window title whole.
void fitTitle(QMessageBox& box);

} // namespace velmora
