#pragma once

#include "compiler/description_builder.h"
#include "compiler/description_scanner.h"
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

    // Errors are reported and counted only while the count is at most this; parsing goes on.
    static constexpr int kReportedErrorLimit = 10;

    explicit DescriptionParser(BuilderFactory makeBuilder);
    ~DescriptionParser();

    void Compile(const std::string& path, Host* output);
    // Compiles text that stands for the file at `path` (for tests and benchmarks).
    void CompileText(const std::string& path, std::string text, Host* output);

    DescriptionBuilder* Builder() { return builder_.get(); }
    std::unique_ptr<DescriptionBuilder> TakeBuilder() { return std::move(builder_); }
    int ErrorCount() const { return errorCount_; }
    int LineNumber() const { return lineNumber_; }

    // Used by the grammar rules while parsing.
    int CurrentToken() const { return currentToken_; }
    std::string_view CurrentText() const { return currentText_; }
    void Advance();
    void ReportSyntaxError(int expected);
    bool reportingEnabled = true;
    bool nameExpected = true;
    void Perform(RuleAction action, int property);

private:
    void CountLine() override { ++lineNumber_; }
    void ReportError(StringId id) override;
    void Report(StringId id, int expected);
    void Begin(const std::string& path, Host* output);
    void ParseAndLink();
    void BuildGrammar();
    bool MayCreateItems() const { return errorCount_ == 0; }

    BuilderFactory makeBuilder_;
    std::unique_ptr<DescriptionBuilder> builder_;
    DescriptionScanner scanner_;
    std::vector<std::unique_ptr<GrammarRule>> grammar_; // grammar_[0] is the root
    Host* output_ = nullptr;
    int errorCount_ = 0;
    int lineNumber_ = 0;
    int currentToken_ = tokEof;
    std::string_view currentText_;
    int partNumber_ = 1;
    std::string path_;
};

} // namespace vek
