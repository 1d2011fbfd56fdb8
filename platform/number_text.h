#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vek {

// The prefixes that choose a radix other than ten: "0x" or "0X" hexadecimal, "0b" or "0B" binary.
enum class RadixPrefixes { None, Hex, HexAndBinary };

// A number as written at the start of a text.
struct NumberScan {
    std::uint64_t magnitude = 0; // values beyond 64 bits stay at the largest one
    bool negative = false;
    std::size_t length = 0; // characters read, sign and prefix included; 0 when there is no number
};

// Reads an optional "+" or "-", a radix prefix of `prefixes`, then the digits of that radix up to
// the first other character. A prefix is one only when a digit of its radix follows it, so "0x"
// reads as the number 0 with the "x" left over.
NumberScan ScanNumber(std::string_view text, RadixPrefixes prefixes);

// The number after any blanks at the start of a text, as the C library's conversion reads one:
// up to the first other character, 0 when there are no digits.
std::int64_t LeadingInteger(std::string_view text, RadixPrefixes prefixes);

// A text that is one number and nothing else but blanks around it; nothing otherwise, nor when the
// number does not fit 64 bits.
std::optional<std::int64_t> WholeInteger(std::string_view text, RadixPrefixes prefixes);

// `value` in radix 2, 8, 10 or 16 with lower-case digits and no prefix.
std::string NumberText(std::uint64_t value, int radix);
// `value` in lower-case hexadecimal, with leading zeros to `digits` digits at least.
std::string HexText(std::uint64_t value, std::size_t digits);

} // namespace vek
