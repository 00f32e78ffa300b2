#include "cli/CliCommon.h"

#include "calc/CaseIo.h"
#include "calc/CommandLine.h"
#include "calc/DatabaseRows.h"
#include "calc/InputLimits.h"
#include "calc/State.h"
#include "case/Notifier.h"

#include <CLI/CLI.hpp>

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
    const std::string error = openCase(st, nt, path);
    if (!error.empty()) {
        std::cerr << error << '\n';
        return false;
    }
    return true;
}

void reportInputLimits(const State& st) {
    for (const std::string& v : violationTexts(st.dc, st.decimalSep()))
        std::cerr << kInputOutOfLimits << v << '\n';
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
