// The design study: each point of a grid of inputs calculated on its own copy of the case,
// with the usage factor and permitted value of every check that applies, the governing check,
// the verdict (calc/Verdict.h, the same as the window's) and the steel mass per metre; the
// pass/fail thresholds of a one-input sweep; the lightest passing designs of a grid.
//
// Driving it from a window: take a studyCopy of the window's state, build the grid with
// makeStudyGrid (its message names a bad range), then call runSweep or findLightest on a worker
// thread of the window (the calls block until done). They read the copy only (never change it;
// it must stay as it is until they return), spread the points over `StudyControl::threads`
// threads of their own, call `progress` on the calling thread after the first points and then
// every 50 ms or so, and stop soon after `*cancel` becomes true, which may be set from any
// thread. The results are plain values, identical for any number of threads. "Use This Design"
// is applyStudyValues with the point's inputs on the window's own state, then its usual
// calculation and refresh.
#pragma once

#include "calc/State.h"
#include "calc/Verdict.h"
#include "study/StudyInputs.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// The checks a study reports: those of the verdict of the case, in its order.
using StudyCheck = CheckId;
inline constexpr int kStudyCheckCount = kCheckCount;

// "shell", "unstiffened", "stiffener", "ringArea", "ringInertia", "column1", "column2".
inline const char* studyCheckName(StudyCheck c) {
    return checkName(c);
}

// A check's usage factor and its permitted value; absent for a check that does not apply to the
// case, whose place the slenderness note takes, or of a run that stopped.
using StudyCheckValue = CheckValue;

struct StudyPoint {
    int64_t index = 0;         // in the grid
    std::vector<float> inputs; // one per varied input, as stored in the case
    bool completed = false;    // the calculation run ran to its end
    std::string message;       // why it stopped, when it did
    std::array<StudyCheckValue, kStudyCheckCount> checks{};
    std::optional<StudyCheck> governing; // largest uf / permitted; none when no check is present
    // The governing load case (list index): the worst of the case's load cases, whose checks
    // these are; a point passes when every load case passes.
    int loadCase = 0;
    // Per check, the value of the load case with the largest uf / permitted (the first of equal
    // ones); absent where the check applies to no load case. With one load case: `checks`.
    // Filled by runSweep and evaluateStudyPoint; findLightest, which weighs the governing
    // values only, leaves it empty and spares the search its cost.
    std::array<StudyCheckValue, kStudyCheckCount> largest{};
    bool proportionsOk = true; // every proportion check of the profiles used passed
    // The verdict of the point's case, as the window would show it; `passes` is PASSES.
    VerdictStatus status = VerdictStatus::NotCalculated;
    bool passes = false;
    double mass = 0; // steel per metre of cylinder, kg/m (completed runs only)

    const StudyCheckValue& check(StudyCheck c) const { return checks[static_cast<size_t>(c)]; }
    double governingRatio() const;
    // Why a point fails: "stopped", "inputs out of limits", the governing check's name when it
    // exceeds its permitted value (else the first that does), or "proportions"; empty for a
    // passing point.
    std::string failure() const;
};

struct StudyOptions {
    // Kept for the callers that set it; changes nothing, since every verdict includes the
    // proportion limits (Ch 3.10) of the profiles in use.
    bool proportions = false;
};

struct StudyControl {
    unsigned threads = 0; // 0: one per core
    // Called on the calling thread with the points done and the points to do; the total grows
    // once when the thresholds are searched.
    std::function<void(int64_t done, int64_t total)> progress;
    const std::atomic<bool>* cancel = nullptr;
};

// A pass/fail boundary between two neighbouring grid values of a one-input sweep.
struct StudyThreshold {
    std::string name;
    float between[2] = {0, 0}; // the two grid values, in rising order
    float value = 0;           // boundary found by bisection, on the passing side
    float failValue = 0;       // the closest value found on the failing side
    bool passesBelow = false;  // the passing side is below the boundary
    std::string governing;     // why the failing side fails (StudyPoint::failure)
};

struct SweepResult {
    bool cancelled = false;                 // then points and thresholds are empty
    std::vector<std::string> loadCaseNames; // of the study's case, by StudyPoint::loadCase
    std::vector<StudyPoint> points;         // by grid index
    std::vector<StudyThreshold> thresholds;
};

// The designs are passing points with every value a sweep gives them but `largest`. A point
// that fails is only counted: its run stops at its first load case that does not pass.
struct LightestResult {
    bool cancelled = false;
    std::vector<std::string> loadCaseNames; // of the study's case, by StudyPoint::loadCase
    std::vector<StudyPoint> designs;        // by rising mass, then governing ratio, then grid index
    int64_t evaluated = 0;
    int64_t passing = 0;
};

// A copy of `st` for a study that runs while the window goes on: the case, its results, the run
// state and the tables, without the database.
State studyCopy(const State& st);

// The results of a run less their panels and section texts, which a run without panel texts
// neither writes nor reads: where each study point and each row of checkMany starts from.
CaseResults resultsWithoutTexts(const CaseResults& res);

// Steel mass per metre of cylinder, kg/m, from 7850 kg/m3: the shell 2 pi r t, for a stringer
// cylinder 2 pi r / s stiffeners of the stiffener section's area, and with the ring-frame check
// on, one ring of the ring section's area 2 pi r long every l (lengths mm, areas mm2).
double steelMassPerMetre(const DesignCase& dc, const CaseResults& res);

// One grid point on a copy of the case of `base`.
StudyPoint evaluateStudyPoint(const State& base, const StudyGrid& grid, int64_t index,
                              const StudyOptions& options = {});

// Every point of the grid and, for a one-input sweep, the thresholds of passing.
SweepResult runSweep(const State& base, const StudyGrid& grid, const StudyOptions& options = {},
                     const StudyControl& control = {});

// The `count` lightest passing points of the whole grid.
LightestResult findLightest(const State& base, const StudyGrid& grid, int count,
                            const StudyOptions& options = {}, const StudyControl& control = {});

} // namespace velmora
