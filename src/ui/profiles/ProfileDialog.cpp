#include "ui/profiles/ProfileDialog.h"
#include "calc/Steps.h"

#include "calc/State.h"
#include "case/Notifier.h"
#include "forms/ProfileDialogDesc.h"
#include "sections/Sections.h"
#include "ui/main/CaseHost.h"
#include "ui/profiles/ProfileSketchView.h"
#include "ui/widgets/QtNotifier.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>

namespace velmora {

namespace {

// Background of a box while it has the focus, as the main window's boxes have it.
const QColor kFocusBackground(0xFF, 0xFF, 0xC0);

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

// ---- dialog -----------------------------------------------------------------------------------

ProfileDialog::ProfileDialog(const ProfileDialogDesc& desc, CaseHost& host, QWidget* parent)
    : QDialog(parent), desc_(desc), host_(host) {
    setObjectName(desc.name);
    setWindowTitle(desc.caption);
    setModal(false);
    if (desc.isPicker())
        buildPicker();
    else
        buildBuiltUp();
    connect(ok_, &QPushButton::clicked, this, &ProfileDialog::okClicked);
    connect(cancel_, &QPushButton::clicked, this, &ProfileDialog::cancel);
}

ProfileDialog::~ProfileDialog() = default;

QWidget* ProfileDialog::buildPropertyLabels(QWidget* parent) {
    auto* holder = new QWidget(parent);
    auto* grid = new QGridLayout(holder);
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    for (const auto& l : desc_.labels) {
        auto* value = new QLabel(holder);
        value->setObjectName(l.name);
        value->setMinimumWidth(110);
        grid->addWidget(new QLabel(l.caption, holder), row, 0, Qt::AlignRight);
        grid->addWidget(value, row, 1);
        labels_[l.name] = value;
        ++row;
    }
    grid->setColumnStretch(2, 1);
    return holder;
}

QWidget* ProfileDialog::buildCheckFrame(QWidget* parent) {
    auto* frame = new QGroupBox("Local buckling", parent);
    frame->setObjectName("Frame1");
    auto* col = new QVBoxLayout(frame);
    for (const auto& c : desc_.checks) {
        auto* label = new QLabel(frame);
        label->setObjectName(c.name);
        label->setMinimumWidth(240);
        col->addWidget(label);
        labels_[c.name] = label;
    }
    // RHS and trapezoid profiles have no proportion check to show.
    frame->setVisible(!desc_.checks.empty());
    return frame;
}

void ProfileDialog::buildPicker() {
    list_ = new QListWidget(this);
    list_->setObjectName("cbo");
    list_->setMinimumWidth(150);
    list_->setMinimumHeight(260);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_)
            rowChosen(row);
    });
    // A click on the row the list made current without a choice (on taking the focus) chooses
    // it too.
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = list_->row(item);
        if (!filling_ && (!shownRow_ || *shownRow_ != row))
            rowChosen(row);
    });
    list_->installEventFilter(this);

    sketch_ = new ProfileSketchView(desc_, host_, this);

    auto* fr21 = new QFrame(this);
    fr21->setObjectName("fr21");
    auto* frCol = new QVBoxLayout(fr21);
    frCol->setContentsMargins(0, 0, 0, 0);
    auto* frame3 = new QGroupBox(desc_.profileFrameCaption, fr21);
    frame3->setObjectName("Frame3");
    auto* f3 = new QVBoxLayout(frame3);
    f3->addWidget(buildPropertyLabels(frame3));
    frCol->addWidget(frame3);
    frCol->addWidget(buildCheckFrame(fr21));
    frCol->addStretch(1);

    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("Command1");
    ok_->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(list_);
    top->addWidget(sketch_, 1);
    top->addWidget(fr21);
    layOut(top);
}

// The dialog's content over the OK and Cancel buttons at the bottom right, the dialog as large as
// they need.
void ProfileDialog::layOut(QHBoxLayout* top) {
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("cmdCancel");
    cancel_->setAutoDefault(false);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(ok_);
    bottom->addWidget(cancel_);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(bottom);
    all->setSizeConstraint(QLayout::SetFixedSize);
}

