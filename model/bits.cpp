#include "model/bits.h"

#include <bit>

namespace vek {

int PopCount(uint32_t mask) {
    return std::popcount(mask);
}

// Both walks run over the 32 bit positions at most, so a count larger than the mask's set bits
// ends with the last mask bit instead of walking on.
uint32_t Extract(uint32_t v, uint32_t mask, int n) {
    uint32_t result = 0;
    int taken = 0;
    for (int bit = 0; bit < 32 && taken < n; ++bit) {
        if ((mask >> bit) & 1U) {
            result |= ((v >> bit) & 1U) << taken;
            ++taken;
        }
    }
    return result;
}

uint32_t Deposit(uint32_t v, int shift, uint32_t mask, int n) {
    uint32_t source = shift >= 32 || shift < 0 ? 0 : v >> shift;
    uint32_t result = 0;
    int placed = 0;
    for (int bit = 0; bit < 32 && placed < n; ++bit) {
        if ((mask >> bit) & 1U) {
            result |= (source & 1U) << bit;
            source >>= 1;
            ++placed;
        }
    }
    return result;
}

uint32_t FieldMax(int width) {
    if (width <= 0) {
        return 0;
    }
    return width >= 32 ? 0xFFFFFFFFU : (1U << width) - 1;
}

uint64_t AddressNumber(const uint8_t* address, uint16_t length) {
    uint64_t number = 0;
    for (int i = (length < 8 ? length : 8) - 1; i >= 0; --i) {
        number = (number << 8) | address[i];
    }
    return number;
}

} // namespace vek
