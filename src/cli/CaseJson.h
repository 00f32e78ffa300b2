// JSON of a design case as the command-line tool prints it (`calc --json`, the study commands).
#pragma once

#include <nlohmann/json.hpp>

namespace velmora {

struct DesignCase;
struct ProfileRecord;

// A single as the number its shortest text shows (-0.3, not -0.30000001192092896).
double jsonSingle(float v);

nlohmann::ordered_json profileJson(const ProfileRecord& p);
// Every input of the case, by its field name.
nlohmann::ordered_json caseJson(const DesignCase& d);

} // namespace velmora
