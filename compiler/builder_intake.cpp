// The builder's intake: every property is converted and range-checked as it is handed over.
#include "compiler/builder.h"
#include "compiler/diagnostics.h"
#include "compiler/number_text.h"

#include "platform/host.h"

namespace vek {

namespace {

struct DecimalRange {
    int code;
    std::uint32_t low;
    std::uint32_t high;
    StringId error;
};

constexpr DecimalRange kDecimalRanges[] = {
    {propAddressSize, 1, 8, StringId::ErrB25},  {propDataSize, 1, 4, StringId::ErrB23},
    {propMemorySize, 1, 4, StringId::ErrB24},   {propVariableBitSize, 1, 32, StringId::ErrB10},
    {propAddressShift, 0, 7, StringId::ErrB02}, {propAddressLength, 1, 8, StringId::ErrB03},
};

} // namespace

void CBuilder::AddProperty(int code, std::string_view text, int line) {
    switch (code) {
    case propAttribute:
    case propReadBinding:
    case propWriteBinding:
    case propBeforeMacro:
    case propAfterMacro:
    case propMacroArgument:
    case propOnMacroBar:
    case propSlider:
    case propSigned:
    case propLoadScript:
        AddText(code, text, line);
        break;
    case propAddressSize:
    case propDataSize:
    case propMemorySize:
    case propVariableBitSize:
    case propAddressShift:
    case propAddressLength:
        AddDecimal(code, text, line);
        break;
    case propDefault:
    case propMask:
    case propStatementNumber:
        AddNumber(code, text, line);
        break;
    case propAddress:
        AddAddress(text, line);
        break;
    case propBlockLabel:
    case propSetLabel:
        AddLabel(code, text, line);
        break;
    case propDeviceName:
    case propRegisterName:
    case propVariableName:
    case propBitFieldName:
    case propMacroName:
    case propScriptName:
        AddName(code, text, line);
        break;
    case propRegisterList:
    case propSetName:
    case propTextLine:
    case propScriptFile:
        AddString(code, text, line);
        break;
    case propByteOrder:
        AddByteOrder(text, line);
        break;
    case propMacroDevice:
    case propStatementName:
        AddMacroName(code, text, line);
        break;
    default:
        currentLine_ = line;
        break;
    }
}

void CBuilder::AddText(int code, std::string_view text, int line) {
    currentLine_ = line;
    pending_.Add(code, text, 0, line);
}

void CBuilder::AddDecimal(int code, std::string_view text, int line) {
    currentLine_ = line;
    std::uint32_t value = DecimalValue(text);
    for (const DecimalRange& range : kDecimalRanges) {
        if (range.code != code)
            continue;
        if (value < range.low || value > range.high) {
            Report(range.error);
            if (code == propAddressSize)
                value = 8;
        }
        break;
    }
    if (code == propAddressSize)
        addressSize_ = static_cast<int>(value);
    pending_.Add(code, text, value, line);
}

void CBuilder::AddNumber(int code, std::string_view text, int line) {
    currentLine_ = line;
    pending_.Add(code, text, NumberValue(text), line);
}

void CBuilder::AddAddress(std::string_view text, int line) {
    currentLine_ = line;
    const std::string_view digits = text.size() >= 2 ? text.substr(2) : std::string_view{};
    if (static_cast<std::size_t>(addressSize_) < digits.size() / 2)
        Report(StringId::ErrB07);
    pending_.Add(propAddress, digits, 0, line);
}

void CBuilder::AddLabel(int code, std::string_view text, int line) {
    currentLine_ = line;
    const std::uint32_t value = DecimalValue(text);
    if (value < 1 || value > 9)
        Report(StringId::ErrB04);
    // A block can only return to a label written before.
    if (code == propBlockLabel && !labels_.empty() && labels_.count(value) == 0)
        Report(StringId::ErrB05);
    else
        labels_.insert(value);
    pending_.Add(code, text, value, line);
}

void CBuilder::AddName(int code, std::string_view text, int line) {
    currentLine_ = line;
    if (code == propDeviceName)
        ++deviceNumber_;
    // A device is compared with the names of every device, anything else with its own device.
    const NameTable::Entry* earlier =
        names_.Define(code, text, deviceNumber_, line, code == propDeviceName ? 0 : deviceNumber_);
    if (earlier != nullptr)
        Report(earlier->code == code ? StringId::ErrB16 : StringId::ErrB17, text);
    if (text.size() > kMaxNameLength)
        Report(StringId::ErrB19);
    pending_.Add(code, text, 0, line);
}

void CBuilder::AddString(int code, std::string_view text, int line) {
    currentLine_ = line;
    if (text.size() > kMaxStringLength)
        Report(StringId::ErrB19);
    if (code == propScriptFile) {
        if (const auto* earlier = names_.Define(code, text, deviceNumber_, line, deviceNumber_))
            Report(earlier->code == code ? StringId::ErrB16 : StringId::ErrB17, text);
    }
    pending_.Add(code, text, 0, line);
}

void CBuilder::AddByteOrder(std::string_view text, int line) {
    currentLine_ = line;
    if (text.size() > 4)
        Report(StringId::ErrB28);
    // The digits must be 1 to n in some order, n their number.
    const std::string_view all = "1234";
    const std::size_t n = text.size();
    std::size_t run = 0;
    while (run < n && run < all.size() && text.find(all[run]) != std::string_view::npos)
        ++run;
    if (run != n)
        Report(StringId::ErrB29);
    pending_.Add(propByteOrder, text, 0, line);
}

void CBuilder::AddMacroName(int code, std::string_view text, int line) {
    currentLine_ = line;
    if (names_.Find(text, 0) == nullptr)
        Report(StringId::ErrB21, text);
    if (code == propMacroDevice)
        macroTarget_ = std::string(text);
    pending_.Add(code, text, 0, line);
}

void CBuilder::Report(StringId id, std::string_view name, std::string_view number) {
    if (output_ != nullptr)
        output_->Message(BuilderMessageLine(currentLine_, id, name, number), false);
    if (errorCount_ != nullptr)
        ++*errorCount_;
}

void CBuilder::ReportQueued() {
    for (StringId id : items_->TakeErrors())
        Report(id);
}

} // namespace vek
