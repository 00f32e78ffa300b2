// The main window's controls, frame by frame, and its menus. The frames are made in the order
// of the window's focus chain: General, cylinder type, geometry, the database button, stiffener,
// ring frame, loading, the load cases, column; then the sketch and the result frames.
#include "ui/main/MainWindow.h"

#include "report/Panels.h"
#include "report/Sketches.h"
#include "ui/database/DatabaseWindows.h"
#include "ui/help/HelpWindows.h"
#include "ui/main/InputBoxes.h"
#include "ui/main/LoadCaseTable.h"
#include "ui/profiles/ProfileDialogs.h"
#include "ui/widgets/PanelWidget.h"
#include "ui/widgets/SketchButton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <optional>
#include <type_traits>

namespace velmora {

namespace {

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption) {
    auto* g = new QGroupBox(caption, parent);
    g->setObjectName(name);
    return g;
}

QGridLayout* grid(QWidget* w) {
    auto* g = new QGridLayout(w);
    g->setContentsMargins(6, 4, 6, 4);
    g->setHorizontalSpacing(4);
    g->setVerticalSpacing(2);
    return g;
}

QLabel* label(QWidget* parent, const QString& text, const char* name = nullptr) {
    auto* l = new QLabel(text, parent);
    if (name != nullptr)
        l->setObjectName(name);
    return l;
}

QLineEdit* lineEdit(QWidget* parent, const char* name, int chars = 8) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setContextMenuPolicy(Qt::NoContextMenu);
    const int w = e->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) + 12;
    e->setMinimumWidth(w);
    e->setMaximumWidth(w + 30);
    return e;
}

template <class T> T* named(T* w, const char* name) {
    w->setObjectName(name);
    if constexpr (std::is_same_v<T, QComboBox>) {
        // Lists take the room their frame gives them rather than the width of the longest name.
        w->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        w->setMinimumContentsLength(8);
    }
    return w;
}

} // namespace

void MainWindow::buildWidgets() {
    buildContent();
    buildGeneralFrame();
    buildCylinderTypeFrame();
    buildGeometryFrame();
    buildAddToDatabaseButton();
    buildStiffenerFrame();
    buildRingFrame();
    buildLoadingFrame();
    loadCaseTable_ = new LoadCaseTable(*this, content_);
    buildColumnFrame();
    buildSketchFrame();
    buildResultFrames();
    buildDecimalProbe();
    inputs_->alignBoxes();
}

