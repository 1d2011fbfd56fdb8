#pragma once

#include "compiler/property_codes.h"

#include <string>
#include <string_view>

namespace vek {

class DiagnosticReporter;

// What the parser hands to the builder: every significant token text with its property code and
// line, and a call at the end of every construct.
class DescriptionBuilder {
public:
    virtual ~DescriptionBuilder() = default;

    // The compile's reporter, through which every builder error goes, with its output window.
    virtual void Attach(DiagnosticReporter& reporter) = 0;

    // The text stays valid until the parse ends (not through Link) while EarliestHeldText covers
    // it: the memory of the text before that point may go as the parse goes on.
    virtual void AddProperty(int code, std::string_view text, int line) = 0;
    // The earliest character of a handed-over text that the builder still refers to (null: none).
    virtual const char* EarliestHeldText() const { return nullptr; }

    virtual void BeginRegisterList() = 0;
    virtual void CreateDevice() = 0;
    virtual void CreateSet() = 0;
    virtual void CreatePart(int partNumber) = 0;
    virtual void EndRegister() = 0;
    virtual void CreateVariable() = 0;
    virtual void CreateBitField() = 0;
    virtual void CreateTextLine() = 0;
    virtual void BindReadMacros() = 0;
    virtual void BindWriteMacros() = 0;
    // Macro statements in postfix order: the operands (a name, or a number as written), then the
    // assignment or the pause.
    virtual void AddItemOperand(std::string_view name) = 0;
    virtual void AddNumberOperand(std::string_view text) = 0;
    virtual void AddAssignment() = 0;
    virtual void AddSleep() = 0;
    virtual void CreateMacro() = 0;
    virtual void CreateScriptMacro(const std::string& descriptionPath) = 0;
    virtual void Link() = 0;
};

} // namespace vek
