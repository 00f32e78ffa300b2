#include "files/DataFiles.h"

#include "base/FileIo.h"
#include "sections/Materials.h"
#include "sections/ProfileTables.h"

#include <array>
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

std::string loadMaterials(const std::string& dir, MaterialTable& table) {
    table.rows.clear();
    const std::string name = "DNVmat.dat";
    const std::string path = (std::filesystem::path(dir) / name).string();
    std::string text;
    switch (readFileLimited(path, kTableFileLimit, text)) {
    case ReadStatus::Unreadable:
        return name + ": the material file cannot be read (" + path + ")";
    case ReadStatus::TooLarge:
        return name + ": the file is far larger than a material table (" + path + ")";
    case ReadStatus::Ok:
        break;
    }
    std::string error;
    std::optional<MaterialTable> parsed = parseMaterials(text, name, error);
    if (!parsed)
        return error;
    table = std::move(*parsed);
    return {};
}

std::vector<std::string> loadProfileTables(const std::string& dir, ProfileTables& tables) {
    std::vector<std::string> messages;
    const std::array<std::pair<TableKind, ProfileTable*>, 4> order{{
        {TableKind::Bulb, &tables.bulb},
        {TableKind::L, &tables.L},
        {TableKind::T, &tables.T},
        {TableKind::Flat, &tables.flat},
    }};
    for (const auto& [kind, target] : order) {
        *target = ProfileTable{kind, {}};
        const std::string name = tableFileName(kind);
        const std::string path = (std::filesystem::path(dir) / name).string();
        std::string text;
        const ReadStatus read = readFileLimited(path, kTableFileLimit, text);
        if (read != ReadStatus::Ok) {
            messages.push_back(name +
                               (read == ReadStatus::TooLarge
                                    ? ": the file is far larger than a profile table ("
                                    : ": the profile table cannot be read (") +
                               path + ")");
            continue;
        }
        std::string error;
        std::optional<ProfileTable> parsed = parseProfileTable(kind, text, name, error);
        if (!parsed) {
            messages.push_back(error);
            continue;
        }
        *target = std::move(*parsed);
    }
    return messages;
}

std::vector<std::string> loadDataFiles(MaterialTable& materials, ProfileTables& profiles,
                                       const std::string& dir) {
    std::vector<std::string> messages;
    const std::string materialError = loadMaterials(dir, materials);
    if (!materialError.empty())
        messages.push_back(materialError);
    for (auto& m : loadProfileTables(dir, profiles))
        messages.push_back(m);
    return messages;
}

} // namespace velmora