void MainWindow::buildContent() {
    // The verdict line stands above the content and never scrolls out of sight.
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    buildVerdictLine();
    column->addWidget(verdictLine_);
    // The frames are placed by layoutFrames on a content widget; where the screen is too small
    // for what they need, the whole content scrolls rather than any panel being cut.
    scroll_ = new QScrollArea(central);
    scroll_->setObjectName(QStringLiteral("scroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(false);
    content_ = new QWidget;
    content_->setObjectName(QStringLiteral("centralwidget"));
    scroll_->setWidget(content_);
    column->addWidget(scroll_, 1);
    setCentralWidget(central);

    inputFrame_ = new QWidget(content_);
    inputFrame_->setObjectName(QStringLiteral("fr10"));
}

// The verdict of the case in one line, bold in the colour of its status; the reasons in its
// tooltip.
void MainWindow::buildVerdictLine() {
    verdictLine_ = label(nullptr, QString(), "verdictLine");
    QFont f = verdictLine_->font();
    f.setBold(true);
    f.setPointSizeF(9);
    verdictLine_->setFont(f);
    verdictLine_->setContentsMargins(10, 1, 10, 1);
    verdictLine_->setAutoFillBackground(true);
    verdictLine_->setTextFormat(Qt::PlainText);
    // A long line is cut at the window's edge rather than widening the window; the tooltip
    // keeps every reason.
    verdictLine_->setMinimumWidth(1);
    verdictLine_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

// General: the project name and the identification of the case.
void MainWindow::buildGeneralFrame() {
    generalFrame_ = frame(inputFrame_, "fr110", QStringLiteral("General"));
    auto* g = grid(generalFrame_);
    g->addWidget(label(generalFrame_, QStringLiteral("Project name:")), 0, 0);
    auto* proj = lineEdit(generalFrame_, "iproj", 20);
    proj->setMaximumWidth(QWIDGETSIZE_MAX);
    g->addWidget(proj, 0, 1);
    g->addWidget(label(generalFrame_, QStringLiteral("Identification:")), 1, 0);
    auto* ident = lineEdit(generalFrame_, "iident", 20);
    ident->setMaximumWidth(QWIDGETSIZE_MAX);
    g->addWidget(ident, 1, 1);
}

// Cylinder type and controls, with the design format beside them.
void MainWindow::buildCylinderTypeFrame() {
    cylinderTypeFrame_ = frame(inputFrame_, "fr111", QStringLiteral("Cylinder type and Controls"));
    QGroupBox* fr = cylinderTypeFrame_;
    auto* g = grid(fr);
    const char* names[4] = {"cylinder0", "cylinder1", "cylinder2", "cylinder3"};
    const char* captions[4] = {"Cylinder ", "Ring stiffened ", "Stringer stiffened ",
                               "Column buckling"};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        QRadioButton*& option = cylinderTypeOptions_[static_cast<size_t>(i)];
        option = named(new QRadioButton(QString::fromLatin1(captions[i]), fr), names[i]);
        group->addButton(option, i);
        g->addWidget(option, i, 0);
    }
    connect(group, &QButtonGroup::idClicked, this, [this](int id) {
        if (const std::optional<CylinderType> type = codeFromNumber<CylinderType>(id))
            cylinderClicked(*type);
    });
    outsideStiffeningCheck_ =
        named(new QCheckBox(QStringLiteral("Outside stiffening"), fr), "Outside_ch");
    ringControlCheck_ = named(new QCheckBox(QStringLiteral("Ringframe control"), fr), "ring_ch");
    heavyRingControlCheck_ =
        named(new QCheckBox(QStringLiteral("Heavy Ringframe control"), fr), "hring_ch");
    g->addWidget(outsideStiffeningCheck_, 4, 0);
    g->addWidget(ringControlCheck_, 5, 0);
    g->addWidget(heavyRingControlCheck_, 6, 0);
    connect(outsideStiffeningCheck_, &QCheckBox::clicked, this, &MainWindow::outsideClicked);
    connect(ringControlCheck_, &QCheckBox::clicked, this, &MainWindow::ringControlClicked);
    connect(heavyRingControlCheck_, &QCheckBox::clicked, this, &MainWindow::heavyRingClicked);
    g->addWidget(buildDesignFormatFrame(fr), 0, 1, 7, 1, Qt::AlignTop);
}

// LRFD/WSD: the design format, the usage factors' information buttons and the usage factor.
QGroupBox* MainWindow::buildDesignFormatFrame(QWidget* parent) {
    auto* fr1111 = frame(parent, "fr1111", QStringLiteral("LRFD/WSD"));
    auto* f = grid(fr1111);
    lrfdOption_ = named(new QRadioButton(QStringLiteral("LRFD"), fr1111), "opt_lrfd");
    wsdOption_ = named(new QRadioButton(QStringLiteral("WSD"), fr1111), "opt_wsd");
    lrfdInfoButton_ = named(new QPushButton(QStringLiteral("?"), fr1111), "cmd_lrfd");
    wsdInfoButton_ = named(new QPushButton(QStringLiteral("?"), fr1111), "cmd_wsd");
    for (QPushButton* b : {lrfdInfoButton_, wsdInfoButton_}) {
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("??")) + 14);
        b->setToolTip(QStringLiteral("Usage factors"));
    }
    auto* fmt = new QButtonGroup(this);
    fmt->addButton(lrfdOption_, 0);
    fmt->addButton(wsdOption_, 1);
    connect(lrfdOption_, &QRadioButton::clicked, this, &MainWindow::lrfdClicked);
    connect(wsdOption_, &QRadioButton::clicked, this, &MainWindow::wsdClicked);
    connect(lrfdInfoButton_, &QPushButton::clicked, this, [this] {
        notifier_->warn(
            " For ALS condition, Allowable Usage Factor is recommended to be UF = 1.15 ");
    });
    connect(wsdInfoButton_, &QPushButton::clicked, this, [this] { help_->showInfoUF(); });
    f->addWidget(lrfdOption_, 0, 0);
    f->addWidget(lrfdInfoButton_, 0, 1);
    f->addWidget(wsdOption_, 1, 0);
    f->addWidget(wsdInfoButton_, 1, 1);
    // The caption stays on one line; its frame is as wide as the longer of its two texts.
    usageFactorLabel_ = label(fr1111, QStringLiteral("Allowable Usage Factor UF ="), "text_ufb");
    const QFontMetrics metrics = usageFactorLabel_->fontMetrics();
    usageFactorLabel_->setMinimumWidth(
        std::max(metrics.horizontalAdvance(usageFactorLabel_->text()),
                 metrics.horizontalAdvance(QStringLiteral("Basic Usage Factor, n0 ="))));
    f->addWidget(usageFactorLabel_, 2, 0, 1, 2);
    f->addWidget(lineEdit(fr1111, "iufb", 5), 3, 0, 1, 2, Qt::AlignLeft);
    return fr1111;
}

