#include "model/part_index.h"

namespace vek {

namespace {

// Addresses that differ in their lowest bits only.
constexpr unsigned kRunBits = 3;

std::uint64_t KeyHash(const PartIndex::Key& key) {
    // The registers of a device mostly come at consecutive addresses: each run of 2^kRunBits
    // addresses keeps its order in neighbouring slots, so that a description in address order
    // finds its slots, and the addresses they point at, mostly in cache. The runs themselves are
    // spread well.
    std::uint64_t h = (key.address >> kRunBits) * 0x9E3779B97F4A7C15ull;
    h ^= (key.group + key.length * 0x100000001B3ull) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 29;
    return (h << kRunBits) | (key.address & ((1u << kRunBits) - 1));
}

} // namespace

std::size_t PartIndex::FindSlot(const Key& key) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = KeyHash(key) & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t index = slots_[slot];
        if (index == 0 || addresses_[index - 1].GetKey() == key)
            return slot;
    }
}

void PartIndex::Grow() {
    slots_.assign(slots_.empty() ? 1024 : 2 * slots_.size(), 0);
    // Every address is there once: each takes the first free slot, no key compared.
    const std::size_t mask = slots_.size() - 1;
    for (std::uint32_t i = 0; i < addresses_.size(); ++i) {
        std::size_t slot = KeyHash(addresses_[i].GetKey()) & mask;
        while (slots_[slot] != 0)
            slot = (slot + 1) & mask;
        slots_[slot] = i + 1;
    }
}

void PartIndex::Add(const Key& key, void* node, std::size_t part) {
    // At most half full, so every probe ends soon.
    if (2 * (addresses_.size() + 1) > slots_.size()) {
        Grow();
        lastFound_.reset();
    }
    const auto entry = static_cast<std::uint32_t>(entries_.size());
    entries_.push_back({node, static_cast<std::uint32_t>(part), kEnd});
    const std::size_t slot =
        lastFound_ && lastFound_->key == key ? lastFound_->slot : FindSlot(key);
    if (slots_[slot] == 0) {
        lastFound_.reset();
        addresses_.push_back({key.address, key.group, key.length, entry, entry});
        slots_[slot] = static_cast<std::uint32_t>(addresses_.size());
        return;
    }
    Address& address = addresses_[slots_[slot] - 1];
    entries_[address.last].next = entry;
    address.last = entry;
}

std::uint32_t PartIndex::First(const Key& key) {
    if (slots_.empty())
        return kEnd;
    const std::size_t slot = FindSlot(key);
    lastFound_ = Found{key, slot};
    const std::uint32_t index = slots_[slot];
    return index == 0 ? kEnd : addresses_[index - 1].first;
}

void PartIndex::Clear() {
    addresses_.clear();
    entries_.clear();
    slots_.clear();
    lastFound_.reset();
}

} // namespace vek
