// The calculation driver: runs every check of the current case in the fixed order.
#pragma once

namespace velmora {

struct State;
class Notifier;
class CalcTrace;

struct CalcOptions {
    // False: the checks store their numeric results and the proportion verdicts but build no
    // panel, profile or proportion texts, which keep what they showed (the design study, which
    // reads only the numbers and judges each run at once with verdictOfRun). Such a run keeps
    // no copy of its inputs, so its results do not count as current (resultsCurrent).
    bool panelTexts = true;
    // When set, every check records its steps here (the calculation sheet); the numbers are
    // the same with or without it.
    CalcTrace* trace = nullptr;
    // When set, a case with several load cases stops after the first load case, the selected
    // one first, whose own verdict is not PASSES: the lightest-design search, which keeps and
    // counts passing points only, spares the rest. The load cases after it are left not
    // calculated and the run counts as stopped, so the case's verdict cannot pass; a case whose
    // load cases all pass runs every one of them as without it.
    bool stopAtFailingLoadCase = false;
};

// Clears calcMessage, runs the checks the case asks for and stores each check's results and
// panel as soon as it has passed. A run that faults stops at the failing check, hands
// calcMessage to the notifier and returns false: the checks before it keep what they stored,
// the failing check and those after it keep their results and panels from before the run.
bool calcAll(State& st, Notifier& nt, const CalcOptions& options = {});

} // namespace velmora