// Geometry and plate material.
void MainWindow::buildGeometryFrame() {
    geometryFrame_ =
        frame(inputFrame_, "fr112", QStringLiteral("Geometry/Plate material (mm, MPa)"));
    QGroupBox* fr = geometryFrame_;
    auto* g = grid(fr);
    struct Row {
        const char* caption;
        const char* sym;
        const char* name;
        const char* unit;
    };
    const Row rows[] = {{"Cylinder radius (cL plate)", "r =", "icylr", "mm"},
                        {"Distance between ring frames", "l =", "il", "mm"},
                        {"Cylinder wall thickness", "t =", "it", "mm"},
                        {"Youngs modulus", "E =", "ie", "MPa"}};
    int row = 0;
    for (const Row& r : rows) {
        g->addWidget(label(fr, QString::fromLatin1(r.caption)), row, 0);
        g->addWidget(label(fr, QString::fromLatin1(r.sym)), row, 1, Qt::AlignRight);
        g->addWidget(lineEdit(fr, r.name), row, 2);
        g->addWidget(label(fr, QString::fromLatin1(r.unit)), row, 3);
        ++row;
    }
    auto* mat = new QHBoxLayout;
    mat->addWidget(label(fr, QStringLiteral("Material:")));
    plateMaterialList_ = named(new QComboBox(fr), "cbofyp");
    connect(plateMaterialList_, &QComboBox::activated, this,
            [this](int i) { materialChosen(0, i); });
    mat->addWidget(plateMaterialList_, 1);
    g->addLayout(mat, row, 0);
    g->addWidget(label(fr, QStringLiteral("fyp:")), row, 1, Qt::AlignRight);
    g->addWidget(lineEdit(fr, "ifyp", 5), row, 2);
    g->addWidget(label(fr, QStringLiteral("MPa")), row, 3);
    g->setColumnStretch(0, 1);
}

void MainWindow::buildAddToDatabaseButton() {
    addToDatabaseButton_ =
        named(new QPushButton(QStringLiteral("Add  to Database"), inputFrame_), "cmdDatabase");
    connect(addToDatabaseButton_, &QPushButton::clicked, this,
            [this] { database_->addCaseToDatabase(); });
}

MainWindow::ProfileRow MainWindow::addProfileRow(QGroupBox* fr, QGridLayout* g, int row,
                                                 const char* listName, const char* pictureName,
                                                 const char* descriptionName) {
    ProfileRow p;
    p.list = named(new QComboBox(fr), listName);
    p.picture = new SketchButton(QString::fromLatin1(pictureName), fr);
    const int side = p.list->sizeHint().height() * 2;
    p.picture->setFixedSize(side + side / 3, side);
    p.description = label(fr, QString(), descriptionName);
    auto* h = new QVBoxLayout;
    h->addWidget(p.list);
    h->addWidget(p.description);
    g->addLayout(h, row, 0, 2, 2);
    g->addWidget(p.picture, row, 2, 2, 2, Qt::AlignLeft);
    return p;
}

