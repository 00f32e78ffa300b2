// The main window: its controls, frames, layout and menus.
#include "ui/main/MainWindow.h"

#include "forms/FieldRules.h"
#include "report/Panels.h"
#include "report/Sketches.h"
#include "ui/database/DatabaseWindows.h"
#include "ui/help/HelpWindows.h"
#include "ui/main/ReportPrinter.h"
#include "ui/main/SettingsStore.h"
#include "ui/profiles/ProfileDialogs.h"
#include "ui/study/DesignStudyWindow.h"
#include "ui/widgets/PanelWidget.h"
#include "ui/widgets/SketchButton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <cmath>
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

MainWindow::MainWindow(Options options, QWidget* parent)
    : QMainWindow(parent), opt_(std::move(options)), qtNotifier_(this) {
    setObjectName(QStringLiteral("velmora"));
    // The window is laid out for an 8-point font, as engineers know it.
    QFont f = font();
    f.setPointSizeF(8);
    setFont(f);
    notifier_ = opt_.notifier != nullptr ? opt_.notifier : &qtNotifier_;
    KeyValueStore* store = opt_.recentStore;
    if (store == nullptr) {
        ownStore_ = std::make_unique<SettingsStore>();
        store = ownStore_.get();
    }
    recent_ = std::make_unique<RecentFiles>(*store);
    dialogs_ = new ProfileDialogs(*this, this);
    database_ = new DatabaseWindows(*this, this);
    help_ = new HelpWindows(this, opt_.programDir);
    buildWidgets();
    buildMenus();
    installFilters();
    setCaption();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildWidgets() {
    // The frames are placed by layoutFrames on a content widget; where the screen is too small
    // for what they need, the whole content scrolls rather than any panel being cut.
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("scroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(false);
    central_ = new QWidget;
    central_->setObjectName(QStringLiteral("centralwidget"));
    scroll_->setWidget(central_);
    setCentralWidget(scroll_);

    fr10_ = new QWidget(central_);
    fr10_->setObjectName(QStringLiteral("fr10"));

    // General
    fr110_ = frame(fr10_, "fr110", QStringLiteral("General"));
    {
        auto* g = grid(fr110_);
        g->addWidget(label(fr110_, QStringLiteral("Project name:")), 0, 0);
        auto* proj = lineEdit(fr110_, "iproj", 20);
        proj->setMaximumWidth(QWIDGETSIZE_MAX);
        g->addWidget(proj, 0, 1);
        g->addWidget(label(fr110_, QStringLiteral("Identification:")), 1, 0);
        auto* ident = lineEdit(fr110_, "iident", 20);
        ident->setMaximumWidth(QWIDGETSIZE_MAX);
        g->addWidget(ident, 1, 1);
    }

    // Cylinder type and controls, with the design format
    fr111_ = frame(fr10_, "fr111", QStringLiteral("Cylinder type and Controls"));
    {
        auto* g = grid(fr111_);
        const char* names[4] = {"cylinder0", "cylinder1", "cylinder2", "cylinder3"};
        const char* captions[4] = {"Cylinder ", "Ring stiffened ", "Stringer stiffened ",
                                   "Column buckling"};
        auto* group = new QButtonGroup(this);
        for (int i = 0; i < 4; ++i) {
            cylinder_[static_cast<size_t>(i)] =
                named(new QRadioButton(QString::fromLatin1(captions[i]), fr111_), names[i]);
            group->addButton(cylinder_[static_cast<size_t>(i)], i);
            g->addWidget(cylinder_[static_cast<size_t>(i)], i, 0);
        }
        connect(group, &QButtonGroup::idClicked, this, [this](int id) {
            if (const std::optional<CylinderType> type = codeFromNumber<CylinderType>(id))
                cylinderClicked(*type);
        });
        outsideCh_ =
            named(new QCheckBox(QStringLiteral("Outside stiffening"), fr111_), "Outside_ch");
        ringCh_ = named(new QCheckBox(QStringLiteral("Ringframe control"), fr111_), "ring_ch");
        hringCh_ =
            named(new QCheckBox(QStringLiteral("Heavy Ringframe control"), fr111_), "hring_ch");
        g->addWidget(outsideCh_, 4, 0);
        g->addWidget(ringCh_, 5, 0);
        g->addWidget(hringCh_, 6, 0);
        connect(outsideCh_, &QCheckBox::clicked, this, &MainWindow::outsideClicked);
        connect(ringCh_, &QCheckBox::clicked, this, &MainWindow::ringControlClicked);
        connect(hringCh_, &QCheckBox::clicked, this, &MainWindow::heavyRingClicked);

        auto* fr1111 = frame(fr111_, "fr1111", QStringLiteral("LRFD/WSD"));
        auto* f = grid(fr1111);
        optLrfd_ = named(new QRadioButton(QStringLiteral("LRFD"), fr1111), "opt_lrfd");
        optWsd_ = named(new QRadioButton(QStringLiteral("WSD"), fr1111), "opt_wsd");
        cmdLrfd_ = named(new QPushButton(QStringLiteral("?"), fr1111), "cmd_lrfd");
        cmdWsd_ = named(new QPushButton(QStringLiteral("?"), fr1111), "cmd_wsd");
        for (QPushButton* b : {cmdLrfd_, cmdWsd_}) {
            b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("??")) + 14);
            b->setToolTip(QStringLiteral("Usage factors"));
        }
        auto* fmt = new QButtonGroup(this);
        fmt->addButton(optLrfd_, 0);
        fmt->addButton(optWsd_, 1);
        connect(optLrfd_, &QRadioButton::clicked, this, &MainWindow::lrfdClicked);
        connect(optWsd_, &QRadioButton::clicked, this, &MainWindow::wsdClicked);
        connect(cmdLrfd_, &QPushButton::clicked, this, [this] {
            notifier_->warn(
                " For ALS condition, Allowable Usage Factor is recommended to be UF = 1.15 ");
        });
        connect(cmdWsd_, &QPushButton::clicked, this, [this] { help_->showInfoUF(); });
        f->addWidget(optLrfd_, 0, 0);
        f->addWidget(cmdLrfd_, 0, 1);
        f->addWidget(optWsd_, 1, 0);
        f->addWidget(cmdWsd_, 1, 1);
        // The caption stays on one line; its frame is as wide as the longer of its two texts.
        textUfb_ = label(fr1111, QStringLiteral("Allowable Usage Factor UF ="), "text_ufb");
        textUfb_->setMinimumWidth(std::max(
            textUfb_->fontMetrics().horizontalAdvance(textUfb_->text()),
            textUfb_->fontMetrics().horizontalAdvance(QStringLiteral("Basic Usage Factor, n0 ="))));
        f->addWidget(textUfb_, 2, 0, 1, 2);
        f->addWidget(lineEdit(fr1111, "iufb", 5), 3, 0, 1, 2, Qt::AlignLeft);
        g->addWidget(fr1111, 0, 1, 7, 1, Qt::AlignTop);
    }

    // Geometry and plate material
    fr112_ = frame(fr10_, "fr112", QStringLiteral("Geometry/Plate material (mm, MPa)"));
    {
        auto* g = grid(fr112_);
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
            g->addWidget(label(fr112_, QString::fromLatin1(r.caption)), row, 0);
            g->addWidget(label(fr112_, QString::fromLatin1(r.sym)), row, 1, Qt::AlignRight);
            g->addWidget(lineEdit(fr112_, r.name), row, 2);
            g->addWidget(label(fr112_, QString::fromLatin1(r.unit)), row, 3);
            ++row;
        }
        auto* mat = new QHBoxLayout;
        mat->addWidget(label(fr112_, QStringLiteral("Material:")));
        cbofyp_ = named(new QComboBox(fr112_), "cbofyp");
        connect(cbofyp_, &QComboBox::activated, this, [this](int i) { materialChosen(0, i); });
        mat->addWidget(cbofyp_, 1);
        g->addLayout(mat, row, 0);
        g->addWidget(label(fr112_, QStringLiteral("fyp:")), row, 1, Qt::AlignRight);
        g->addWidget(lineEdit(fr112_, "ifyp", 5), row, 2);
        g->addWidget(label(fr112_, QStringLiteral("MPa")), row, 3);
        g->setColumnStretch(0, 1);
    }

    cmdDatabase_ = named(new QPushButton(QStringLiteral("Add  to Database"), fr10_), "cmdDatabase");
    connect(cmdDatabase_, &QPushButton::clicked, this, [this] { database_->addCaseToDatabase(); });

    auto profileRow = [this](QGroupBox* fr, QGridLayout* g, int row, const char* comboName,
                             const char* buttonName, const char* labelName, bool ring) {
        auto* combo = named(new QComboBox(fr), comboName);
        auto* pic = new SketchButton(QString::fromLatin1(buttonName), fr);
        const int side = combo->sizeHint().height() * 2;
        pic->setFixedSize(side + side / 3, side);
        auto* desc = label(fr, QString(), labelName);
        auto* h = new QVBoxLayout;
        h->addWidget(combo);
        h->addWidget(desc);
        g->addLayout(h, row, 0, 2, 2);
        g->addWidget(pic, row, 2, 2, 2, Qt::AlignLeft);
        if (ring) {
            cboring_ = combo;
            cmdpicGird_ = pic;
            ringprof_ = desc;
            connect(combo, &QComboBox::activated, this, &MainWindow::ringKindChosen);
            connect(pic, &QPushButton::clicked, this,
                    [this] { dialogs_->openRingDialog(st_.dc.ring.kind); });
        } else {
            cbostiff_ = combo;
            cmdpicStiff_ = pic;
            stiffprof_ = desc;
            connect(combo, &QComboBox::activated, this, &MainWindow::stiffKindChosen);
            connect(pic, &QPushButton::clicked, this,
                    [this] { dialogs_->openStiffenerDialog(st_.dc.stiff.kind); });
        }
    };
    auto materialRow = [this](QGroupBox* fr, QGridLayout* g, int row, const char* comboName,
                              const char* sym, const char* boxName, int part) {
        auto* mat = new QHBoxLayout;
        mat->addWidget(label(fr, QStringLiteral("Material:")));
        auto* combo = named(new QComboBox(fr), comboName);
        mat->addWidget(combo, 1);
        g->addLayout(mat, row, 0);
        g->addWidget(label(fr, QString::fromLatin1(sym)), row, 1, Qt::AlignRight);
        g->addWidget(lineEdit(fr, boxName, 5), row, 2);
        g->addWidget(label(fr, QStringLiteral("MPa")), row, 3);
        connect(combo, &QComboBox::activated, this,
                [this, part](int index) { materialChosen(part, index); });
        return combo;
    };

    // Stiffener data
    fr120_ = frame(fr10_, "fr120", QStringLiteral("Stiffener data  (mm)"));
    {
        auto* g = grid(fr120_);
        g->addWidget(label(fr120_, QStringLiteral("Stiff spacing: ")), 0, 0);
        g->addWidget(label(fr120_, QStringLiteral("s =")), 0, 1, Qt::AlignRight);
        g->addWidget(lineEdit(fr120_, "is1"), 0, 2);
        g->addWidget(label(fr120_, QStringLiteral("Lat tors buckl length:")), 1, 0);
        g->addWidget(label(fr120_, QStringLiteral("lt =")), 1, 1, Qt::AlignRight);
        g->addWidget(lineEdit(fr120_, "ilt"), 1, 2);
        profileRow(fr120_, g, 2, "cbostiff", "cmdpic_stiff", "stiffprof", false);
        cbofys_ = materialRow(fr120_, g, 4, "cbofys", "fys:", "ifys", 1);
        g->setColumnStretch(0, 1);
    }

    // Ring-frame data
    fr121_ = frame(fr10_, "fr121", QStringLiteral("Ringframe data (mm)"));
    {
        auto* g = grid(fr121_);
        g->addWidget(label(fr121_, QStringLiteral("Cylinder length:")), 0, 0);
        g->addWidget(label(fr121_, QStringLiteral("L =")), 0, 1, Qt::AlignRight);
        g->addWidget(lineEdit(fr121_, "icyll"), 0, 2);
        auto* picture = new PanelWidget(QStringLiteral("Picture"), fr121_);
        picture->setTextScale(false);
        picture->setCursor(Qt::PointingHandCursor);
        picture->setToolTip(QStringLiteral("Definition of Cylinder length L"));
        const int ph = fr121_->fontMetrics().height() + 8;
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
        g->addWidget(picture, 0, 3);
        g->addWidget(label(fr121_, QStringLiteral("Lat tors buckl length:")), 1, 0);
        g->addWidget(label(fr121_, QStringLiteral("lt =")), 1, 1, Qt::AlignRight);
        g->addWidget(lineEdit(fr121_, "igilt"), 1, 2);
        profileRow(fr121_, g, 2, "cboring", "cmdpic_gird", "ringprof", true);
        cbofyg_ = materialRow(fr121_, g, 4, "cbofyg", "fyr:", "ifyg", 2);
        ringfab0_ =
            named(new QRadioButton(QStringLiteral("Fabricated ring frame"), fr121_), "ringfab0");
        ringfab1_ =
            named(new QRadioButton(QStringLiteral("Cold-formed ring frame"), fr121_), "ringfab1");
        auto* fab = new QButtonGroup(this);
        fab->addButton(ringfab0_, 0);
        fab->addButton(ringfab1_, 1);
        connect(fab, &QButtonGroup::idClicked, this, &MainWindow::ringFabClicked);
        auto* fabRow = new QHBoxLayout;
        fabRow->addWidget(ringfab0_);
        fabRow->addWidget(ringfab1_);
        fabRow->addStretch(1);
        g->addLayout(fabRow, 5, 0, 1, 4);
        checkIh_ =
            named(new QCheckBox(QStringLiteral("Special Calc. of Ih (ref ch 3.5.2.7)"), fr121_),
                  "check_ih");
        connect(checkIh_, &QCheckBox::clicked, this, &MainWindow::specialIhClicked);
        g->addWidget(checkIh_, 6, 0, 1, 4);
        g->setColumnStretch(0, 1);
    }

    // Loading
    fr123_ = frame(fr10_, "fr123", QStringLiteral("Loading (MPa)"));
    {
        auto* g = grid(fr123_);
        // Two columns: the stresses on the left, shear and pressure on the right.
        const char* syms[4] = {"Sigx =", "Sigy=", "Tau =", "pd ="};
        const char* names[4] = {"isigx", "isigy", "itau", "ipp"};
        for (int i = 0; i < 4; ++i) {
            const int row = i % 2;
            const int col = (i / 2) * 3;
            g->addWidget(label(fr123_, QString::fromLatin1(syms[i])), row, col, Qt::AlignRight);
            g->addWidget(lineEdit(fr123_, names[i], 7), row, col + 1);
            g->addWidget(label(fr123_, QStringLiteral("MPa")), row, col + 2);
        }
        auto* sign = named(new QPushButton(QStringLiteral("+/-"), fr123_), "Command3");
        sign->setFixedWidth(sign->fontMetrics().horizontalAdvance(QStringLiteral("+/-")) + 16);
        connect(sign, &QPushButton::clicked, this, &MainWindow::signClicked);
        g->addWidget(sign, 1, 6);
        txt1_ = label(fr123_,
                      QStringLiteral("Note 1: Negative sigx / sigy = compression \n"
                                     "Note 2: Positive pd = inside pressure "),
                      "txt1");
        txt1_->setWordWrap(true);
        g->addWidget(txt1_, 2, 0, 1, 7, Qt::AlignTop);
        g->setColumnStretch(7, 1);
        g->setRowStretch(3, 1);
    }

    // Column data
    fr124_ = frame(fr10_, "fr124", QStringLiteral("Column data"));
    {
        auto* g = grid(fr124_);
        g->addWidget(label(fr124_, QStringLiteral("Column length L =")), 0, 0, Qt::AlignRight);
        g->addWidget(lineEdit(fr124_, "icolL", 6), 0, 1);
        g->addWidget(label(fr124_, QStringLiteral("mm")), 0, 2);
        auto* k1Label = label(fr124_, QStringLiteral("Buckling length factor  k1 ="));
        k1Label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        g->addWidget(k1Label, 1, 0);
        g->addWidget(lineEdit(fr124_, "ik1", 6), 1, 1);
        g->addWidget(label(fr124_, QStringLiteral("k2 =")), 1, 3, Qt::AlignRight);
        g->addWidget(lineEdit(fr124_, "ik2", 6), 1, 4);
        g->addWidget(label(fr124_, QStringLiteral("N =")), 2, 0, Qt::AlignRight);
        g->addWidget(lineEdit(fr124_, "inn", 6), 2, 1);
        g->addWidget(label(fr124_, QStringLiteral("kN")), 2, 2);
        g->addWidget(label(fr124_, QStringLiteral("pd =")), 2, 3, Qt::AlignRight);
        g->addWidget(lineEdit(fr124_, "ip", 6), 2, 4);
        g->addWidget(label(fr124_, QStringLiteral("MPa")), 2, 5);
        g->addWidget(label(fr124_, QStringLiteral("M1a=")), 3, 0, Qt::AlignRight);
        g->addWidget(lineEdit(fr124_, "im1a", 6), 3, 1);
        g->addWidget(label(fr124_, QStringLiteral("kNm")), 3, 2);
        g->addWidget(label(fr124_, QStringLiteral("M1b =")), 3, 3, Qt::AlignRight);
        g->addWidget(lineEdit(fr124_, "im1b", 6), 3, 4);
        g->addWidget(label(fr124_, QStringLiteral("kNm")), 3, 5);
        g->addWidget(label(fr124_, QStringLiteral("M2a =")), 4, 0, Qt::AlignRight);
        g->addWidget(lineEdit(fr124_, "im2a", 6), 4, 1);
        g->addWidget(label(fr124_, QStringLiteral("kNm")), 4, 2);
        g->addWidget(label(fr124_, QStringLiteral("M2b =")), 4, 3, Qt::AlignRight);
        g->addWidget(lineEdit(fr124_, "im2b", 6), 4, 4);
        g->addWidget(label(fr124_, QStringLiteral("kNm")), 4, 5);
        auto* fr12 = frame(fr124_, "fr12", QStringLiteral("Dimensioning moments  for buckling"));
        fr12->setToolTip(QStringLiteral(" Ref Norsok N-004, Table 6-2, Note 1 "));
        auto* d = new QHBoxLayout(fr12);
        d->setContentsMargins(6, 2, 6, 2);
        odmom1_ =
            named(new QRadioButton(QStringLiteral("Maximum along the member"), fr12), "odmom1");
        odmom2_ = named(new QRadioButton(QStringLiteral("Reduced value"), fr12), "odmom2");
        d->addWidget(odmom1_);
        d->addWidget(odmom2_);
        auto* dm = new QButtonGroup(this);
        dm->addButton(odmom1_, 0);
        dm->addButton(odmom2_, 1);
        connect(dm, &QButtonGroup::idClicked, this, &MainWindow::dimMomentClicked);
        g->addWidget(fr12, 5, 0, 1, 6);
        fr124_->hide();
    }

    // Sketch of the cylinder
    fr20_ = frame(central_, "fr20", QStringLiteral("Cylinder"));
    pic20_ = new PanelWidget(QStringLiteral("pic20"), fr20_);
    pic20_->setTextScale(false);
    pic20_->setPaintRoutine([this](Surface& s, double w, double h) {
        drawCylinderSketch(s, st_.dc, SketchBox{0, 0, w, h});
    });

    // Result panels
    fr30_ = frame(central_, "fr30", QStringLiteral("Results Shell Buckling"));
    fr31_ = frame(central_, "fr31", QStringLiteral("Results Stiffener Buckling"));
    fr32_ = frame(central_, "fr32", QStringLiteral("Results Panel Ring Buckling"));
    pic30_ = new PanelWidget(QStringLiteral("pic30"), fr30_);
    pic31_ = new PanelWidget(QStringLiteral("pic31"), fr31_);
    pic32_ = new PanelWidget(QStringLiteral("pic32"), fr32_);
    // Each picture fills its frame below the caption; its least size is what its panel draws.
    for (auto [fr, pic] :
         {std::pair{fr30_, pic30_}, std::pair{fr31_, pic31_}, std::pair{fr32_, pic32_}}) {
        auto* col = new QVBoxLayout(fr);
        col->setContentsMargins(4, 2, 4, 4);
        col->addWidget(pic);
    }
    pic30_->setPaintRoutine(
        [this](Surface& s, double, double) { drawShellPanel(s, st_, 0.3, 1, 0); });
    pic31_->setPaintRoutine([this](Surface& s, double, double) {
        if (st_.dc.cylinderType == CylinderType::Column)
            drawColumnPanel(s, st_, 0.3, 1, 0);
        else if (st_.res.slenderNote)
            drawSlenderNote(s, st_, 0.3, 1, 0);
        else
            drawStiffenerPanel(s, st_, 0.3, 1, 0);
    });
    pic32_->setPaintRoutine(
        [this](Surface& s, double, double) { drawRingPanel(s, st_, 0.3, 1, 0); });

    // The hidden box through which the decimal separator is told.
    test_ = lineEdit(central_, "Test");
    test_->hide();

    for (const FieldRule& r : fieldRules())
        if (QLineEdit* e = box(std::string(r.control).c_str()))
            e->setAlignment(r.text != nullptr ? Qt::AlignLeft : Qt::AlignRight);
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menubar"));
    auto act = [this](QMenu* m, const char* name, const QString& caption, auto slot) {
        QAction* a = m->addAction(caption);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };

    QMenu* file = named(bar->addMenu(QStringLiteral("&File")), "mnufile");
    act(file, "mnunew", QStringLiteral("&New"), [this] { newCaseCommand(); });
    act(file, "mnuopen", QStringLiteral("&Open"), [this] { openCommand(); });
    act(file, "mnusave", QStringLiteral("&Save"), [this] { saveCommand(); });
    act(file, "mnusaveas", QStringLiteral("Save &As"), [this] { saveAsCommand(); });
    // The report without a printer: the page the Print command prints, as a PDF file.
    act(file, "mnuexportpdf", QStringLiteral("Export Report as PDF..."),
        [this] { exportReportCommand(); });
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
    act(file, "mnuexit", QStringLiteral("&Exit"), [this] { close(); });

    mnuprofiles_ = named(bar->addMenu(QStringLiteral("&Profiles")), "mnuprofiles");
    mnustiff_ = named(mnuprofiles_->addMenu(QStringLiteral("&Longitudinal stiffener")), "mnustiff");
    mnuring_ = named(mnuprofiles_->addMenu(QStringLiteral("&Ringframe Profile")), "mnuring");
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
        act(mnustiff_, it.stiff, QString::fromLatin1(it.caption),
            [this, k] { dialogs_->openStiffenerDialog(k); });
        act(mnuring_, it.ring, QString::fromLatin1(it.caption),
            [this, k] { dialogs_->openRingDialog(k); });
    }

    // The database window, its summary, and the design study of the current case.
    QMenu* db = named(bar->addMenu(QStringLiteral("&Database")), "mnuDbMenu");
    act(db, "mnuDb", QStringLiteral("&Database..."), [this] { database_->showDatabase(); });
    act(db, "mnuDbSummary", QStringLiteral("Calc and &Summary"),
        [this] { database_->showSummary(); });
    act(db, "mnuStudy", QStringLiteral("Design S&tudy..."), [this] { showDesignStudy(); });
    QAction* print = bar->addAction(QStringLiteral("Print"));
    print->setObjectName(QStringLiteral("mnuprint"));
    connect(print, &QAction::triggered, this, [this] { printCommand(); });

    QMenu* help = named(bar->addMenu(QStringLiteral("&Help")), "mnuhelp");
    act(help, "mnuhelpcont", QStringLiteral("&Contents"), [this] { help_->helpContents(); });
    act(help, "mnuindex", QStringLiteral("&Index"), [this] { help_->helpIndex(); });
    act(help, "mnuhelpsearch", QStringLiteral("&Search for Help On . . . "),
        [this] { help_->helpSearch(); });
    act(help, "mnuUpdate", QStringLiteral("Update Information"),
        [this] { help_->openManual(QStringLiteral("Velmora DNV Update.pdf")); });
    act(help, "mnuTheory", QStringLiteral("Theory Manual"),
        [this] { help_->openManual(QStringLiteral("Velmora DNV Theory Manual.pdf")); });
    act(help, "mnuDatabase", QStringLiteral("Database File"),
        [this] { help_->openManual(QStringLiteral("Velmora DNV Database.pdf")); });
    help->addSeparator()->setObjectName(QStringLiteral("line"));
    act(help, "mnuabout", QStringLiteral("&About Velmora"), [this] { help_->showAbout(); });
}

