#include "cli/DatabaseCommands.h"

#include "calc/DatabaseRows.h"
#include "calc/State.h"
#include "cli/CliCommon.h"
#include "database/Batch.h"
#include "database/Workbook.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>
#include <vector>

namespace velmora {

namespace {

// Rows whose calculation stopped, and the warnings of the runs, on stderr.
void reportRows(const std::vector<RowMessage>& stopped, const std::vector<RowMessage>& warnings) {
    for (const RowMessage& w : warnings)
        std::cerr << "Row " << (w.row + 1) << " (" << w.identification << "): " << w.text << '\n';
    if (!stopped.empty())
        std::cerr << stoppedRowsMessage(stopped) << '\n';
}

} // namespace

CLI::App* addBatchCommand(CLI::App& app, DatabaseCommandArgs& args) {
    CLI::App* cmd = app.add_subcommand(
        "batch", "Calculate every row of a database file and write its results file");
    cmd->add_option("DATABASE", args.databasePath, "Database file to read (_in.csv)")->required();
    cmd->add_option("RESULTS", args.outputPath, "Results file to write (_out.csv)")->required();
    addDataDirOption(cmd, args.dataDir);
    return cmd;
}

CLI::App* addSummaryCommand(CLI::App& app, DatabaseCommandArgs& args) {
    CLI::App* cmd = app.add_subcommand(
        "summary", "Calculate every row of a database file and write its summary as a workbook");
    cmd->add_option("DATABASE", args.databasePath, "Database file to read (_in.csv)")->required();
    cmd->add_option("-o,--output", args.outputPath, "Workbook to write (.xlsx)")->required();
    const char* const groupFlags[SummaryGroup::Count][2] = {
        {"--stiffener-inputs", "Stiffener spacing and profile"},
        {"--ring-inputs", "Ring-frame spacing and profile"},
        {"--stress-inputs", "Sigx, Sigy and Tau"},
        {"--column-inputs", "Column length, axial force and end moments"},
        {"--stiffener-results", "Stiffener usage factor"},
        {"--ring-results", "Ring-frame area and inertia usage factors"},
        {"--column-results", "Column usage factors UF1 and UF2"}};
    for (int g = 0; g < SummaryGroup::Count; ++g)
        cmd->add_flag(groupFlags[g][0], args.chosen[static_cast<size_t>(g)], groupFlags[g][1]);
    cmd->add_flag("--no-groups", args.noGroups,
                  "Only the chosen groups; with none chosen, the columns always shown");
    addDataDirOption(cmd, args.dataDir);
    return cmd;
}

int runBatchCommand(const DatabaseCommandArgs& args) {
    State st;
    if (!loadDatabase(st, args.databasePath, args.dataDir))
        return 1;
    const BatchResult result = writeResultsFile(st, args.outputPath);
    reportRows(result.stopped, result.warnings);
    if (!result.error.empty()) {
        std::cerr << result.error << '\n';
        return 1;
    }
    return result.stopped.empty() ? 0 : 1;
}

int runSummaryCommand(const DatabaseCommandArgs& args) {
    State st;
    if (!loadDatabase(st, args.databasePath, args.dataDir))
        return 1;
    // Column groups: all on unless some are chosen; --no-groups leaves the fixed columns only.
    const bool any = std::find(args.chosen.begin(), args.chosen.end(), true) != args.chosen.end();
    const SummaryGroups groups = (any || args.noGroups)
                                     ? args.chosen
                                     : SummaryGroups{true, true, true, true, true, true, true};
    const SummaryTable table = buildSummaryTable(st, groups);
    reportRows(table.stopped, table.warnings);
    const std::string written = writeSummaryWorkbook(table, args.outputPath);
    if (!written.empty()) {
        std::cerr << written << '\n';
        return 1;
    }
    return table.stopped.empty() ? 0 : 1;
}

} // namespace velmora
