// The result of a calculated case as one JSON object, as `calc --json` prints it and the Python
// module's calc returns it.
#pragma once

#include <nlohmann/json.hpp>

namespace velmora {

struct State;
struct Verdict;
class WarningCollector;

// The verdict: "status", "governing", "ratio", "reasons".
nlohmann::ordered_json verdictJson(const Verdict& v);
// The case's verdict: verdictJson and the governing load case's name as "loadCase".
nlohmann::ordered_json caseVerdictJson(const Verdict& v);

// The case, the panels, the sections and profile texts, the messages of the run (`nt`), whether
// it ran to its end, the checks and verdict of the case and those of every load case.
nlohmann::ordered_json calcJson(const State& st, const WarningCollector& nt);

} // namespace velmora
