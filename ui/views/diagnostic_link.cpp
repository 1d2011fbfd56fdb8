#include "ui/views/diagnostic_link.h"

#include <QRegularExpression>

namespace vek {

std::optional<SourceLocation> DiagnosticAt(int index, const std::function<QString(int)>& lineAt) {
    static const QRegularExpression diagnostic(QStringLiteral("^Line (\\d+) ?: "));
    const QRegularExpressionMatch match = diagnostic.match(lineAt(index));
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const int line = match.captured(1).toInt(&ok);
    if (!ok || line <= 0)
        return std::nullopt;
    // The compile's own header names the file: "Parsing..." and then the path.
    for (int i = index - 2; i >= 0; --i) {
        if (lineAt(i) == QStringLiteral("Parsing..."))
            return SourceLocation{lineAt(i + 1), line};
    }
    return std::nullopt;
}

} // namespace vek
