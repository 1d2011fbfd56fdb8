#include "ui/app/command_line.h"
#include "ui/app/vek_app.h"

#include <QApplication>

#include <cstdio>
#include <optional>

namespace {

// The exit status of a command line that ends the program at once: help and version on standard
// output, an error on standard error (only once Qt has taken its own options out, when
// `qtOptionsRemoved`); nothing when the program is to start.
std::optional<int> EndsAtOnce(const vek::CommandLine& line, bool qtOptionsRemoved) {
    using Action = vek::CommandLine::Action;
    switch (line.action) {
    case Action::Help:
        std::fputs(vek::UsageText().toLocal8Bit().constData(), stdout);
        return 0;
    case Action::Version:
        std::fputs(vek::VersionText().toLocal8Bit().constData(), stdout);
        return 0;
    case Action::Error:
        if (!qtOptionsRemoved)
            return std::nullopt;
        std::fprintf(stderr, "vek32: %s\n%s", line.error.toLocal8Bit().constData(),
                     vek::ErrorHint().toLocal8Bit().constData());
        return 2;
    case Action::Run:
        break;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    // Help and version need no display, so they are answered before Qt looks for one. What
    // looks unknown here may be one of Qt's own options (-platform, -style, -session), which
    // Qt takes out of the command line as the application starts.
    QStringList given;
    for (int i = 1; i < argc; ++i)
        given.append(QString::fromLocal8Bit(argv[i]));
    if (const std::optional<int> status = EndsAtOnce(vek::ParseCommandLine(given), false))
        return *status;

    QApplication application(argc, argv);
    vek::CVekApp::SetIdentity();
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const vek::CommandLine line = vek::ParseCommandLine(arguments);
    if (const std::optional<int> status = EndsAtOnce(line, true))
        return *status;

    vek::CVekApp::Settings settings;
    settings.driverFolders = line.driverFolders;
    vek::CVekApp vekApp(std::move(settings));
    if (!vekApp.InitInstance(line.files))
        return 0;
    return QApplication::exec();
}
