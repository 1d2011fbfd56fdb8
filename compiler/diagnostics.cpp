#include "compiler/diagnostics.h"

#include "compiler/limits.h"
#include "platform/host.h"
#include "platform/text_helpers.h"

namespace vek {

namespace {

void ReplaceFirst(std::string& text, std::string_view placeholder, std::string_view by) {
    const std::size_t at = text.find(placeholder);
    if (at != std::string::npos)
        text.replace(at, placeholder.size(), by);
}

// Control bytes of the source are shown escaped, so that a stray byte cannot garble the output
// window or a terminal.
std::string Quoted(std::string_view text) {
    return "'" + EscapeControlBytes(text) + "'";
}

std::string SyntaxErrorLine(const CatalogueEntry& entry, int line,
                            const DiagnosticArguments& arguments) {
    std::string message = "Line " + std::to_string(line) + ": ";
    message += entry.text;
    if (entry.arguments == MessageArguments::Token ||
        entry.arguments == MessageArguments::TokenExpected)
        message += Quoted(arguments.token);
    if (entry.arguments == MessageArguments::TokenExpected && arguments.expected)
        message += ", expected " + std::string(*arguments.expected);
    return message;
}

std::string ErrorLine(const CatalogueEntry& entry, int line, const DiagnosticArguments& arguments) {
    std::string message(entry.text);
    if (entry.arguments == MessageArguments::NameNumber)
        ReplaceFirst(message, "%n", arguments.number);
    if (entry.arguments == MessageArguments::Name ||
        entry.arguments == MessageArguments::NameNumber)
        ReplaceFirst(message, "%l", Quoted(arguments.name));
    if (line != 0)
        message.insert(0, "Line " + std::to_string(line) + " : ");
    return message;
}

} // namespace

std::string DiagnosticLine(StringId id, int line, const DiagnosticArguments& arguments) {
    const CatalogueEntry& entry = CatalogueEntryOf(id);
    return entry.severity == Severity::SyntaxError ? SyntaxErrorLine(entry, line, arguments)
                                                   : ErrorLine(entry, line, arguments);
}

void DiagnosticReporter::Start(Host* output) {
    output_ = output;
    errorCount_ = 0;
}

void DiagnosticReporter::Report(StringId id, int line, const DiagnosticArguments& arguments) {
    if (CatalogueEntryOf(id).severity == Severity::SyntaxError &&
        errorCount_ > kReportedSyntaxErrorLimit)
        return;
    ++errorCount_;
    if (output_ != nullptr)
        output_->Message(DiagnosticLine(id, line, arguments), false);
}

} // namespace vek
