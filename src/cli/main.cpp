// velmora-dnv-cli: the calculation core from the command line. Each command has its own pair of
// functions (add its options, run it); main only parses and hands over.
#include "cli/CaseCommands.h"
#include "cli/DatabaseCommands.h"
#include "cli/StudyCommands.h"

#include <CLI/CLI.hpp>

using namespace velmora;

int main(int argc, char** argv) {
    CLI::App app{"Velmora DNV: cylinder shell buckling based on DNV-RP-C202"};
    app.set_version_flag("--version", "velmora-dnv-cli (Velmora DNV) " VELMORA_VERSION,
                         "Print the program name and version and exit");
    app.require_subcommand(1);

    CaseCommandArgs newArgs;
    CLI::App* cmdNew = addNewCommand(app, newArgs);
    CaseCommandArgs calcArgs;
    CLI::App* cmdCalc = addCalcCommand(app, calcArgs);
    DatabaseCommandArgs batchArgs;
    CLI::App* cmdBatch = addBatchCommand(app, batchArgs);
    DatabaseCommandArgs summaryArgs;
    CLI::App* cmdSummary = addSummaryCommand(app, summaryArgs);
    CaseCommandArgs reportArgs;
    CLI::App* cmdReport = addReportCommand(app, reportArgs);
    CaseCommandArgs sheetArgs;
    CLI::App* cmdSheet = addSheetCommand(app, sheetArgs);
    StudyCommandArgs sweepArgs;
    CLI::App* cmdSweep = addSweepCommand(app, sweepArgs);
    StudyCommandArgs optimiseArgs;
    CLI::App* cmdOptimise = addOptimiseCommand(app, optimiseArgs);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return 2;
    }

    if (cmdNew->parsed())
        return runNewCommand(newArgs);
    if (cmdCalc->parsed())
        return runCalcCommand(calcArgs);
    if (cmdBatch->parsed())
        return runBatchCommand(batchArgs);
    if (cmdSummary->parsed())
        return runSummaryCommand(summaryArgs);
    if (cmdReport->parsed())
        return runReportCommand(reportArgs);
    if (cmdSheet->parsed())
        return runSheetCommand(sheetArgs);
    if (cmdSweep->parsed())
        return runSweepCommand(sweepArgs);
    if (cmdOptimise->parsed())
        return runOptimiseCommand(optimiseArgs);
    return 2;
}
