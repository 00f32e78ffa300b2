// The commands of the command-line tool that work on a database file: batch and summary.
#pragma once

#include "database/Summary.h"

#include <string>

namespace CLI {
class App;
}

namespace velmora {

struct DatabaseCommandArgs {
    std::string databasePath;
    std::string outputPath; // batch: the results file; summary: the workbook
    SummaryGroups chosen{}; // summary: the column groups asked for
    bool noGroups = false;  // summary: only the chosen groups, possibly none
    std::string dataDir;
};

// Add the subcommands with their options to `app`; each returns its subcommand.
CLI::App* addBatchCommand(CLI::App& app, DatabaseCommandArgs& args);
CLI::App* addSummaryCommand(CLI::App& app, DatabaseCommandArgs& args);

// Exit status 0 when every row was calculated, 1 when a file failed or a row's calculation
// stopped (messages on stderr).
int runBatchCommand(const DatabaseCommandArgs& args);
int runSummaryCommand(const DatabaseCommandArgs& args);

} // namespace velmora
