#include "ui/app/vek_app.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vek32"));
    QApplication::setOrganizationName(QStringLiteral("Tarvel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("tarvel-vek32"));
    // Leading "--driver-path DIR" pairs name driver folders; the rest of the command line, whole,
    // is the path of a description to open.
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    vek::CVekApp::Settings settings;
    while (arguments.size() >= 2 && arguments.front() == QStringLiteral("--driver-path")) {
        arguments.removeFirst();
        settings.driverFolders.append(arguments.takeFirst());
    }
    vek::CVekApp vekApp(std::move(settings));
    if (!vekApp.InitInstance(arguments.join(QLatin1Char(' '))))
        return 0;
    return QApplication::exec();
}
