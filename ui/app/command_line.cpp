#include "ui/app/command_line.h"

namespace vek {

namespace {

const QString kDriverPath = QStringLiteral("--driver-path");

CommandLine Failed(const QString& error) {
    CommandLine line;
    line.action = CommandLine::Action::Error;
    line.error = error;
    return line;
}

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    bool options = true;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        // A lone "-" is a file name, as in most programs.
        if (!options || !word.startsWith(QLatin1Char('-')) || word == QStringLiteral("-")) {
            line.files.append(word);
        } else if (word == QStringLiteral("--")) {
            options = false;
        } else if (word == QStringLiteral("-h") || word == QStringLiteral("--help")) {
            line.action = CommandLine::Action::Help;
            return line;
        } else if (word == QStringLiteral("-V") || word == QStringLiteral("--version")) {
            line.action = CommandLine::Action::Version;
            return line;
        } else if (word == kDriverPath) {
            if (i + 1 == arguments.size())
                return Failed(QStringLiteral("option '--driver-path' needs a folder"));
            line.driverFolders.append(arguments[++i]);
        } else if (word.startsWith(kDriverPath + QLatin1Char('='))) {
            line.driverFolders.append(word.mid(kDriverPath.size() + 1));
        } else {
            return Failed(QStringLiteral("unknown option '%1'").arg(word));
        }
    }
    return line;
}

QString UsageText() {
    return QStringLiteral(
        "Usage: vek32 [OPTION]... [FILE]...\n"
        "Open register descriptions (.vek) and register-values files (.vkg) in Tarvel's\n"
        "desktop program. A vek32 that runs already for this user opens the files instead.\n"
        "\n"
        "  --driver-path DIR   look for the drivers in DIR before VEK_DRIVER_PATH, the\n"
        "                      profile's [Drivers] Path and the program's own folder\n"
        "                      (may be given more than once)\n"
        "  -h, --help          print this help and end\n"
        "  -V, --version       print the version and end\n"
        "  --                  what follows is a file, even when it starts with '-'\n");
}

QString VersionText() {
    return QStringLiteral("vek32 (Tarvel) " VEK_VERSION "\n");
}

QString ErrorHint() {
    return QStringLiteral("Try 'vek32 --help' for more information.\n");
}

} // namespace vek