QComboBox* MainWindow::addMaterialRow(QGroupBox* fr, QGridLayout* g, int row, const char* listName,
                                      const char* symbol, const char* boxName, int part) {
    auto* mat = new QHBoxLayout;
    mat->addWidget(label(fr, QStringLiteral("Material:")));
    auto* list = named(new QComboBox(fr), listName);
    mat->addWidget(list, 1);
    g->addLayout(mat, row, 0);
    g->addWidget(label(fr, QString::fromLatin1(symbol)), row, 1, Qt::AlignRight);
    g->addWidget(lineEdit(fr, boxName, 5), row, 2);
    g->addWidget(label(fr, QStringLiteral("MPa")), row, 3);
    connect(list, &QComboBox::activated, this,
            [this, part](int index) { materialChosen(part, index); });
    return list;
}

// Stiffener data: spacing, torsional buckling length, profile and material.
void MainWindow::buildStiffenerFrame() {
    stiffenerFrame_ = frame(inputFrame_, "fr120", QStringLiteral("Stiffener data  (mm)"));
    QGroupBox* fr = stiffenerFrame_;
    auto* g = grid(fr);
    g->addWidget(label(fr, QStringLiteral("Stiff spacing: ")), 0, 0);
    g->addWidget(label(fr, QStringLiteral("s =")), 0, 1, Qt::AlignRight);
    g->addWidget(lineEdit(fr, "is1"), 0, 2);
    g->addWidget(label(fr, QStringLiteral("Lat tors buckl length:")), 1, 0);
    g->addWidget(label(fr, QStringLiteral("lt =")), 1, 1, Qt::AlignRight);
    g->addWidget(lineEdit(fr, "ilt"), 1, 2);
    const ProfileRow profile = addProfileRow(fr, g, 2, "cbostiff", "cmdpic_stiff", "stiffprof");
    stiffenerKindList_ = profile.list;
    stiffenerPictureButton_ = profile.picture;
    stiffenerProfileLabel_ = profile.description;
    connect(profile.list, &QComboBox::activated, this, &MainWindow::stiffKindChosen);
    connect(profile.picture, &QPushButton::clicked, this,
            [this] { dialogs_->openStiffenerDialog(st_.dc.stiff.kind); });
    stiffenerMaterialList_ = addMaterialRow(fr, g, 4, "cbofys", "fys:", "ifys", 1);
    g->setColumnStretch(0, 1);
}

// Ring-frame data: cylinder length, torsional buckling length, profile, material,
// fabrication and the special Ih calculation.
void MainWindow::buildRingFrame() {
    ringFrame_ = frame(inputFrame_, "fr121", QStringLiteral("Ringframe data (mm)"));
    QGroupBox* fr = ringFrame_;
    auto* g = grid(fr);
    g->addWidget(label(fr, QStringLiteral("Cylinder length:")), 0, 0);
    g->addWidget(label(fr, QStringLiteral("L =")), 0, 1, Qt::AlignRight);
    g->addWidget(lineEdit(fr, "icyll"), 0, 2);
    g->addWidget(buildLengthPicture(fr), 0, 3);
    g->addWidget(label(fr, QStringLiteral("Lat tors buckl length:")), 1, 0);
    g->addWidget(label(fr, QStringLiteral("lt =")), 1, 1, Qt::AlignRight);
    g->addWidget(lineEdit(fr, "igilt"), 1, 2);
    const ProfileRow profile = addProfileRow(fr, g, 2, "cboring", "cmdpic_gird", "ringprof");
    ringKindList_ = profile.list;
    ringPictureButton_ = profile.picture;
    ringProfileLabel_ = profile.description;
    connect(profile.list, &QComboBox::activated, this, &MainWindow::ringKindChosen);
    connect(profile.picture, &QPushButton::clicked, this,
            [this] { dialogs_->openRingDialog(st_.dc.ring.kind); });
    ringMaterialList_ = addMaterialRow(fr, g, 4, "cbofyg", "fyr:", "ifyg", 2);
    fabricatedRingOption_ =
        named(new QRadioButton(QStringLiteral("Fabricated ring frame"), fr), "ringfab0");
    coldFormedRingOption_ =
        named(new QRadioButton(QStringLiteral("Cold-formed ring frame"), fr), "ringfab1");
    auto* fab = new QButtonGroup(this);
    fab->addButton(fabricatedRingOption_, 0);
    fab->addButton(coldFormedRingOption_, 1);
    connect(fab, &QButtonGroup::idClicked, this, &MainWindow::ringFabClicked);
    auto* fabRow = new QHBoxLayout;
    fabRow->addWidget(fabricatedRingOption_);
    fabRow->addWidget(coldFormedRingOption_);
    fabRow->addStretch(1);
    g->addLayout(fabRow, 5, 0, 1, 4);
    specialIhCheck_ = named(
        new QCheckBox(QStringLiteral("Special Calc. of Ih (ref ch 3.5.2.7)"), fr), "check_ih");
    connect(specialIhCheck_, &QCheckBox::clicked, this, &MainWindow::specialIhClicked);
    g->addWidget(specialIhCheck_, 6, 0, 1, 4);
    g->setColumnStretch(0, 1);
}

