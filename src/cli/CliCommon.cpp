#include "cli/CliCommon.h"

#include "calc/CommandLine.h"
#include "calc/DatabaseRows.h"
#include "calc/InputLimits.h"
#include "calc/State.h"
#include "case/LoadCases.h"
#include "case/Notifier.h"
#include "json/CaseSource.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>

namespace velmora {

void addDataDirOption(CLI::App* cmd, std::string& dataDir) {
    cmd->add_option("--data-dir", dataDir,
                    "Folder with DNVmat.dat and the profile tables (default: beside the "
                    "program)");
}

bool prepareState(State& st, const std::string& dataDir) {
    const auto messages = prepareCommandLineState(st, dataDir);
    for (const auto& m : messages)
        std::cerr << m << '\n';
    return messages.empty();
}

bool loadCase(State& st, WarningCollector& nt, const std::string& path,
              const std::string& dataDir) {
    if (!prepareState(st, dataDir))
        return false;
    const std::string error = openCaseOrJson(st, nt, path);
    if (!error.empty()) {
        std::cerr << error << '\n';
        return false;
    }
    return true;
}

void reportInputLimits(const State& st) {
    const int count = loadCaseCount(st.dc);
    if (count == 1) {
        for (const std::string& v : violationTexts(st.dc, st.decimalSep()))
            std::cerr << kInputOutOfLimits << v << '\n';
        return;
    }
    // With several load cases: a field out of its limits in every load case (the geometry) once,
    // a load out of its limits with the name of its load case.
    std::vector<std::vector<std::string>> texts;
    DesignCase one = st.dc;
    for (int i = 0; i < count; ++i) {
        putLoadCase(one, loadCaseAt(st.dc, i));
        texts.push_back(violationTexts(one, st.decimalSep()));
    }
    const auto inEvery = [&texts](const std::string& v) {
        for (const auto& t : texts)
            if (std::find(t.begin(), t.end(), v) == t.end())
                return false;
        return true;
    };
    for (const std::string& v : texts.front())
        if (inEvery(v))
            std::cerr << kInputOutOfLimits << v << '\n';
    for (int i = 0; i < count; ++i)
        for (const std::string& v : texts[static_cast<size_t>(i)])
            if (!inEvery(v))
                std::cerr << kInputOutOfLimits << "load case " << loadCaseAt(st.dc, i).name << ": "
                          << v << '\n';
}

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

} // namespace velmora
