// The main window's option buttons, check boxes and lists, the right click, the results of a
// run and the refresh that shows the whole case.
#include "calc/Steps.h"
#include "ui/main/InputBoxes.h"
#include "ui/main/LoadCaseTable.h"
#include "ui/main/MainWindow.h"

#include "base/NumberText.h"
#include "calc/Calc.h"
#include "calc/Verdict.h"
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
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>

#include <tuple>

namespace velmora {

namespace {

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
    if (inputs_->handleEvent(w, event))
        return true;
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::RightButton) {
            popupProfiles(me->globalPosition().toPoint());
            return inputs_->isBox(w);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::takeTypedInput() {
    inputs_->takeTypedInput();
}

void MainWindow::popupProfiles(const QPoint& globalPos) {
    if (profilesPopupOnRightClick(st_.dc))
        profilesMenu_->popup(globalPos);
}

void MainWindow::recalculate(Notifier& nt) {
    calcAll(st_, nt);
    ownRunInputs_ = st_.run.calculatedInputs;
    showRunResults();
}

void MainWindow::showRunResults() {
    const char sep = st_.decimalSep();
    // Fields the run may have written: the looked-up yield strengths and the corrected lt.
    inputs_->showText("ifyp", q(formatNumber(st_.dc.fyp, "#000", sep)));
    inputs_->showText("ifys", q(formatNumber(st_.dc.fys, "#000", sep)));
    inputs_->showText("ifyg", q(formatNumber(st_.dc.fyr, "#000", sep)));
    inputs_->showText("igilt", q(formatNumber(st_.dc.ltRing, "#00", sep)));
    if (st_.dc.cylinderType == CylinderType::Column) {
        // The column case replaces the axial, hoop and shear stress inputs.
        inputs_->showText("isigx", q(formatNumber(st_.dc.Sigx, "##0.0", sep)));
        inputs_->showText("isigy", q(formatNumber(st_.dc.Sigy, "##0.0", sep)));
        inputs_->showText("itau", q(formatNumber(st_.dc.Tau, "##0.0", sep)));
    }
    showProfileLines();
    const ProfileSketch ss = st_.res.stiffSketch != ProfileSketch::None
                                 ? st_.res.stiffSketch
                                 : sketchForKind(st_.dc.stiff.kind);
    const ProfileSketch rs = st_.res.ringSketch != ProfileSketch::None
                                 ? st_.res.ringSketch
                                 : sketchForKind(st_.dc.ring.kind);
    stiffenerPictureButton_->setPaintRoutine([this, ss](Surface& s, double w, double h) {
        drawProfileSketch(s, st_.dc.stiff, ss, SketchBox{0, 0, w, h}, false, st_.decimalSep());
    });
    ringPictureButton_->setPaintRoutine([this, rs](Surface& s, double w, double h) {
        drawProfileSketch(s, st_.dc.ring, rs, SketchBox{0, 0, w, h}, false, st_.decimalSep());
    });
    // The ring panel decides whether the special Ih calculation is offered.
    specialIhCheck_->setVisible(ringPanelShowsSpecialIh(st_));
    sketchPanel_->update();
    shellPanel_->update();
    stiffenerPanel_->update();
    ringPanel_->update();
    showStaleNotes();
    // A panel that now draws more lines gets its room.
    layoutFrames();
    showInputTaken();
}

void MainWindow::showProfileLines() {
    for (const auto& [label, text, role] :
         {std::tuple{stiffenerProfileLabel_, &st_.res.stiffProfileText, ProfileRole::Stiffener},
          std::tuple{ringProfileLabel_, &st_.res.ringProfileText, ProfileRole::RingFrame}}) {
        const ProportionFailure failure = proportionFailure(st_.dc, st_.res, role);
        // The limits the profile fails, each on a line of its own under its description.
        QString shown = q(*text);
        for (const std::string& limit : failure.limits)
            shown += QLatin1Char('\n') + q(limit);
        label->setText(shown);
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, failure.fails ? QColor(kRed.r, kRed.g, kRed.b)
                                                       : palette().color(QPalette::WindowText));
        label->setPalette(p);
        label->setToolTip(failure.fails
                              ? QStringLiteral("The profile fails a proportion limit (Ch 3.10)")
                              : QString());
    }
}

void MainWindow::showStaleNotes() {
    // Only a stopped run leaves panels behind; each panel knows whether its check ran.
    QString note;
    if (!st_.run.lastRunCompleted)
        if (const std::optional<std::string> reason = notCalculatedReason(st_))
            note = QStringLiteral("Not recalculated: ") + q(*reason);
    auto noteFor = [&](PanelId p) { return st_.run.recalculated(p) ? QString() : note; };
    shellPanel_->setStaleNote(noteFor(PanelId::Shell));
    stiffenerPanel_->setStaleNote(noteFor(
        st_.dc.cylinderType == CylinderType::Column ? PanelId::Column : PanelId::Stiffener));
    ringPanel_->setStaleNote(noteFor(PanelId::Ring));
}

void MainWindow::showVerdict() {
    const Verdict v = caseVerdict(st_);
    verdictLine_->setText(q(v.line));
    const Rgb c = verdictStatusColor(v.status);
    QPalette p = verdictLine_->palette();
    p.setColor(QPalette::WindowText, QColor(c.r, c.g, c.b));
    // Behind the line a light tint of the same colour: one part of it to eight of white.
    auto tint = [](int part) { return 255 - (255 - part) / 8; };
    p.setColor(QPalette::Window, QColor(tint(c.r), tint(c.g), tint(c.b)));
    verdictLine_->setPalette(p);
    QStringList reasons;
    for (const std::string& r : v.reasons)
        reasons << q(r);
    verdictLine_->setToolTip(reasons.join(QLatin1Char('\n')));
}

void MainWindow::showInputTaken() {
    showModified();
    showVerdict();
    loadCaseTable_->showLoadCases();
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
    wsdInfoButton_->hide();
    lrfdInfoButton_->show();
    recalculate();
    refreshWindow();
}

void MainWindow::wsdClicked() {
    st_.dc.designFormat = DesignFormat::WSD;
    wsdInfoButton_->show();
    lrfdInfoButton_->hide();
    recalculate();
    refreshWindow();
}

void MainWindow::signClicked() {
    st_.dc.pd = -st_.dc.pd;
    inputs_->box("ipp")->setText(q(formatNumber(st_.dc.pd, "##0.000", st_.decimalSep())));
    recalculate();
}

void MainWindow::materialChosen(int part, int index) {
    const int16_t row = static_cast<int16_t>(index);
    const bool userDefined = index == st_.materials.materialCount();
    QLineEdit* e = nullptr;
    float value = 0;
    if (part == 0) {
        st_.dc.plateMaterial = row;
        e = inputs_->box("ifyp");
        if (!userDefined)
            lookupFyp(st_);
        value = st_.dc.fyp;
    } else if (part == 1) {
        st_.dc.stiffMaterial = row;
        e = inputs_->box("ifys");
        if (!userDefined)
            lookupFys(st_);
        value = st_.dc.fys;
    } else {
        st_.dc.ringMaterial = row;
        e = inputs_->box("ifyg");
        if (!userDefined)
            lookupFyr(st_);
        value = st_.dc.fyr;
    }
    e->setEnabled(userDefined);
    if (!userDefined)
        e->setText(q(formatGeneral(value, st_.decimalSep())));
    recalculate();
}

// The kind is taken when the engineer chooses a profile in its dialog.
void MainWindow::stiffKindChosen(int kind) {
    dialogs_->openStiffenerDialog(kind);
}

void MainWindow::ringKindChosen(int kind) {
    dialogs_->openRingDialog(kind);
}

// ---- refresh -----------------------------------------------------------------------------

void MainWindow::refreshWindow() {
    // A case calculated by a run this window did not start, and not changed since: another
    // window loaded a database row (the start-up batch, the database window).
    if (st_.run.calculatedInputs && *st_.run.calculatedInputs == st_.dc &&
        st_.run.calculatedInputs != ownRunInputs_)
        showDatabaseRow();
    DesignCase& dc = st_.dc;
    const char sep = st_.decimalSep();
    bool changed = false; // a control changed its state as if it had been clicked

    inputs_->box("iproj")->setText(q(dc.projectName));
    inputs_->box("iident")->setText(q(dc.identification));

    const CylinderType type = dc.cylinderType;
    const auto option = static_cast<size_t>(codeNumber(type));
    if (option < cylinderTypeOptions_.size()) {
        QRadioButton* opt = cylinderTypeOptions_[option];
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
    stiffenerFrame_->setVisible(type == CylinderType::StringerStiffened);
    ringFrame_->setVisible(stiffened);
    loadingFrame_->setVisible(type != CylinderType::Column);
    columnFrame_->setVisible(type == CylinderType::Column);
    outsideStiffeningCheck_->setVisible(stiffened);
    ringControlCheck_->setVisible(stiffened);
    heavyRingControlCheck_->setVisible(stiffened);
    if (stiffened) {
        outsideStiffeningCheck_->setChecked(dc.outsideStiffening != 0);
        if (ringControlCheck_->isChecked() != (dc.ringControl != 0)) {
            ringControlCheck_->setChecked(dc.ringControl != 0);
            if (dc.ringControl == 0 && dc.heavyRingControl != 0) {
                dc.heavyRingControl = 0;
            }
            changed = true;
        }
        const bool heavy = dc.ringControl != 0 && dc.heavyRingControl != 0;
        if (heavyRingControlCheck_->isChecked() != heavy) {
            heavyRingControlCheck_->setChecked(heavy);
            dc.heavyRingControl = heavy ? 1 : 0;
            changed = true;
        } else if (!heavy && dc.heavyRingControl != 0) {
            dc.heavyRingControl = 0;
            changed = true;
        }
    }
    // The special Ih calculation belongs to the ring frame, for both stiffened types.
    if (stiffened && specialIhCheck_->isChecked() != (dc.specialIh != 0)) {
        specialIhCheck_->setChecked(dc.specialIh != 0);
        changed = true;
    }
    stiffenerResultFrame_->setVisible(type == CylinderType::StringerStiffened ||
                                      type == CylinderType::Column);
    ringResultFrame_->setVisible(stiffened && dc.ringControl != 0);
    if (type != CylinderType::Unstiffened)
        stiffenerResultFrame_->setTitle(type == CylinderType::Column
                                            ? QStringLiteral("Results Global Buckling")
                                            : QStringLiteral("Results Stiffener Buckling"));
    profilesMenu_->menuAction()->setVisible(stiffened);
    if (stiffened) {
        ringMenu_->menuAction()->setVisible(true);
        stiffenerMenu_->menuAction()->setVisible(type == CylinderType::StringerStiffened);
    }
    if (type == CylinderType::Column) {
        // The column frame takes the loading frame's place at the bottom of the input frame.
        columnFrame_->move(loadingFrame_->x(),
                           static_cast<int>(inputFrame_->height() - 1.06 * columnFrame_->height()));
        (dc.dimMoment == 0 ? maximumMomentOption_ : reducedMomentOption_)
            ->setChecked(dc.dimMoment == 0 || dc.dimMoment == 1);
    }

    // Column boxes
    inputs_->box("icolL")->setText(q(formatNumber(dc.L, "#00", sep)));
    inputs_->box("ik1")->setText(q(formatNumber(dc.k1, "0.00", sep)));
    inputs_->box("ik2")->setText(q(formatNumber(dc.k2, "0.00", sep)));
    for (const char* n : {"inn", "im1a", "im1b", "im2a", "im2b"})
        inputs_->showCaseValue(n);
    inputs_->box("ip")->setText(q(formatNumber(dc.pd, "##0.000", sep)));

    // Design format: selecting the option must not change UF.
    const float uf = dc.UF;
    lrfdOption_->setChecked(dc.designFormat == DesignFormat::LRFD);
    wsdOption_->setChecked(dc.designFormat == DesignFormat::WSD);
    lrfdInfoButton_->setVisible(dc.designFormat == DesignFormat::LRFD);
    wsdInfoButton_->setVisible(dc.designFormat == DesignFormat::WSD);
    usageFactorLabel_->setText(dc.designFormat == DesignFormat::WSD
                                   ? QStringLiteral("Basic Usage Factor, n0 =")
                                   : QStringLiteral("Allowable Usage Factor UF ="));
    dc.UF = uf;
    inputs_->box("iufb")->setText(q(formatNumber(dc.UF, "#0.00", sep)));

    // Material lists
    const int last = st_.materials.materialCount();
    struct Mat {
        QComboBox* combo;
        int16_t index;
        const char* boxName;
        float value;
    };
    for (const Mat& m : {Mat{plateMaterialList_, dc.plateMaterial, "ifyp", dc.fyp},
                         Mat{stiffenerMaterialList_, dc.stiffMaterial, "ifys", dc.fys},
                         Mat{ringMaterialList_, dc.ringMaterial, "ifyg", dc.fyr}}) {
        m.combo->clear();
        for (const MaterialRow& row : st_.materials.rows)
            m.combo->addItem(q(row.name));
        m.combo->setCurrentIndex(m.index >= 0 && m.index <= last ? m.index : -1);
        QLineEdit* e = inputs_->box(m.boxName);
        e->setText(q(formatNumber(m.value, "#000", sep)));
        e->setEnabled(last >= 0 && m.index == last);
    }
    inputs_->box("ie")->setText(q(formatNumber(dc.E, "0.00E+0", sep)));

    // Profile lists
    stiffenerKindList_->clear();
    ringKindList_->clear();
    for (int16_t k = 0; k < ProfileKind::Count; ++k) {
        stiffenerKindList_->addItem(QString::fromLatin1(stiffKindCaption(k)));
        ringKindList_->addItem(QString::fromLatin1(ringKindCaption(k)));
    }
    stiffenerKindList_->setCurrentIndex(dc.stiff.kind);
    ringKindList_->setCurrentIndex(dc.ring.kind);
    stiffenerProfileLabel_->setText(q(st_.res.stiffProfileText));
    ringProfileLabel_->setText(q(st_.res.ringProfileText));

    // Ring fabrication: other values select neither option.
    fabricatedRingOption_->group()->setExclusive(false);
    fabricatedRingOption_->setChecked(dc.ringFabrication == 0);
    coldFormedRingOption_->setChecked(dc.ringFabrication == 1);
    fabricatedRingOption_->group()->setExclusive(true);

    for (const char* n :
         {"is1", "ilt", "icylr", "icyll", "igilt", "it", "il", "isigx", "ipp", "isigy", "itau"})
        inputs_->showCaseValue(n);

    loadingNote_->setText(QStringLiteral("Note 1: Negative sigx / sigy = compression \n"
                                         "Note 2: Positive pd = inside pressure "));
    sketchPanel_->update();
    // A control that changed as if clicked recalculates, as its click would; otherwise the
    // result panels show the results the case already has.
    if (changed)
        recalculate();
    else
        showRunResults();
}

} // namespace velmora
