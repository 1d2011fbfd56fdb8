#include "compiler/number_text.h"

#include <algorithm>

namespace vek {

// Decimal digits to a number; values beyond 32 bits stay at the largest one, which every range
// check refuses.
std::uint32_t DecimalValue(std::string_view text) {
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min<std::uint64_t>(value * 10 + static_cast<unsigned>(c - '0'), 0xFFFFFFFFu);
    }
    return static_cast<std::uint32_t>(value);
}

// A constant as written: "0b.." in radix 2, "0x.." in radix 16 (the letter counts as a 0
// digit), anything else in radix 10; saturated at 32 bits like the C library's conversion.
std::uint32_t NumberValue(std::string_view text) {
    unsigned radix = 10;
    if (text.size() >= 2 && (text[1] == 'b' || text[1] == 'B'))
        radix = 2;
    else if (text.size() >= 2 && (text[1] == 'x' || text[1] == 'X'))
        radix = 16;
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = i == 1 && radix != 10 ? '0' : text[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            break;
        if (digit >= radix)
            break;
        value = std::min<std::uint64_t>(value * radix + digit, 0xFFFFFFFFu);
    }
    return static_cast<std::uint32_t>(value);
}

} // namespace vek
