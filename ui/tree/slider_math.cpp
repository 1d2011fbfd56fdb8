#include "ui/tree/slider_math.h"

#include "model/bits.h"

#include <algorithm>

namespace vek {

namespace {

constexpr uint32_t kRangeLimit = 0xFFFF;
constexpr uint32_t kPages = 16;

} // namespace

SliderScale SliderScale::Of(int bits, bool isSigned) {
    SliderScale scale;
    scale.max = FieldMax(bits);
    scale.bias = isSigned ? scale.max / 2 + 1 : 0;
    scale.range = std::min(scale.max, kRangeLimit);
    scale.page = std::max<uint32_t>((scale.max + kPages / 2) / kPages, 1);
    return scale;
}

int SliderScale::Position(uint32_t value) const {
    if (max == 0)
        return 0;
    const uint64_t u = value ^ bias;
    return static_cast<int>((u * range / max) & 0xFFFF);
}

uint32_t MoveSlider(const SliderScale& scale, uint32_t value, SliderMove move, int thumb) {
    uint32_t u = (value ^ scale.bias) & scale.max;
    switch (move) {
    case SliderMove::LineLeft:
        u -= u > 0 ? 1 : 0;
        break;
    case SliderMove::LineRight:
        u += u < scale.max ? 1 : 0;
        break;
    case SliderMove::PageLeft:
        u -= std::min(scale.page, u);
        break;
    case SliderMove::PageRight:
        u += std::min(scale.page, scale.max - u);
        break;
    case SliderMove::Thumb:
        if (scale.range > 0)
            u = static_cast<uint32_t>(thumb) * (scale.max / scale.range);
        break;
    case SliderMove::Other:
        break;
    }
    return u ^ scale.bias;
}

std::string SliderCaption(std::string_view name) {
    std::string caption(name);
    if (caption.size() > 1)
        std::replace(caption.begin() + 1, caption.end(), '_', ' ');
    return caption;
}

} // namespace vek
