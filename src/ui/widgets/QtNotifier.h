// The window's notifier: warnings as message boxes titled "Velmora DNV" with an exclamation
// icon and OK, parented to the window that raised them; focus requests carried out on the
// control of that object name in that window.
#pragma once

#include "case/Notifier.h"

#include <QPointer>
#include <QWidget>

namespace velmora {

class QtNotifier : public Notifier {
public:
    explicit QtNotifier(QWidget* window = nullptr) : window_(window) {}
    void setWindow(QWidget* window) { window_ = window; }
    QWidget* window() const { return window_; }

    // Shows the box over the window; when it closes, the window is made active again, so that
    // the focus requests that follow reach the user.
    void warn(const std::string& text) override;
    void focus(const std::string& control) override;

    // Moves the focus to the child of `window` named `control`; false when there is none.
    static bool focusControl(QWidget* window, const std::string& control);

    // Whether `window` becoming active now is its return from a message box of this notifier
    // (while the box is open, or the first activation after it closed) rather than a new
    // activation by the user. Consumes the return.
    static bool takeMessageReturn(QWidget* window);

private:
    QPointer<QWidget> window_;
};

} // namespace velmora
