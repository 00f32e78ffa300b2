#include "json/CaseSource.h"

#include "base/FileIo.h"
#include "calc/CaseIo.h"
#include "calc/State.h"
#include "files/CaseFile.h"
#include "json/CaseJson.h"

#include <filesystem>

namespace velmora {

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

std::string readCaseOrJson(const State& st, const std::string& path, DesignCase& out) {
    if (isJsonCase(path))
        return readJsonCase(path, st.dc, out);
    return readCaseFile(path, st.dc, st.profiles, out);
}

std::string openCaseOrJson(State& st, Notifier& nt, const std::string& path) {
    if (!isJsonCase(path))
        return openCase(st, nt, path);
    DesignCase dc;
    const std::string error = readJsonCase(path, st.dc, dc);
    if (!error.empty())
        return error;
    openReadCase(st, nt, std::move(dc), path);
    return "";
}

std::string openJsonCase(State& st, Notifier& nt, const std::string& text,
                         const std::string& name) {
    DesignCase dc;
    const std::string error = caseFromJson(text, st.dc, dc);
    if (!error.empty())
        return error;
    openReadCase(st, nt, std::move(dc), name);
    return "";
}

std::string saveCase(const DesignCase& dc, const std::string& path) {
    if (!isJsonCase(path))
        return writeCaseFile(dc, path);
    if (!writeFileAtomic(path, caseJson(dc).dump(2) + "\n"))
        return "can't save file - " + path;
    return "";
}

} // namespace velmora
