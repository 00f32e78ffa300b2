#include "cli/CaseCommands.h"

#include "base/FileIo.h"
#include "base/NumberText.h"
#include "calc/Calc.h"
#include "calc/CaseIo.h"
#include "calc/CommandLine.h"
#include "calc/State.h"
#include "calc/Verdict.h"
#include "case/LoadCases.h"
#include "case/Notifier.h"
#include "cli/CliCommon.h"
#include "files/CaseFile.h"
#include "files/DataFiles.h"
#include "report/CalcSheet.h"
#include "json/CalcJson.h"
#include "json/CaseJson.h"
#include "json/CaseSource.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace velmora {

using nlohmann::ordered_json;

namespace {

constexpr const char* kReportHelper = "velmora-dnv-report";

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

void printChecks(const State& st, const Verdict& v, const char* heading, const char* indent) {
    bool any = false;
    for (int c = 0; c < kCheckCount; ++c) {
        const CheckValue& value = v.checks[static_cast<size_t>(c)];
        if (!value.present)
            continue;
        if (!any)
            std::printf("%s", heading);
        any = true;
        std::printf("%s%s\n", indent,
                    checkLine(static_cast<CheckId>(c), value, st.dc, st.decimalSep()).c_str());
    }
}

// Every load case: its name, format and usage factor, its checks and its verdict.
void printLoadCases(const State& st) {
    const char sep = st.decimalSep();
    std::printf("\nLoad cases\n");
    for (int i = 0; i < loadCaseCount(st.dc); ++i) {
        const LoadCase lc = loadCaseAt(st.dc, i);
        const bool wsd = lc.designFormat == DesignFormat::WSD;
        std::printf("  %s: %s, %s %s%s\n", lc.name.c_str(), wsd ? "WSD" : "LRFD", wsd ? "n0" : "UF",
                    formatNumber(lc.UF, "0.00", sep).c_str(),
                    i == st.dc.selectedLoadCase ? " (selected: the panels above)" : "");
        const Verdict lv = loadCaseVerdict(st, i);
        printChecks(st, lv, "", "    ");
        std::printf("    %s\n", lv.line.c_str());
    }
}

// The result of a calculated case as text: the panels the window shows, the profile texts and
// the messages of the run.
void printCalc(const State& st, const WarningCollector& nt) {
    const Shown shown = shownPanels(st.dc);
    const CaseResults& r = st.res;
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
    // The checks the verdict weighs, then the verdict itself as the last line; with several
    // load cases each one's checks and verdict first.
    const Verdict v = caseVerdict(st);
    if (loadCaseCount(st.dc) > 1) {
        printLoadCases(st);
    } else {
        printChecks(st, v, "\nChecks\n", "  ");
    }
    std::printf("\n%s\n", v.line.c_str());
}

// The case file of a JSON case, removed with its folder when done.
struct TemporaryCaseFile {
    std::string dir;
    std::string path;

