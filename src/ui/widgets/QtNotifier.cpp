#include "ui/widgets/QtNotifier.h"

#include "ui/widgets/WindowFit.h"

#include <QMessageBox>
#include <QVariant>

namespace velmora {

namespace {

// Kept on the window itself, so that every notifier of that window sees the same state.
constexpr const char* kMessageOpen = "velmoraMessageOpen";
constexpr const char* kMessageReturn = "velmoraMessageReturn";

} // namespace

void QtNotifier::warn(const std::string& text) {
    QWidget* window = window_;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Velmora DNV"),
                    QString::fromStdString(text), QMessageBox::Ok, window);
    fitTitle(box);
    if (window == nullptr) {
        box.exec();
        return;
    }
    window->setProperty(kMessageOpen, true);
    box.exec();
    if (window_.isNull())
        return;
    window->setProperty(kMessageOpen, false);
    // A window system may leave no window active once the box is gone; the activation that
    // follows here is the return from the box, not a new one.
    if (!window->isActiveWindow() && window->isVisible()) {
        window->setProperty(kMessageReturn, true);
        window->activateWindow();
    }
}

void QtNotifier::focus(const std::string& control) {
    focusControl(window_, control);
}

bool QtNotifier::focusControl(QWidget* window, const std::string& control) {
    if (window == nullptr)
        return false;
    auto* w = window->findChild<QWidget*>(QString::fromStdString(control));
    if (w == nullptr)
        return false;
    w->setFocus(Qt::OtherFocusReason);
    return true;
}

bool QtNotifier::takeMessageReturn(QWidget* window) {
    if (window == nullptr)
        return false;
    if (window->property(kMessageOpen).toBool())
        return true;
    if (!window->property(kMessageReturn).toBool())
        return false;
    window->setProperty(kMessageReturn, false);
    return true;
}

} // namespace velmora
