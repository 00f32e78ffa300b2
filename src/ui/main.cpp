// Velmora DNV: the desktop program.
#include "files/DataFiles.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora DNV"));
    QApplication::setOrganizationName(QStringLiteral("Velmora DNV"));

    const QString programDir = QCoreApplication::applicationDirPath();
    velmora::MainWindow::Options options;
    options.programDir = programDir;
    options.dataDir = QString::fromStdString(velmora::findDataDir(programDir.toStdString()));
    // The start-up database lies beside the program, or with the data files of an installed one.
    if (!QFileInfo::exists(programDir + QStringLiteral("/Velmora_Dnv_in.csv")))
        options.startupDatabaseDir = options.dataDir;
    options.userDataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    velmora::MainWindow window(options);
    window.show();
    window.startUp();
    return QApplication::exec();
}
