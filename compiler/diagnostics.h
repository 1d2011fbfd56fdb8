#pragma once

#include "platform/string_table.h"

#include <optional>
#include <string>
#include <string_view>

namespace vek {

class Host;

// What a diagnostic names besides its catalogue text; which of these a message uses its entry in
// the catalogue says.
struct DiagnosticArguments {
    std::string_view token;                   // the current token text (Token, TokenExpected)
    std::optional<std::string_view> expected; // the expected token, where one alone fits
    std::string_view name;                    // "%l"
    std::string_view number;                  // "%n"

    static DiagnosticArguments OfToken(std::string_view token) {
        DiagnosticArguments arguments;
        arguments.token = token;
        return arguments;
    }
    static DiagnosticArguments OfName(std::string_view name, std::string_view number = {}) {
        DiagnosticArguments arguments;
        arguments.name = name;
        arguments.number = number;
        return arguments;
    }
};

// The one reporter of a compile, used by the scanner, the parser, the builder and the item list's
// checks. It owns the error count, stops counting syntax errors beyond the limit, builds each
// line as the catalogue entry's severity says and sends it to the output window.
class DiagnosticReporter {
public:
    // A new compile: the count starts at 0, lines go to `output` (none when null).
    void Start(Host* output);

    // Reports a diagnostic found at a line: scanner and parser messages read
    // "Line <n>: <text>", builder and item list messages "Line <n> : <text>" (the text alone at
    // line 0).
    void Report(StringId id, int line, const DiagnosticArguments& arguments = {});

    int ErrorCount() const { return errorCount_; }
    // The output window, for the compile's other lines.
    Host* Output() const { return output_; }

private:
    Host* output_ = nullptr;
    int errorCount_ = 0;
};

// The line of a diagnostic as Report sends it.
std::string DiagnosticLine(StringId id, int line, const DiagnosticArguments& arguments);

} // namespace vek
