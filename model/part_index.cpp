#include "model/part_index.h"

namespace vek {

namespace {

std::uint64_t KeyHash(const PartIndex::Key& key) {
    // Addresses of one device are often consecutive: mix them well before taking the low bits.
    std::uint64_t h = key.address * 0x9E3779B97F4A7C15ull;
    h ^= (key.group + key.length * 0x100000001B3ull) * 0xC2B2AE3D27D4EB4Full;
    return h ^ (h >> 29);
}

} // namespace

std::size_t PartIndex::FindSlot(const Key& key) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = KeyHash(key) & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t index = slots_[slot];
        if (index == 0 || addresses_[index - 1].key == key)
            return slot;
    }
}

void PartIndex::Grow() {
    slots_.assign(slots_.empty() ? 1024 : 2 * slots_.size(), 0);
    for (std::uint32_t i = 0; i < addresses_.size(); ++i)
        slots_[FindSlot(addresses_[i].key)] = i + 1;
}

void PartIndex::Add(const Key& key, void* node, std::size_t part) {
    // At most half full, so every probe ends soon.
    if (2 * (addresses_.size() + 1) > slots_.size())
        Grow();
    const auto entry = static_cast<std::uint32_t>(entries_.size());
    entries_.push_back({node, static_cast<std::uint32_t>(part), kEnd});
    const std::size_t slot = FindSlot(key);
    if (slots_[slot] == 0) {
        addresses_.push_back({key, entry, entry});
        slots_[slot] = static_cast<std::uint32_t>(addresses_.size());
        return;
    }
    Address& address = addresses_[slots_[slot] - 1];
    entries_[address.last].next = entry;
    address.last = entry;
}

std::uint32_t PartIndex::First(const Key& key) const {
    if (slots_.empty())
        return kEnd;
    const std::uint32_t index = slots_[FindSlot(key)];
    return index == 0 ? kEnd : addresses_[index - 1].first;
}

void PartIndex::Clear() {
    addresses_.clear();
    entries_.clear();
    slots_.clear();
}

} // namespace vek
