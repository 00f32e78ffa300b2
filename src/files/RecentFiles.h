// The list of the four most recently used case files, kept in a per-user key-value store
// (section "Recent Files", keys RecentFile1, most recent, to RecentFile4), and the File menu
// entries that show it.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace velmora {

// One section of the per-user settings store.
class KeyValueStore {
public:
    virtual ~KeyValueStore() = default;
    // The value of `key`; the empty text when it is missing.
    virtual std::string read(const std::string& key) const = 0;
    virtual void write(const std::string& key, const std::string& value) = 0;
    // All key/value pairs of the section, in key order.
    virtual std::vector<std::pair<std::string, std::string>> list() const = 0;
};

// A store held in memory (tests, and a program without a settings store).
class MemoryStore : public KeyValueStore {
public:
    std::string read(const std::string& key) const override;
    void write(const std::string& key, const std::string& value) override;
    std::vector<std::pair<std::string, std::string>> list() const override;

private:
    std::vector<std::pair<std::string, std::string>> pairs_; // kept sorted by key
};

// The recent-file entries of the File menu: index 0 is the separator, 1 to 4 the files.
struct RecentMenu {
    std::array<bool, 5> visible{};
    std::array<std::string, 5> caption{};
    // The path an entry opens: its caption without the leading "n. ".
    std::string path(int index) const;
};

class RecentFiles {
public:
    explicit RecentFiles(KeyValueStore& store) : store_(store) {}

    static constexpr int kEntries = 4;

    // Fills the menu entries from the store. Nothing happens while RecentFile1 is empty; an
    // entry once shown stays shown.
    void rebuildRecentMenu();
    // After Open: a path already shown moves to the top, the others move down below it; a new
    // path goes on top and the fourth entry falls off.
    void promoteRecentFile(const std::string& path);
    // After Save (As) under a new name: the path goes on top without looking for it in the list.
    void pushRecentFile(const std::string& path);
    // After opening the entry `index` (1 to 4): the entries above it move down by one and the
    // path goes on top.
    void moveRecentToTop(const std::string& path, int index);

    const RecentMenu& menu() const { return menu_; }

    // The folder a recent entry's path lies in: the path without its four-character extension
    // cut back to and including its last separator.
    static std::string folderOfEntry(const std::string& path);

private:
    static std::string key(int n);
    void shiftDownFrom(int n); // RecentFile n-1 .. 1 move one place down, as far as filled

    KeyValueStore& store_;
    RecentMenu menu_;
};

} // namespace velmora
