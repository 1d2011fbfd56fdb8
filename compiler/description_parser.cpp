#include "compiler/description_parser.h"

#include "platform/host.h"

namespace vek {

DescriptionParser::DescriptionParser(BuilderFactory makeBuilder)
    : makeBuilder_(std::move(makeBuilder)), scanner_(*this) {
    BuildGrammar();
}

DescriptionParser::~DescriptionParser() = default;

void DescriptionParser::Compile(const std::string& path, std::string text, Host* output,
                                DiagnosticSink sink) {
    builder_.reset();
    builder_ = makeBuilder_();
    path_ = path;
    if (output != nullptr) {
        output->Message("Parsing...", false);
        output->Message(path_, false);
    }
    scanner_.Open(std::move(text), output);
    reporter_.Start(output, std::move(sink));
    lineNumber_ = 0;
    partNumber_ = 1;
    reportingEnabled_ = true;
    nameExpected_ = true;
    builder_->Attach(reporter_);

    Advance();
    grammar_[0]->Try(TokenSet(tokEof), true);
    scanner_.Close();
    currentText_ = {};
    currentToken_ = tokEof;

    if (reporter_.ErrorCount() == 0) {
        if (output != nullptr)
            output->Message("Linking...", false);
        builder_->Link();
    }
}

void DescriptionParser::Advance() {
    ScannedToken token = scanner_.NextToken();
    currentToken_ = token.code;
    currentText_ = token.text;
    while (currentToken_ == tokUnknown) {
        reporter_.Report(StringId::ErrP07, lineNumber_, DiagnosticArguments::OfToken(currentText_),
                         scanner_.ColumnOf(currentText_));
        token = scanner_.NextToken();
        currentToken_ = token.code;
        currentText_ = token.text;
    }
}

void DescriptionParser::Accept() {
    Advance();
    reportingEnabled_ = true;
    nameExpected_ = true;
}

void DescriptionParser::Reject(Token expected, TokenSet follow) {
    if (!reportingEnabled_)
        return;
    const std::string description = TokenDescription(expected);
    DiagnosticArguments arguments = DiagnosticArguments::OfToken(currentText_);
    if (nameExpected_)
        arguments.expected = description;
    reporter_.Report(currentToken_ == tokEof ? StringId::ErrP00 : StringId::ErrP02, lineNumber_,
                     arguments, scanner_.ColumnOf(currentText_));
    // Resynchronise: drop the offending token, then skip to a token that may follow.
    do {
        Advance();
    } while (!follow.Contains(currentToken_));
    reportingEnabled_ = false;
}

const char* DescriptionParser::EarliestHeld() const {
    const char* held = builder_ != nullptr ? builder_->EarliestHeldText() : nullptr;
    if (!currentText_.empty() && (held == nullptr || currentText_.data() < held))
        held = currentText_.data();
    return held;
}

void DescriptionParser::ReportError(StringId id) {
    reporter_.Report(id, lineNumber_);
}

void DescriptionParser::Perform(RuleAction action, int property) {
    DescriptionBuilder& builder = *builder_;
    switch (action) {
    case RuleAction::None:
        return;
    case RuleAction::Property:
        builder.AddProperty(property, currentText_, lineNumber_);
        if (property == propStatementName)
            builder.AddItemOperand(currentText_);
        else if (property == propStatementNumber)
            builder.AddNumberOperand(currentText_);
        return;
    case RuleAction::NextPart:
        ++partNumber_;
        return;
    case RuleAction::ResetPart:
        partNumber_ = 1;
        return;
    case RuleAction::CreatePart:
        // After the first error the parse goes on for its messages, but creates nothing.
        if (MayCreateItems())
            builder.CreatePart(partNumber_);
        return;
    case RuleAction::CreateScriptMacro:
        builder.CreateScriptMacro(path_);
        return;
#define VEK_CONSTRUCT_ACTION_CASE(name, when)                                                      \
    case RuleAction::name:                                                                         \
        if (ActionGate::when == ActionGate::Always || MayCreateItems())                            \
            builder.name();                                                                        \
        return;
        VEK_CONSTRUCT_ACTIONS(VEK_CONSTRUCT_ACTION_CASE)
#undef VEK_CONSTRUCT_ACTION_CASE
    }
}

} // namespace vek
