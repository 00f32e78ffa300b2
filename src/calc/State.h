// The one state object: the design case, its results, the run state and the loaded tables.
// Nothing program-wide lives outside it, so two states in one process never interfere.
#pragma once

#include "case/CaseResults.h"
#include "case/DesignCase.h"
#include "files/DatabaseFile.h"
#include "sections/Materials.h"
#include "sections/ProfileTables.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// The result panels of the main window (the slenderness note shows in the stiffener panel's
// place).
enum class PanelId { Shell, Stiffener, Ring, Column };
inline constexpr int kPanelCount = 4;

struct RunState {
    std::string fileName = "New File";
    std::string currentDir;
    std::string calcMessage;
    bool decimalPointLocale = true; // the user's locale writes 1.1 as "1.1"
    std::string thousandsSep = "."; // the locale's thousands separator (UTF-8) in typed numbers
    bool lastRunCompleted = true;   // false when the last calculation run stopped
    // The inputs as the last calculation run left them (none before the first run): results
    // are current only while the case still has these inputs.
    std::optional<DesignCase> calculatedInputs;
    // By PanelId: the panels the last run did not bring up to date because it stopped at
    // their check or before it; they still show an earlier run's values.
    std::array<bool, kPanelCount> notRecalculated{};

    bool recalculated(PanelId p) const { return !notRecalculated[static_cast<size_t>(p)]; }

    bool operator==(const RunState&) const = default;
};

// What the last run gave one load case. The selected load case's results are State::res (its
// entry keeps none); the others keep their numeric results and section texts here, with empty
// panels (select one and calculate to build its panels).
struct LoadCaseResult {
    std::string name;
    bool selected = false; // its results are State::res
    bool completed = false;
    std::string calcMessage; // why its run stopped
    CaseResults res;         // not used for the selected load case; the next run reuses its storage
};

struct State {
    DesignCase dc;
    CaseResults res;
    RunState run;
    // By the list index of the load cases (case/LoadCases.h), from the last run.
    std::vector<LoadCaseResult> loadCaseResults;
    MaterialTable materials;
    ProfileTables profiles;
    CaseDatabase db;
    // Column groups of the detailed database summary, switched on by a new case.
    std::array<bool, 7> summaryGroups{true, true, true, true, true, true, true};

    char decimalSep() const { return run.decimalPointLocale ? '.' : ','; }
};

// The results of load case `index` of the last run: State::res for the selected one; nothing
// for an index the last run did not calculate.
const CaseResults* loadCaseResultsOf(const State& st, int index);

// A copy of the case, its results and run state, the tables and the summary groups, without
// the database: what a further run of the case needs (each thread of the design study, the
// calculation sheet's traced run).
State caseCopy(const State& st);

// Loads the material table and the four profile tables of the state from `dir`; one message per
// file that could not be used (each such table stays empty).
std::vector<std::string> loadDataFiles(State& st, const std::string& dir);

// Resets the case and the fixed parts of the result panels to a new case: "New File", the
// stiffener's table rows to 0 (the ring frame's rows stay), the summary column groups on.
// Looks nothing up and does not calculate.
void newCase(State& st);

} // namespace velmora
