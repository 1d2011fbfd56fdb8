#pragma once

#include <cstdint>
#include <string_view>

namespace vek {

// Decimal digits to a number, saturated at the largest 32-bit value.
std::uint32_t DecimalValue(std::string_view text);

// A constant of a description ("0x1F", "0b101", "42") to a number, saturated at 32 bits.
std::uint32_t NumberValue(std::string_view text);

} // namespace vek
