#include "model/part_index.h"

#include "platform/hash_slots.h"

namespace vek {

namespace {

// Addresses that differ in their lowest bits only.
constexpr unsigned kRunBits = 3;

std::uint32_t KeyHash(const PartIndex::Key& key) {
    // The registers of a device mostly come at consecutive addresses: each run of 2^kRunBits
    // addresses keeps its order in neighbouring slots, so that a description in address order
    // finds its slots, and the addresses they point at, mostly in cache. The runs themselves are
    // spread well.
    std::uint64_t h = (key.address >> kRunBits) * 0x9E3779B97F4A7C15ull;
    h ^= (key.group + key.length * 0x100000001B3ull) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 29;
    return static_cast<std::uint32_t>((h << kRunBits) | (key.address & ((1u << kRunBits) - 1)));
}

} // namespace

std::size_t PartIndex::FindSlot(const Key& key, std::uint32_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t occupant = slots_[slot];
        if (occupant == 0 ||
            (SlotHash(occupant) == hash && addresses_[SlotIndex(occupant)].GetKey() == key))
            return slot;
    }
}

void PartIndex::Grow() {
    slots_ = Regrown(slots_);
}

void PartIndex::Add(const Key& key, void* node, std::size_t part) {
    // At most half full, so every probe ends soon.
    if (2 * (addresses_.size() + 1) > slots_.size()) {
        Grow();
        lastFound_.reset();
    }
    std::uint32_t hash = 0;
    std::size_t slot = 0;
    if (lastFound_ && lastFound_->key == key) {
        hash = lastFound_->hash;
        slot = lastFound_->slot;
    } else {
        hash = KeyHash(key);
        slot = FindSlot(key, hash);
    }
    if (slots_[slot] != 0) {
        AddLater(addresses_[SlotIndex(slots_[slot])], node, part);
        return;
    }
    lastFound_.reset();
    addresses_.push_back(
        {key.address, {node, static_cast<std::uint32_t>(part), kEnd}, key.group, key.length});
    slots_[slot] = HashSlot(hash, addresses_.size() - 1);
}

void PartIndex::AddLater(Address& address, void* node, std::size_t part) {
    const auto entry = static_cast<std::uint32_t>(later_.size()) | kLater;
    later_.push_back({{node, static_cast<std::uint32_t>(part), kEnd}, entry});
    if (address.first.next == kEnd) {
        address.first.next = entry;
        return;
    }
    // The first later entry knows the last, so that a long run of parts at one address is
    // added to in constant time.
    LaterEntry& firstLater = later_[address.first.next & ~kLater];
    later_[firstLater.last & ~kLater].entry.next = entry;
    firstLater.last = entry;
}

std::uint32_t PartIndex::First(const Key& key) {
    if (slots_.empty())
        return kEnd;
    const std::uint32_t hash = KeyHash(key);
    // At the start of a run of addresses, the next run's slots are fetched: a device whose
    // registers come in address order reaches them soon.
    constexpr std::uint64_t kRun = 1u << kRunBits;
    if (key.address % kRun == 0 && key.address <= UINT64_MAX - kRun)
        __builtin_prefetch(
            &slots_[KeyHash({key.group, key.address + kRun, key.length}) & (slots_.size() - 1)]);
    const std::size_t slot = FindSlot(key, hash);
    lastFound_ = Found{key, hash, slot};
    const std::uint64_t occupant = slots_[slot];
    return occupant == 0 ? kEnd : SlotIndex(occupant);
}

void PartIndex::Clear() {
    addresses_.clear();
    later_.clear();
    slots_.clear();
    lastFound_.reset();
}

} // namespace vek
