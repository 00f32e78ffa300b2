// velmora-dnv-cli: the calculation core from the command line.
#include "base/NumberText.h"
#include "calc/Calc.h"
#include "calc/CaseIo.h"
#include "calc/CommandLine.h"
#include "calc/DatabaseRows.h"
#include "calc/State.h"
#include "case/Notifier.h"
#include "cli/CaseJson.h"
#include "cli/StudyCommands.h"
#include "database/Batch.h"
#include "database/Summary.h"
#include "database/Workbook.h"
#include "files/CaseFile.h"
#include "files/DataFiles.h"
#include "files/DatabaseFile.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

using namespace velmora;
using nlohmann::ordered_json;

namespace {

constexpr const char* kReportHelper = "velmora-dnv-report";

// Prepares a state with the data files (the decimal separator follows the user's locale, as the
// window's does); false (with the messages on stderr) when a file failed.
bool prepareState(State& st, const std::string& dataDir) {
    const auto messages = prepareCommandLineState(st, dataDir);
    for (const auto& m : messages)
        std::cerr << m << '\n';
    return messages.empty();
}

ordered_json panelJson(const ResultPanel& p) {
    ordered_json rows = ordered_json::array();
    for (int i = 0; i <= p.lineCount && i < 16; ++i)
        rows.push_back({{"label", p.label[i]}, {"value", p.value[i]}, {"unit", p.unit[i]}});
    return rows;
}

ordered_json sectionJson(const SectionProps& s) {
    return {{"A", s.A},   {"Aw", s.Aw}, {"Af", s.Af}, {"g", s.g},
            {"zc", s.zc}, {"Iy", s.Iy}, {"Iz", s.Iz}, {"hw", s.hw}};
}

// Which panels the window shows for the case.
struct Shown {
    bool shell, stiffener, ring, column;
};

Shown shownPanels(const DesignCase& d) {
    return {true, d.cylinderType == CylinderType::StringerStiffened,
            d.ringControl == 1 && (d.cylinderType == CylinderType::RingStiffened ||
                                   d.cylinderType == CylinderType::StringerStiffened),
            d.cylinderType == CylinderType::Column};
}

void printPanel(const ResultPanel& p) {
    for (int i = 0; i <= p.lineCount && i < 16; ++i) {
        if (i == 0) {
            std::printf("%s\n", p.label[0].c_str());
            continue;
        }
        std::printf("  %-36s %10s%s\n", p.label[i].c_str(), p.value[i].c_str(), p.unit[i].c_str());
    }
    std::printf("\n");
}

void printText(const char* name, const std::string& text) {
    if (!text.empty())
        std::printf("  %-28s %s\n", name, text.c_str());
}

// A state with the tables of `dataDir` and the case of `path`, opened and calculated as the
// window opens it; false, with the message on stderr, when either cannot be read.
bool loadCase(State& st, WarningCollector& nt, const std::string& path,
              const std::string& dataDir) {
    if (!prepareState(st, dataDir))
        return false;
    const std::string error = openCase(st, nt, path);
    if (!error.empty()) {
        std::cerr << error << '\n';
        return false;
    }
    return true;
}

int runCalc(const std::string& path, bool json, const std::string& dataDir) {
    State st;
    WarningCollector nt;
    if (!loadCase(st, nt, path, dataDir))
        return 1;
    // openCase calculated the case; its warnings and the run's outcome are in the notifier.
    const bool completed = st.run.lastRunCompleted;
    const Shown shown = shownPanels(st.dc);
    const CaseResults& r = st.res;
    if (json) {
        ordered_json out;
        out["case"] = caseJson(st.dc);
        out["panels"] = {{"shell", panelJson(r.shellPanel)},
                         {"stiffener", panelJson(r.stiffPanel)},
                         {"ring", panelJson(r.ringPanel)},
                         {"column", panelJson(r.columnPanel)}};
        ordered_json stiff = sectionJson(r.stiffSection);
        stiff["stiffProfileText"] = r.stiffProfileText;
        stiff["webCheckText"] = r.webCheckText;
        stiff["flangeCheckText"] = r.flangeCheckText;
        ordered_json ring = sectionJson(r.ringSection);
        ring["ringProfileText"] = r.ringProfileText;
        ring["ringWebCheckText"] = r.ringWebCheckText;
        ring["ringSlendernessCheckText"] = r.ringSlendernessCheckText;
        ring["ringFlangeCheckText"] = r.ringFlangeCheckText;
        ring["ringEccentricityCheckText"] = r.ringEccentricityCheckText;
        out["sections"] = {{"stiffener", stiff}, {"ring", ring}};
        out["slenderNote"] = r.slenderNote;
        out["messages"] = nt.warnings;
        out["completed"] = completed;
        std::cout << out.dump(2) << '\n';
    } else {
        std::printf("%s\n%s\n\n", st.dc.projectName.c_str(), st.dc.identification.c_str());
        if (shown.shell)
            printPanel(r.shellPanel);
        if (shown.stiffener) {
            if (r.slenderNote)
                std::printf("Note: s/t>3* Sqr(r/t) ==>\n\n");
            printPanel(r.stiffPanel);
        }
        if (shown.column)
            printPanel(r.columnPanel);
        if (shown.ring)
            printPanel(r.ringPanel);
        if (st.dc.cylinderType == CylinderType::StringerStiffened) {
            std::printf("Stiffener profile\n");
            printText("stiffProfileText", r.stiffProfileText);
            printText("webCheckText", r.webCheckText);
            printText("flangeCheckText", r.flangeCheckText);
            std::printf("\n");
        }
        if (shown.ring || st.dc.cylinderType == CylinderType::RingStiffened) {
            std::printf("Ring-frame profile\n");
            printText("ringProfileText", r.ringProfileText);
            printText("ringWebCheckText", r.ringWebCheckText);
            printText("ringSlendernessCheckText", r.ringSlendernessCheckText);
            printText("ringFlangeCheckText", r.ringFlangeCheckText);
            printText("ringEccentricityCheckText", r.ringEccentricityCheckText);
            std::printf("\n");
        }
        for (const auto& m : nt.warnings)
            std::printf("Message: %s\n", m.c_str());
    }
    if (!completed)
        std::cerr << st.run.calcMessage << '\n';
    return completed ? 0 : 1;
}

int runNew(const std::string& path, const std::string& dataDir) {
    State st;
    if (!prepareState(st, dataDir))
        return 1;
    // Calculate once so that the yield strengths stored in the file are the looked-up ones.
    WarningCollector nt;
    calcAll(st, nt);
    const std::string error = writeCaseFile(st, path);
    if (!error.empty()) {
        std::cerr << error << '\n';
        return 1;
    }
    return 0;
}

// Rows whose calculation stopped, and the warnings of the runs, on stderr.
void reportRows(const std::vector<RowMessage>& stopped, const std::vector<RowMessage>& warnings) {
    for (const RowMessage& w : warnings)
        std::cerr << "Row " << (w.row + 1) << " (" << w.identification << "): " << w.text << '\n';
    if (!stopped.empty())
        std::cerr << stoppedRowsMessage(stopped) << '\n';
}

// A state with the tables of `dataDir` and the database of `inPath`; false, with the message
// on stderr, when either cannot be read.
bool loadDatabase(State& st, const std::string& inPath, const std::string& dataDir) {
    if (!prepareState(st, dataDir))
        return false;
    const std::string error = readDatabaseFile(st, inPath);
    if (!error.empty()) {
        std::cerr << error << '\n';
        return false;
    }
    return true;
}

int runBatch(const std::string& inPath, const std::string& outPath, const std::string& dataDir) {
    State st;
    if (!loadDatabase(st, inPath, dataDir))
        return 1;
    const BatchResult result = writeResultsFile(st, outPath);
    reportRows(result.stopped, result.warnings);
    if (!result.error.empty()) {
        std::cerr << result.error << '\n';
        return 1;
    }
    return result.stopped.empty() ? 0 : 1;
}

int runSummary(const std::string& inPath, const std::string& outPath, const SummaryGroups& groups,
               const std::string& dataDir) {
    State st;
    if (!loadDatabase(st, inPath, dataDir))
        return 1;
    const SummaryTable table = buildSummaryTable(st, groups);
    reportRows(table.stopped, table.warnings);
    const std::string written = writeSummaryWorkbook(table, outPath);
    if (!written.empty()) {
        std::cerr << written << '\n';
        return 1;
    }
    return table.stopped.empty() ? 0 : 1;
}

// The report helper: beside this program in a build or a plain install, or in the libexec
// folder of the install prefix. Empty when there is none.
std::string reportHelperPath() {
    namespace fs = std::filesystem;
    const fs::path here(executableDir());
    for (const fs::path& p : {here / kReportHelper, here / ".." / "libexec" / kReportHelper,
                              here / ".." / "libexec" / "velmora-dnv" / kReportHelper}) {
        std::error_code ec;
        if (fs::is_regular_file(p, ec))
            return p.lexically_normal().string();
    }
    return "";
}

// Hands the report command to the helper, which opens the case as the window does and writes
// its report page as PDF; its messages and exit status are the command's.
int runReport(const std::string& path, const std::string& pdfPath, const std::string& dataDir) {
    const std::string helper = reportHelperPath();
    if (helper.empty()) {
        std::cerr << "the report helper " << kReportHelper << " is not installed beside "
                  << executableDir() << " or in the libexec folder of its prefix; no report "
                  << "written\n";
        return 1;
    }
    std::vector<std::string> args = {helper, path, "-o", pdfPath};
    if (!dataDir.empty()) {
        args.push_back("--data-dir");
        args.push_back(dataDir);
    }
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, helper.c_str(), nullptr, nullptr, argv.data(), environ);
    if (spawned != 0) {
        std::cerr << "the report helper " << helper
                  << " cannot be started: " << std::strerror(spawned) << "; no report written\n";
        return 1;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            std::cerr << "the report helper " << helper << " was lost; no report written\n";
            return 1;
        }
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status) == 0 ? 0 : 1;
    std::cerr << "the report helper " << helper << " stopped abnormally; no report written\n";
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Velmora DNV: cylinder shell buckling based on DNV-RP-C202"};
    app.require_subcommand(1);
    std::string dataDir;
    auto addDataDir = [&dataDir](CLI::App* cmd) {
        cmd->add_option("--data-dir", dataDir,
                        "Folder with DNVmat.dat and the profile tables (default: beside the "
                        "program)");
    };

    std::string newPath;
    CLI::App* cmdNew = app.add_subcommand("new", "Write a new design case to a case file");
    cmdNew->add_option("CASE", newPath, "Case file to write (.cys)")->required();
    addDataDir(cmdNew);

    std::string calcPath;
    bool json = false;
    CLI::App* cmdCalc = app.add_subcommand(
        "calc", "Open a case file, calculate it and print the result panels and messages");
    cmdCalc->add_option("CASE", calcPath, "Case file to calculate (.cys)")->required();
    cmdCalc->add_flag("--json", json, "Print one JSON object with case, panels and messages");
    addDataDir(cmdCalc);

    std::string batchIn;
    std::string batchOut;
    CLI::App* cmdBatch = app.add_subcommand(
        "batch", "Calculate every row of a database file and write its results file");
    cmdBatch->add_option("DATABASE", batchIn, "Database file to read (_in.csv)")->required();
    cmdBatch->add_option("RESULTS", batchOut, "Results file to write (_out.csv)")->required();
    addDataDir(cmdBatch);

    std::string summaryIn;
    std::string summaryOut;
    CLI::App* cmdSummary = app.add_subcommand(
        "summary", "Calculate every row of a database file and write its summary as a workbook");
    cmdSummary->add_option("DATABASE", summaryIn, "Database file to read (_in.csv)")->required();
    cmdSummary->add_option("-o,--output", summaryOut, "Workbook to write (.xlsx)")->required();
    // Column groups: all on unless some are chosen; --no-groups leaves the fixed columns only.
    SummaryGroups chosen{};
    const char* const groupFlags[SummaryGroup::Count][2] = {
        {"--stiffener-inputs", "Stiffener spacing and profile"},
        {"--ring-inputs", "Ring-frame spacing and profile"},
        {"--stress-inputs", "Sigx, Sigy and Tau"},
        {"--column-inputs", "Column length, axial force and end moments"},
        {"--stiffener-results", "Stiffener usage factor"},
        {"--ring-results", "Ring-frame area and inertia usage factors"},
        {"--column-results", "Column usage factors UF1 and UF2"}};
    for (int g = 0; g < SummaryGroup::Count; ++g)
        cmdSummary->add_flag(groupFlags[g][0], chosen[static_cast<size_t>(g)], groupFlags[g][1]);
    bool noGroups = false;
    cmdSummary->add_flag("--no-groups", noGroups,
                         "Only the chosen groups; with none chosen, the columns always shown");
    addDataDir(cmdSummary);

    std::string reportPath;
    std::string reportOut;
    CLI::App* cmdReport = app.add_subcommand(
        "report", "Open a case file, calculate it and write its one-page report as PDF");
    cmdReport->add_option("CASE", reportPath, "Case file to report (.cys)")->required();
    cmdReport->add_option("-o,--output", reportOut, "PDF file to write")->required();
    addDataDir(cmdReport);

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
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return 2;
    }

    if (cmdReport->parsed())
        return runReport(reportPath, reportOut, dataDir);
    if (cmdSweep->parsed())
        return runSweepCommand(sweepArgs);
    if (cmdOptimise->parsed())
        return runOptimiseCommand(optimiseArgs);
    if (cmdNew->parsed())
        return runNew(newPath, dataDir);
    if (cmdCalc->parsed())
        return runCalc(calcPath, json, dataDir);
    if (cmdBatch->parsed())
        return runBatch(batchIn, batchOut, dataDir);
    if (cmdSummary->parsed()) {
        SummaryGroups groups{};
        const bool any = std::find(chosen.begin(), chosen.end(), true) != chosen.end();
        groups =
            (any || noGroups) ? chosen : SummaryGroups{true, true, true, true, true, true, true};
        return runSummary(summaryIn, summaryOut, groups, dataDir);
    }
    return 2;
}
