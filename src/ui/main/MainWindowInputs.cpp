// The main window's inputs: focus, Enter and right-click on the boxes, the option buttons,
// check boxes and lists, and the refresh that shows the whole case.
#include "calc/Steps.h"
#include "ui/main/MainWindow.h"

#include "base/NumberText.h"
#include "calc/Calc.h"
#include "forms/FieldRules.h"
#include "report/Panels.h"
#include "report/Sketches.h"
#include "sections/Materials.h"
#include "ui/profiles/ProfileDialogs.h"
#include "ui/widgets/PanelWidget.h"
#include "ui/widgets/SketchButton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTimer>

namespace velmora {

namespace {

const QColor kFocusColour(255, 255, 192);

void setBackground(QLineEdit* e, const QColor& c) {
    QPalette p = e->palette();
    p.setColor(QPalette::Base, c);
    e->setPalette(p);
}

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

void MainWindow::installFilters() {
    // Every control reacts to the right mouse button; boxes and lists also to focus and Enter.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == scroll_->viewport())
        layoutFrames();
    auto* w = qobject_cast<QWidget*>(watched);
    if (w == nullptr || (w != this && w->window() != this))
        return QMainWindow::eventFilter(watched, event);
    auto* e = qobject_cast<QLineEdit*>(w);
    const bool isBox = e != nullptr && findFieldRule(e->objectName().toStdString()) != nullptr;
    switch (event->type()) {
    case QEvent::FocusIn:
        if (isBox)
            boxFocusIn(e);
        break;
    case QEvent::FocusOut: {
        // A message box or a menu taking the focus for a moment does not leave the box.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (isBox && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            boxFocusOut(e);
        break;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            break;
        if (isBox) {
            boxEnter(e);
            return true;
        }
        if (auto* c = qobject_cast<QComboBox*>(w)) {
            moveFocusTo(enterTarget(c->objectName().toStdString(),
                                    [this](std::string_view n) { return available(n); }));
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::RightButton) {
            popupProfiles(me->globalPosition().toPoint());
            return isBox;
        }
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::popupProfiles(const QPoint& globalPos) {
    if (profilesPopupOnRightClick(st_.dc))
        mnuprofiles_->popup(globalPos);
}

void MainWindow::boxFocusIn(QLineEdit* e) {
    setBackground(e, kFocusColour);
    const std::string name = e->objectName().toStdString();
    if (name != "iproj" && name != "iident") {
        e->selectAll();
        // A click that gave the focus would place the cursor after this; select once more.
        QTimer::singleShot(0, e, [e] {
            if (e->hasFocus())
                e->selectAll();
        });
    }
}

void MainWindow::boxFocusOut(QLineEdit* e) {
    if (inLeave_)
        return;
    if (e == takenBox_) {
        // A command took this box while it kept the focus; unless it was edited since, leaving
        // it now would only repeat the same warnings.
        takenBox_ = nullptr;
        if (!e->isModified()) {
            setBackground(e, Qt::white);
            return;
        }
    }
    inLeave_ = true;
    const std::string name = e->objectName().toStdString();
    const FieldOutcome out = leaveField(st_, name, e->text().toStdString());
    showOutcome(e, out);
    // What the box shows now has been taken; a text that is not a number stays typed.
    if (!out.mismatch)
        e->setModified(false);
    if (!out.warning.empty())
        notifier_->warn(out.warning);
    if (out.focusBack)
        notifier_->focus(name);
    if (out.refresh)
        refreshWindow();
    if (out.recalc)
        recalculate();
    setBackground(e, Qt::white);
    inLeave_ = false;
    showModified();
}

void MainWindow::takeTypedInput() {
    // The window's focus box keeps its place while a menu, a dialog or another window is in
    // use; what was typed into it is taken as leaving the box takes it.
    auto* e = qobject_cast<QLineEdit*>(focusWidget());
    if (e == nullptr || !e->isModified() || findFieldRule(e->objectName().toStdString()) == nullptr)
        return;
    boxFocusOut(e);
    e->setModified(false);
    // Still in the box (or back in it after a warning): leaving it unchanged later is no new
    // input.
    takenBox_ = e;
}

void MainWindow::boxEnter(QLineEdit* e) {
    const std::string name = e->objectName().toStdString();
    const FieldOutcome out = enterInField(st_, name, e->text().toStdString());
    showOutcome(e, out);
    if (!out.warning.empty())
        notifier_->warn(out.warning);
    if (out.focusBack) {
        e->setFocus(Qt::OtherFocusReason);
        e->selectAll();
    }
    if (out.moveOn)
        moveFocusTo(enterTarget(name, [this](std::string_view n) { return available(n); }));
}

void MainWindow::showOutcome(QLineEdit* e, const FieldOutcome& out) {
    if (!out.mismatch && e->text() != q(out.shown))
        e->setText(q(out.shown));
    if (!out.twin.empty())
        if (QLineEdit* t = box(out.twin.c_str()))
            t->setText(q(out.twinText));
}

void MainWindow::moveFocusTo(const std::string& name) {
    if (QWidget* w = control(q(name)))
        w->setFocus(Qt::TabFocusReason);
}

void MainWindow::recalculate(Notifier& nt) {
    calcAll(st_, nt);
    showRunResults();
}

void MainWindow::setBoxText(QLineEdit* e, const QString& text) {
    if (e == nullptr || e->text() == text)
        return;
    e->setText(text);
    if (e->hasFocus())
        e->selectAll();
}

void MainWindow::showRunResults() {
    const char sep = st_.decimalSep();
    // Fields the run may have written: the looked-up yield strengths and the corrected lt.
    setBoxText(box("ifyp"), q(formatNumber(st_.dc.fyp, "#000", sep)));
    setBoxText(box("ifys"), q(formatNumber(st_.dc.fys, "#000", sep)));
    setBoxText(box("ifyg"), q(formatNumber(st_.dc.fyr, "#000", sep)));
    setBoxText(box("igilt"), q(formatNumber(st_.dc.ltRing, "#00", sep)));
    if (st_.dc.cylinderType == CylinderType::Column) {
        // The column case replaces the axial, hoop and shear stress inputs.
        setBoxText(box("isigx"), q(formatNumber(st_.dc.Sigx, "##0.0", sep)));
        setBoxText(box("isigy"), q(formatNumber(st_.dc.Sigy, "##0.0", sep)));
        setBoxText(box("itau"), q(formatNumber(st_.dc.Tau, "##0.0", sep)));
    }
    stiffprof_->setText(q(st_.res.stiffProfileText));
    ringprof_->setText(q(st_.res.ringProfileText));
    const ProfileSketch ss = st_.res.stiffSketch != ProfileSketch::None
                                 ? st_.res.stiffSketch
                                 : sketchForKind(st_.dc.stiff.kind);
    const ProfileSketch rs = st_.res.ringSketch != ProfileSketch::None
                                 ? st_.res.ringSketch
                                 : sketchForKind(st_.dc.ring.kind);
    cmdpicStiff_->setPaintRoutine([this, ss](Surface& s, double w, double h) {
        drawProfileSketch(s, st_.dc.stiff, ss, SketchBox{0, 0, w, h}, false, st_.decimalSep());
    });
    cmdpicGird_->setPaintRoutine([this, rs](Surface& s, double w, double h) {
        drawProfileSketch(s, st_.dc.ring, rs, SketchBox{0, 0, w, h}, false, st_.decimalSep());
    });
    // The ring panel decides whether the special Ih calculation is offered.
    checkIh_->setVisible(ringPanelShowsSpecialIh(st_));
    pic20_->update();
    pic30_->update();
    pic31_->update();
    pic32_->update();
    // A panel that now draws more lines gets its room.
    layoutFrames();
    showModified();
}

// ---- options ---------------------------------------------------------------------------

void MainWindow::cylinderClicked(CylinderType type) {
    st_.dc.cylinderType = type;
    if (type == CylinderType::Unstiffened || type == CylinderType::Column) {
        st_.dc.ringControl = 0;
        st_.dc.heavyRingControl = 0;
    }
    recalculate();
    refreshWindow();
}

void MainWindow::ringControlClicked(bool checked) {
    st_.dc.ringControl = checked ? 1 : 0;
    if (!checked)
        st_.dc.heavyRingControl = 0;
    recalculate();
    refreshWindow();
}

void MainWindow::heavyRingClicked(bool checked) {
    st_.dc.heavyRingControl = checked ? 1 : 0;
    recalculate();
    refreshWindow();
}

void MainWindow::outsideClicked(bool checked) {
    st_.dc.outsideStiffening = checked ? 1 : 0;
    recalculate();
    refreshWindow();
}

void MainWindow::specialIhClicked(bool checked) {
    st_.dc.specialIh = checked ? 1 : 0;
    recalculate();
}

void MainWindow::ringFabClicked(int fab) {
    st_.dc.ringFabrication = static_cast<int16_t>(fab);
    recalculate();
}

void MainWindow::dimMomentClicked(int dm) {
    st_.dc.dimMoment = static_cast<int16_t>(dm);
    recalculate();
}

void MainWindow::lrfdClicked() {
    st_.dc.designFormat = DesignFormat::LRFD;
    st_.dc.UF = 1.0f;
    cmdWsd_->hide();
    cmdLrfd_->show();
    recalculate();
    refreshWindow();
}

void MainWindow::wsdClicked() {
    st_.dc.designFormat = DesignFormat::WSD;
    cmdWsd_->show();
    cmdLrfd_->hide();
    recalculate();
    refreshWindow();
}

void MainWindow::signClicked() {
    st_.dc.pd = -st_.dc.pd;
    box("ipp")->setText(q(formatNumber(st_.dc.pd, "##0.000", st_.decimalSep())));
    recalculate();
}

void MainWindow::materialChosen(int part, int index) {
    const int16_t row = static_cast<int16_t>(index);
    const bool userDefined = index == st_.materials.materialCount();
    QLineEdit* e = nullptr;
    float value = 0;
    if (part == 0) {
        st_.dc.plateMaterial = row;
        e = box("ifyp");
        if (!userDefined)
            lookupFyp(st_);
        value = st_.dc.fyp;
    } else if (part == 1) {
        st_.dc.stiffMaterial = row;
        e = box("ifys");
        if (!userDefined)
            lookupFys(st_);
        value = st_.dc.fys;
    } else {
        st_.dc.ringMaterial = row;
        e = box("ifyg");
        if (!userDefined)
            lookupFyr(st_);
        value = st_.dc.fyr;
    }
    e->setEnabled(userDefined);
    if (!userDefined)
        e->setText(q(formatGeneral(value, st_.decimalSep())));
    recalculate();
}

void MainWindow::stiffKindChosen(int kind) {
    st_.dc.stiff.kind = static_cast<int16_t>(kind);
    dialogs_->openStiffenerDialog(kind);
}

void MainWindow::ringKindChosen(int kind) {
    st_.dc.ring.kind = static_cast<int16_t>(kind);
    dialogs_->openRingDialog(kind);
}

// ---- refresh -----------------------------------------------------------------------------

void MainWindow::refreshWindow() {
    DesignCase& dc = st_.dc;
    const char sep = st_.decimalSep();
    bool changed = false; // a control changed its state as if it had been clicked

    box("iproj")->setText(q(dc.projectName));
    box("iident")->setText(q(dc.identification));

    const CylinderType type = dc.cylinderType;
    const auto option = static_cast<size_t>(codeNumber(type));
    if (option < cylinder_.size()) {
        QRadioButton* opt = cylinder_[option];
        if (!opt->isChecked()) {
            opt->setChecked(true);
            if ((type == CylinderType::Unstiffened || type == CylinderType::Column) &&
                (dc.ringControl != 0 || dc.heavyRingControl != 0)) {
                dc.ringControl = 0;
                dc.heavyRingControl = 0;
                changed = true;
            }
        }
    }
    const bool stiffened =
        type == CylinderType::RingStiffened || type == CylinderType::StringerStiffened;
    fr120_->setVisible(type == CylinderType::StringerStiffened);
    fr121_->setVisible(stiffened);
    fr123_->setVisible(type != CylinderType::Column);
    fr124_->setVisible(type == CylinderType::Column);
    outsideCh_->setVisible(stiffened);
    ringCh_->setVisible(stiffened);
    hringCh_->setVisible(stiffened);
    if (stiffened) {
        outsideCh_->setChecked(dc.outsideStiffening != 0);
        if (ringCh_->isChecked() != (dc.ringControl != 0)) {
            ringCh_->setChecked(dc.ringControl != 0);
            if (dc.ringControl == 0 && dc.heavyRingControl != 0) {
                dc.heavyRingControl = 0;
            }
            changed = true;
        }
        const bool heavy = dc.ringControl != 0 && dc.heavyRingControl != 0;
        if (hringCh_->isChecked() != heavy) {
            hringCh_->setChecked(heavy);
            dc.heavyRingControl = heavy ? 1 : 0;
            changed = true;
        } else if (!heavy && dc.heavyRingControl != 0) {
            dc.heavyRingControl = 0;
            changed = true;
        }
    }
    // The special Ih calculation belongs to the ring frame, for both stiffened types.
    if (stiffened && checkIh_->isChecked() != (dc.specialIh != 0)) {
        checkIh_->setChecked(dc.specialIh != 0);
        changed = true;
    }
    fr31_->setVisible(type == CylinderType::StringerStiffened || type == CylinderType::Column);
    fr32_->setVisible(stiffened && dc.ringControl != 0);
    if (type != CylinderType::Unstiffened)
        fr31_->setTitle(type == CylinderType::Column
                            ? QStringLiteral("Results Global Buckling")
                            : QStringLiteral("Results Stiffener Buckling"));
    mnuprofiles_->menuAction()->setVisible(stiffened);
    if (stiffened) {
        mnuring_->menuAction()->setVisible(true);
        mnustiff_->menuAction()->setVisible(type == CylinderType::StringerStiffened);
    }
    if (type == CylinderType::Column) {
        // The column frame takes the loading frame's place at the bottom of the input frame.
        fr124_->move(fr123_->x(), static_cast<int>(fr10_->height() - 1.06 * fr124_->height()));
        (dc.dimMoment == 0 ? odmom1_ : odmom2_)->setChecked(dc.dimMoment == 0 || dc.dimMoment == 1);
    }

    // Column boxes
    box("icolL")->setText(q(formatNumber(dc.L, "#00", sep)));
    box("ik1")->setText(q(formatNumber(dc.k1, "0.00", sep)));
    box("ik2")->setText(q(formatNumber(dc.k2, "0.00", sep)));
    for (const char* n : {"inn", "im1a", "im1b", "im2a", "im2b"})
        box(n)->setText(q(refreshText(st_, *findFieldRule(n))));
    box("ip")->setText(q(formatNumber(dc.pd, "##0.000", sep)));

    // Design format: selecting the option must not change UF.
    const float uf = dc.UF;
    optLrfd_->setChecked(dc.designFormat == DesignFormat::LRFD);
    optWsd_->setChecked(dc.designFormat == DesignFormat::WSD);
    cmdLrfd_->setVisible(dc.designFormat == DesignFormat::LRFD);
    cmdWsd_->setVisible(dc.designFormat == DesignFormat::WSD);
    textUfb_->setText(dc.designFormat == DesignFormat::WSD
                          ? QStringLiteral("Basic Usage Factor, n0 =")
                          : QStringLiteral("Allowable Usage Factor UF ="));
    dc.UF = uf;
    box("iufb")->setText(q(formatNumber(dc.UF, "#0.00", sep)));

    // Material lists
    const int last = st_.materials.materialCount();
    struct Mat {
        QComboBox* combo;
        int16_t index;
        const char* boxName;
        float value;
    };
    for (const Mat& m : {Mat{cbofyp_, dc.plateMaterial, "ifyp", dc.fyp},
                         Mat{cbofys_, dc.stiffMaterial, "ifys", dc.fys},
                         Mat{cbofyg_, dc.ringMaterial, "ifyg", dc.fyr}}) {
        m.combo->clear();
        for (const MaterialRow& row : st_.materials.rows)
            m.combo->addItem(q(row.name));
        m.combo->setCurrentIndex(m.index >= 0 && m.index <= last ? m.index : -1);
        QLineEdit* e = box(m.boxName);
        e->setText(q(formatNumber(m.value, "#000", sep)));
        e->setEnabled(last >= 0 && m.index == last);
    }
    box("ie")->setText(q(formatNumber(dc.E, "0.00E+0", sep)));

    // Profile lists
    cbostiff_->clear();
    cboring_->clear();
    for (int16_t k = 0; k < ProfileKind::Count; ++k) {
        cbostiff_->addItem(QString::fromLatin1(stiffKindCaption(k)));
        cboring_->addItem(QString::fromLatin1(ringKindCaption(k)));
    }
    cbostiff_->setCurrentIndex(dc.stiff.kind);
    cboring_->setCurrentIndex(dc.ring.kind);
    stiffprof_->setText(q(st_.res.stiffProfileText));
    ringprof_->setText(q(st_.res.ringProfileText));

    // Ring fabrication: other values select neither option.
    ringfab0_->group()->setExclusive(false);
    ringfab0_->setChecked(dc.ringFabrication == 0);
    ringfab1_->setChecked(dc.ringFabrication == 1);
    ringfab0_->group()->setExclusive(true);

    for (const char* n :
         {"is1", "ilt", "icylr", "icyll", "igilt", "it", "il", "isigx", "ipp", "isigy", "itau"})
        box(n)->setText(q(refreshText(st_, *findFieldRule(n))));

    txt1_->setText(QStringLiteral("Note 1: Negative sigx / sigy = compression \n"
                                  "Note 2: Positive pd = inside pressure "));
    pic20_->update();
    // A control that changed as if clicked recalculates, as its click would; otherwise the
    // result panels show the results the case already has.
    if (changed)
        recalculate();
    else
        showRunResults();
}

} // namespace velmora
