#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vek {

// A value given on the command line for an item of `width` bits: "0x1F", "0b101", "31", and for
// signed items also "-3". Nothing when the text is no number or does not fit the item; `error`
// then says why.
std::optional<std::uint32_t> ParseValueArgument(const std::string& text, int width, bool isSigned,
                                                std::string& error);

// "0x" and the value in lower-case hexadecimal digits, as many as the width needs.
std::string HexValueText(std::uint32_t value, int width);

} // namespace vek
