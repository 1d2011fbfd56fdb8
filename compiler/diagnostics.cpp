#include "compiler/diagnostics.h"

namespace vek {

namespace {

void ReplaceFirst(std::string& text, std::string_view placeholder, std::string_view by) {
    const std::size_t at = text.find(placeholder);
    if (at != std::string::npos)
        text.replace(at, placeholder.size(), by);
}

} // namespace

std::string ParserMessageLine(int line, StringId id) {
    std::string message = "Line " + std::to_string(line) + ": ";
    message += LoadString(id);
    return message;
}

std::string BuilderMessageLine(int line, StringId id, std::string_view name,
                               std::string_view number) {
    std::string text(LoadString(id));
    ReplaceFirst(text, "%n", number);
    ReplaceFirst(text, "%l", "'" + std::string(name) + "'");
    if (line != 0)
        text.insert(0, "Line " + std::to_string(line) + " : ");
    return text;
}

} // namespace vek
