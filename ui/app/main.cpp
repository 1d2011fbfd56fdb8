#include "ui/app/vek_app.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vek32"));
    QApplication::setOrganizationName(QStringLiteral("Tarvel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("tarvel-vek32"));
    // The whole command line is the path of a description to open.
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    vek::CVekApp vekApp({});
    if (!vekApp.InitInstance(arguments.join(QLatin1Char(' '))))
        return 0;
    return QApplication::exec();
}
