// The help window: the help text with its contents, an index of its sections and a search page.
#pragma once

#include "ui/help/HelpWindows.h"

#include <QList>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

namespace velmora {

class HelpWindow : public QWidget {
public:
    explicit HelpWindow(QWidget* owner);

    // Shows the page `tab` (0 contents, 1 index, 2 search with an empty query) in front.
    void showPage(int tab);
    // Lists on the search page the sections whose title or text holds `text`.
    void search(const QString& text);
    // Shows the contents at the section titled `title`.
    void showSection(const QString& title);

private:
    QTabWidget* tabs_;
    QTextBrowser* contents_;
    QListWidget* index_;
    QLineEdit* query_;
    QListWidget* hits_;
    QList<HelpWindows::Section> sections_;
};

} // namespace velmora
