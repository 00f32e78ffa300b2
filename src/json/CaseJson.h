// JSON of a design case as the command-line tool and the Python module give it (`calc --json`,
// the study commands, the module's case dicts).
#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace velmora {

struct DesignCase;
struct ProfileRecord;

// A single as the number its shortest text shows (-0.3, not -0.30000001192092896).
double jsonSingle(float v);

nlohmann::ordered_json profileJson(const ProfileRecord& p);
// Every input of the case, by its field name; the loads at the top are the selected load
// case's, and "loadCases" lists every load case with "name", "designFormat", "UF", "Sigx",
// "Sigy", "Tau", "pd", "N", "M1a", "M1b", "M2a", "M2b", "selectedLoadCase" its index.
nlohmann::ordered_json caseJson(const DesignCase& d);

// Reads a case as caseJson writes it (alone, or as the "case" of the output of calc --json)
// over a copy of `base`: a key left out keeps base's value; without "loadCases" the case has
// one load case from the loads at the top. Returns "" with `out` set, or the key and what is
// wrong with it ("stiff.saved[3].H: not a number"); `out` is then unchanged.
std::string caseFromJson(const std::string& text, const DesignCase& base, DesignCase& out);

} // namespace velmora
