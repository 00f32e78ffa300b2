// The sketch of a profile dialog: the member's current profile drawn to scale with its
// dimensions marked.
#pragma once

#include <QWidget>

namespace velmora {

class CaseHost;
struct ProfileDialogDesc;

// The sketch `pic1`.
class ProfileSketchView : public QWidget {
    Q_OBJECT
public:
    ProfileSketchView(const ProfileDialogDesc& desc, CaseHost& host, QWidget* parent);
    QSize sizeHint() const override { return {230, 230}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const ProfileDialogDesc& desc_;
    CaseHost& host_;
};

} // namespace velmora
