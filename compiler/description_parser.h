#pragma once

#include "compiler/description_builder.h"
#include "compiler/description_scanner.h"
#include "compiler/diagnostics.h"
#include "compiler/grammar_rules.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vek {

class Host;

// Drives one compilation of a register description: scans and parses it against the grammar,
// reports lexical and syntax errors, and hands every significant token and every finished
// construct to a builder made afresh for each compilation.
class DescriptionParser final : private ScanListener {
public:
    using BuilderFactory = std::function<std::unique_ptr<DescriptionBuilder>()>;

    explicit DescriptionParser(BuilderFactory makeBuilder);
    ~DescriptionParser();

    // Compiles the text of the description at `path` (the path names the file in the output
    // window's lines and is the folder of its script macros); the diagnostics go to `sink`
    // instead of the output window where one is given.
    void Compile(const std::string& path, std::string text, Host* output, DiagnosticSink sink = {});

    DescriptionBuilder* Builder() { return builder_.get(); }
    std::unique_ptr<DescriptionBuilder> TakeBuilder() { return std::move(builder_); }
    int ErrorCount() const { return reporter_.ErrorCount(); }

    // Used by the grammar rules while parsing.
    int CurrentToken() const { return currentToken_; }
    bool ReportingEnabled() const { return reportingEnabled_; }
    // The current token matched: on to the next one, reporting again.
    void Accept();
    // A trial failed without consuming anything: a syntax error that follows names no token.
    void MissProbe() { nameExpected_ = false; }
    // The current token cannot stand here: reports it (unless resynchronising already), then
    // skips at least that token and up to one that may follow.
    void Reject(Token expected, TokenSet follow);
    void Perform(RuleAction action, int property);

private:
    void CountLine() override { ++lineNumber_; }
    void ReportError(StringId id) override;
    const char* EarliestHeld() const override;
    void Advance();
    void BuildGrammar();
    bool MayCreateItems() const { return reporter_.ErrorCount() == 0; }

    BuilderFactory makeBuilder_;
    std::unique_ptr<DescriptionBuilder> builder_;
    DescriptionScanner scanner_;
    DiagnosticReporter reporter_;
    std::vector<std::unique_ptr<GrammarRule>> grammar_; // grammar_[0] is the root
    int lineNumber_ = 0;
    int currentToken_ = tokEof;
    std::string_view currentText_;
    bool reportingEnabled_ = true; // false while resynchronising after a syntax error
    bool nameExpected_ = true;     // whether a syntax error may name the expected token
    int partNumber_ = 1;
    std::string path_;
};

} // namespace vek