// The small picture beside the cylinder length; a click shows what L is.
PanelWidget* MainWindow::buildLengthPicture(QWidget* parent) {
    auto* picture = new PanelWidget(QStringLiteral("Picture"), parent);
    picture->setTextScale(false);
    picture->setCursor(Qt::PointingHandCursor);
    picture->setToolTip(QStringLiteral("Definition of Cylinder length L"));
    const int ph = parent->fontMetrics().height() + 8;
    picture->setFixedSize(2 * ph, ph);
    picture->setPaintRoutine([](Surface& s, double w, double h) {
        // A small cylinder with its length marked.
        s.setColor(kBlack);
        s.line(2, h * 0.3, w - 2, h * 0.3);
        s.line(2, h * 0.7, w - 2, h * 0.7);
        s.ellipse(3, h * 0.5, 2, h * 0.2, false);
        s.ellipse(w - 3, h * 0.5, 2, h * 0.2, false);
        s.setFont("Arial", 6);
        s.setPos(w / 2 - s.textWidth("L") / 2, h * 0.3);
        s.drawText("L");
    });
    connect(picture, &PanelWidget::clicked, this, [this] { help_->showInfoVelmora(); });
    return picture;
}

// Loading: the stresses on the left, shear and pressure on the right, the sign notes below.
void MainWindow::buildLoadingFrame() {
    loadingFrame_ = frame(inputFrame_, "fr123", QStringLiteral("Loading (MPa)"));
    QGroupBox* fr = loadingFrame_;
    auto* g = grid(fr);
    const char* syms[4] = {"Sigx =", "Sigy=", "Tau =", "pd ="};
    const char* names[4] = {"isigx", "isigy", "itau", "ipp"};
    for (int i = 0; i < 4; ++i) {
        const int row = i % 2;
        const int col = (i / 2) * 3;
        g->addWidget(label(fr, QString::fromLatin1(syms[i])), row, col, Qt::AlignRight);
        g->addWidget(lineEdit(fr, names[i], 7), row, col + 1);
        g->addWidget(label(fr, QStringLiteral("MPa")), row, col + 2);
    }
    auto* sign = named(new QPushButton(QStringLiteral("+/-"), fr), "Command3");
    sign->setFixedWidth(sign->fontMetrics().horizontalAdvance(QStringLiteral("+/-")) + 16);
    connect(sign, &QPushButton::clicked, this, &MainWindow::signClicked);
    g->addWidget(sign, 1, 6);
    loadingNote_ = label(fr,
                         QStringLiteral("Note 1: Negative sigx / sigy = compression \n"
                                        "Note 2: Positive pd = inside pressure "),
                         "txt1");
    loadingNote_->setWordWrap(true);
    g->addWidget(loadingNote_, 2, 0, 1, 7, Qt::AlignTop);
    g->setColumnStretch(7, 1);
    g->setRowStretch(3, 1);
}

