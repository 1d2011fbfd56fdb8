#pragma once

#include <cstdint>
#include <string>

namespace vek {

// A field's value written in radix 16, 10 or 2 with lower-case digits and no prefix. In radix 10
// a signed field shows "-" and the magnitude when the value lies above half its maximum, else "+"
// and the value.
std::string FieldValueText(uint32_t value, int radix, int width, bool isSigned);

} // namespace vek
