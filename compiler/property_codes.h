#pragma once

#include "platform/string_table.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace vek {

// How the builder takes in the text of a property.
enum class Intake {
    None,      // not a property code: nothing is kept
    Text,      // kept as written
    Decimal,   // decimal digits, checked against the code's range
    Number,    // a hexadecimal, dual or decimal constant
    Address,   // a hexadecimal address, kept without its "0x"
    Label,     // a hierarchy label, checked against the code's range
    Name,      // a name, entered in the name table
    String,    // a quoted string, kept with its quotes
    ByteOrder, // the digits of a byte order
    MacroName, // a name used by a macro, looked up in the name table
};

// The values a decimal property or a label accepts, and the error reported for any other.
struct ValueRange {
    std::uint32_t lowest = 0;
    std::uint32_t highest = 0xFFFFFFFFu;
    std::optional<StringId> error;
};
constexpr ValueRange InRange(std::uint32_t lowest, std::uint32_t highest, StringId error) {
    return {lowest, highest, error};
}
inline constexpr ValueRange kUnchecked{};

// The one list of property codes: what a token text that the parser hands to the builder is.
// Each line: name, code, intake, the range of a number. The codes are the system's own; 2, 8 and
// 25 are not used. The list generates the PropertyCode enum and the builder's intake table.
#define VEK_PROPERTY_CODES(X)                                                                      \
    X(propVariableBitSize, 1, Decimal, InRange(1, 32, StringId::ErrB10))                           \
    X(propAttribute, 3, Text, kUnchecked) /* an attribute letter or a help name */                 \
    X(propDefault, 4, Number, kUnchecked)                                                          \
    X(propMask, 5, Number, kUnchecked)                                                             \
    X(propBlockLabel, 6, Label, InRange(1, 9, StringId::ErrB04)) /* "n:" opening a block */        \
    X(propSetLabel, 7, Label, InRange(1, 9, StringId::ErrB04))   /* "n:" after a set header */     \
    X(propAddressLength, 9, Decimal, InRange(1, 8, StringId::ErrB03))                              \
    X(propAddressShift, 10, Decimal, InRange(0, 7, StringId::ErrB02))                              \
    X(propAddress, 11, Address, kUnchecked)                                                        \
    X(propAddressSize, 12, Decimal, InRange(1, 8, StringId::ErrB25))                               \
    X(propDataSize, 13, Decimal, InRange(1, 4, StringId::ErrB23))                                  \
    X(propMemorySize, 14, Decimal, InRange(1, 4, StringId::ErrB24))                                \
    X(propDeviceName, 15, Name, kUnchecked)                                                        \
    X(propRegisterList, 16, String, kUnchecked) /* the driver's file name */                       \
    X(propRegisterName, 17, Name, kUnchecked)                                                      \
    X(propVariableName, 18, Name, kUnchecked)                                                      \
    X(propBitFieldName, 19, Name, kUnchecked)                                                      \
    X(propSetName, 20, String, kUnchecked)                                                         \
    X(propReadBinding, 21, Text, kUnchecked)                                                       \
    X(propWriteBinding, 22, Text, kUnchecked)                                                      \
    X(propBeforeMacro, 23, Text, kUnchecked)                                                       \
    X(propAfterMacro, 24, Text, kUnchecked)                                                        \
    X(propMacroName, 26, Name, kUnchecked)                                                         \
    X(propOnMacroBar, 27, Text, kUnchecked) /* "P" */                                              \
    X(propTextLine, 28, String, kUnchecked)                                                        \
    X(propStatementNumber, 29, Number, kUnchecked)                                                 \
    X(propMacroDevice, 30, MacroName, kUnchecked)                                                  \
    X(propStatementName, 31, MacroName, kUnchecked)                                                \
    X(propSlider, 32, Text, kUnchecked) /* "SL" */                                                 \
    X(propSigned, 33, Text, kUnchecked) /* "TC" */                                                 \
    X(propScriptName, 34, Name, kUnchecked)                                                        \
    X(propScriptFile, 35, String, kUnchecked)                                                      \
    X(propLoadScript, 36, Text, kUnchecked) /* "L" */                                              \
    X(propByteOrder, 37, ByteOrder, kUnchecked)                                                    \
    X(propReadEffects, 38, Text, kUnchecked) /* "!" */

enum PropertyCode : int {
#define VEK_PROPERTY_ENUM(name, code, intake, range) name = code,
    VEK_PROPERTY_CODES(VEK_PROPERTY_ENUM)
#undef VEK_PROPERTY_ENUM
};

// One more than the highest property code.
inline constexpr int kPropertyCodeLimit = 1 + std::max({
#define VEK_PROPERTY_NUMBER(name, code, intake, range) code,
                                                  VEK_PROPERTY_CODES(VEK_PROPERTY_NUMBER)
#undef VEK_PROPERTY_NUMBER
                                              });

struct PropertyRule {
    Intake intake = Intake::None;
    ValueRange range;
};

// The rule of every code, indexed by code; a code the list does not hold has no intake.
inline constexpr std::array<PropertyRule, kPropertyCodeLimit> kPropertyRules = [] {
    std::array<PropertyRule, kPropertyCodeLimit> rules{};
#define VEK_PROPERTY_RULE(name, code, intake, range) rules[code] = {Intake::intake, range};
    VEK_PROPERTY_CODES(VEK_PROPERTY_RULE)
#undef VEK_PROPERTY_RULE
    return rules;
}();

constexpr PropertyRule RuleOfProperty(int code) {
    return code >= 0 && code < kPropertyCodeLimit ? kPropertyRules[static_cast<std::size_t>(code)]
                                                  : PropertyRule{};
}

} // namespace vek