// Column data: length, buckling length factors, axial force, pressure and end moments, with
// the choice of the dimensioning moments. Shown for the column case only.
void MainWindow::buildColumnFrame() {
    columnFrame_ = frame(inputFrame_, "fr124", QStringLiteral("Column data"));
    QGroupBox* fr = columnFrame_;
    auto* g = grid(fr);
    g->addWidget(label(fr, QStringLiteral("Column length L =")), 0, 0, Qt::AlignRight);
    g->addWidget(lineEdit(fr, "icolL", 6), 0, 1);
    g->addWidget(label(fr, QStringLiteral("mm")), 0, 2);
    auto* k1Label = label(fr, QStringLiteral("Buckling length factor  k1 ="));
    k1Label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    g->addWidget(k1Label, 1, 0);
    g->addWidget(lineEdit(fr, "ik1", 6), 1, 1);
    g->addWidget(label(fr, QStringLiteral("k2 =")), 1, 3, Qt::AlignRight);
    g->addWidget(lineEdit(fr, "ik2", 6), 1, 4);
    g->addWidget(label(fr, QStringLiteral("N =")), 2, 0, Qt::AlignRight);
    g->addWidget(lineEdit(fr, "inn", 6), 2, 1);
    g->addWidget(label(fr, QStringLiteral("kN")), 2, 2);
    g->addWidget(label(fr, QStringLiteral("pd =")), 2, 3, Qt::AlignRight);
    g->addWidget(lineEdit(fr, "ip", 6), 2, 4);
    g->addWidget(label(fr, QStringLiteral("MPa")), 2, 5);
    g->addWidget(label(fr, QStringLiteral("M1a=")), 3, 0, Qt::AlignRight);
    g->addWidget(lineEdit(fr, "im1a", 6), 3, 1);
    g->addWidget(label(fr, QStringLiteral("kNm")), 3, 2);
    g->addWidget(label(fr, QStringLiteral("M1b =")), 3, 3, Qt::AlignRight);
    g->addWidget(lineEdit(fr, "im1b", 6), 3, 4);
    g->addWidget(label(fr, QStringLiteral("kNm")), 3, 5);
    g->addWidget(label(fr, QStringLiteral("M2a =")), 4, 0, Qt::AlignRight);
    g->addWidget(lineEdit(fr, "im2a", 6), 4, 1);
    g->addWidget(label(fr, QStringLiteral("kNm")), 4, 2);
    g->addWidget(label(fr, QStringLiteral("M2b =")), 4, 3, Qt::AlignRight);
    g->addWidget(lineEdit(fr, "im2b", 6), 4, 4);
    g->addWidget(label(fr, QStringLiteral("kNm")), 4, 5);
    g->addWidget(buildDimensioningMomentsFrame(fr), 5, 0, 1, 6);
    fr->hide();
}

QGroupBox* MainWindow::buildDimensioningMomentsFrame(QWidget* parent) {
    auto* fr12 = frame(parent, "fr12", QStringLiteral("Dimensioning moments  for buckling"));
    fr12->setToolTip(QStringLiteral(" Ref Norsok N-004, Table 6-2, Note 1 "));
    auto* d = new QHBoxLayout(fr12);
    d->setContentsMargins(6, 2, 6, 2);
    maximumMomentOption_ =
        named(new QRadioButton(QStringLiteral("Maximum along the member"), fr12), "odmom1");
    reducedMomentOption_ = named(new QRadioButton(QStringLiteral("Reduced value"), fr12), "odmom2");
    d->addWidget(maximumMomentOption_);
    d->addWidget(reducedMomentOption_);
    auto* dm = new QButtonGroup(this);
    dm->addButton(maximumMomentOption_, 0);
    dm->addButton(reducedMomentOption_, 1);
    connect(dm, &QButtonGroup::idClicked, this, &MainWindow::dimMomentClicked);
    return fr12;
}

// The sketch of the cylinder.
void MainWindow::buildSketchFrame() {
    sketchFrame_ = frame(content_, "fr20", QStringLiteral("Cylinder"));
    sketchPanel_ = new PanelWidget(QStringLiteral("pic20"), sketchFrame_);
    sketchPanel_->setTextScale(false);
    sketchPanel_->setPaintRoutine([this](Surface& s, double w, double h) {
        drawCylinderSketch(s, st_.dc, SketchBox{0, 0, w, h});
    });
}

