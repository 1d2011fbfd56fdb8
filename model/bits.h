#pragma once

#include <cstdint>

namespace vek {

// Number of set bits of a mask: the width of the field it selects.
int PopCount(uint32_t mask);

// Gathers the bits of v at the set bits of mask, from bit 0 upwards, into the low bits of the
// result; stops after n set mask bits. A count above the mask's set bits takes them all.
uint32_t Extract(uint32_t v, uint32_t mask, int n);

// Shifts v right by shift bits and scatters its low bits, from bit 0 upwards, into the set bits
// of mask; stops after n set mask bits. A count above the mask's set bits fills them all.
uint32_t Deposit(uint32_t v, int shift, uint32_t mask, int n);

// The largest value of a field of width bits (0 to 32).
uint32_t FieldMax(int width);

// Address bytes read as one number, byte 0 least significant (at most 8 bytes).
uint64_t AddressNumber(const uint8_t* address, uint16_t length);

} // namespace vek
