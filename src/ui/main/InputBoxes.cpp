#include "ui/main/InputBoxes.h"

#include "calc/State.h"
#include "case/Notifier.h"
#include "forms/FieldRules.h"
#include "ui/main/CaseHost.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace velmora {

namespace {

const QColor kFocusColour(255, 255, 192);

void setBackground(QLineEdit* e, const QColor& c) {
    QPalette p = e->palette();
    p.setColor(QPalette::Base, c);
    e->setPalette(p);
}

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

InputBoxes::InputBoxes(CaseHost& host, QWidget& window, std::function<void()> taken)
    : host_(host), window_(window), taken_(std::move(taken)) {}

QLineEdit* InputBoxes::box(std::string_view control) const {
    return window_.findChild<QLineEdit*>(q(control));
}

bool InputBoxes::isBox(const QWidget* w) const {
    auto* e = qobject_cast<const QLineEdit*>(w);
    return e != nullptr && findFieldRule(e->objectName().toStdString()) != nullptr;
}

QWidget* InputBoxes::control(std::string_view name) const {
    return window_.findChild<QWidget*>(q(name));
}

bool InputBoxes::available(std::string_view name) const {
    QWidget* w = control(name);
    return w != nullptr && w->isVisibleTo(&window_) && w->isEnabled();
}

void InputBoxes::alignBoxes() {
    for (const FieldRule& r : fieldRules())
        if (QLineEdit* e = box(r.control))
            e->setAlignment(r.text != nullptr ? Qt::AlignLeft : Qt::AlignRight);
}

bool InputBoxes::handleEvent(QWidget* w, QEvent* event) {
    auto* e = qobject_cast<QLineEdit*>(w);
    const bool boxed = isBox(w);
    switch (event->type()) {
    case QEvent::FocusIn:
        if (boxed)
            focusIn(e);
        break;
    case QEvent::FocusOut: {
        // A message box or a menu taking the focus for a moment does not leave the box.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (boxed && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            leave(e);
        break;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            break;
        if (boxed) {
            enter(e);
            return true;
        }
        if (auto* c = qobject_cast<QComboBox*>(w)) {
            moveFocusTo(enterTarget(c->objectName().toStdString(),
                                    [this](std::string_view n) { return available(n); }));
            return true;
        }
        break;
    }
    default:
        break;
    }
    return false;
}

void InputBoxes::focusIn(QLineEdit* e) {
    setBackground(e, kFocusColour);
    const std::string name = e->objectName().toStdString();
    if (name != "iproj" && name != "iident") {
        e->selectAll();
        // A click that gave the focus would place the cursor after this; select once more.
        QTimer::singleShot(0, e, [e] {
            if (e->hasFocus())
                e->selectAll();
        });
    }
}

void InputBoxes::leave(QLineEdit* e) {
    if (inLeave_)
        return;
    // A command took this box while it kept the focus, or leaving it warned about its value:
    // unless it was edited since, leaving it now would only repeat the same warnings. A value
    // out of its limits is warned about once per typed value.
    const bool taken = e == takenBox_;
    if (taken)
        takenBox_ = nullptr;
    if (!e->isModified()) {
        const auto warned = warned_.find(e);
        if (taken || (warned != warned_.end() && warned->second == e->text())) {
            setBackground(e, Qt::white);
            return;
        }
    }
    inLeave_ = true;
    const std::string name = e->objectName().toStdString();
    const FieldOutcome out = leaveField(host_.state(), name, e->text().toStdString());
    showOutcome(e, out);
    // What the box shows now has been taken; a text that is not a number stays typed.
    if (!out.mismatch)
        e->setModified(false);
    if (!out.mismatch && !out.warning.empty())
        warned_[e] = e->text();
    else
        warned_.erase(e);
    if (!out.warning.empty())
        host_.notifier().warn(out.warning);
    if (out.focusBack)
        host_.notifier().focus(name);
    if (out.refresh)
        host_.refreshWindow();
    if (out.recalc)
        host_.recalculate();
    setBackground(e, Qt::white);
    inLeave_ = false;
    taken_();
}

void InputBoxes::takeTypedInput() {
    // The window's focus box keeps its place while a menu, a dialog or another window is in
    // use; what was typed into it is taken as leaving the box takes it.
    auto* e = qobject_cast<QLineEdit*>(window_.focusWidget());
    if (e == nullptr || !e->isModified() || !isBox(e))
        return;
    leave(e);
    e->setModified(false);
    // Still in the box (or back in it after a warning): leaving it unchanged later is no new
    // input.
    takenBox_ = e;
}

void InputBoxes::enter(QLineEdit* e) {
    const std::string name = e->objectName().toStdString();
    const FieldOutcome out = enterInField(host_.state(), name, e->text().toStdString());
    showOutcome(e, out);
    if (!out.warning.empty())
        host_.notifier().warn(out.warning);
    if (out.focusBack) {
        e->setFocus(Qt::OtherFocusReason);
        e->selectAll();
    }
    if (out.moveOn)
        moveFocusTo(enterTarget(name, [this](std::string_view n) { return available(n); }));
}

void InputBoxes::showOutcome(QLineEdit* e, const FieldOutcome& out) {
    if (!out.mismatch && e->text() != q(out.shown))
        e->setText(q(out.shown));
    if (!out.twin.empty())
        if (QLineEdit* t = box(out.twin))
            t->setText(q(out.twinText));
}

void InputBoxes::moveFocusTo(std::string_view name) {
    if (QWidget* w = control(name))
        w->setFocus(Qt::TabFocusReason);
}

void InputBoxes::showText(std::string_view control, const QString& text) {
    QLineEdit* e = box(control);
    if (e == nullptr || e->text() == text)
        return;
    e->setText(text);
    if (e->hasFocus())
        e->selectAll();
}

void InputBoxes::showCaseValue(std::string_view control) {
    box(control)->setText(q(refreshText(host_.state(), *findFieldRule(control))));
}

} // namespace velmora
