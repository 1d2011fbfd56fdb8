#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vek {

// How compile errors are printed: as the output window shows them, as compilers print them for
// editors and CI ("FILE:LINE:COLUMN: error: TEXT [CODE]"), or as one JSON document.
enum class DiagnosticFormat { Text, Gcc, Json };

std::optional<DiagnosticFormat> DiagnosticFormatNamed(std::string_view name);

// One compile error of a description or a Basic file. Line and column 0: not known.
struct FileDiagnostic {
    std::string file;
    int line = 0;
    int column = 0;
    std::string code; // "B09"; empty for Basic's errors, which have none
    std::string text;
};

// "board.vek:3:7: error: TEXT [B09]", leaving out what is not known.
std::string GccLine(const FileDiagnostic& diagnostic);

// {"file": ..., "errors": N, "diagnostics": [{"file", "line", "column", "severity", "code",
// "message"}, ...]} and a line end.
std::string DiagnosticsJson(std::string_view file, int errors,
                            const std::vector<FileDiagnostic>& diagnostics);

} // namespace vek
