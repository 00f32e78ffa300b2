// File, "Export Calculation Sheet...": after "Export Report as PDF...", the folder offered is
// currentDir, the chosen extension decides between PDF and HTML, and a case whose run stopped
// gets no sheet but the reason.
#include "ui/main/MainWindow.h"

#include "calc/Calc.h"
#include "calc/State.h"
#include "files/RecentFiles.h"
#include "support/RecordingNotifier.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace velmora;

class SheetExportTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    MemoryStore store_;
    RecordingNotifier nt_;
    std::unique_ptr<MainWindow> w_;

    QAction* action(const char* name) {
        QAction* a = w_->findChild<QAction*>(name);
        if (a == nullptr)
            qFatal("no action %s", name);
        return a;
    }
    QByteArray head(const QString& path, qint64 n) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.read(n) : QByteArray();
    }

private slots:
    void init() {
        MainWindow::Options o;
        o.programDir = dir_.path();
        o.dataDir = QStringLiteral(VELMORA_DATA_DIR);
        o.notifier = &nt_;
        o.recentStore = &store_;
        w_ = std::make_unique<MainWindow>(o);
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        w_->startUp();
        nt_.clear();
    }
    void cleanup() { w_.reset(); }

    void followsTheReportExport() {
        const QList<QAction*> items = w_->findChild<QMenu*>("mnufile")->actions();
        const auto at = items.indexOf(action("mnuexportsheet"));
        QCOMPARE(items[at]->text(), QStringLiteral("Export Calculation Sheet..."));
        QCOMPARE(items[at - 1], action("mnuexportpdf"));
    }

    void pdfOrHtmlByTheExtension() {
        w_->state().run.currentDir = dir_.path().toStdString() + "/";
        QString offered;
        QString target = dir_.filePath("sheet.pdf");
        w_->chooseReportPath = [&](const QString& dir, const QString&) {
            offered = dir;
            return target;
        };
        action("mnuexportsheet")->trigger();
        QCOMPARE(offered, dir_.path() + "/");
        QCOMPARE(head(target, 5), QByteArray("%PDF-"));
        QVERIFY(nt_.warnings().empty());

        target = dir_.filePath("sheet.HTML");
        action("mnuexportsheet")->trigger();
        QCOMPARE(head(target, 15), QByteArray("<!DOCTYPE html>"));
        QVERIFY(nt_.warnings().empty());
    }

    void refusesAStoppedRun() {
        // No stress at all: the run stops dividing by SigjSd = 0.
        State& st = w_->state();
        st.dc.cylinderType = CylinderType::Unstiffened;
        st.dc.Sigx = st.dc.Sigy = st.dc.Tau = st.dc.pd = 0;
        QVERIFY(!calcAll(st, nt_));
        nt_.clear();
        bool asked = false;
        w_->chooseReportPath = [&](const QString&, const QString&) {
            asked = true;
            return dir_.filePath("stopped.pdf");
        };
        action("mnuexportsheet")->trigger();
        QVERIFY(!asked);
        QCOMPARE(nt_.warnings().size(), size_t{1});
        QVERIFY(nt_.warnings()[0].rfind("The case was not calculated: ", 0) == 0);
        QVERIFY(!QFile::exists(dir_.filePath("stopped.pdf")));
    }
};

QTEST_MAIN(SheetExportTest)
#include "SheetExportTest.moc"
