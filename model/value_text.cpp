#include "model/value_text.h"

#include "model/bits.h"
#include "platform/number_text.h"

namespace vek {

std::string FieldValueText(uint32_t value, int radix, int width, bool isSigned) {
    const int base = radix == 10 || radix == 2 ? radix : 16;
    if (base != 10 || !isSigned) {
        return NumberText(value, base);
    }
    const uint32_t max = FieldMax(width);
    if (value > max / 2) {
        return "-" + NumberText((0U - value) & max, 10);
    }
    return "+" + NumberText(value, 10);
}

} // namespace vek
