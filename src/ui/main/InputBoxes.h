// The input boxes of the main window: what leaving a box, Enter in it or a command that reads
// the case does with its text. The rules (parsing, limits, warnings, where the focus goes, the
// twin boxes) are the Qt-free field descriptions of forms/FieldRules; this class carries their
// outcomes out on the window's boxes.
#pragma once

#include <QPointer>
#include <QString>

#include <functional>
#include <map>
#include <string_view>

class QComboBox;
class QEvent;
class QLineEdit;
class QWidget;

namespace velmora {

class CaseHost;
struct FieldOutcome;

class InputBoxes {
public:
    // The boxes are the children of `window` named as their field rules; `taken` runs after a
    // box was left, once its value is in the case.
    InputBoxes(CaseHost& host, QWidget& window, std::function<void()> taken);

    // The box of that control name, null when the window has none.
    QLineEdit* box(std::string_view control) const;
    // Whether `w` is one of the boxes.
    bool isBox(const QWidget* w) const;

    // Text boxes (the names) aligned left, number boxes right.
    void alignBoxes();

    // A control of the window gets the focus, loses it or takes a key: the boxes take their
    // value as they are left, and Enter in a box or a list moves on. True when the event was
    // used up.
    bool handleEvent(QWidget* w, QEvent* event);

    // The box that has the focus takes what was typed into it, as leaving it would.
    void takeTypedInput();

    // Shows `text` in `control` where it differs; a box with the focus keeps its text selected.
    void showText(std::string_view control, const QString& text);
    // Shows the case's value of `control` as the window shows the whole case.
    void showCaseValue(std::string_view control);

private:
    void focusIn(QLineEdit* e);
    void leave(QLineEdit* e);
    void enter(QLineEdit* e);
    void showOutcome(QLineEdit* e, const FieldOutcome& out);
    void moveFocusTo(std::string_view control);
    bool available(std::string_view control) const;
    QWidget* control(std::string_view name) const;

    CaseHost& host_;
    QWidget& window_;
    std::function<void()> taken_;
    bool inLeave_ = false;
    // The box a command took while it kept the focus: leaving it unchanged does not take it
    // again.
    QPointer<QLineEdit> takenBox_;
    // The boxes whose value was taken with a warning, with the text they showed: leaving one
    // unchanged takes nothing and warns no more.
    std::map<const QLineEdit*, QString> warned_;
};

} // namespace velmora
