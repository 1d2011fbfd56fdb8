#include "compiler/description_parser.h"

#include "compiler/diagnostics.h"
#include "platform/host.h"
#include "platform/text_helpers.h"

namespace vek {

DescriptionParser::DescriptionParser(BuilderFactory makeBuilder)
    : makeBuilder_(std::move(makeBuilder)), scanner_(*this) {
    BuildGrammar();
}

DescriptionParser::~DescriptionParser() = default;

void DescriptionParser::Begin(const std::string& path, Host* output) {
    output_ = output;
    builder_.reset();
    builder_ = makeBuilder_();
    path_ = path;
    if (output_ != nullptr) {
        output_->Message("Parsing...", false);
        output_->Message(path_, false);
    }
}

void DescriptionParser::Compile(const std::string& path, Host* output) {
    Begin(path, output);
    scanner_.Open(path, output);
    ParseAndLink();
}

void DescriptionParser::CompileText(const std::string& path, std::string text, Host* output) {
    Begin(path, output);
    scanner_.OpenText(std::move(text), output);
    ParseAndLink();
}

void DescriptionParser::ParseAndLink() {
    lineNumber_ = 0;
    errorCount_ = 0;
    partNumber_ = 1;
    reportingEnabled = true;
    nameExpected = true;
    builder_->Attach(&errorCount_, output_);

    Advance();
    grammar_[0]->Try(TokenSet(tokEof), true);
    scanner_.Close();
    currentText_ = {};
    currentToken_ = tokEof;

    if (errorCount_ == 0) {
        if (output_ != nullptr)
            output_->Message("Linking...", false);
        builder_->Link();
    }
}

void DescriptionParser::Advance() {
    ScannedToken token = scanner_.NextToken();
    currentToken_ = token.code;
    currentText_ = token.text;
    while (currentToken_ == tokUnknown) {
        Report(StringId::ErrP07, tokUnknown);
        token = scanner_.NextToken();
        currentToken_ = token.code;
        currentText_ = token.text;
    }
}

void DescriptionParser::ReportError(StringId id) {
    Report(id, tokUnknown);
}

void DescriptionParser::ReportSyntaxError(int expected) {
    Report(currentToken_ == tokEof ? StringId::ErrP00 : StringId::ErrP02, expected);
}

void DescriptionParser::Report(StringId id, int expected) {
    if (errorCount_ > kReportedErrorLimit)
        return;
    ++errorCount_;
    std::string line = ParserMessageLine(lineNumber_, id);
    if (id == StringId::ErrP02 || id == StringId::ErrP07) {
        line += '\'';
        line += EscapeControlBytes(currentText_);
        line += '\'';
    }
    if (id == StringId::ErrP02 && nameExpected) {
        line += ", expected ";
        line += TokenDescription(expected);
    }
    if (output_ != nullptr)
        output_->Message(line, false);
}

void DescriptionParser::Perform(RuleAction action, int property) {
    DescriptionBuilder& builder = *builder_;
    switch (action) {
    case RuleAction::None:
        return;
    case RuleAction::Property:
        builder.AddProperty(property, currentText_, lineNumber_);
        if (property == propStatementName)
            builder.AddOperand("identifier", currentText_);
        else if (property == propStatementNumber)
            builder.AddOperand("intCon", currentText_);
        return;
    case RuleAction::NextPart:
        ++partNumber_;
        return;
    case RuleAction::ResetPart:
        partNumber_ = 1;
        return;
    case RuleAction::BindReadMacros:
        builder.BindReadMacros();
        return;
    case RuleAction::BindWriteMacros:
        builder.BindWriteMacros();
        return;
    case RuleAction::EmitAssignment:
        builder.AddOperator("=");
        return;
    case RuleAction::EmitSleep:
        builder.AddOperator("sleep");
        return;
    case RuleAction::CreateScriptMacro:
        builder.CreateScriptMacro(path_);
        return;
    default:
        break;
    }
    // After the first error the parse goes on for its messages, but creates nothing.
    if (!MayCreateItems())
        return;
    switch (action) {
    case RuleAction::BeginRegisterList:
        builder.BeginRegisterList();
        break;
    case RuleAction::CreateDevice:
        builder.CreateDevice();
        break;
    case RuleAction::CreateSet:
        builder.CreateSet();
        break;
    case RuleAction::CreatePart:
        builder.CreatePart(partNumber_);
        break;
    case RuleAction::EndRegister:
        builder.EndRegister();
        break;
    case RuleAction::CreateVariable:
        builder.CreateVariable();
        break;
    case RuleAction::CreateBitField:
        builder.CreateBitField();
        break;
    case RuleAction::CreateTextLine:
        builder.CreateTextLine();
        break;
    case RuleAction::CreateMacro:
        builder.CreateMacro();
        break;
    default:
        break;
    }
}

} // namespace vek
