// The help window (contents, index, search), the manuals, the about window and the two
// information windows InfoUF and InfoVELMORA, all modeless and owned by the main window.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace velmora {

class HelpWindow;
class Notifier;

class HelpWindows : public QObject {
    Q_OBJECT
public:
    HelpWindows(QWidget* owner, const QString& programDir);
    ~HelpWindows() override;

    void helpContents();
    void helpIndex();
    void helpSearch();
    // Opens programDir/Documentation/<name> with the desktop's viewer. A document that is
    // missing or that no viewer opens is told, with its path; false then.
    bool openManual(const QString& name);
    // Where the manual `name` is looked for first (beside the program), or found.
    QString manualPath(const QString& name) const;

    // Opens a document with the desktop's viewer; false when none could be started. The tests
    // replace it.
    std::function<bool(const QString& path)> openDocument;
    // Where the help windows' messages go; by default message boxes over the main window.
    void setNotifier(Notifier* notifier) { notifier_ = notifier; }
    void showAbout();
    void showInfoUF();
    void showInfoVelmora();
    void closeAll();

    // The help text (HTML) and its sections as title and anchor, in page order.
    static QString helpHtml();
    struct Section {
        QString title;
        QString anchor;
        QString text; // plain text of the section, for the search page
    };
    static QList<Section> helpSections();

    QWidget* helpWindow() const;
    QWidget* aboutWindow() const { return about_; }
    QWidget* infoUF() const { return infoUF_; }
    QWidget* infoVelmora() const { return infoVelmora_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HelpWindow* ensureHelp();

    Notifier& notifier();

    QWidget* owner_;
    QString programDir_;
    Notifier* notifier_ = nullptr;
    std::unique_ptr<Notifier> ownNotifier_;
    QPointer<HelpWindow> help_;
    QPointer<QWidget> about_;
    QPointer<QWidget> infoUF_;
    QPointer<QWidget> infoVelmora_;
};

} // namespace velmora
