// What the windows around the main window need from it: the one state, the notifier, and the
// two reactions to a changed case.
#pragma once

class QWidget;

namespace velmora {

struct State;
class Notifier;

class CaseHost {
public:
    virtual ~CaseHost() = default;
    virtual State& state() = 0;
    virtual Notifier& notifier() = 0;
    // calcAll, then redraw the result panels and the profile labels and picture buttons.
    virtual void recalculate() = 0;
    // Show the whole case and its results in the main window (after the case was replaced).
    virtual void refreshWindow() = 0;
    // The main window, owner of the modeless dialogs and windows.
    virtual QWidget* hostWidget() = 0;
};

} // namespace velmora
