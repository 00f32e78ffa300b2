#include "ui/profiles/ProfileDialogs.h"

#include "calc/State.h"
#include "forms/ProfileDialogDesc.h"
#include "ui/main/CaseHost.h"
#include "ui/profiles/ProfileDialog.h"

namespace velmora {

ProfileDialogs::ProfileDialogs(CaseHost& host, QObject* parent) : QObject(parent), host_(host) {}
ProfileDialogs::~ProfileDialogs() = default;

ProfileDialog* ProfileDialogs::dialogFor(int member, int kind) {
    const auto m = static_cast<ProfileMember>(member);
    const ProfileDialogDesc* desc = profileDialogFor(m, kind);
    if (!desc)
        return nullptr;
    // Opening changes nothing: the member takes the kind when the engineer chooses in the
    // dialog.
    QPointer<ProfileDialog>& d = dialogs_[desc->name];
    if (!d)
        d = new ProfileDialog(*desc, host_, host_.hostWidget());
    return d;
}

void ProfileDialogs::openStiffenerDialog(int kind) {
    if (ProfileDialog* d = dialogFor(static_cast<int>(ProfileMember::Stiffener), kind))
        d->open();
}

void ProfileDialogs::openRingDialog(int kind) {
    if (ProfileDialog* d = dialogFor(static_cast<int>(ProfileMember::Ring), kind))
        d->open();
}

void ProfileDialogs::closeAll() {
    for (auto& [name, d] : dialogs_)
        if (d && d->isVisible())
            d->discard();
}

ProfileDialog* ProfileDialogs::dialog(const std::string& name) const {
    const auto it = dialogs_.find(name);
    return it == dialogs_.end() ? nullptr : it->second.data();
}

} // namespace velmora
