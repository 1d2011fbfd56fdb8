#include "register_map_entries.h"

#include <array>
#include <numeric>

namespace vek {
namespace {

constexpr uint32_t kOffsets = 0x10000;
constexpr std::array<uint32_t, 3> kSteps = {1, 2, 4};
constexpr int8_t kUndecided = -1;

int StepIndex(uint32_t step) {
    return step == 1 ? 0 : step == 2 ? 1 : 2;
}

// The offsets no entry has decided yet. The entries are applied from the last one back, so the
// first to reach an offset decides it and every later one passes it over. For each step and each
// remainder of an offset by that step, a union-find over that class of offsets leads from any
// offset to the next open one of its class in nearly constant time.
class OpenOffsets {
public:
    OpenOffsets() {
        for (std::size_t k = 0; k < kSteps.size(); ++k) {
            for (uint32_t remainder = 0; remainder < kSteps[k]; ++remainder) {
                // One more place than the class has offsets: the end, which never closes.
                std::vector<uint32_t>& next = next_[k][remainder];
                next.resize(kOffsets / kSteps[k] + 1);
                std::iota(next.begin(), next.end(), 0u);
            }
        }
    }

    // The first open offset of the class of `offset` by `step` at or after it; kOffsets or more
    // when there is none.
    uint32_t NextOpen(uint32_t offset, uint32_t step) {
        if (offset >= kOffsets)
            return kOffsets;
        std::vector<uint32_t>& next = next_[StepIndex(step)][offset % step];
        return Find(next, offset / step) * step + offset % step;
    }

    void Close(uint32_t offset) {
        for (std::size_t k = 0; k < kSteps.size(); ++k) {
            const uint32_t step = kSteps[k];
            next_[k][offset % step][offset / step] = offset / step + 1;
        }
    }

private:
    static uint32_t Find(std::vector<uint32_t>& next, uint32_t place) {
        while (next[place] != place) {
            next[place] = next[next[place]];
            place = next[place];
        }
        return place;
    }

    std::array<std::array<std::vector<uint32_t>, 4>, kSteps.size()> next_;
};

} // namespace

void ApplyRegisterMapEntries(const std::vector<RegisterMapEntry>& entries,
                             std::map<uint16_t, ChipRegister>& registers) {
    if (entries.empty())
        return;
    std::vector<int8_t> width(kOffsets, kUndecided);
    OpenOffsets open;
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        const uint32_t step = entry->width == 0 ? 1 : static_cast<uint32_t>(entry->width);
        for (uint32_t offset = open.NextOpen(entry->first, step); offset <= entry->last;
             offset = open.NextOpen(offset + step, step)) {
            width[offset] = static_cast<int8_t>(entry->width);
            open.Close(offset);
        }
    }
    for (uint32_t offset = 0; offset < kOffsets; ++offset) {
        if (width[offset] == 0)
            registers.erase(static_cast<uint16_t>(offset));
        else if (width[offset] != kUndecided)
            registers[static_cast<uint16_t>(offset)] = ChipRegister{width[offset], 0};
    }
}

} // namespace vek