void MainWindow::sizeAndCentre() {
    QScreen* screen = this->screen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchX() : 96.0;
    const double f = dpi / 96.0;
    QSize size(static_cast<int>(1024 * f), static_cast<int>(768 * f));
    if (screen != nullptr) {
        // A window larger than the screen would hide its own result panels.
        const QRect avail = screen->availableGeometry();
        size = size.boundedTo(avail.size() - QSize(8, 40));
        resize(size);
        move(avail.center() - QPoint(size.width() / 2, size.height() / 2));
    } else {
        resize(size);
    }
    laidOut_ = true;
    layoutFrames();
}

// The frames keep the arrangement of the window (inputs and sketch at the top, the three result
// frames below) and its proportions wherever the room allows; no frame gets less than its
// controls or its panel need. Where the window is smaller than that, the content keeps its
// least size and scrolls.
void MainWindow::layoutFrames() {
    if (!laidOut_ || inLayout_)
        return;
    inLayout_ = true;
    auto hint = [](QWidget* w) { return w->sizeHint().height(); };

    // The pictures need the room their panels draw in: every line, the usage factors included.
    for (PanelWidget* pic : {pic30_, pic31_, pic32_}) {
        const QSizeF drawn = pic->drawnExtent();
        const PanelUnits u = panelUnits(pic);
        pic->setMinimumSize(static_cast<int>(std::ceil(drawn.width() + u.charWidth)),
                            static_cast<int>(std::ceil(drawn.height() + 0.3 * u.lineHeight)));
    }

    // What the inputs need: the left column (general, cylinder type, geometry, the database
    // button), the right column (stiffener, ring frame, loading; or the column frame).
    const int leftH = hint(fr110_) + hint(fr111_) + hint(fr112_) + hint(cmdDatabase_) + 12;
    const int rightH = hint(fr120_) + hint(fr121_) + hint(fr123_) + 6;
    const int colH = hint(fr124_) + 6;
    const int inputH = std::max({leftH, rightH, colH});
    // Widths: the columns get what their controls prefer where there is room, and never less
    // than their least.
    auto widest = [](std::initializer_list<QWidget*> frames, bool least) {
        int w = 0;
        for (QWidget* f : frames)
            w = std::max(w, least ? f->minimumSizeHint().width() : f->sizeHint().width());
        return w;
    };
    const int rightNeed = widest({fr120_, fr121_, fr123_, fr124_}, false);
    const int leftNeed = widest({fr110_, fr111_, fr112_}, false);
    const int rightLeast = widest({fr120_, fr121_, fr123_, fr124_}, true);
    const int leftLeast = widest({fr110_, fr111_, fr112_}, true);
    int resultH = 0;
    for (QGroupBox* fr : {fr30_, fr31_, fr32_})
        resultH = std::max(resultH, fr->minimumSizeHint().height());

    // The least content size at which every frame gets what it needs: the two input columns
    // with their margins (0.04 of the width) and the sketch with its own (0.04); below, the
    // shell frame takes 0.3 of the width, the other two share 0.615.
    const int sketchLeast = 160;
    const int needW = static_cast<int>(std::ceil(std::max(
        {(leftLeast + rightLeast + sketchLeast) / 0.92, fr30_->minimumSizeHint().width() / 0.3,
         2.0 * std::max(fr31_->minimumSizeHint().width(), fr32_->minimumSizeHint().width()) /
             0.615})));
    const int needH = inputH + 4 + resultH + 4;

    // The room of the scroll area, less the scroll bars that the least size makes necessary.
    const QSize full = scroll_->maximumViewportSize();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_);
    bool vertical = needH > full.height();
    const bool across = needW > full.width() - (vertical ? bar : 0);
    vertical = needH > full.height() - (across ? bar : 0);
    const int W = std::max(needW, full.width() - (vertical ? bar : 0));
    const int H = std::max(needH, full.height() - (across ? bar : 0));
    central_->resize(W, H);
    const double m = 0.01 * W;

    // The input frame is at least 0.45 of the height when the result frames keep their room.
    // The sketch frame takes 0.27 of the width, less where the inputs need it.
    const int fr10H = std::max(inputH, std::min(static_cast<int>(0.45 * H), H - 8 - resultH));
    const int inputsLeast = static_cast<int>(std::ceil(leftLeast + rightLeast + 0.04 * W));
    const int fr20W = std::max(sketchLeast, std::min(static_cast<int>(0.27 * W),
                                                     static_cast<int>(W - 4 * m) - inputsLeast));
    fr20_->setGeometry(static_cast<int>(W - fr20W - 2 * m), 0, fr20W, fr10H);
    fr10_->setGeometry(static_cast<int>(m), 0, static_cast<int>(W - fr20W - 4 * m), fr10H);

    // Left column: General, cylinder type, geometry; the database button under them. The
    // right column gets as much room as its boxes and lists prefer, the left at least its least.
    const int spare = static_cast<int>(fr10_->width() - m - 0.03 * W);
    const int leftW = std::clamp(std::max(spare - rightNeed, std::min(leftNeed, spare / 2)),
                                 leftLeast, std::max(leftLeast, spare - rightLeast));
    int y = 0;
    for (QWidget* f : {static_cast<QWidget*>(fr110_), static_cast<QWidget*>(fr111_),
                       static_cast<QWidget*>(fr112_)}) {
        f->setGeometry(0, y, leftW, hint(f));
        y += hint(f) + 4;
    }
    cmdDatabase_->setGeometry(0, y, cmdDatabase_->sizeHint().width() + 10, hint(cmdDatabase_));

    // Right column: stiffener, ring frame, loading stacked; the column frame at the bottom.
    const int x2 = static_cast<int>(leftW + m);
    const int w2c = std::max(1, static_cast<int>(fr10_->width() - x2 - 0.03 * W));
    fr120_->setGeometry(x2, 0, w2c, hint(fr120_));
    fr121_->setGeometry(x2, fr120_->geometry().bottom() + 1, w2c, hint(fr121_));
    const int fr123H =
        std::max(hint(fr123_), static_cast<int>(fr10H - hint(fr120_) - hint(fr121_) - 0.03 * H));
    fr123_->setGeometry(x2, fr121_->geometry().bottom() + 1, w2c, fr123H);
    const int fr124H = hint(fr124_);
    // The column frame stands alone and may use the gap at the right for its long captions.
    const int w124 = std::max(w2c, fr10_->width() - x2);
    fr124_->setGeometry(x2, static_cast<int>(fr10H - 1.06 * fr124H), w124, fr124H);

    // The sketch: centred across, low in its frame.
    const int p20W = fr20W - 16;
    const int p20H = fr10H - 40;
    pic20_->setGeometry((fr20W - p20W) / 2, static_cast<int>(0.7 * (fr10H - p20H)), p20W, p20H);

    // Result frames below the inputs, reaching 0.07 of the height above the bottom where there
    // is room for it.
    const int top = fr10H + 4;
    const int below = std::clamp(H - top - resultH, 4, std::max(4, static_cast<int>(0.07 * H)));
    const int frH = H - top - below;
    const int w30 = static_cast<int>(0.3 * W);
    const int rest = static_cast<int>(W - m - w30 - 0.015 * W - 0.02 * W - 0.04 * W);
    const int w31 = rest / 2;
    fr30_->setGeometry(static_cast<int>(m), top, w30, frH);
    fr31_->setGeometry(static_cast<int>(m + w30 + 0.015 * W), top, w31, frH);
    fr32_->setGeometry(static_cast<int>(fr31_->geometry().right() + 0.02 * W), top, w31, frH);
    inLayout_ = false;
}

