#include "model/value_text.h"

#include "model/bits.h"

#include <algorithm>

namespace vek {

namespace {

std::string Digits(uint32_t value, uint32_t radix) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    do {
        text += digits[value % radix];
        value /= radix;
    } while (value != 0);
    std::reverse(text.begin(), text.end());
    return text;
}

} // namespace

std::string FormatValue(uint32_t value, int radix, int width, bool isSigned) {
    const uint32_t base = radix == 10 || radix == 2 ? static_cast<uint32_t>(radix) : 16;
    if (base != 10 || !isSigned) {
        return Digits(value, base);
    }
    const uint32_t max = FieldMax(width);
    if (value > max / 2) {
        return "-" + Digits((0U - value) & max, 10);
    }
    return "+" + Digits(value, 10);
}

} // namespace vek
