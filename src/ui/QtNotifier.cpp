#include "ui/QtNotifier.h"

#include <QMessageBox>

namespace velmora {

void QtNotifier::warn(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Velmora DNV"),
                    QString::fromStdString(text), QMessageBox::Ok, window_);
    box.exec();
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

} // namespace velmora
