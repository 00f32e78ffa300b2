#include "ui/DatabaseWindows.h"

#include "ui/CaseHost.h"

namespace velmora {

DatabaseWindows::DatabaseWindows(CaseHost& host, QObject* parent)
    : QObject(parent), host_(host) {}
DatabaseWindows::~DatabaseWindows() = default;

void DatabaseWindows::showDatabase() {}
void DatabaseWindows::addCaseToDatabase() {}

} // namespace velmora
