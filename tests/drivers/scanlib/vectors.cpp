#include "vectors.h"

namespace bsx4810::test {

std::vector<uint8_t> Tms(std::string_view levels) {
    std::vector<uint8_t> vectors;
    for (const char level : levels)
        vectors.push_back(level == '1' ? 0x09 : 0x01);
    return vectors;
}

std::vector<uint8_t> Shift(uint64_t value, int bits, bool exitAtLast, uint8_t extra) {
    std::vector<uint8_t> vectors;
    for (int i = 0; i < bits; ++i) {
        uint8_t vector = static_cast<uint8_t>(0x44 | extra | ((value >> i) & 1));
        if (exitAtLast && i + 1 == bits)
            vector |= 0x08;
        vectors.push_back(vector);
    }
    return vectors;
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> joined;
    for (const auto& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

} // namespace bsx4810::test
