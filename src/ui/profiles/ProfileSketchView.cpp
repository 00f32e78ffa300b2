#include "ui/profiles/ProfileSketchView.h"

#include "calc/State.h"
#include "forms/ProfileDialogDesc.h"
#include "pdf/QtSurface.h"
#include "report/Sketches.h"
#include "ui/main/CaseHost.h"

#include <QPainter>

namespace velmora {

ProfileSketchView::ProfileSketchView(const ProfileDialogDesc& desc, CaseHost& host, QWidget* parent)
    : QWidget(parent), desc_(desc), host_(host) {
    setObjectName("pic1");
    setMinimumSize(200, 200);
}

ProfileSketchView::~ProfileSketchView() = default;

void ProfileSketchView::showRecord(const ProfileRecord* record, bool marks) {
    record_ = record ? std::make_unique<ProfileRecord>(*record) : nullptr;
    marks_ = marks;
    update();
}

void ProfileSketchView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QtSurface surface(painter, QRectF(rect()));
    surface.clear();
    const State& st = host_.state();
    const double m = 6;
    drawProfileSketch(surface, record_ ? *record_ : memberRecord(st.dc, desc_.member), desc_.sketch,
                      SketchBox{m, m, width() - m, height() - m}, marks_, st.decimalSep());
}

} // namespace velmora
