// The sketch of a profile dialog: the member's current profile drawn to scale with its
// dimensions marked.
#pragma once

#include <QWidget>

#include <memory>

namespace velmora {

class CaseHost;
struct ProfileDialogDesc;
struct ProfileRecord;

// The sketch `pic1`.
class ProfileSketchView : public QWidget {
    Q_OBJECT
public:
    ProfileSketchView(const ProfileDialogDesc& desc, CaseHost& host, QWidget* parent);
    ~ProfileSketchView() override;
    QSize sizeHint() const override { return {230, 230}; }
    // Draws `record` instead of the member's current profile (the profile a dialog shows before
    // the engineer chose it); null draws the current profile again. Without `marks` the shape
    // is drawn without its dimensions (a dialog that shows no profile yet).
    void showRecord(const ProfileRecord* record, bool marks = true);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const ProfileDialogDesc& desc_;
    CaseHost& host_;
    std::unique_ptr<ProfileRecord> record_;
    bool marks_ = true;
};

} // namespace velmora
