#pragma once

#include <cstddef>
#include <cstdint>

namespace vek {

// The slots of an open-addressed hash index of a table: each slot keeps an entry's 32-bit hash
// in its upper half beside the entry's index + 1 in its lower (0: a free slot), so that a probe
// rarely reads an entry that does not match and the index grows without reading any entry.
inline std::uint64_t HashSlot(std::uint32_t hash, std::size_t index) {
    return (std::uint64_t{hash} << 32) | (index + 1);
}

inline std::uint32_t SlotHash(std::uint64_t slot) {
    return static_cast<std::uint32_t>(slot >> 32);
}

inline std::uint32_t SlotIndex(std::uint64_t slot) {
    return static_cast<std::uint32_t>(slot) - 1;
}

// The slots twice as many (at first 1024), each entry in the first free slot from its hash: every
// entry is there once, so no entry is compared. Slots is a vector of std::uint64_t, a power of two
// long.
template <typename Slots>
Slots Regrown(const Slots& slots) {
    Slots grown(slots.empty() ? 1024 : 2 * slots.size(), 0);
    const std::size_t mask = grown.size() - 1;
    for (std::uint64_t occupant : slots) {
        if (occupant == 0)
            continue;
        std::size_t slot = SlotHash(occupant) & mask;
        while (grown[slot] != 0)
            slot = (slot + 1) & mask;
        grown[slot] = occupant;
    }
    return grown;
}

} // namespace vek
