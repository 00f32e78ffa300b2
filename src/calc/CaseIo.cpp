#include "calc/CaseIo.h"

#include "base/Fp.h"
#include "calc/Calc.h"
#include "calc/State.h"
#include "calc/Steps.h"
#include "files/CaseFile.h"

#include <filesystem>

namespace velmora {

namespace {
std::string folderOf(const std::string& path) {
    const std::string dir = std::filesystem::path(path).parent_path().string();
    return dir.empty() ? std::string(".") : dir;
}
} // namespace

std::string writeCaseFile(State& st, const std::string& path) {
    std::string error = writeCaseFile(st.dc, path);
    if (error.empty())
        st.run.fileName = path;
    return error;
}

std::string readCaseFile(State& st, const std::string& path) {
    DesignCase dc;
    std::string error = readCaseFile(path, st.dc, st.profiles, dc);
    if (!error.empty())
        return error;
    st.dc = std::move(dc);
    st.run.fileName = path;
    return "";
}

namespace {

void afterReading(State& st, Notifier& nt, const std::string& path) {
    st.run.currentDir = folderOf(path);
    // A section that cannot be computed is left to the calculation run below, which meets the
    // same fault and reports it.
    try {
        lookupFyp(st);
        computeStiffenerSection(st, nt, st.dc.stiff.kind);
    } catch (const CalcFault&) {
    }
    lookupFys(st);
    calcAll(st, nt);
}

} // namespace

void openReadCase(State& st, Notifier& nt, DesignCase dc, const std::string& path) {
    st.dc = std::move(dc);
    st.run.fileName = path;
    afterReading(st, nt, path);
}

std::string openCase(State& st, Notifier& nt, const std::string& path) {
    std::string error = readCaseFile(st, path);
    if (!error.empty())
        return error;
    afterReading(st, nt, path);
    return "";
}

} // namespace velmora
