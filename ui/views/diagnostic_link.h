#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace vek {

// Where a compiler diagnostic in the output window points: the description and the line.
struct SourceLocation {
    QString path;
    int line = 0;
};

// The source location of output line `index`, when it is a diagnostic ("Line n: ..." or
// "Line n : ...") of a compile whose "Parsing..." line and path line are still above it.
// `lineAt` gives the output's lines by index.
std::optional<SourceLocation> DiagnosticAt(int index, const std::function<QString(int)>& lineAt);

} // namespace vek