// The result panels: shell buckling; stiffener buckling (or the column's global buckling, or
// the note on a slender stiffener); panel ring buckling.
void MainWindow::buildResultFrames() {
    shellResultFrame_ = frame(content_, "fr30", QStringLiteral("Results Shell Buckling"));
    stiffenerResultFrame_ = frame(content_, "fr31", QStringLiteral("Results Stiffener Buckling"));
    ringResultFrame_ = frame(content_, "fr32", QStringLiteral("Results Panel Ring Buckling"));
    shellPanel_ = new PanelWidget(QStringLiteral("pic30"), shellResultFrame_);
    stiffenerPanel_ = new PanelWidget(QStringLiteral("pic31"), stiffenerResultFrame_);
    ringPanel_ = new PanelWidget(QStringLiteral("pic32"), ringResultFrame_);
    // Each picture fills its frame below the caption; its least size is what its panel draws.
    for (auto [fr, pic] : {std::pair{shellResultFrame_, shellPanel_},
                           std::pair{stiffenerResultFrame_, stiffenerPanel_},
                           std::pair{ringResultFrame_, ringPanel_}}) {
        auto* col = new QVBoxLayout(fr);
        col->setContentsMargins(4, 2, 4, 4);
        col->addWidget(pic);
    }
    shellPanel_->setPaintRoutine(
        [this](Surface& s, double, double) { drawShellPanel(s, st_, 0.3, 1, 0); });
    stiffenerPanel_->setPaintRoutine([this](Surface& s, double, double) {
        if (st_.dc.cylinderType == CylinderType::Column)
            drawColumnPanel(s, st_, 0.3, 1, 0);
        else if (st_.res.slenderNote)
            drawSlenderNote(s, st_, 0.3, 1, 0);
        else
            drawStiffenerPanel(s, st_, 0.3, 1, 0);
    });
    ringPanel_->setPaintRoutine(
        [this](Surface& s, double, double) { drawRingPanel(s, st_, 0.3, 1, 0); });
}

// The hidden box through which the decimal separator is told.
void MainWindow::buildDecimalProbe() {
    decimalProbe_ = lineEdit(content_, "Test");
    decimalProbe_->hide();
}

// ---- menus ----------------------------------------------------------------------------------

namespace {

template <class Slot>
QAction* addCommand(QObject* owner, QMenu* m, const char* name, const QString& caption, Slot slot) {
    QAction* a = m->addAction(caption);
    a->setObjectName(name);
    QObject::connect(a, &QAction::triggered, owner, slot);
    return a;
}

} // namespace

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menubar"));
    buildFileMenu(bar);
    buildProfilesMenu(bar);
    buildDatabaseMenu(bar);
    QAction* print = bar->addAction(QStringLiteral("Print"));
    print->setObjectName(QStringLiteral("mnuprint"));
    // The key works wherever the focus is in the window, not only through the menu bar.
    print->setShortcut(QKeySequence::Print);
    addAction(print);
    connect(print, &QAction::triggered, this, [this] { printCommand(); });
    buildHelpMenu(bar);
}

// File: the case-file commands, the report as a PDF file, the recent files and Exit.
void MainWindow::buildFileMenu(QMenuBar* bar) {
    QMenu* file = named(bar->addMenu(QStringLiteral("&File")), "mnufile");
    addCommand(this, file, "mnunew", QStringLiteral("&New"), [this] {
        newCaseCommand();
    })->setShortcut(QKeySequence::New);
    addCommand(this, file, "mnuopen", QStringLiteral("&Open"), [this] {
        openCommand();
    })->setShortcut(QKeySequence::Open);
    addCommand(this, file, "mnusave", QStringLiteral("&Save"), [this] {
        saveCommand();
    })->setShortcut(QKeySequence::Save);
    // Not every platform has a standard key for Save As; Ctrl+Shift+S wherever it has none.
    QAction* saveAs = addCommand(this, file, "mnusaveas", QStringLiteral("Save &As"),
                                 [this] { saveAsCommand(); });
    const QList<QKeySequence> saveAsKeys = QKeySequence::keyBindings(QKeySequence::SaveAs);
    saveAs->setShortcuts(saveAsKeys.isEmpty()
                             ? QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}
                             : saveAsKeys);
    // The report without a printer: the page the Print command prints, as a PDF file.
    addCommand(this, file, "mnuexportpdf", QStringLiteral("Export Report as PDF..."),
               [this] { exportReportCommand(); });
    addCommand(this, file, "mnuexportsheet", QStringLiteral("Export Calculation Sheet..."),
               [this] { exportSheetCommand(); });
    recentActions_[0] = file->addSeparator();
    recentActions_[0]->setObjectName(QStringLiteral("mnurecentfile0"));
    recentActions_[0]->setVisible(false);
    for (int i = 1; i <= RecentFiles::kEntries; ++i) {
        const std::string name = "mnurecentfile" + std::to_string(i);
        QAction* a = file->addAction(QString());
        a->setObjectName(QString::fromStdString(name));
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, i] { openRecentEntry(i); });
        recentActions_[static_cast<size_t>(i)] = a;
    }
    file->addSeparator()->setObjectName(QStringLiteral("spacer"));
    addCommand(this, file, "mnuexit", QStringLiteral("&Exit"), [this] { close(); });
}

