// What the windows around the main window need from it: the one state, the notifier, and the
// reactions to a changed case.
#pragma once

class QWidget;

namespace velmora {

struct State;
class Notifier;

class CaseHost {
public:
    virtual ~CaseHost() = default;
    virtual State& state() = 0;
    // The notifier of the main window.
    virtual Notifier& notifier() = 0;
    // The notifier for what `window` (a dialog or window of its own) raises: its message boxes
    // stand over that window and its focus requests name that window's controls.
    virtual Notifier& notifierFor(QWidget* window) {
        (void)window;
        return notifier();
    }
    // calcAll, then redraw the result panels and the profile labels and picture buttons; the
    // run's messages go to `nt`.
    virtual void recalculate(Notifier& nt) = 0;
    void recalculate() { recalculate(notifier()); }
    // Show the whole case and its results in the main window (after the case was replaced).
    virtual void refreshWindow() = 0;
    // A value typed into a box of the main window and not yet taken is taken as leaving the box
    // takes it; run before a command that reads or replaces the case.
    virtual void takeTypedInput() {}
    // The main window, owner of the modeless dialogs and windows.
    virtual QWidget* hostWidget() = 0;
};

} // namespace velmora
