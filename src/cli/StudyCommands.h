// The design-study commands of the command-line tool: sweep and optimise.
#pragma once

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace velmora {

struct StudyCommandArgs {
    std::string casePath;
    std::vector<std::string> vary;      // NAME=FROM:TO:STEP each
    std::vector<std::string> loadCases; // --load-case: the load cases to study (all if none)
    bool proportions = false;
    bool json = false;
    std::string csvPath;  // sweep
    int top = 10;         // optimise
    std::string bestPath; // optimise: the lightest design as a case file
    unsigned threads = 0;
    std::string dataDir;
};

// Adds the sweep and optimise subcommands with their options to `app`; returns them.
CLI::App* addSweepCommand(CLI::App& app, StudyCommandArgs& args);
CLI::App* addOptimiseCommand(CLI::App& app, StudyCommandArgs& args);

// Exit status 0 when done, 1 when the case could not be read or a file not written (optimise:
// also when no point passes), 2 for wrong ranges or names.
int runSweepCommand(const StudyCommandArgs& args);
int runOptimiseCommand(const StudyCommandArgs& args);

} // namespace velmora
