#include "cli/diagnostic_formats.h"

#include "cli/json_text.h"

namespace vek {

std::optional<DiagnosticFormat> DiagnosticFormatNamed(std::string_view name) {
    if (name == "text")
        return DiagnosticFormat::Text;
    if (name == "gcc")
        return DiagnosticFormat::Gcc;
    if (name == "json")
        return DiagnosticFormat::Json;
    return std::nullopt;
}

std::string GccLine(const FileDiagnostic& diagnostic) {
    std::string line = diagnostic.file;
    if (diagnostic.line > 0) {
        line += ':' + std::to_string(diagnostic.line);
        if (diagnostic.column > 0)
            line += ':' + std::to_string(diagnostic.column);
    }
    line += ": error: " + diagnostic.text;
    if (!diagnostic.code.empty())
        line += " [" + diagnostic.code + "]";
    return line;
}

std::string DiagnosticsJson(std::string_view file, int errors,
                            const std::vector<FileDiagnostic>& diagnostics) {
    std::string json = "{\"file\": ";
    AppendJsonString(json, file);
    json += ", \"errors\": " + std::to_string(errors) + ", \"diagnostics\": [";
    for (std::size_t i = 0; i < diagnostics.size(); ++i) {
        const FileDiagnostic& diagnostic = diagnostics[i];
        json += i == 0 ? "\n  {\"file\": " : ",\n  {\"file\": ";
        AppendJsonString(json, diagnostic.file);
        json += ", \"line\": " + std::to_string(diagnostic.line) +
                ", \"column\": " + std::to_string(diagnostic.column) +
                ", \"severity\": \"error\", \"code\": ";
        AppendJsonString(json, diagnostic.code);
        json += ", \"message\": ";
        AppendJsonString(json, diagnostic.text);
        json += '}';
    }
    json += diagnostics.empty() ? "]}\n" : "\n]}\n";
    return json;
}

} // namespace vek
