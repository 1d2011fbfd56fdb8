#pragma once

#include "platform/string_table.h"

#include <functional>
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

// A diagnostic as editors and other tools take it apart: where it was found (column 0: the
// compiler knows the line only; line 0: the description as a whole), its code ("B09") and its
// text without the line and the code.
struct CompileDiagnostic {
    int line = 0;
    int column = 0;
    std::string_view code;
    std::string text;
};

// Takes each diagnostic of a compile in place of its output window line.
using DiagnosticSink = std::function<void(const CompileDiagnostic&)>;

// The one reporter of a compile, used by the scanner, the parser, the builder and the item list's
// checks. It owns the error count, stops counting syntax errors beyond the limit, builds each
// line as the catalogue entry's severity says and sends it to the output window.
class DiagnosticReporter {
public:
    // A new compile: the count starts at 0, lines go to `output` (none when null), or each
    // diagnostic to `sink` where one is given.
    void Start(Host* output, DiagnosticSink sink = {});

    // Reports a diagnostic found at a line (and column, where the token is known): scanner and
    // parser messages read "Line <n>: <text>", builder and item list messages
    // "Line <n> : <text>" (the text alone at line 0).
    void Report(StringId id, int line, const DiagnosticArguments& arguments = {}, int column = 0);

    int ErrorCount() const { return errorCount_; }
    // The output window, for the compile's other lines.
    Host* Output() const { return output_; }

private:
    Host* output_ = nullptr;
    DiagnosticSink sink_;
    int errorCount_ = 0;
};

// A diagnostic taken apart, and the line Report sends to the output window for it.
CompileDiagnostic MakeDiagnostic(StringId id, int line, int column,
                                 const DiagnosticArguments& arguments);
std::string DiagnosticLine(StringId id, int line, const DiagnosticArguments& arguments);

} // namespace vek
