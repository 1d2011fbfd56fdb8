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

// The catalogue's text after its word and code, with the arguments in place.
std::string MessageBody(const CatalogueEntry& entry, const DiagnosticArguments& arguments) {
    const std::string_view stored = entry.text;
    std::string message(stored.substr(stored.find(": ") + 2));
    switch (entry.arguments) {
    case MessageArguments::Token:
        message += Quoted(arguments.token);
        break;
    case MessageArguments::TokenExpected:
        message += Quoted(arguments.token);
        if (arguments.expected)
            message += ", expected " + std::string(*arguments.expected);
        break;
    case MessageArguments::NameNumber:
        ReplaceFirst(message, "%n", arguments.number);
        ReplaceFirst(message, "%l", Quoted(arguments.name));
        break;
    case MessageArguments::Name:
        ReplaceFirst(message, "%l", Quoted(arguments.name));
        break;
    default:
        break;
    }
    return message;
}

// "error B09", the catalogue text's word and code.
std::string_view MessageHead(const CatalogueEntry& entry) {
    return entry.text.substr(0, entry.text.find(": "));
}

} // namespace

CompileDiagnostic MakeDiagnostic(StringId id, int line, int column,
                                 const DiagnosticArguments& arguments) {
    const CatalogueEntry& entry = CatalogueEntryOf(id);
    const std::string_view head = MessageHead(entry);
    return {line, column, head.substr(head.rfind(' ') + 1), MessageBody(entry, arguments)};
}

std::string DiagnosticLine(StringId id, int line, const DiagnosticArguments& arguments) {
    const CatalogueEntry& entry = CatalogueEntryOf(id);
    std::string message = std::string(MessageHead(entry)) + ": " + MessageBody(entry, arguments);
    if (entry.severity == Severity::SyntaxError)
        return "Line " + std::to_string(line) + ": " + message;
    return line == 0 ? message : "Line " + std::to_string(line) + " : " + message;
}

void DiagnosticReporter::Start(Host* output, DiagnosticSink sink) {
    output_ = output;
    sink_ = std::move(sink);
    errorCount_ = 0;
}

void DiagnosticReporter::Report(StringId id, int line, const DiagnosticArguments& arguments,
                                int column) {
    if (CatalogueEntryOf(id).severity == Severity::SyntaxError &&
        errorCount_ > kReportedSyntaxErrorLimit)
        return;
    ++errorCount_;
    if (sink_)
        sink_(MakeDiagnostic(id, line, column, arguments));
    else if (output_ != nullptr)
        output_->Message(DiagnosticLine(id, line, arguments), false);
}

} // namespace vek
