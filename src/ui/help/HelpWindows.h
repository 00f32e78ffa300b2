// The help window (contents, index, search), the manuals, the about window and the two
// information windows InfoUF and InfoVELMORA, all modeless and owned by the main window.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace velmora {

class HelpWindow;

class HelpWindows : public QObject {
    Q_OBJECT
public:
    HelpWindows(QWidget* owner, const QString& programDir);

    void helpContents();
    void helpIndex();
    void helpSearch();
    // Opens programDir/Documentation/<name> with the desktop's viewer; failures are silent.
    void openManual(const QString& name);
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

    QWidget* owner_;
    QString programDir_;
    QPointer<HelpWindow> help_;
    QPointer<QWidget> about_;
    QPointer<QWidget> infoUF_;
    QPointer<QWidget> infoVelmora_;
};

} // namespace velmora
