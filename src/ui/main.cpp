// Velmora DNV: the desktop program.
#include "files/DataFiles.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora DNV"));
    QApplication::setOrganizationName(QStringLiteral("Velmora DNV"));

    const QString programDir = QCoreApplication::applicationDirPath();
    velmora::MainWindow::Options options;
    options.programDir = programDir;
    options.dataDir = QString::fromStdString(velmora::findDataDir(programDir.toStdString()));
    velmora::MainWindow window(options);
    window.show();
    window.startUp();
    return QApplication::exec();
}
