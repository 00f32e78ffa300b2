// The twenty profile dialogs (eight table pickers, twelve built-up dialogs), modeless and owned
// by the main window.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <map>
#include <string>

namespace velmora {

class CaseHost;
class ProfileDialog;

class ProfileDialogs : public QObject {
    Q_OBJECT
public:
    explicit ProfileDialogs(CaseHost& host, QObject* parent = nullptr);
    ~ProfileDialogs() override;

    // Opens the dialog of the stiffener (ring-frame) kind, as the Profiles menu, the profile
    // lists and the picture buttons do. The case changes only when the engineer chooses there.
    void openStiffenerDialog(int kind);
    void openRingDialog(int kind);
    // Closes every open profile dialog (opening a case file does this). The dialogs do not
    // read their boxes back: the case they showed has been replaced.
    void closeAll();

    // The dialog with this name ("stifflb", "girdt", ...) once it has been opened, else null.
    ProfileDialog* dialog(const std::string& name) const;

private:
    ProfileDialog* dialogFor(int member, int kind);

    CaseHost& host_;
    std::map<std::string, QPointer<ProfileDialog>> dialogs_;
};

} // namespace velmora
