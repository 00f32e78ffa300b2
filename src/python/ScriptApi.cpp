#include "python/ScriptApi.h"

#include "calc/Calc.h"
#include "calc/CommandLine.h"
#include "calc/DatabaseRows.h"
#include "case/LoadCases.h"
#include "database/Batch.h"
#include "study/Study.h"
#include "json/CalcJson.h"
#include "json/CaseJson.h"
#include "json/CaseSource.h"
#include "json/StudyJson.h"

#include <nlohmann/json.hpp>

#include <clocale>

namespace velmora::script {

using nlohmann::ordered_json;

namespace {

// Stands for the file of a case handed over as a dict.
constexpr const char* kDictName = "case";

std::string joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines)
        s += (s.empty() ? "" : "\n") + l;
    return s;
}

DesignCase caseOf(const std::string& caseJson) {
    State st;
    newCase(st);
    DesignCase dc;
    const std::string error = caseFromJson(caseJson, st.dc, dc);
    if (!error.empty())
        throw InputError(error);
    return dc;
}

ordered_json rowMessages(const std::vector<RowMessage>& messages) {
    ordered_json list = ordered_json::array();
    for (const RowMessage& m : messages)
        list.push_back(
            {{"row", m.row + 1}, {"identification", m.identification}, {"message", m.text}});
    return list;
}

} // namespace

State preparedState(const std::string& dataDir) {
    // The command line's preparation sets the numeric locale to "C" when done; the script's own
    // setting comes back afterwards.
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = current ? current : "C";
    State st;
    const std::vector<std::string> messages = prepareCommandLineState(st, dataDir);
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (!messages.empty())
        throw FileError(joined(messages));
    return st;
}

State openedState(const std::string& caseJson, const std::string& dataDir, Notifier& nt) {
    State st = preparedState(dataDir);
    const std::string error = openJsonCase(st, nt, caseJson, kDictName);
    if (!error.empty())
        throw InputError(error);
    return st;
}

std::string newCase(const std::string& dataDir) {
    State st = preparedState(dataDir);
    QuietNotifier nt;
    calcAll(st, nt);
    return caseJson(st.dc).dump();
}

std::string readCase(const std::string& path, const std::string& dataDir) {
    const State st = preparedState(dataDir);
    DesignCase dc;
    const std::string error = readCaseOrJson(st, path, dc);
    if (!error.empty())
        throw FileError(error);
    return caseJson(dc).dump();
}

void writeCase(const std::string& caseJson, const std::string& path) {
    const std::string error = saveCase(caseOf(caseJson), path);
    if (!error.empty())
        throw FileError(error);
}

std::string calc(const std::string& caseJson, const std::string& dataDir) {
    WarningCollector nt;
    const State st = openedState(caseJson, dataDir, nt);
    return calcJson(st, nt).dump();
}

PreparedStudy prepareStudy(const StudyArgs& args) {
    if (args.top < 1)
        throw InputError("top: give at least 1 design");
    WarningCollector nt;
    PreparedStudy study{openedState(args.caseJson, args.dataDir, nt), {}, args};
    State& st = study.st;
    if (!args.loadCases.empty()) {
        const std::string error = restrictLoadCases(st.dc, args.loadCases);
        if (!error.empty())
            throw InputError(error);
        QuietNotifier quiet;
        calcAll(st, quiet);
    }
    const std::string error = makeStudyGrid(st, args.vary, study.grid);
    if (!error.empty())
        throw InputError(error);
    return study;
}

std::optional<std::string> runSweepJson(const PreparedStudy& study, StudyControl control) {
    control.threads = study.args.threads;
    const SweepResult r =
        runSweep(study.st, study.grid, StudyOptions{study.args.proportions}, control);
    if (r.cancelled)
        return std::nullopt;
    return sweepJson(study.st, study.grid, r).dump();
}

std::optional<std::string> runOptimiseJson(const PreparedStudy& study, StudyControl control) {
    control.threads = study.args.threads;
    const LightestResult r = findLightest(study.st, study.grid, study.args.top,
                                          StudyOptions{study.args.proportions}, control);
    if (r.cancelled)
        return std::nullopt;
    return lightestJson(study.st, study.grid, r).dump();
}

State preparedDatabase(const std::string& path, const std::string& dataDir) {
    State st = preparedState(dataDir);
    const std::string error = readDatabaseFile(st, path);
    if (!error.empty())
        throw FileError(error);
    return st;
}

std::string readDatabase(const std::string& path, const std::string& dataDir) {
    const State st = preparedDatabase(path, dataDir);
    ordered_json rows = ordered_json::array();
    for (int i = 0; i <= st.db.lastRow && i < static_cast<int>(st.db.rows.size()); ++i) {
        const DatabaseRow& row = st.db.rows[static_cast<size_t>(i)];
        ordered_json item = {{"row", i + 1}, {"comment", nullptr}, {"case", nullptr}};
        if (row.isComment) {
            item["comment"] = row.listText;
        } else {
            // Each row into a new case of its own, so that no row takes anything over from the
            // rows before it.
            State one = caseCopy(st);
            QuietNotifier quiet;
            loadRowIntoCase(one, quiet, row);
            item["case"] = caseJson(one.dc);
        }
        rows.push_back(std::move(item));
    }
    return rows.dump();
}

std::string runBatch(State& st, const std::string& outPath) {
    const BatchResult result = writeResultsFile(st, outPath);
    if (!result.error.empty())
        throw FileError(result.error);
    return ordered_json{{"rows", st.db.lastRow + 1},
                        {"stopped", rowMessages(result.stopped)},
                        {"warnings", rowMessages(result.warnings)}}
        .dump();
}

} // namespace velmora::script
