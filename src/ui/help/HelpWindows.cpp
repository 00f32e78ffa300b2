#include "ui/help/HelpWindows.h"

#include "base/Version.h"
#include "report/Surface.h"
#include "ui/help/HelpWindow.h"
#include "ui/widgets/PanelWidget.h"
#include "ui/widgets/QtNotifier.h"
#include "ui/widgets/WindowFit.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

// The help pages are compiled into the static program library; its resources need an explicit
// start.
static void initHelpResource() {
    Q_INIT_RESOURCE(help);
}

namespace velmora {

namespace {

// A window holding one picture; a click on the picture closes it.
QWidget* pictureWindow(QWidget* owner, const QString& caption, const QString& pictureName,
                       QSize size, PaintRoutine paint) {
    auto* w = new QWidget(owner, Qt::Window);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowTitle(caption);
    auto* lay = new QVBoxLayout(w);
    lay->setContentsMargins(0, 0, 0, 0);
    auto* pic = new PanelWidget(pictureName, w);
    pic->setTextScale(false);
    pic->setMinimumSize(size);
    pic->setPaintRoutine(std::move(paint));
    QObject::connect(pic, &PanelWidget::clicked, w, &QWidget::close);
    lay->addWidget(pic);
    return w;
}

void centredText(Surface& s, double cx, double y, const std::string& t) {
    s.setPos(cx - s.textWidth(t) / 2, y);
    s.drawText(t);
}

void drawUsageFactorTable(Surface& s, double w, double) {
    s.setFont("Arial", 10);
    s.setBold(true);
    s.setPos(16, 12);
    s.drawText("Basic usage factors of the working stress design format");
    s.setBold(false);
    const double x0 = 16, x1 = w - 16, colW = (x1 - x0 - 120) / 5;
    const double rowH = 26, top = 44;
    const char* conds[5] = {"a", "b", "c", "d", "e"};
    const char* eta[5] = {"0.60", "0.80", "1.00", "1.00", "1.00"};
    for (int r = 0; r <= 2; ++r)
        s.line(x0, top + r * rowH, x1, top + r * rowH);
    s.line(x0, top, x0, top + 2 * rowH);
    for (int c = 0; c <= 5; ++c)
        s.line(x0 + 120 + c * colW, top, x0 + 120 + c * colW, top + 2 * rowH);
    s.setPos(x0 + 6, top + 6);
    s.drawText("Load condition");
    s.setPos(x0 + 6, top + rowH + 6);
    s.drawText("n0");
    for (int c = 0; c < 5; ++c) {
        centredText(s, x0 + 120 + (c + 0.5) * colW, top + 6, conds[c]);
        centredText(s, x0 + 120 + (c + 0.5) * colW, top + rowH + 6, eta[c]);
    }
    const char* notes[5] = {
        "a) functional loads",
        "b) maximum combination of environmental loads and associated functional loads",
        "c) accidental loads and associated functional loads",
        "d) environmental loads after credible failures or accidental events",
        "e) environmental loads in a heeled condition after accidental flooding"};
    s.setFont("Arial", 8);
    for (int i = 0; i < 5; ++i) {
        s.setPos(x0, top + 2 * rowH + 12 + i * 18);
        s.drawText(notes[i]);
    }
    s.setPos(x0, top + 2 * rowH + 12 + 5 * 18 + 8);
    s.drawText("The permitted usage factor of a shell check is 1.15 x beta x n0. Click to close.");
}

void drawLengthDefinition(Surface& s, double w, double h) {
    // A stiffened cylinder between two bulkheads: l between ring frames, L between the heavy
    // supports that hold the shell's ends (bulkheads, decks or heavy ring frames).
    const double left = 50, right = w - 50, top = h * 0.25, bottom = h * 0.62;
    const double ry = (bottom - top) / 2 * 0.25;
    const double cy = (top + bottom) / 2;
    s.setColor(kBlack);
    s.line(left, top, right, top);
    s.line(left, bottom, right, bottom);
    s.ellipse(left, cy, ry, (bottom - top) / 2, false);
    s.ellipse(right, cy, ry, (bottom - top) / 2, false);
    // Bulkheads drawn heavy
    for (double x : {left, right}) {
        s.ellipse(x, cy, ry + 2, (bottom - top) / 2 + 2, false);
    }
    const int rings = 4;
    const double step = (right - left) / (rings + 1);
    for (int i = 1; i <= rings; ++i) {
        const double x = left + i * step;
        s.ellipse(x, cy, ry, (bottom - top) / 2, false);
    }
    auto arrow = [&s](double x1, double x2, double y, const std::string& t) {
        s.line(x1, y, x2, y);
        s.line(x1, y, x1 + 6, y - 4);
        s.line(x1, y, x1 + 6, y + 4);
        s.line(x2, y, x2 - 6, y - 4);
        s.line(x2, y, x2 - 6, y + 4);
        s.line(x1, y - 8, x1, y + 8);
        s.line(x2, y - 8, x2, y + 8);
        s.setPos((x1 + x2) / 2 - s.textWidth(t) / 2, y - 18);
        s.drawText(t);
    };
    s.setFont("Arial", 10);
    arrow(left + step, left + 2 * step, top - 20, "l");
    arrow(left, right, bottom + 34, "L");
    s.setFont("Arial", 8);
    s.setPos(left, bottom + 52);
    s.drawText("L: cylinder length between bulkheads or heavy ring frames that hold the");
    s.setPos(left, bottom + 66);
    s.drawText("shell's ends (the column length of a column case); l: ring-frame spacing.");
    s.setPos(left, bottom + 84);
    s.drawText("Click to close.");
}

} // namespace

HelpWindows::HelpWindows(QWidget* owner, const QString& programDir)
    : QObject(owner), owner_(owner), programDir_(programDir) {
    openDocument = [](const QString& path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
}

HelpWindows::~HelpWindows() = default;

Notifier& HelpWindows::notifier() {
    if (notifier_ != nullptr)
        return *notifier_;
    if (!ownNotifier_)
        ownNotifier_ = std::make_unique<QtNotifier>(owner_);
    return *ownNotifier_;
}

HelpWindow* HelpWindows::ensureHelp() {
    if (help_ == nullptr)
        help_ = new HelpWindow(owner_);
    return help_;
}

QWidget* HelpWindows::helpWindow() const {
    return help_;
}

void HelpWindows::helpContents() {
    ensureHelp()->showPage(0);
}
void HelpWindows::helpIndex() {
    ensureHelp()->showPage(1);
}
void HelpWindows::helpSearch() {
    ensureHelp()->showPage(2);
}

QString HelpWindows::manualPath(const QString& name) const {
    // Beside the program, or in the shared folder of an installed program.
    const QStringList dirs = {programDir_ + QStringLiteral("/Documentation"),
                              programDir_ + QStringLiteral("/../share/velmora-dnv/Documentation")};
    for (const QString& d : dirs)
        if (QFileInfo::exists(d + QLatin1Char('/') + name))
            return QDir::cleanPath(d + QLatin1Char('/') + name);
    return QDir::cleanPath(dirs.first() + QLatin1Char('/') + name);
}

bool HelpWindows::openManual(const QString& name) {
    const QString path = manualPath(name);
    const std::string shown = QDir::toNativeSeparators(path).toStdString();
    if (!QFileInfo::exists(path)) {
        notifier().warn(
            " The document cannot be opened: it is not installed. It is looked for as " + shown +
            " ");
        return false;
    }
    if (!openDocument(path)) {
        notifier().warn(" No program could be started to show the document " + shown + " ");
        return false;
    }
    return true;
}

void HelpWindows::showAbout() {
    if (about_ == nullptr) {
        auto* w = new QWidget(owner_, Qt::Window);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->setObjectName(QStringLiteral("about"));
        w->setWindowTitle(QStringLiteral("About ") + QStringLiteral("Velmora DNV"));
        auto* lay = new QVBoxLayout(w);
        auto* pic = new PanelWidget(QStringLiteral("Picture5"), w);
        pic->setTextScale(false);
        pic->setMinimumSize(80, 60);
        pic->setPaintRoutine([](Surface& s, double pw, double ph) {
            s.setColor(kBlack);
            s.ellipse(pw / 2 - 20, ph / 2, 6, 20, false);
            s.ellipse(pw / 2 + 20, ph / 2, 6, 20, false);
            s.line(pw / 2 - 20, ph / 2 - 20, pw / 2 + 20, ph / 2 - 20);
            s.line(pw / 2 - 20, ph / 2 + 20, pw / 2 + 20, ph / 2 + 20);
        });
        QObject::connect(pic, &PanelWidget::clicked, w, &QWidget::close);
        lay->addWidget(pic);
        const char* names[3] = {"ab1", "ab2", "ab3"};
        const char* texts[3] = {"Velmora DNV", "Cylinder shell buckling based on DNV-RP-C202",
                                kVersionLine};
        for (int i = 0; i < 3; ++i) {
            auto* l = new QLabel(QString::fromLatin1(texts[i]), w);
            l->setObjectName(QString::fromLatin1(names[i]));
            l->setAlignment(Qt::AlignCenter);
            if (i == 0) {
                QFont f = l->font();
                f.setBold(true);
                f.setPointSizeF(f.pointSizeF() * 1.5);
                l->setFont(f);
            }
            l->installEventFilter(this);
            lay->addWidget(l);
        }
        auto* ok = new QPushButton(QStringLiteral("OK"), w);
        ok->setObjectName(QStringLiteral("cmdOK"));
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, w, &QWidget::close);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch(1);
        buttons->addWidget(ok);
        buttons->addStretch(1);
        lay->addLayout(buttons);
        // Every label whole, the title in its bar too; the window no smaller than that.
        lay->setSizeConstraint(QLayout::SetMinimumSize);
        w->setMinimumWidth(titleWidth(w->windowTitle()));
        about_ = w;
    }
    about_->adjustSize();
    if (QScreen* sc = about_->screen()) {
        const QRect g = sc->availableGeometry();
        about_->move(g.left() + g.width() / 2 - about_->width() / 2,
                     g.top() + g.height() / 2 - about_->height() / 2);
    }
    about_->show();
    about_->raise();
}

bool HelpWindows::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && about_ != nullptr &&
        watched->parent() == about_) {
        about_->close();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void HelpWindows::showInfoUF() {
    if (infoUF_ == nullptr) {
        infoUF_ = pictureWindow(
            owner_, QStringLiteral("Basic Usage Factor (DNV-OS-C201, Sec 2, Table D1/E1)"),
            QStringLiteral("Picture2"), QSize(560, 260), drawUsageFactorTable);
        infoUF_->setObjectName(QStringLiteral("InfoUF"));
    }
    infoUF_->show();
    infoUF_->raise();
}

void HelpWindows::showInfoVelmora() {
    if (infoVelmora_ == nullptr) {
        infoVelmora_ =
            pictureWindow(owner_, QStringLiteral("Definition of Cylinder length L"),
                          QStringLiteral("Picture1"), QSize(560, 300), drawLengthDefinition);
        infoVelmora_->setObjectName(QStringLiteral("InfoVELMORA"));
    }
    infoVelmora_->show();
    infoVelmora_->raise();
}

void HelpWindows::closeAll() {
    for (QWidget* w : {static_cast<QWidget*>(help_), static_cast<QWidget*>(about_),
                       static_cast<QWidget*>(infoUF_), static_cast<QWidget*>(infoVelmora_)})
        if (w != nullptr)
            w->close();
}

QString HelpWindows::helpHtml() {
    initHelpResource();
    QFile f(QStringLiteral(":/help/velmora-help.html"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("<p>The help text is missing from this build.</p>");
    return QString::fromUtf8(f.readAll());
}

QList<HelpWindows::Section> HelpWindows::helpSections() {
    QList<Section> out;
    const QString html = helpHtml();
    static const QRegularExpression heading(QStringLiteral("<h([23]) id=\"([^\"]+)\">(.*?)</h\\1>"),
                                            QRegularExpression::DotMatchesEverythingOption);
    auto it = heading.globalMatch(html);
    QList<QRegularExpressionMatch> matches;
    while (it.hasNext())
        matches << it.next();
    for (qsizetype i = 0; i < matches.size(); ++i) {
        const auto& m = matches[i];
        const qsizetype end = i + 1 < matches.size() ? matches[i + 1].capturedStart() : html.size();
        QTextDocument doc;
        doc.setHtml(html.mid(m.capturedEnd(), end - m.capturedEnd()));
        QTextDocument title;
        title.setHtml(m.captured(3));
        out.push_back({title.toPlainText().trimmed(), m.captured(2), doc.toPlainText()});
    }
    return out;
}

} // namespace velmora
