// The commands of the command-line tool that work on one case file: new, calc and report.
#pragma once

#include <string>

namespace CLI {
class App;
}

namespace velmora {

struct CaseCommandArgs {
    std::string casePath;
    bool json = false;      // calc, sheet
    bool force = false;     // new: replace an existing file
    std::string outputPath; // report: the PDF to write; sheet: the PDF or HTML
    std::string dataDir;
};

// Add the subcommands with their options to `app`; each returns its subcommand.
CLI::App* addNewCommand(CLI::App& app, CaseCommandArgs& args);
CLI::App* addCalcCommand(CLI::App& app, CaseCommandArgs& args);
CLI::App* addReportCommand(CLI::App& app, CaseCommandArgs& args);
CLI::App* addSheetCommand(CLI::App& app, CaseCommandArgs& args);

// Exit status 0 when done, 1 when a file or the calculation failed (message on stderr); `calc`
// also when its case was not calculated, not when it fails or its inputs are out of limits.
// `new` refuses to replace an existing file without --force.
int runNewCommand(const CaseCommandArgs& args);
int runCalcCommand(const CaseCommandArgs& args);
int runReportCommand(const CaseCommandArgs& args);
// `sheet`: PDF through the report helper, HTML or JSON itself; a case that was not calculated
// gets no sheet ("The case was not calculated: " and why on stderr, exit status 1).
int runSheetCommand(const CaseCommandArgs& args);

} // namespace velmora
