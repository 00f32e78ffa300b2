#include "ui/help/HelpWindow.h"
#include "ui/widgets/WindowFit.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace velmora {

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QStringLiteral("Velmora DNV Help"));
    auto* lay = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    lay->addWidget(tabs_);

    contents_ = new QTextBrowser(this);
    contents_->setObjectName(QStringLiteral("helpContents"));
    contents_->setOpenExternalLinks(true);
    contents_->setHtml(HelpWindows::helpHtml());
    tabs_->addTab(contents_, QStringLiteral("Contents"));

    sections_ = HelpWindows::helpSections();
    index_ = new QListWidget(this);
    index_->setObjectName(QStringLiteral("helpIndex"));
    QStringList titles;
    for (const auto& s : sections_)
        titles << s.title;
    titles.sort(Qt::CaseInsensitive);
    index_->addItems(titles);
    connect(index_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* it) { showSection(it->text()); });
    tabs_->addTab(index_, QStringLiteral("Index"));

    auto* searchPage = new QWidget(this);
    auto* sl = new QVBoxLayout(searchPage);
    query_ = new QLineEdit(searchPage);
    query_->setObjectName(QStringLiteral("helpQuery"));
    query_->setPlaceholderText(QStringLiteral("Word to look for"));
    hits_ = new QListWidget(searchPage);
    hits_->setObjectName(QStringLiteral("helpHits"));
    sl->addWidget(query_);
    sl->addWidget(hits_);
    connect(query_, &QLineEdit::textChanged, this, [this](const QString& t) { search(t); });
    connect(hits_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* it) { showSection(it->text()); });
    tabs_->addTab(searchPage, QStringLiteral("Search"));
    fitOnScreen(this, QSize(760, 600));
}

void HelpWindow::showPage(int tab) {
    tabs_->setCurrentIndex(tab);
    if (tab == 2)
        query_->clear();
    show();
    raise();
    activateWindow();
}

void HelpWindow::search(const QString& text) {
    hits_->clear();
    if (text.trimmed().isEmpty())
        return;
    for (const auto& s : sections_)
        if (s.text.contains(text, Qt::CaseInsensitive) ||
            s.title.contains(text, Qt::CaseInsensitive))
            hits_->addItem(s.title);
}

void HelpWindow::showSection(const QString& title) {
    for (const auto& s : sections_)
        if (s.title == title) {
            tabs_->setCurrentIndex(0);
            contents_->scrollToAnchor(s.anchor);
            return;
        }
}

} // namespace velmora