    std::string make(const std::string& jsonPath) {
        namespace fs = std::filesystem;
        State st;
        newCase(st);
        DesignCase dc;
        std::string error = readJsonCase(jsonPath, st.dc, dc);
        if (!error.empty())
            return error;
        std::string pattern = (fs::temp_directory_path() / "velmora-case-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            return "no temporary folder for the case of " + jsonPath;
        dir = pattern;
        path = (fs::path(dir) / fs::path(jsonPath).stem()).string() + ".cys";
        error = writeCaseFile(dc, path);
        return error;
    }

    ~TemporaryCaseFile() {
        if (dir.empty())
            return;
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

} // namespace

CLI::App* addNewCommand(CLI::App& app, CaseCommandArgs& args) {
    CLI::App* cmd = app.add_subcommand("new", "Write a new design case to a case file");
    cmd->add_option("CASE", args.casePath, "Case file to write (.cys, or .json for a JSON case)")
        ->required();
    cmd->add_flag("--force", args.force, "Replace the file if it exists");
    addDataDirOption(cmd, args.dataDir);
    return cmd;
}

CLI::App* addCalcCommand(CLI::App& app, CaseCommandArgs& args) {
    CLI::App* cmd = app.add_subcommand(
        "calc", "Open a case file, calculate it and print the result panels, messages, checks "
                "and the verdict (exit status 1 when the case could not be calculated)");
    cmd->add_option("CASE", args.casePath, "Case to calculate (.cys, or a JSON case .json)")
        ->required();
    cmd->add_flag("--json", args.json,
                  "Print one JSON object with case, panels, messages, checks and verdict");
    addDataDirOption(cmd, args.dataDir);
    return cmd;
}

CLI::App* addReportCommand(CLI::App& app, CaseCommandArgs& args) {
    CLI::App* cmd = app.add_subcommand(
        "report", "Open a case file, calculate it and write its one-page report as PDF");
    cmd->add_option("CASE", args.casePath, "Case to report (.cys, or a JSON case .json)")
        ->required();
    cmd->add_option("-o,--output", args.outputPath, "PDF file to write")->required();
    addDataDirOption(cmd, args.dataDir);
    return cmd;
}

int runNewCommand(const CaseCommandArgs& args) {
    std::error_code ec;
    if (!args.force && std::filesystem::exists(args.casePath, ec)) {
        std::cerr << args.casePath << " exists already; give --force to replace it\n";
        return 1;
    }
    State st;
    if (!prepareState(st, args.dataDir))
        return 1;
    // Calculate once so that the yield strengths stored in the file are the looked-up ones.
    WarningCollector nt;
    calcAll(st, nt);
    const std::string error = saveCase(st.dc, args.casePath);
    if (!error.empty()) {
        std::cerr << error << '\n';
        return 1;
    }
    return 0;
}

int runCalcCommand(const CaseCommandArgs& args) {
    State st;
    WarningCollector nt;
    if (!loadCase(st, nt, args.casePath, args.dataDir))
        return 1;
    // openCase calculated the case; its warnings and the run's outcome are in the notifier.
    reportInputLimits(st);
    if (args.json)
        std::cout << calcJson(st, nt).dump(2) << '\n';
    else
        printCalc(st, nt);
    if (!st.run.lastRunCompleted)
        std::cerr << st.run.calcMessage << '\n';
    // A case that fails or whose inputs are out of limits was calculated all the same.
    return caseVerdict(st).status == VerdictStatus::NotCalculated ? 1 : 0;
}

namespace {

// Hands the work to the report helper, which opens the case as the window does and writes its
// report page (or with `sheet` its calculation sheet) as PDF; its messages and exit status are
// the command's.
int runReportHelper(const CaseCommandArgs& args, bool sheet) {
    const std::string helper = reportHelperPath();
    if (helper.empty()) {
        std::cerr << "the report helper " << kReportHelper << " is not installed beside "
                  << executableDir() << " or in the libexec folder of its prefix; no report "
                  << "written\n";
        return 1;
    }
    // A JSON case goes to the helper as the case file it stands for, in a folder of its own.
    std::string casePath = args.casePath;
    TemporaryCaseFile temporary;
    if (isJsonCase(casePath)) {
        const std::string error = temporary.make(casePath);
        if (!error.empty()) {
            std::cerr << error << "; no report written\n";
            return 1;
        }
        casePath = temporary.path;
    }
    std::vector<std::string> argList = {helper, casePath, "-o", args.outputPath};
    if (sheet)
        argList.insert(argList.begin() + 1, "--sheet");
    if (!args.dataDir.empty()) {
        argList.push_back("--data-dir");
        argList.push_back(args.dataDir);
    }
    std::vector<char*> argv;
    for (std::string& a : argList)
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

int runReportCommand(const CaseCommandArgs& args) {
    return runReportHelper(args, false);
}

CLI::App* addSheetCommand(CLI::App& app, CaseCommandArgs& args) {
    CLI::App* cmd = app.add_subcommand(
        "sheet", "Open a case file, calculate it and write its calculation sheet: every step "
                 "with its formula, the numbers put in and the result (PDF or HTML by the "
                 "extension of -o, or the lines as JSON with --json)");
    cmd->add_option("CASE", args.casePath, "Case file (.cys)")->required();
    cmd->add_option("-o,--output", args.outputPath, "PDF or HTML file to write");
    cmd->add_flag("--json", args.json, "Print the sheet's lines and the verdict as JSON");
    addDataDirOption(cmd, args.dataDir);
    return cmd;
}

namespace {

// "2026-12-09 18:30" in local time, as the title block of the sheet shows it.
std::string localDateTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    const size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return std::string(text, n);
}

bool endsWith(const std::string& text, const std::string& tail) {
    if (text.size() < tail.size())
        return false;
    std::string end = text.substr(text.size() - tail.size());
    for (char& c : end)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return end == tail;
}

ordered_json sheetJson(const CalcSheet& sheet) {
    ordered_json lines = ordered_json::array();
    for (const TraceLine& l : sheet.lines) {
        ordered_json line = {{"check", l.check},     {"symbol", l.symbol},
                             {"formula", l.formula}, {"expression", l.expression},
                             {"value", l.value},     {"unit", l.unit},
                             {"ref", l.ref}};
        if (!l.branch.empty())
            line["branch"] = l.branch;
        lines.push_back(std::move(line));
    }
    return {{"lines", std::move(lines)}, {"verdict", caseVerdictJson(sheet.verdict)}};
}

} // namespace

int runSheetCommand(const CaseCommandArgs& args) {
    const bool pdf = endsWith(args.outputPath, ".pdf");
    const bool html = endsWith(args.outputPath, ".html") || endsWith(args.outputPath, ".htm");
    if (args.json == !args.outputPath.empty() || (!args.json && !pdf && !html)) {
        std::cerr << "sheet: give either -o SHEET.pdf, -o SHEET.html or --json\n";
        return 2;
    }
    if (pdf)
        return runReportHelper(args, true);
    State st;
    WarningCollector nt;
    if (!loadCase(st, nt, args.casePath, args.dataDir))
        return 1;
    reportInputLimits(st);
    CalcSheet sheet;
    if (const std::optional<std::string> refusal = makeCalcSheet(st, sheet)) {
        std::cerr << *refusal << '\n';
        return 1;
    }
    if (args.json) {
        std::cout << sheetJson(sheet).dump(2) << '\n';
        return 0;
    }
    SheetStamp stamp;
    stamp.fileName = st.run.fileName;
    stamp.dateTime = localDateTime();
    if (!writeFileAtomic(args.outputPath, calcSheetHtml(st, sheet, stamp))) {
        std::cerr << "can't write file - " << args.outputPath << '\n';
        return 1;
    }
    return 0;
}

} // namespace velmora
