#include "cli/StudyCommands.h"

#include "base/NumberText.h"
#include "calc/Calc.h"
#include "calc/CaseIo.h"
#include "calc/State.h"
#include "case/LoadCases.h"
#include "case/Notifier.h"
#include "checks/PanelTexts.h"
#include "cli/CliCommon.h"
#include "study/Study.h"
#include "study/StudyCsv.h"
#include "study/StudyInputs.h"
#include "json/CaseSource.h"
#include "json/StudyJson.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

namespace velmora {

namespace {

void addCommonOptions(CLI::App* cmd, StudyCommandArgs& args) {
    cmd->add_option("CASE", args.casePath, "Case to study (.cys, or a JSON case .json)")
        ->required();
    cmd->add_option("--vary", args.vary,
                    "Input and its range NAME=FROM:TO:STEP (TO included when the steps reach "
                    "it); repeat for a grid of several inputs")
        ->required();
    cmd->add_flag("--proportions", args.proportions,
                  "Accepted for older scripts; changes nothing, since every verdict includes the "
                  "proportion limits (Ch 3.10) of the profiles in use");
    cmd->add_option("--load-case", args.loadCases,
                    "Study only this load case (repeat for several; default: every load case of "
                    "the case); varied loads are those of the first one named, else of the "
                    "selected load case");
    cmd->add_option("--threads", args.threads, "Threads to calculate on (default: one per core)");
    addDataDirOption(cmd, args.dataDir);
}

// The case of the command, opened and calculated as the window opens it, and its grid. Returns
// 0 with both ready, or the exit status after the message on stderr.
int prepareStudy(const StudyCommandArgs& args, State& st, StudyGrid& grid) {
    std::vector<StudyRange> ranges;
    for (const std::string& rangeText : args.vary) {
        StudyRange r;
        const std::string error = parseStudyRange(rangeText, r);
        if (!error.empty()) {
            std::cerr << error << '\n';
            return 2;
        }
        ranges.push_back(r);
    }
    WarningCollector nt;
    if (!loadCase(st, nt, args.casePath, args.dataDir))
        return 1;
    if (!args.loadCases.empty()) {
        const std::string error = restrictLoadCases(st.dc, args.loadCases);
        if (!error.empty()) {
            std::cerr << error << '\n';
            return 2;
        }
        QuietNotifier quiet;
        calcAll(st, quiet);
    }
    reportInputLimits(st);
    const std::string gridError = makeStudyGrid(st, ranges, grid);
    if (!gridError.empty()) {
        std::cerr << gridError << '\n';
        return 2;
    }
    return 0;
}

StudyControl control(const StudyCommandArgs& args) {
    StudyControl c;
    c.threads = args.threads;
    return c;
}

// The name of the point's governing load case.
std::string loadCaseName(const State& st, const StudyPoint& p) {
    return p.loadCase < loadCaseCount(st.dc) ? loadCaseAt(st.dc, p.loadCase).name : "";
}

std::string inputsText(const State& st, const StudyGrid& grid, const StudyPoint& p, char sep) {
    std::string s;
    for (size_t k = 0; k < grid.axes.size(); ++k) {
        if (k)
            s += ", ";
        const std::string& name = grid.axes[k].range.name;
        s += name + " = " + studyValueText(st, name, p.inputs[k], sep);
    }
    return s;
}

std::string checkText(StudyCheck c, const StudyCheckValue& v, char sep) {
    return std::string(studyCheckName(c)) + " " + formatNumber(v.uf, "0.000", sep) +
           std::string(comparisonSign(v.exceeds())) + formatNumber(v.permitted, "0.00", sep);
}

// "shell 0.712 <= 1.00, ringArea 1.026 > 1.00", or why the run stopped.
std::string checksText(const StudyPoint& p, char sep) {
    if (!p.completed)
        return "stopped:" + p.message;
    std::string s;
    for (int c = 0; c < kStudyCheckCount; ++c) {
        const StudyCheckValue& v = p.checks[static_cast<size_t>(c)];
        if (!v.present)
            continue;
        if (!s.empty())
            s += ", ";
        s += checkText(static_cast<StudyCheck>(c), v, sep);
    }
    return s;
}

// "; governing shell; passes": the governing check and the point's verdict ("passes", "fails",
// "inputs out of limits", "not calculated").
std::string verdictText(const State& st, const StudyPoint& p) {
    std::string s;
    if (loadCaseCount(st.dc) > 1)
        s += "; load case " + loadCaseName(st, p);
    if (p.governing)
        s += std::string("; governing ") + studyCheckName(*p.governing);
    if (p.completed && !p.proportionsOk)
        s += "; proportions NOK";
    return s + "; " + verdictStatusJson(p.status);
}

std::string thresholdText(const StudyThreshold& t, char sep) {
    const std::string lo = formatGeneral(t.between[0], sep);
    const std::string hi = formatGeneral(t.between[1], sep);
    return "  " + t.name + ": passes " + (t.passesBelow ? "up to " : "from ") +
           formatGeneral(t.value, sep) + " (between " + lo + " and " + hi + "; fails " +
           (t.passesBelow ? "above" : "below") + " it on " + t.governing + ")";
}

void printThresholds(const StudyGrid& grid, const SweepResult& r, char sep) {
    if (grid.axes.size() != 1) {
        std::printf("Thresholds: found for a sweep of one input only\n");
        return;
    }
    if (r.thresholds.empty()) {
        std::printf("Thresholds: none, every point %s\n",
                    !r.points.empty() && r.points.front().passes ? "passes" : "fails");
        return;
    }
    std::printf("Thresholds:\n");
    for (const StudyThreshold& t : r.thresholds)
        std::printf("%s\n", thresholdText(t, sep).c_str());
}

} // namespace

CLI::App* addSweepCommand(CLI::App& app, StudyCommandArgs& args) {
    CLI::App* cmd = app.add_subcommand(
        "sweep", "Calculate the case over a range (or grid) of inputs: usage factors, governing "
                 "check and verdict of every point, then the thresholds of passing");
    addCommonOptions(cmd, args);
    CLI::Option* json = cmd->add_flag("--json", args.json,
                                      "Print one JSON object with case, ranges, points "
                                      "and thresholds");
    cmd->add_option("--csv", args.csvPath, "Write the points to a comma-separated table")
        ->excludes(json);
    return cmd;
}

CLI::App* addOptimiseCommand(CLI::App& app, StudyCommandArgs& args) {
    CLI::App* cmd = app.add_subcommand(
        "optimise", "Calculate every point of the grid of inputs and print the lightest "
                    "passing designs (steel mass per metre of cylinder)");
    addCommonOptions(cmd, args);
    cmd->add_option("--top", args.top, "How many of the lightest passing designs (default 10)")
        ->check(CLI::PositiveNumber);
    cmd->add_flag("--json", args.json, "Print one JSON object with the designs and the counts");
    cmd->add_option("-o,--output", args.bestPath, "Write the lightest design as a case file");
    return cmd;
}

int runSweepCommand(const StudyCommandArgs& args) {
    State st;
    StudyGrid grid;
    if (const int rc = prepareStudy(args, st, grid); rc != 0)
        return rc;
    const SweepResult r = runSweep(st, grid, StudyOptions{args.proportions}, control(args));
    const char sep = st.decimalSep();
    if (args.json) {
        std::cout << sweepJson(st, grid, r).dump(2) << '\n';
        return 0;
    }
    if (!args.csvPath.empty()) {
        const std::string error = writeStudyCsv(args.csvPath, grid, r.points, r.loadCaseNames);
        if (!error.empty()) {
            std::cerr << error << '\n';
            return 1;
        }
    } else {
        for (const StudyPoint& p : r.points)
            std::printf("%s: %s%s\n", inputsText(st, grid, p, sep).c_str(),
                        checksText(p, sep).c_str(), verdictText(st, p).c_str());
    }
    printThresholds(grid, r, sep);
    return 0;
}

int runOptimiseCommand(const StudyCommandArgs& args) {
    State st;
    StudyGrid grid;
    if (const int rc = prepareStudy(args, st, grid); rc != 0)
        return rc;
    const LightestResult r =
        findLightest(st, grid, args.top, StudyOptions{args.proportions}, control(args));
    const char sep = st.decimalSep();
    if (args.json) {
        std::cout << lightestJson(st, grid, r).dump(2) << '\n';
    } else if (!r.designs.empty()) {
        std::printf("%lld of %lld points pass; the %zu lightest:\n",
                    static_cast<long long>(r.passing), static_cast<long long>(r.evaluated),
                    r.designs.size());
        int rank = 0;
        for (const StudyPoint& p : r.designs)
            std::printf(
                "%3d. %s: %s kg/m; %sgoverning %s; %s; %s\n", ++rank,
                inputsText(st, grid, p, sep).c_str(), formatNumber(p.mass, "0.0", sep).c_str(),
                loadCaseCount(st.dc) > 1 ? ("load case " + loadCaseName(st, p) + ", ").c_str() : "",
                studyCheckName(*p.governing), checksText(p, sep).c_str(),
                verdictStatusJson(p.status));
    }
    if (r.designs.empty()) {
        std::cerr << "none of the " << r.evaluated << " points passes"
                  << (args.bestPath.empty() ? "" : "; no case file written") << '\n';
        return 1;
    }
    if (!args.bestPath.empty()) {
        // The lightest design as the window would hold it: its values stored, calculated with
        // every text, then saved.
        QuietNotifier nt;
        applyStudyValues(st, nt, grid, r.designs.front().inputs);
        calcAll(st, nt);
        const std::string error = saveCase(st.dc, args.bestPath);
        if (!error.empty()) {
            std::cerr << error << '\n';
            return 1;
        }
    }
    return 0;
}

} // namespace velmora