void ProfileDialog::buildBuiltUp() {
    auto* dims = new QGroupBox("Dimensions", this);
    auto* grid = new QGridLayout(dims);
    int row = 0;
    for (const auto& b : desc_.boxes) {
        auto* box = new QLineEdit(dims);
        box->setObjectName(b.name);
        box->setAlignment(Qt::AlignRight);
        box->setFixedWidth(80);
        box->installEventFilter(this);
        grid->addWidget(new QLabel(b.label, dims), row, 0, Qt::AlignRight);
        grid->addWidget(box, row, 1);
        grid->addWidget(new QLabel("mm", dims), row, 2);
        boxes_[b.name] = box;
        setHighlight(box, false);
        ++row;
    }
    grid->addWidget(buildPropertyLabels(dims), row, 0, 1, 3);

    sketch_ = new ProfileSketchView(desc_, host_, this);
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("Command1");
    ok_->setAutoDefault(false);

    auto* right = new QVBoxLayout;
    right->addWidget(dims);
    right->addWidget(buildCheckFrame(this));
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(sketch_, 1);
    top->addLayout(right);
    layOut(top);
}

// Vertically centred on the main window, towards its right-hand side so that the inputs on the
// left stay visible, and kept on the screen.
void ProfileDialog::placeBesideHost() {
    QWidget* host = host_.hostWidget();
    if (!host)
        return;
    adjustSize();
    const QRect h = host->frameGeometry();
    QPoint at(h.left() + static_cast<int>(0.85 * (h.width() - width())),
              h.top() + (h.height() - height()) / 2);
    if (QScreen* screen = host->screen()) {
        const QRect avail = screen->availableGeometry();
        at.setX(std::clamp(at.x(), avail.left(), std::max(avail.left(), avail.right() - width())));
        at.setY(std::clamp(at.y(), avail.top(), std::max(avail.top(), avail.bottom() - height())));
    }
    move(at);
}

void ProfileDialog::open() {
    // A dialog opened anew has found the profile it shows and has not changed it.
    if (!isVisible())
        picked_ = false;
    if (!placed_) {
        placeBesideHost();
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
}

void ProfileDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    // A message box of the dialog hands the activation back when it closes; that return is not
    // a new activation (it would recalculate and warn again, without end). Every other one is.
    if (!isActiveWindow() || QtNotifier::takeMessageReturn(this))
        return;
    activate();
}

void ProfileDialog::activate() {
    // Until the engineer chooses, the profile to put back is the case's as it is now (the case
    // may have been replaced while the dialog stood behind the main window).
    if (!picked_)
        found_ = std::make_unique<ProfileRecord>(memberRecord(host_.state().dc, desc_.member));
    showKindInHostList(picked_ ? desc_.kind : memberRecord(host_.state().dc, desc_.member).kind);
    if (desc_.isPicker())
        fillTableList();
    showProfileSummary();
}

void ProfileDialog::pick() {
    State& st = host_.state();
    if (!picked_ && !found_)
        found_ = std::make_unique<ProfileRecord>(memberRecord(st.dc, desc_.member));
    picked_ = true;
    activateKind(st, desc_);
    showKindInHostList(desc_.kind);
}

void ProfileDialog::cancel() {
    State& st = host_.state();
    ProfileRecord& rec = memberRecord(st.dc, desc_.member);
    if (picked_ && found_ && !(rec == *found_)) {
        rec = *found_;
        host_.recalculate(notifier());
    }
    picked_ = false;
    showKindInHostList(rec.kind);
    discard();
}

void ProfileDialog::showKindInHostList(int kind) {
    QWidget* host = host_.hostWidget();
    if (!host)
        return;
    const char* name = desc_.member == ProfileMember::Stiffener ? "cbostiff" : "cboring";
    auto* combo = host->findChild<QComboBox*>(name);
    if (!combo)
        return;
    // Showing the kind is not a choice of the user: the list's own handler must not run.
    const QSignalBlocker block(combo);
    const int index = combo->findText(kindCaption(desc_.member, kind));
    if (index >= 0)
        combo->setCurrentIndex(index);
    else
        combo->setCurrentText(kindCaption(desc_.member, kind));
}

void ProfileDialog::computeSectionNow(bool reportFault) {
    State& st = host_.state();
    Notifier& nt = notifier();
    const bool stiffener = desc_.member == ProfileMember::Stiffener;
    // The member's profile as the case has it: the dialog's own only once chosen.
    const int16_t kind = memberRecord(st.dc, desc_.member).kind;
    try {
        if (stiffener)
            computeStiffenerSection(st, nt, kind);
        else
            computeRingSection(st, nt, kind);
    } catch (const std::exception& e) {
        if (reportFault)
            nt.warn(std::string(" Calculation terminated in the ") +
                    (stiffener ? "stiffener" : "ring-frame") + " section: " + e.what() + " ");
    }
}

