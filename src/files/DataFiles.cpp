#include "files/DataFiles.h"

#include "calc/State.h"
#include "sections/Materials.h"
#include "sections/ProfileTables.h"

#include <filesystem>
#include <system_error>

namespace velmora {

namespace fs = std::filesystem;

std::string executableDir() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return "";
    return exe.parent_path().string();
}

std::string findDataDir(const std::string& exeDir) {
    std::error_code ec;
    const fs::path here(exeDir);
    if (fs::exists(here / "DNVmat.dat", ec))
        return here.string();
    const fs::path shared = here / ".." / "share" / "velmora-dnv";
    if (fs::exists(shared / "DNVmat.dat", ec))
        return fs::weakly_canonical(shared, ec).string();
    return here.string();
}

std::vector<std::string> loadDataFiles(State& st, const std::string& dir) {
    std::vector<std::string> messages;
    const std::string materialError = loadMaterials(dir, st.materials);
    if (!materialError.empty())
        messages.push_back(materialError);
    for (auto& m : loadProfileTables(dir, st.profiles))
        messages.push_back(m);
    return messages;
}

} // namespace velmora
