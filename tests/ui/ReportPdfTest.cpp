// The report written as PDF through the real Qt path, read back with pdftotext: the header, the
// inputs and every value of the panels the case shows must be on the one page.

#include "pdf/ReportPdf.h"
#include "calc/Calc.h"
#include "calc/State.h"
#include "files/DataFiles.h"
#include "support/RecordingNotifier.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;

namespace {

State loadedState(CylinderType cylinderType, float s, int16_t kind = -1) {
    State st;
    newCase(st);
    const auto messages = loadDataFiles(st, VELMORA_DATA_DIR);
    if (!messages.empty())
        qFatal("data files: %s", messages.front().c_str());
    st.dc.cylinderType = cylinderType;
    if (cylinderType == CylinderType::Unstiffened || cylinderType == CylinderType::Column) {
        st.dc.ringControl = 0;
        st.dc.heavyRingControl = 0;
    }
    st.dc.s = s;
    if (kind >= 0) {
        st.dc.stiff.kind = kind;
        st.dc.ring.kind = kind;
    }
    st.dc.projectName = "Jacket leg A7 " + std::string(40, '-') + " second line";
    st.dc.identification = "Brace KX-12";
    st.run.fileName = "/Cases/Leg-A7.CYS";
    RecordingNotifier nt;
    if (!calcAll(st, nt))
        qFatal("calculation stopped: %s", st.run.calcMessage.c_str());
    return st;
}

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// pdftotext keeps the words but not always the spacing: compare with blanks removed.
QString squeezed(QString s) {
    s.remove(QRegularExpression("\\s"));
    return s;
}

} // namespace

class ReportPdfTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QVERIFY(dir.isValid());
    }

    void pageHoldsHeaderInputsAndPanels_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<float>("s");
        QTest::addColumn<int>("kind");
        QTest::newRow("unstiffened") << 0 << 600.0f << -1;
        QTest::newRow("ring stiffened") << 1 << 600.0f << -1;
        QTest::newRow("stringer stiffened") << 2 << 400.0f << -1;
        QTest::newRow("stringer stiffened, slender plate") << 2 << 600.0f << -1;
        QTest::newRow("column") << 3 << 600.0f << -1;
        QTest::newRow("flat bars") << 2 << 400.0f << 5;
        QTest::newRow("bulb flats") << 2 << 400.0f << 6;
        QTest::newRow("RHS") << 2 << 400.0f << 7;
        QTest::newRow("trapezoids") << 2 << 400.0f << 8;
        QTest::newRow("I sections") << 2 << 400.0f << 9;
    }

    void pageHoldsHeaderInputsAndPanels() {
        QFETCH(int, type);
        QFETCH(float, s);
        QFETCH(int, kind);
        const State st =
            loadedState(*codeFromNumber<CylinderType>(type), s, static_cast<int16_t>(kind));
        const QString path =
            dir.filePath(QString("report%1-%2-%3.pdf").arg(type).arg(s).arg(kind + 1));
        QString error;
        QVERIFY2(writeReportPdf(st, path, error), qPrintable(error));

        const QString info = run("pdfinfo", {path});
        QVERIFY(info.contains(QRegularExpression("Pages:\\s+1\\n")));
        QVERIFY(info.contains(QRegularExpression("Creator:\\s+Velmora DNV 1\\.8\\.5\\n")));
        const QString text = squeezed(run("pdftotext", {path, "-"}));
        QVERIFY(!text.isEmpty());
        auto expect = [&](const std::string& t) {
            const QString want = squeezed(QString::fromStdString(t));
            if (!want.isEmpty() && !text.contains(want))
                QFAIL(qPrintable("missing on the page: " + QString::fromStdString(t)));
        };
        for (const char* t : {"Velmora DNV", "Cylinder shell buckling based on DNV-RP-C202",
                              "Version 1.8.5", "Project:", "Identification:", "Page:", "1/1",
                              "Date:", "Time:", "File: /cases/leg-a7.cys", "Brace KX-12",
                              "Design format/Condition and Material:", "LRFD method",
                              "Geometry:", "Loading:", "Cylinder radius (cL plate)", "1500"})
            expect(t);
        expect(st.dc.projectName.substr(0, 45));
        expect(st.dc.projectName.substr(45));

        auto panel = [&](const ResultPanel& p, int last) {
            expect(p.label[0]);
            for (int i = 1; i <= last; ++i) {
                expect(p.label[static_cast<size_t>(i)]);
                expect(p.value[static_cast<size_t>(i)]);
            }
        };
        const CaseResults& r = st.res;
        panel(r.shellPanel, r.shellPanel.lineCount);
        if (type == 0) {
            expect("Sigx");
            QVERIFY(!text.contains("StiffenerProfile:"));
            QVERIFY(!text.contains(squeezed(QString::fromStdString(r.ringPanel.label[0]))));
        }
        if (type == 1 || type == 2) {
            expect("Ringframe Profile:");
            expect(r.ringProfileText);
            expect(r.ringWebCheckText);
            panel(r.ringPanel, r.ringPanel.lineCount);
        }
        if (type == 2) {
            expect("Stiffener Profile:");
            expect(r.stiffProfileText);
            expect("Profile data:");
            if (r.slenderNote)
                expect("Note: s/t>3* Sqr(r/t) ==> calculation as an unstiffened cylinder, (Ref "
                       "Ch 3.6.1)");
            else
                panel(r.stiffPanel, r.stiffPanel.lineCount);
        }
        if (type == 3) {
            expect("Effective length factor");
            expect("M2b");
            panel(r.columnPanel, r.columnPanel.lineCount);
        }
        // Kept for looking at the page: VELMORA_REPORT_KEEP=folder copies the PDFs there.
        const QByteArray keep = qgetenv("VELMORA_REPORT_KEEP");
        if (!keep.isEmpty()) {
            const QString target =
                QDir(QString::fromLocal8Bit(keep)).filePath(QFileInfo(path).fileName());
            QFile::remove(target);
            QFile::copy(path, target);
        }
    }

    void unwritableTargetFailsWithAMessageAndLeavesNothing() {
        const State st = loadedState(CylinderType::StringerStiffened, 400);
        const QString path = dir.filePath("no-such-folder/report.pdf");
        QString error;
        QVERIFY(!writeReportPdf(st, path, error));
        QVERIFY(error.contains(path));
        QVERIFY(!QFile::exists(path));
    }

    void failedWriteKeepsThePreviousReport() {
        // A report that exists stays whole when the new one cannot replace it.
        const State st = loadedState(CylinderType::Unstiffened, 600);
        const QString path = dir.filePath("kept.pdf");
        QString error;
        QVERIFY(writeReportPdf(st, path, error));
        const QByteArray before = [&] {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        QVERIFY(before.startsWith("%PDF"));
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool written = writeReportPdf(st, path, error);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        if (written)
            QSKIP("the folder stayed writable (running with elevated rights)");
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

private:
    QTemporaryDir dir;
};

QTEST_MAIN(ReportPdfTest)
#include "ReportPdfTest.moc"
