#include "cli/CliCommon.h"

#include "base/FileIo.h"
#include "calc/CaseIo.h"
#include "calc/CommandLine.h"
#include "calc/DatabaseRows.h"
#include "calc/InputLimits.h"
#include "calc/State.h"
#include "case/LoadCases.h"
#include "case/Notifier.h"
#include "cli/CaseJson.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <filesystem>
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

bool isJsonCase(const std::string& path) {
    const std::string ext = std::filesystem::path(path).extension().string();
    return ext == ".json" || ext == ".JSON" || ext == ".Json";
}

std::string readJsonCase(const std::string& path, const DesignCase& base, DesignCase& out) {
    std::string bytes;
    switch (readFileLimited(path, kCaseFileLimit, bytes)) {
    case ReadStatus::Unreadable:
        return "can't find file - " + path;
    case ReadStatus::TooLarge:
        return path + ", the file is far larger than a case";
    case ReadStatus::Ok:
        break;
    }
    const std::string error = caseFromJson(bytes, base, out);
    return error.empty() ? "" : path + ", " + error;
}

bool loadCase(State& st, WarningCollector& nt, const std::string& path,
              const std::string& dataDir) {
    if (!prepareState(st, dataDir))
        return false;
    if (isJsonCase(path)) {
        DesignCase dc;
        const std::string error = readJsonCase(path, st.dc, dc);
        if (!error.empty()) {
            std::cerr << error << '\n';
            return false;
        }
        openReadCase(st, nt, std::move(dc), path);
        return true;
    }
    const std::string error = openCase(st, nt, path);
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
