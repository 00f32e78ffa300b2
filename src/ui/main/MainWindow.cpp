// The main window: its construction, the layout of its frames, its caption and the windows it
// owns.
#include "ui/main/MainWindow.h"

#include "ui/database/DatabaseWindows.h"
#include "ui/help/HelpWindows.h"
#include "ui/main/InputBoxes.h"
#include "ui/main/LoadCaseTable.h"
#include "ui/main/SettingsStore.h"
#include "ui/profiles/ProfileDialogs.h"
#include "ui/study/DesignStudyWindow.h"
#include "ui/widgets/PanelWidget.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace velmora {

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
    inputs_ = std::make_unique<InputBoxes>(*this, *this, [this] { showInputTaken(); });
    buildWidgets();
    buildMenus();
    installFilters();
    setCaption();
}

MainWindow::~MainWindow() = default;

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
    for (PanelWidget* pic : {shellPanel_, stiffenerPanel_, ringPanel_}) {
        const QSizeF drawn = pic->drawnExtent();
        const PanelUnits u = panelUnits(pic);
        pic->setMinimumSize(static_cast<int>(std::ceil(drawn.width() + u.charWidth)),
                            static_cast<int>(std::ceil(drawn.height() + 0.3 * u.lineHeight)));
    }

    // What the inputs need: the left column (general, cylinder type, geometry, the database
    // button), the right column (stiffener, ring frame, loading; or the column frame).
    // Only the right column the case shows counts: the column frame stands alone.
    const int leftH = hint(generalFrame_) + hint(cylinderTypeFrame_) + hint(geometryFrame_) +
                      hint(addToDatabaseButton_) + 12;
    const int rightH = st_.dc.cylinderType == CylinderType::Column
                           ? hint(columnFrame_) + 6
                           : hint(stiffenerFrame_) + hint(ringFrame_) + hint(loadingFrame_) + 6;
    // The sketch column holds the load-case table under the sketch.
    const int tableLeastH = loadCaseTable_->leastHeight();
    const int inputH = std::max({leftH, rightH, 2 * tableLeastH});
    // Widths: the columns get what their controls prefer where there is room, and never less
    // than their least.
    auto widest = [](std::initializer_list<QWidget*> frames, bool least) {
        int w = 0;
        for (QWidget* f : frames)
            w = std::max(w, least ? f->minimumSizeHint().width() : f->sizeHint().width());
        return w;
    };
    const int rightNeed = widest({stiffenerFrame_, ringFrame_, loadingFrame_, columnFrame_}, false);
    const int leftNeed = widest({generalFrame_, cylinderTypeFrame_, geometryFrame_}, false);
    const int rightLeast = widest({stiffenerFrame_, ringFrame_, loadingFrame_, columnFrame_}, true);
    const int leftLeast = widest({generalFrame_, cylinderTypeFrame_, geometryFrame_}, true);
    int resultH = 0;
    for (QGroupBox* fr : {shellResultFrame_, stiffenerResultFrame_, ringResultFrame_})
        resultH = std::max(resultH, fr->minimumSizeHint().height());

    // The least content size at which every frame gets what it needs: the two input columns
    // with their margins (0.04 of the width) and the sketch with its own (0.04); below, the
    // shell frame takes 0.3 of the width, the other two share 0.615.
    const int sketchLeast = std::max(160, loadCaseTable_->minimumSizeHint().width());
    const int needW = static_cast<int>(
        std::ceil(std::max({(leftLeast + rightLeast + sketchLeast) / 0.92,
                            shellResultFrame_->minimumSizeHint().width() / 0.3,
                            2.0 *
                                std::max(stiffenerResultFrame_->minimumSizeHint().width(),
                                         ringResultFrame_->minimumSizeHint().width()) /
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
    content_->resize(W, H);
    const double m = 0.01 * W;

    // The input frame is at least 0.45 of the height when the result frames keep their room.
    // The sketch frame takes 0.27 of the width, less where the inputs need it.
    const int inputFrameH = std::max(inputH, std::min(static_cast<int>(0.45 * H), H - 8 - resultH));
    const int inputsLeast = static_cast<int>(std::ceil(leftLeast + rightLeast + 0.04 * W));
    const int sketchW = std::max(sketchLeast, std::min(static_cast<int>(0.27 * W),
                                                       static_cast<int>(W - 4 * m) - inputsLeast));
    sketchFrame_->setGeometry(static_cast<int>(W - sketchW - 2 * m), 0, sketchW, inputFrameH);
    inputFrame_->setGeometry(static_cast<int>(m), 0, static_cast<int>(W - sketchW - 4 * m),
                             inputFrameH);

    // Left column: General, cylinder type, geometry; the database button under them. The
    // right column gets as much room as its boxes and lists prefer, the left at least its least.
    const int spare = static_cast<int>(inputFrame_->width() - m - 0.03 * W);
    const int leftW = std::clamp(std::max(spare - rightNeed, std::min(leftNeed, spare / 2)),
                                 leftLeast, std::max(leftLeast, spare - rightLeast));
    int y = 0;
    for (QWidget* f :
         {static_cast<QWidget*>(generalFrame_), static_cast<QWidget*>(cylinderTypeFrame_),
          static_cast<QWidget*>(geometryFrame_)}) {
        f->setGeometry(0, y, leftW, hint(f));
        y += hint(f) + 4;
    }
    addToDatabaseButton_->setGeometry(0, y, addToDatabaseButton_->sizeHint().width() + 10,
                                      hint(addToDatabaseButton_));

    // Right column: stiffener, ring frame, loading stacked; the column frame at the bottom.
    const int x2 = static_cast<int>(leftW + m);
    const int rightW = std::max(1, static_cast<int>(inputFrame_->width() - x2 - 0.03 * W));
    stiffenerFrame_->setGeometry(x2, 0, rightW, hint(stiffenerFrame_));
    ringFrame_->setGeometry(x2, stiffenerFrame_->geometry().bottom() + 1, rightW, hint(ringFrame_));
    const int loadingH =
        std::max(hint(loadingFrame_), static_cast<int>(inputFrameH - hint(stiffenerFrame_) -
                                                       hint(ringFrame_) - 0.03 * H));
    loadingFrame_->setGeometry(x2, ringFrame_->geometry().bottom() + 1, rightW, loadingH);
    const int columnH = hint(columnFrame_);
    // The column frame stands alone and may use the gap at the right for its long captions.
    const int columnW = std::max(rightW, inputFrame_->width() - x2);
    columnFrame_->setGeometry(x2, static_cast<int>(inputFrameH - 1.06 * columnH), columnW, columnH);

    // The sketch column: the sketch in its upper half, the load-case table beside the loading
    // frame in the lower half.
    const int tableTop = std::min(inputFrameH / 2, inputFrameH - tableLeastH);
    const int sketchH = tableTop - 4;
    sketchFrame_->resize(sketchW, sketchH);
    loadCaseTable_->setGeometry(sketchFrame_->x(), tableTop, sketchW, inputFrameH - tableTop);

    // The sketch: centred across, low in its frame.
    const int panelW = sketchW - 16;
    const int panelH = sketchH - 40;
    sketchPanel_->setGeometry((sketchW - panelW) / 2, static_cast<int>(0.7 * (sketchH - panelH)),
                              panelW, panelH);

    // Result frames below the inputs, reaching 0.07 of the height above the bottom where there
    // is room for it.
    const int top = inputFrameH + 4;
    const int below = std::clamp(H - top - resultH, 4, std::max(4, static_cast<int>(0.07 * H)));
    const int frH = H - top - below;
    const int shellW = static_cast<int>(0.3 * W);
    const int rest = static_cast<int>(W - m - shellW - 0.015 * W - 0.02 * W - 0.04 * W);
    const int sideW = rest / 2;
    shellResultFrame_->setGeometry(static_cast<int>(m), top, shellW, frH);
    stiffenerResultFrame_->setGeometry(static_cast<int>(m + shellW + 0.015 * W), top, sideW, frH);
    ringResultFrame_->setGeometry(
        static_cast<int>(stiffenerResultFrame_->geometry().right() + 0.02 * W), top, sideW, frH);
    inLayout_ = false;
}

QString MainWindow::caption() const {
    // "[*]" is where the window shows that the case has changed since it was last saved.
    const QString shown =
        databaseRow_ ? QStringLiteral("Database row: ") + QString::fromStdString(*databaseRow_)
                     : QString::fromStdString(st_.run.fileName);
    return QStringLiteral("Velmora DNV: ") + shown + QStringLiteral("[*]");
}

void MainWindow::setCaption() {
    setWindowTitle(caption());
}

void MainWindow::changeEvent(QEvent* event) {
    // While a database row is shown the caption names it, whatever caption another window
    // gives the main window.
    if (event->type() == QEvent::WindowTitleChange && databaseRow_ && windowTitle() != caption())
        setCaption();
    QMainWindow::changeEvent(event);
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
    // A changed case and a changed database are not closed without their questions; Cancel
    // keeps the window open.
    if (!mayReplaceCase() || !database_->mayCloseDatabase(this)) {
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