// The case is recalculated; a section that the run does not compute for this case (a ring
// frame without the ring check, a stiffener of a cylinder without stringers) is computed here,
// so that the dialog never shows the properties of an earlier profile.
void ProfileDialog::recalculate(bool recomputeSectionFirst) {
    const bool runComputes = runComputesSection(host_.state().dc, desc_.member);
    if (recomputeSectionFirst || !runComputes)
        computeSectionNow(!runComputes);
    host_.recalculate(notifier());
    if (sketch_)
        sketch_->update();
}

Notifier& ProfileDialog::notifier() {
    return host_.notifierFor(this);
}

void ProfileDialog::fillTableList() {
    if (!list_)
        return;
    const State& st = host_.state();
    filling_ = true;
    list_->clear();
    for (const auto& text : tableListTexts(st, desc_))
        list_->addItem(qs(text));
    // The member's own row while it is this table's profile, else the row of the same
    // designation; nothing is chosen by showing it.
    shownRow_ = rowMatchingProfile(st, desc_);
    list_->setCurrentRow(shownRow_ ? *shownRow_ : -1);
    if (shownRow_)
        list_->scrollToItem(list_->item(*shownRow_));
    filling_ = false;
}

void ProfileDialog::showProfileSummary() {
    const State& st = host_.state();
    // The dialog's profile as it would be, the case untouched; a picker without a row shows no
    // profile.
    std::optional<State> preview;
    if (!desc_.isPicker() || shownRow_)
        preview = profilePreview(st, desc_, desc_.isPicker() ? shownRow_ : std::nullopt);
    if (!preview) {
        for (auto& [name, label] : labels_)
            label->setText(QString());
    }
    const State& shown = preview ? *preview : st;
    for (const auto& item : profileSummary(shown, desc_)) {
        if (!preview && labels_.count(item.name))
            continue;
        if (auto b = boxes_.find(item.name); b != boxes_.end()) {
            b->second->setText(qs(item.text));
            if (b->second->hasFocus())
                b->second->selectAll();
        } else if (auto l = labels_.find(item.name); l != labels_.end()) {
            l->second->setText(qs(item.text));
        }
    }
    if (sketch_)
        sketch_->showRecord(preview ? &memberRecord(preview->dc, desc_.member) : nullptr,
                            preview.has_value());
}

void ProfileDialog::rowChosen(int row) {
    State& st = host_.state();
    if (row < 0 || row > st.profiles.of(*desc_.table).lastRow())
        return;
    pick();
    chooseTableRow(st, desc_, row);
    shownRow_ = row;
    recalculate(desc_.recomputeSectionOnRow);
    showProfileSummary();
}

void ProfileDialog::setHighlight(QLineEdit* box, bool on) {
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, on ? kFocusBackground : QColor(Qt::white));
    box->setPalette(pal);
}

