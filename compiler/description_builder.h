#pragma once

#include <string>
#include <string_view>

namespace vek {

class Host;

// Property codes: what a token text handed to the builder is.
enum PropertyCode : int {
    propVariableBitSize = 1,
    propAttribute = 3, // an attribute letter or a help name
    propDefault = 4,
    propMask = 5,
    propBlockLabel = 6,
    propSetLabel = 7,
    propAddressLength = 9,
    propAddressShift = 10,
    propAddress = 11,
    propAddressSize = 12,
    propDataSize = 13,
    propMemorySize = 14,
    propDeviceName = 15,
    propRegisterList = 16,
    propRegisterName = 17,
    propVariableName = 18,
    propBitFieldName = 19,
    propSetName = 20,
    propReadBinding = 21,
    propWriteBinding = 22,
    propBeforeMacro = 23,
    propAfterMacro = 24,
    propMacroArgument = 25,
    propMacroName = 26,
    propOnMacroBar = 27,
    propTextLine = 28,
    propStatementNumber = 29,
    propMacroDevice = 30,
    propStatementName = 31,
    propSlider = 32,
    propSigned = 33,
    propScriptName = 34,
    propScriptFile = 35,
    propLoadScript = 36,
    propByteOrder = 37,
};

// What the parser hands to the builder: every significant token text with its property code and
// line, and a call at the end of every construct.
class DescriptionBuilder {
public:
    virtual ~DescriptionBuilder() = default;

    // The parser's error count, which every builder report raises, and the output window.
    virtual void Attach(int* errorCount, Host* output) = 0;

    virtual void AddProperty(int code, std::string_view text, int line) = 0;

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
    // Macro statements in postfix order: operands (kind "identifier" or "intCon"), then "=" or
    // "sleep".
    virtual void AddOperand(std::string_view kind, std::string_view text) = 0;
    virtual void AddOperator(std::string_view text) = 0;
    virtual void CreateMacro() = 0;
    virtual void CreateScriptMacro(const std::string& descriptionPath) = 0;
    virtual void Link() = 0;
};

} // namespace vek
