#include "ui/ProfileDialogs.h"

#include "ui/CaseHost.h"

namespace velmora {

ProfileDialogs::ProfileDialogs(CaseHost& host, QObject* parent) : QObject(parent), host_(host) {}
ProfileDialogs::~ProfileDialogs() = default;

void ProfileDialogs::openStiffenerDialog(int) {}
void ProfileDialogs::openRingDialog(int) {}
void ProfileDialogs::closeAll() {}

} // namespace velmora
