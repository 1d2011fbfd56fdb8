#include "cli/value_argument.h"

#include "platform/number_text.h"

namespace vek {

std::optional<std::uint32_t> ParseValueArgument(const std::string& text, int width, bool isSigned,
                                                std::string& error) {
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    unsigned radix = 10;
    if (text.size() >= at + 2 && text[at] == '0' && (text[at + 1] | 0x20) == 'x') {
        radix = 16;
        at += 2;
    } else if (text.size() >= at + 2 && text[at] == '0' && (text[at + 1] | 0x20) == 'b') {
        radix = 2;
        at += 2;
    }
    if (at == text.size()) {
        error = "'" + text + "' is not a number";
        return std::nullopt;
    }
    std::uint64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        unsigned digit = radix;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f')
            digit = static_cast<unsigned>((c | 0x20) - 'a' + 10);
        if (digit >= radix) {
            error = "'" + text + "' is not a number";
            return std::nullopt;
        }
        magnitude = magnitude * radix + digit;
        if (magnitude > 0xFFFFFFFFull) {
            error = "'" + text + "' is too large";
            return std::nullopt;
        }
    }
    const std::uint64_t max = width >= 32 ? 0xFFFFFFFFull : (std::uint64_t{1} << width) - 1;
    if (negative && magnitude != 0) {
        if (!isSigned) {
            error = "'" + text + "' is negative, but the item is not signed";
            return std::nullopt;
        }
        if (magnitude > (max >> 1) + 1) {
            error = "'" + text + "' does not fit " + std::to_string(width) + " bits";
            return std::nullopt;
        }
        return static_cast<std::uint32_t>((~magnitude + 1) & max);
    }
    if (magnitude > max) {
        error = "'" + text + "' does not fit " + std::to_string(width) + " bits";
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(magnitude);
}

std::string HexValueText(std::uint32_t value, int width) {
    return "0x" + HexText(value, width <= 0 ? 1 : static_cast<std::size_t>(width + 3) / 4);
}

} // namespace vek
