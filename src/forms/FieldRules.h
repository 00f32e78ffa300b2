// The input boxes of the main window as one table of field operations: each takes the typed
// text and gives back the stored value, the text to show, the warning and the focus decision,
// so the rules work on the case without a window.
#pragma once

#include "calc/InputLimits.h" // ringTorsionalLengthLimit

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct State;
struct DesignCase;
struct FieldOutcome;

// When a box recalculates the case after it was left.
enum class Recalc {
    Never,
    Always,
    WhenAccepted,      // only when every check passed
    RefreshThenAlways, // refresh the whole window first, then recalculate
};

// One input box: its control name, frame, display formats, the DesignCase field it sets and
// its checks.
struct FieldRule {
    std::string_view control;
    std::string_view frame;
    std::string_view format;        // shown after the box was left
    std::string_view refreshFormat; // shown when the window shows the whole case
    std::string_view enterTarget;   // fixed Enter target; empty where it depends on the window
    bool checksAtEnter = false;     // Enter parses, stores and checks before moving on
    float DesignCase::*number = nullptr;
    std::string DesignCase::*text = nullptr;
    // Runs the box's checks on the stored value; writes the first failure into the outcome.
    void (*check)(State& st, FieldOutcome& out, bool atEnter) = nullptr;
    Recalc recalc = Recalc::Always;
    bool recalcAfterMismatch = false; // il and isigx still recalculate after a bad text
    std::string_view twin;            // another box that shows the same field at once
};

struct FieldOutcome {
    bool known = true;      // false: no box of that name
    bool mismatch = false;  // the text was not a number; the field kept its value
    bool stored = false;    // the field was written
    std::string shown;      // text the box shows now
    std::string warning;    // the warning to show, empty when there is none
    bool focusBack = false; // the focus returns to (or stays in) the box
    bool moveOn = false;    // Enter: the focus moves on to the Enter target
    bool refresh = false;   // refreshWindow, before the recalculation
    bool recalc = false;    // calcAll
    std::string twin;       // another box that shows the stored value ...
    std::string twinText;   // ... with this text
};

inline constexpr std::string_view kInputMismatch = "Input string mismatch ";

// The table of every input box, in the order of the window's frames.
const std::vector<FieldRule>& fieldRules();
const FieldRule* findFieldRule(std::string_view control);

// The box `control` is left with `text` in it.
FieldOutcome leaveField(State& st, std::string_view control, std::string_view text);
// Enter is pressed in the box `control` holding `text`.
FieldOutcome enterInField(State& st, std::string_view control, std::string_view text);

// The text a box shows for the case's current value when the window shows the whole case.
std::string refreshText(const State& st, const FieldRule& rule);

// The control that Enter in `control` (a box or a combo of the window) leads to. `available`
// tells whether a named box is enabled or a frame visible in the window now.
std::string enterTarget(std::string_view control,
                        const std::function<bool(std::string_view)>& available);

// A right click in the window pops up the Profiles menu unless the cylinder is unstiffened.
bool profilesPopupOnRightClick(const DesignCase& dc);

} // namespace velmora