// Profiles: every profile kind of the stiffener and of the ring frame.
void MainWindow::buildProfilesMenu(QMenuBar* bar) {
    profilesMenu_ = named(bar->addMenu(QStringLiteral("&Profiles")), "mnuprofiles");
    stiffenerMenu_ =
        named(profilesMenu_->addMenu(QStringLiteral("&Longitudinal stiffener")), "mnustiff");
    ringMenu_ = named(profilesMenu_->addMenu(QStringLiteral("&Ringframe Profile")), "mnuring");
    struct Item {
        const char* stiff;
        const char* ring;
        const char* caption;
    };
    const Item items[ProfileKind::Count] = {
        {"mnustiffl", "mnugirdl", "&L-table"},
        {"mnustifflb", "mnugirdlb", "L built-up"},
        {"mnustifft", "mnugirdt", "&T-table"},
        {"mnustifftb", "mnugirdtb", "T built-up"},
        {"mnustifff", "mnugirdf", "Flatbar table"},
        {"mnustiffflb", "mnugirdfb", "Flatbar built-up"},
        {"mnustiffhp", "mnugirdhp", "Bulb Flat"},
        {"mnustiffrhs", "mnugirdrhs", "RHS"},
        {"mnustiffu", "mnugirdu", "Trapez-profile"},
        {"mnustiffib", "mnugirdib", "I built-up"},
    };
    for (int k = 0; k < ProfileKind::Count; ++k) {
        const Item& it = items[k];
        addCommand(this, stiffenerMenu_, it.stiff, QString::fromLatin1(it.caption),
                   [this, k] { dialogs_->openStiffenerDialog(k); });
        addCommand(this, ringMenu_, it.ring, QString::fromLatin1(it.caption),
                   [this, k] { dialogs_->openRingDialog(k); });
    }
}

// Database: the database window, its summary, and the design study of the current case.
void MainWindow::buildDatabaseMenu(QMenuBar* bar) {
    QMenu* db = named(bar->addMenu(QStringLiteral("&Database")), "mnuDbMenu");
    addCommand(this, db, "mnuDb", QStringLiteral("&Database..."),
               [this] { database_->showDatabase(); });
    addCommand(this, db, "mnuDbSummary", QStringLiteral("Calc and &Summary"),
               [this] { database_->showSummary(); });
    addCommand(this, db, "mnuStudy", QStringLiteral("Design S&tudy..."),
               [this] { showDesignStudy(); });
}

// Help: the help window, the manuals and the about window.
void MainWindow::buildHelpMenu(QMenuBar* bar) {
    QMenu* help = named(bar->addMenu(QStringLiteral("&Help")), "mnuhelp");
    addCommand(this, help, "mnuhelpcont", QStringLiteral("&Contents"),
               [this] { help_->helpContents(); });
    addCommand(this, help, "mnuindex", QStringLiteral("&Index"), [this] { help_->helpIndex(); });
    addCommand(this, help, "mnuhelpsearch", QStringLiteral("&Search for Help On . . . "),
               [this] { help_->helpSearch(); });
    addCommand(this, help, "mnuUpdate", QStringLiteral("Update Information"),
               [this] { help_->openManual(QStringLiteral("Velmora DNV Update.pdf")); });
    addCommand(this, help, "mnuTheory", QStringLiteral("Theory Manual"),
               [this] { help_->openManual(QStringLiteral("Velmora DNV Theory Manual.pdf")); });
    addCommand(this, help, "mnuDatabase", QStringLiteral("Database File"),
               [this] { help_->openManual(QStringLiteral("Velmora DNV Database.pdf")); });
    help->addSeparator()->setObjectName(QStringLiteral("line"));
    addCommand(this, help, "mnuabout", QStringLiteral("&About Velmora"),
               [this] { help_->showAbout(); });
}

} // namespace velmora
