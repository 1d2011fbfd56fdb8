// The builder's intake: every property is converted and range-checked as it is handed over.
#include "compiler/builder.h"
#include "compiler/diagnostics.h"
#include "compiler/limits.h"
#include "platform/text_helpers.h"

#include <charconv>

namespace vek {

void CBuilder::AddProperty(int code, std::string_view text, int line) {
    currentLine_ = line;
    const PropertyRule rule = RuleOfProperty(code);
    std::uint32_t number = 0;
    Text stored;
    switch (rule.intake) {
    case Intake::None:
        return;
    case Intake::Text:
        break;
    case Intake::Decimal:
        number = IntakeDecimal(code, text, rule.range);
        break;
    case Intake::Number:
        number = ConstantValue(text);
        break;
    case Intake::Address:
        text = IntakeAddress(text);
        break;
    case Intake::Label:
        number = IntakeLabel(code, text, rule.range);
        break;
    case Intake::Name:
        stored = IntakeName(code, text);
        break;
    case Intake::String:
        stored = IntakeString(code, text);
        break;
    case Intake::ByteOrder:
        IntakeByteOrder(text);
        break;
    case Intake::MacroName:
        IntakeMacroName(code, text);
        break;
    }
    // Kept whatever the checks found: the construct is still built from what was written.
    pending_.Add(code, text, number, line, stored);
}

std::uint32_t CBuilder::ConstantValue(std::string_view text) {
    // The scanner hands a constant over as a run of digits, after "0x" or "0b" for the other
    // radices; read straight from the text, as every number of a large description goes through
    // here.
    int radix = 10;
    if (text.size() >= 2 && text[0] == '0' && LowerLetter(text[1]) == 'x') {
        radix = 16;
    } else if (text.size() >= 2 && text[0] == '0' && LowerLetter(text[1]) == 'b') {
        radix = 2;
    }
    const char* first = text.data() + (radix == 10 ? 0 : 2);
    std::uint32_t value = 0;
    const auto result = std::from_chars(first, text.data() + text.size(), value, radix);
    // Values beyond 32 bits stay at the largest one, which every range check refuses.
    return result.ec == std::errc::result_out_of_range ? 0xFFFFFFFFu : value;
}

bool CBuilder::CheckRange(std::uint32_t value, const ValueRange& range) {
    if (value >= range.lowest && value <= range.highest)
        return true;
    if (range.error)
        Report(*range.error);
    return false;
}

std::uint32_t CBuilder::IntakeDecimal(int code, std::string_view text, const ValueRange& range) {
    std::uint32_t value = ConstantValue(text);
    if (code == propAddressSize) {
        // An address size out of range becomes the largest one, so that layout can go on.
        if (!CheckRange(value, range))
            value = kMaxAddressSize;
        addressSize_ = static_cast<int>(value);
    } else {
        CheckRange(value, range);
    }
    return value;
}

std::string_view CBuilder::IntakeAddress(std::string_view text) {
    const std::string_view digits = text.size() >= 2 ? text.substr(2) : std::string_view{};
    if (static_cast<std::size_t>(addressSize_) < digits.size() / 2)
        Report(StringId::ErrB07);
    return digits;
}

std::uint32_t CBuilder::IntakeLabel(int code, std::string_view text, const ValueRange& range) {
    const std::uint32_t value = ConstantValue(text);
    CheckRange(value, range);
    // A block can only return to a label written before.
    if (code == propBlockLabel && !labels_.empty() && labels_.count(value) == 0)
        Report(StringId::ErrB05);
    else
        labels_.insert(value);
    return value;
}

Text CBuilder::IntakeName(int code, std::string_view text) {
    if (code == propDeviceName)
        ++deviceNumber_;
    // A device is compared with the names of every device, anything else with its own device.
    const NameTable::Definition definition = names_.Define(
        code, text, deviceNumber_,
        code == propDeviceName ? NameTable::Scope::AllDevices : NameTable::Scope::OwnDevice);
    ReportRedefinition(code, text, definition.earlierCode);
    if (text.size() > kMaxNameLength)
        Report(StringId::ErrB19);
    return definition.spelling;
}

Text CBuilder::IntakeString(int code, std::string_view text) {
    if (text.size() > kMaxStringLength)
        Report(StringId::ErrB19);
    if (code == propScriptFile) {
        ReportRedefinition(
            code, text,
            names_.Define(code, text, deviceNumber_, NameTable::Scope::OwnDevice).earlierCode);
        return {};
    }
    if (!text.empty() && text.front() == '"')
        text.remove_prefix(1);
    if (!text.empty() && text.back() == '"')
        text.remove_suffix(1);
    return items_->Texts().Add(text);
}

void CBuilder::ReportRedefinition(int code, std::string_view name, int earlierCode) {
    if (earlierCode != 0)
        Report(earlierCode == code ? StringId::ErrB16 : StringId::ErrB17, name);
}

void CBuilder::IntakeByteOrder(std::string_view text) {
    if (text.size() > kMaxByteOrderDigits)
        Report(StringId::ErrB28);
    // The digits must be 1 to n in some order, n their number.
    const std::string_view all = "1234";
    const std::size_t n = text.size();
    std::size_t run = 0;
    while (run < n && run < all.size() && text.find(all[run]) != std::string_view::npos)
        ++run;
    if (run != n)
        Report(StringId::ErrB29);
}

void CBuilder::IntakeMacroName(int code, std::string_view text) {
    if (!names_.Contains(text))
        Report(StringId::ErrB21, text);
    if (code == propMacroDevice)
        macroTarget_ = std::string(text);
}

void CBuilder::Report(StringId id, std::string_view name) {
    if (reporter_ != nullptr)
        reporter_->Report(id, currentLine_, DiagnosticArguments::OfName(name));
}

void CBuilder::ReportQueued() {
    for (StringId id : items_->TakeErrors())
        Report(id);
}

} // namespace vek
