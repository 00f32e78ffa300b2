// The recent-file list of the main window in the per-user settings store.
#pragma once

#include "files/RecentFiles.h"

#include <QSettings>
#include <QString>

#include <string>
#include <utility>
#include <vector>

namespace velmora {

class SettingsStore : public KeyValueStore {
public:
    SettingsStore();

    std::string read(const std::string& key) const override;
    void write(const std::string& key, const std::string& value) override;
    std::vector<std::pair<std::string, std::string>> list() const override;

private:
    static inline const QString kGroup = QStringLiteral("Recent Files");
    mutable QSettings settings_;
};

} // namespace velmora