bool ProfileDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::FocusIn && !filling_) {
        // A list without a current row makes its first row current when it takes the focus;
        // that is not the engineer's choice. The list handles the event here, unheard.
        filling_ = true;
        static_cast<QObject*>(list_)->event(event);
        filling_ = false;
        return true;
    }
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box || boxes_.find(box->objectName().toStdString()) == boxes_.end())
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        setHighlight(box, true);
        // Select after the click that gave the focus has placed the cursor.
        QTimer::singleShot(0, box, [box] {
            if (box->hasFocus())
                box->selectAll();
        });
        break;
    case QEvent::FocusOut:
        scheduleLeave(box);
        break;
    case QEvent::KeyPress: {
        const auto key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter only moves on; the value is taken when the box loses the focus.
            if (const DimensionBox* next = desc_.nextBox(box->objectName().toStdString()))
                boxes_.at(next->name)->setFocus(Qt::TabFocusReason);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

// A box is taken after the focus change has finished, so that the warnings and the return of the
// focus do not run inside it. A box the user did not edit is not read back: its text is the
// stored value rounded to the display pattern, and storing that would change the dimension.
void ProfileDialog::scheduleLeave(QLineEdit* box) {
    if (discarding_ || !box->isModified()) {
        setHighlight(box, false);
        return;
    }
    flushPendingLeave();
    pendingLeave_ = box;
    QTimer::singleShot(0, this, [this] { flushPendingLeave(); });
}

void ProfileDialog::flushPendingLeave() {
    QLineEdit* box = pendingLeave_;
    pendingLeave_ = nullptr;
    if (box && !discarding_)
        leaveBox(box);
}

void ProfileDialog::leaveBox(QLineEdit* box) {
    const DimensionBox* desc = desc_.box(box->objectName().toStdString());
    if (!desc)
        return;
    State& st = host_.state();
    Notifier& nt = notifier();
    const BoxOutcome out = velmora::leaveBox(st, desc_, *desc, box->text().toStdString());
    const std::string name = box->objectName().toStdString();
    if (!out.parsed) {
        // The saved value stays; the typed text stays for correction.
        nt.warn(*out.warning);
        nt.focus(name);
        return;
    }
    // A dimension typed is the engineer's choice of this built-up profile.
    pick();
    box->setText(qs(boxText(st, desc_, *desc)));
    if (out.warning) {
        nt.warn(*out.warning);
        nt.focus(name);
    }
    recalculate();
    showProfileSummary();
    if (!box->hasFocus())
        setHighlight(box, false);
}

// A box still holding the focus with an edited text is taken as leaving it would take it, so
// that OK or closing never stores a value without its check, correction and run.
// Returns the box so taken, whose mismatch (if any) has been reported already.
QLineEdit* ProfileDialog::takeFocusedBox() {
    flushPendingLeave();
    auto* box = qobject_cast<QLineEdit*>(focusWidget());
    if (!box || !box->isModified() || !boxes_.count(box->objectName().toStdString()))
        return nullptr;
    leaveBox(box);
    return box;
}

void ProfileDialog::okClicked() {
    const QLineEdit* taken = takeFocusedBox();
    State& st = host_.state();
    Notifier& nt = notifier();
    if (desc_.ok == OkAction::RecheckAndClose) {
        for (const auto& b : desc_.boxes) {
            QLineEdit* box = boxes_.at(b.name);
            if (box->isModified() && !storeBox(st, desc_, b, box->text().toStdString())) {
                // A box that is not a number keeps the dialog open: nothing typed is lost.
                if (box != taken)
                    nt.warn(std::string(kInputMismatch));
                box->setFocus(Qt::OtherFocusReason);
                return;
            }
            box->setText(qs(boxText(st, desc_, b, true)));
        }
        for (const auto& w : okWarnings(st, desc_))
            nt.warn(w);
    }
    // OK of a built-up dialog chooses its profile; a picker's choice was its row.
    const bool kindChanges =
        !desc_.isPicker() && memberRecord(st.dc, desc_.member).kind != desc_.kind;
    if (!desc_.isPicker())
        pick();
    close();
    if (desc_.ok != OkAction::Close || kindChanges)
        recalculate();
}

void ProfileDialog::reject() {
    cancel();
}

void ProfileDialog::discard() {
    discarding_ = true;
    pendingLeave_ = nullptr;
    close();
    discarding_ = false;
}

void ProfileDialog::closeEvent(QCloseEvent* event) {
    if (!discarding_) {
        const QLineEdit* taken = takeFocusedBox();
        State& st = host_.state();
        Notifier& nt = notifier();
        for (const auto& b : desc_.boxes) {
            if (!b.checkedOnClose)
                continue;
            QLineEdit* box = boxes_.at(b.name);
            if (box->isModified() && !storeBox(st, desc_, b, box->text().toStdString())) {
                if (box != taken)
                    nt.warn(std::string(kInputMismatch));
            } else
                box->setText(qs(boxText(st, desc_, b)));
        }
        for (const auto& w : closingWarnings(st, desc_))
            nt.warn(w);
        // What is still not a number has been reported; the boxes show the stored values
        // again so that hiding the focused box does not report it once more.
        for (const auto& b : desc_.boxes)
            if (boxes_.at(b.name)->isModified())
                boxes_.at(b.name)->setText(qs(boxText(st, desc_, b)));
    }
    // A closing warning asked for the activation back; the dialog is gone, so the next opening
    // is a new activation.
    QtNotifier::takeMessageReturn(this);
    // The main window's list shows the member's profile as the case has it.
    showKindInHostList(memberRecord(host_.state().dc, desc_.member).kind);
    picked_ = false;
    event->accept();
}

} // namespace velmora
