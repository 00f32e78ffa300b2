// The help, manual and about windows, and what every window and message box of the program
// needs to be read whole: a title bar wide enough for the title, a window no larger than the
// screen.

#include "ui/help/HelpWindows.h"
#include "support/RecordingNotifier.h"
#include "ui/widgets/QtNotifier.h"
#include "ui/widgets/WindowFit.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace velmora;

class HelpWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void aManualThatCannotBeOpenedIsToldWithItsPath() {
        QTemporaryDir dir;
        QWidget owner;
        HelpWindows help(&owner, dir.path());
        RecordingNotifier nt;
        help.setNotifier(&nt);
        QStringList opened;
        bool opens = false;
        help.openDocument = [&](const QString& path) {
            opened << path;
            return opens;
        };
        const QString name = "Velmora DNV Theory Manual.pdf";
        const QString path = dir.filePath("Documentation/" + name);
        // Not installed: nothing is started, the message names where it was looked for.
        QVERIFY(!help.openManual(name));
        QVERIFY(opened.isEmpty());
        QCOMPARE(nt.warnings().size(), size_t{1});
        QVERIFY2(QString::fromStdString(nt.warnings()[0]).contains(QDir::toNativeSeparators(path)),
                 nt.warnings()[0].c_str());
        // There, but no viewer starts: told as well.
        QVERIFY(QDir(dir.path()).mkpath("Documentation"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        nt.clear();
        QVERIFY(!help.openManual(name));
        QCOMPARE(opened, QStringList{path});
        QCOMPARE(nt.warnings().size(), size_t{1});
        QVERIFY(QString::fromStdString(nt.warnings()[0]).contains(QDir::toNativeSeparators(path)));
        // Opened: nothing said.
        nt.clear();
        opens = true;
        QVERIFY(help.openManual(name));
        QVERIFY(nt.warnings().empty());
    }

    void aboutHasAnOkButtonAndNothingCut() {
        QWidget owner;
        HelpWindows help(&owner, QDir::tempPath());
        help.showAbout();
        QPointer<QWidget> about = help.aboutWindow();
        QVERIFY(about);
        QVERIFY(QTest::qWaitForWindowExposed(about));
        for (const char* name : {"ab1", "ab2", "ab3"}) {
            auto* l = about->findChild<QLabel*>(name);
            QVERIFY2(l, name);
            QVERIFY2(l->width() >= l->sizeHint().width(), name);
            QVERIFY2(l->height() >= l->sizeHint().height(), name);
        }
        QCOMPARE(about->windowTitle(), QString("About Velmora DNV"));
        // Room for the title beside the title bar's buttons.
        const QFontMetrics metrics(QApplication::font());
        QVERIFY(about->width() >= metrics.horizontalAdvance(about->windowTitle()) + 100);
        auto* ok = about->findChild<QPushButton*>("cmdOK");
        QVERIFY(ok);
        QCOMPARE(ok->text(), QString("OK"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QTRY_VERIFY(!about || !about->isVisible());
    }

    void helpWindowFitsTheScreen() {
        QWidget owner;
        HelpWindows help(&owner, QDir::tempPath());
        help.helpContents();
        QWidget* w = help.helpWindow();
        QVERIFY(w && QTest::qWaitForWindowExposed(w));
        const QRect avail = w->screen()->availableGeometry();
        QVERIFY(w->width() + kWindowFrame.width() <= avail.width());
        QVERIFY(w->height() + kWindowFrame.height() <= avail.height());
    }

    void sizesAreKeptWithinTheScreen() {
        // 1366 x 768 less a panel of 40 pixels; at a scale of 1.5 the same screen is 910 x 512.
        const QRect laptop(0, 0, 1366, 728);
        QCOMPARE(fittedSize({760, 600}, {300, 200}, laptop), QSize(760, 600));
        QCOMPARE(fittedSize({1000, 800}, {300, 200}, laptop), QSize(1000, 688));
        const QRect scaled(0, 0, 910, 485);
        QCOMPARE(fittedSize({1000, 520}, {300, 200}, scaled), QSize(894, 445));
        // A minimum larger than the screen gives way to the screen.
        QCOMPARE(fittedSize({100, 100}, {1200, 900}, scaled), QSize(894, 445));
        QCOMPARE(fittedSize({100, 100}, {300, 200}, scaled), QSize(300, 200));
    }

    void aMessageBoxShowsItsTitleWhole() {
        QWidget owner;
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        QtNotifier nt(&owner);
        int width = 0;
        QString title;
        QTimer answer;
        answer.setInterval(10);
        connect(&answer, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            answer.stop();
            width = box->width();
            title = box->windowTitle();
            box->button(QMessageBox::Ok)->click();
        });
        answer.start();
        nt.warn(" H >= 5 ");
        QCOMPARE(title, QString("Velmora DNV"));
        const QFontMetrics metrics(QApplication::font());
        QVERIFY2(width >= metrics.horizontalAdvance(title) + 100,
                 qPrintable(QString::number(width)));
    }

    // ---- screenshots for the eye: VELMORA_SHOTS=folder -------------------------------

    void screenshots() {
        const QString out = qEnvironmentVariable("VELMORA_SHOTS");
        if (out.isEmpty())
            QSKIP("set VELMORA_SHOTS to a folder to get screenshots");
        QWidget owner;
        owner.resize(400, 300);
        owner.show();
        HelpWindows help(&owner, QDir::tempPath());
        help.helpContents();
        QVERIFY(QTest::qWaitForWindowExposed(help.helpWindow()));
        QTest::qWait(200);
        QVERIFY(help.helpWindow()->screen()->grabWindow(0).save(out + "/help-screen.png"));
        help.helpWindow()->close();
        help.showAbout();
        QVERIFY(QTest::qWaitForWindowExposed(help.aboutWindow()));
        QTest::qWait(200);
        QVERIFY(help.aboutWindow()->grab().save(out + "/about.png"));
        QVERIFY(help.aboutWindow()->screen()->grabWindow(0).save(out + "/about-screen.png"));
        help.aboutWindow()->close();
        QTimer answer;
        answer.setInterval(200);
        connect(&answer, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            answer.stop();
            box->grab().save(out + "/message-box.png");
            box->screen()->grabWindow(0).save(out + "/message-box-screen.png");
            box->button(QMessageBox::Ok)->click();
        });
        answer.start();
        QtNotifier(&owner).warn(" H >= 5 ");
    }
};

QTEST_MAIN(HelpWindowsTest)
#include "HelpWindowsTest.moc"
