// The window's notifier: warnings as message boxes titled "Velmora DNV" with an exclamation
// icon and OK, focus requests carried out on the control of that object name.
#pragma once

#include "case/Notifier.h"

#include <QPointer>
#include <QWidget>

namespace velmora {

class QtNotifier : public Notifier {
public:
    explicit QtNotifier(QWidget* window = nullptr) : window_(window) {}
    void setWindow(QWidget* window) { window_ = window; }

    void warn(const std::string& text) override;
    void focus(const std::string& control) override;

    // Moves the focus to the child of `window` named `control`; false when there is none.
    static bool focusControl(QWidget* window, const std::string& control);

private:
    QPointer<QWidget> window_;
};

} // namespace velmora
