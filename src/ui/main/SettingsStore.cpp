#include "ui/main/SettingsStore.h"

#include <QStringList>

namespace velmora {

SettingsStore::SettingsStore()
    : settings_(QStringLiteral("Velmora DNV"), QStringLiteral("Velmora DNV")) {}

std::string SettingsStore::read(const std::string& key) const {
    settings_.beginGroup(kGroup);
    const QString v = settings_.value(QString::fromStdString(key)).toString();
    settings_.endGroup();
    return v.toStdString();
}

void SettingsStore::write(const std::string& key, const std::string& value) {
    settings_.beginGroup(kGroup);
    settings_.setValue(QString::fromStdString(key), QString::fromStdString(value));
    settings_.endGroup();
    settings_.sync();
}

std::vector<std::pair<std::string, std::string>> SettingsStore::list() const {
    std::vector<std::pair<std::string, std::string>> out;
    settings_.beginGroup(kGroup);
    QStringList keys = settings_.childKeys();
    keys.sort();
    for (const QString& k : keys)
        out.emplace_back(k.toStdString(), settings_.value(k).toString().toStdString());
    settings_.endGroup();
    return out;
}

} // namespace velmora
