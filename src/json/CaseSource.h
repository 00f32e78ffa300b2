// Where a case comes from and goes to outside the window: a case file (.cys) or a JSON case
// (.json, as caseJson writes it), and a JSON case handed over as text.
#pragma once

#include <string>

namespace velmora {

struct State;
struct DesignCase;
class Notifier;

// True for a path that names a JSON case (".json") rather than a case file.
bool isJsonCase(const std::string& path);

// Reads the JSON case of `path` over `base` (json/CaseJson.h); "" or the message naming the file
// and the key.
std::string readJsonCase(const std::string& path, const DesignCase& base, DesignCase& out);

// Reads the case of `path` (a case file, or a JSON case when it ends in ".json") over the case of
// `st` without looking anything up or calculating; "" with `out` set, or the message.
std::string readCaseOrJson(const State& st, const std::string& path, DesignCase& out);

// Opens the case of `path` (a case file, or a JSON case when it ends in ".json") into `st`, which
// holds the tables and a new case, as the window opens a case: read, looked up, calculated.
// Returns "" or the message naming the file; `st` is unchanged on failure.
std::string openCaseOrJson(State& st, Notifier& nt, const std::string& path);

// The same for a JSON case given as text; `name` stands for the file it came from. Returns ""
// or the key and what is wrong with it ("stiff.saved[3].H: not a number").
std::string openJsonCase(State& st, Notifier& nt, const std::string& text, const std::string& name);

// Writes the case to `path`: a case file, or a JSON case (as calc --json prints it under "case")
// when the path ends in ".json". "" or the message ("can't save file - " and the path).
std::string saveCase(const DesignCase& dc, const std::string& path);

} // namespace velmora
