// Builders for expected vector sequences.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace bsx4810::test {

// State moves: "1" is TMS 1 with TDI 1 (0x09), "0" TMS 0 with TDI 1 (0x01).
std::vector<uint8_t> Tms(std::string_view levels);

// bits shift vectors carrying value, least significant bit first; the last one with TMS when
// exitAtLast; every one with extra added.
std::vector<uint8_t> Shift(uint64_t value, int bits, bool exitAtLast, uint8_t extra = 0);

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts);

} // namespace bsx4810::test
