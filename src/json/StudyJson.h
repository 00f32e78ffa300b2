// The design study as JSON: what `sweep --json` and `optimise --json` print and the Python
// module's sweep and optimise return.
#pragma once

#include <nlohmann/json.hpp>

namespace velmora {

struct State;
struct StudyGrid;
struct SweepResult;
struct LightestResult;

// "case" (the study's case), "vary" (each range with "name", "from", "to", "step"), "points"
// and "thresholds" of a sweep of the case of `st` over `grid`.
nlohmann::ordered_json sweepJson(const State& st, const StudyGrid& grid, const SweepResult& r);

// "designs" (the lightest passing points, lightest first), "evaluated" and "passing".
nlohmann::ordered_json lightestJson(const State& st, const StudyGrid& grid,
                                    const LightestResult& r);

} // namespace velmora
