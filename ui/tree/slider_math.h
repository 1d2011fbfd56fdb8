#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vek {

// The arithmetic of a slider of the slider bar. A value of `bits` bits moves on a scroll bar of
// 0 ... range (at most 0xFFFF); a signed value is biased so that its most negative value sits at
// the left end.
struct SliderScale {
    uint32_t max = 0;   // 2^bits - 1
    uint32_t bias = 0;  // max / 2 + 1 for a signed value, else 0
    uint32_t range = 0; // max, but at most 0xFFFF
    uint32_t page = 1;  // max / 16 to the nearest integer, at least 1

    static SliderScale Of(int bits, bool isSigned);
    // The scroll bar's position for a value.
    int Position(uint32_t value) const;
};

// How the scroll bar was moved.
enum class SliderMove { LineLeft, LineRight, PageLeft, PageRight, Thumb, Other };

// The value after a move; a thumb move takes the thumb's position. Nothing changes at the ends.
uint32_t MoveSlider(const SliderScale& scale, uint32_t value, SliderMove move, int thumb);

// A slider's caption: the name with every "_" after the first character as a blank.
std::string SliderCaption(std::string_view name);

} // namespace vek
