// What the commands of the command-line tool share: the state with the data files, the case or
// database it opens, and the option every command takes.
#pragma once

#include <string>

namespace CLI {
class App;
}

namespace velmora {

struct State;
class WarningCollector;

// Adds --data-dir to `cmd`, stored in `dataDir`.
void addDataDirOption(CLI::App* cmd, std::string& dataDir);

// Prepares a state with the data files (the decimal separator follows the user's locale, as the
// window's does); false (with the messages on stderr) when a file failed.
bool prepareState(State& st, const std::string& dataDir);

// A state with the tables of `dataDir` and the case of `path` (a case file, or a JSON case
// when it ends in ".json"), opened and calculated as the
// window opens it; false, with the message on stderr, when either cannot be read.
bool loadCase(State& st, WarningCollector& nt, const std::string& path, const std::string& dataDir);

// One line on stderr per field of the case outside its input limits ("input out of limits: "
// and the field with its limit); the values stay as they are.
void reportInputLimits(const State& st);

// A state with the tables of `dataDir` and the database of `inPath`; false, with the message
// on stderr, when either cannot be read.
bool loadDatabase(State& st, const std::string& inPath, const std::string& dataDir);

} // namespace velmora
