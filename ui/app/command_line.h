#pragma once

#include <QString>
#include <QStringList>

namespace vek {

// vek32's command line: options first or among the files, "--" ends the options, and every other
// argument is a file to open.
struct CommandLine {
    enum class Action {
        Run,     // start (or hand the files to the running vek32)
        Help,    // print the usage and end
        Version, // print the version and end
        Error,   // print `error` and the hint and end with status 2
    };
    Action action = Action::Run;
    QStringList files;         // in the order given
    QStringList driverFolders; // --driver-path, in the order given
    QString error;             // one line, without the program's name
};

// The arguments after the program's name. Help and version win over everything after them, as
// does the first error.
CommandLine ParseCommandLine(const QStringList& arguments);

// The usage that --help prints, and the line that --version prints.
QString UsageText();
QString VersionText();
// What follows an error line.
QString ErrorHint();

} // namespace vek
