#include "files/RecentFiles.h"

#include "base/NumberText.h"

#include <algorithm>

namespace velmora {

std::string MemoryStore::read(const std::string& key) const {
    for (const auto& [k, v] : pairs_)
        if (k == key)
            return v;
    return "";
}

void MemoryStore::write(const std::string& key, const std::string& value) {
    for (auto& [k, v] : pairs_)
        if (k == key) {
            v = value;
            return;
        }
    pairs_.emplace_back(key, value);
    std::sort(pairs_.begin(), pairs_.end());
}

std::vector<std::pair<std::string, std::string>> MemoryStore::list() const {
    return pairs_;
}

std::string RecentMenu::path(int index) const {
    if (index < 1 || index > RecentFiles::kEntries)
        return "";
    const std::string& c = caption[static_cast<size_t>(index)];
    return c.size() > 3 ? c.substr(3) : "";
}

std::string RecentFiles::key(int n) {
    return "RecentFile" + std::to_string(n);
}

void RecentFiles::rebuildRecentMenu() {
    if (store_.read(key(1)).empty())
        return;
    const auto pairs = store_.list();
    // The menu has four entries; further keys in the section are not shown.
    const size_t n = std::min(pairs.size(), static_cast<size_t>(kEntries));
    for (size_t i = 1; i <= n; ++i) {
        menu_.visible[0] = true;
        menu_.caption[i] = formatNumber(static_cast<double>(i), "#") + ". " + pairs[i - 1].second;
        menu_.visible[i] = true;
    }
}

void RecentFiles::shiftDownFrom(int top) {
    for (int n = top - 1; n >= 1; --n) {
        const std::string v = store_.read(key(n));
        if (!v.empty())
            store_.write(key(n + 1), v);
    }
}

void RecentFiles::moveRecentToTop(const std::string& path, int index) {
    if (index >= 2 && index <= kEntries)
        for (int n = index - 1; n >= 1; --n)
            store_.write(key(n + 1), store_.read(key(n)));
    store_.write(key(1), path);
}

void RecentFiles::promoteRecentFile(const std::string& path) {
    for (int i = 1; i <= kEntries; ++i)
        if (menu_.visible[static_cast<size_t>(i)] && menu_.path(i) == path) {
            moveRecentToTop(path, i);
            return;
        }
    pushRecentFile(path);
}

void RecentFiles::pushRecentFile(const std::string& path) {
    shiftDownFrom(kEntries);
    store_.write(key(1), path);
}

std::string RecentFiles::folderOfEntry(const std::string& path) {
    if (path.size() <= 4)
        return "";
    const std::string stem = path.substr(0, path.size() - 4);
    const size_t cut = stem.find_last_of('/');
    return cut == std::string::npos ? "" : stem.substr(0, cut + 1);
}

} // namespace velmora