QLineEdit* MainWindow::box(const char* name) const {
    return findChild<QLineEdit*>(QString::fromLatin1(name));
}

QWidget* MainWindow::control(const QString& name) const {
    return findChild<QWidget*>(name);
}

bool MainWindow::available(std::string_view name) const {
    QWidget* w = control(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    return w != nullptr && w->isVisibleTo(this) && w->isEnabled();
}

void MainWindow::setCaption() {
    // "[*]" is where the window shows that the case has changed since it was last saved.
    setWindowTitle(QStringLiteral("Velmora DNV: ") + QString::fromStdString(st_.run.fileName) +
                   QStringLiteral("[*]"));
}

void MainWindow::showRecentMenu() {
    const RecentMenu& m = recent_->menu();
    for (size_t i = 0; i < recentActions_.size(); ++i) {
        recentActions_[i]->setVisible(m.visible[i]);
        if (i > 0)
            recentActions_[i]->setText(QString::fromStdString(m.caption[i]));
    }
}

Notifier& MainWindow::notifierFor(QWidget* window) {
    // A notifier given to the window (the tests' recording one) serves every window.
    if (opt_.notifier != nullptr || window == nullptr || window == this)
        return *notifier_;
    std::unique_ptr<QtNotifier>& n = windowNotifiers_[window];
    if (!n || n->window() != window)
        n = std::make_unique<QtNotifier>(window);
    return *n;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A changed case is not closed without the question; Cancel keeps the window open.
    if (!mayReplaceCase()) {
        event->ignore();
        return;
    }
    // Closing the main window ends the program: every owned window closes with it.
    dialogs_->closeAll();
    help_->closeAll();
    if (study_)
        study_->close();
    QMainWindow::closeEvent(event);
}

DesignStudyWindow* MainWindow::designStudyWindow() {
    if (!study_)
        study_ = new DesignStudyWindow(*this, this);
    return study_;
}

void MainWindow::showDesignStudy() {
    DesignStudyWindow* w = designStudyWindow();
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace velmora
