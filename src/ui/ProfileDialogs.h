// The twenty profile dialogs (eight table pickers, twelve built-up dialogs), modeless and owned
// by the main window.
#pragma once

#include <QObject>
#include <QString>

namespace velmora {

class CaseHost;

class ProfileDialogs : public QObject {
    Q_OBJECT
public:
    explicit ProfileDialogs(CaseHost& host, QObject* parent = nullptr);
    ~ProfileDialogs() override;

    // Sets the stiffener (ring-frame) kind and opens its dialog, as the Profiles menu and the
    // picture buttons do.
    void openStiffenerDialog(int kind);
    void openRingDialog(int kind);
    // Closes every open profile dialog (opening a case file does this).
    void closeAll();

private:
    CaseHost& host_;
};

} // namespace velmora
