#include "compiler/name_table.h"

#include "platform/text_helpers.h"

namespace vek {

namespace {

std::uint64_t KeyHash(std::string_view name) {
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a over the lower-case name
    for (char c : name) {
        hash ^= static_cast<unsigned char>(LowerLetter(c));
        hash *= 1099511628211ull;
    }
    return hash;
}

} // namespace

std::uint32_t NameTable::FindChain(std::string_view name, std::uint64_t hash) const {
    if (slots_.empty())
        return kNone;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t entry = slots_[slot];
        if (entry == 0)
            return kNone;
        const Chain& chain = chains_[entry - 1];
        if (chain.hash == hash && EqualsNoCase(chain.key, name))
            return entry - 1;
    }
}

void NameTable::Grow() {
    std::vector<std::uint32_t> slots(slots_.empty() ? 1024 : 2 * slots_.size(), 0);
    const std::size_t mask = slots.size() - 1;
    for (std::uint32_t i = 0; i < chains_.size(); ++i) {
        std::size_t slot = chains_[i].hash & mask;
        while (slots[slot] != 0)
            slot = (slot + 1) & mask;
        slots[slot] = i + 1;
    }
    slots_ = std::move(slots);
}

const NameTable::Entry* NameTable::Define(int code, std::string_view name, int device,
                                          int lookupDevice) {
    const std::uint64_t hash = KeyHash(name);
    const auto index = static_cast<std::uint32_t>(entries_.size());
    const std::uint32_t chain = FindChain(name, hash);
    const Entry* earlier = chain == kNone ? nullptr : FirstIn(chains_[chain].first, lookupDevice);
    const std::uint32_t earlierIndex =
        earlier == nullptr ? kNone : static_cast<std::uint32_t>(earlier - entries_.data());
    entries_.push_back({code, device});
    next_.push_back(kNone);
    if (chain != kNone) {
        next_[chains_[chain].last] = index;
        chains_[chain].last = index;
    } else {
        // At most half full, so every probe ends soon.
        if (2 * (chains_.size() + 1) > slots_.size())
            Grow();
        chains_.push_back({hash, LowerCase(name), index, index});
        const std::size_t mask = slots_.size() - 1;
        std::size_t slot = hash & mask;
        while (slots_[slot] != 0)
            slot = (slot + 1) & mask;
        slots_[slot] = static_cast<std::uint32_t>(chains_.size());
    }
    return earlierIndex == kNone ? nullptr : &entries_[earlierIndex];
}

const NameTable::Entry* NameTable::FirstIn(std::uint32_t first, int device) const {
    for (std::uint32_t index = first; index != kNone; index = next_[index]) {
        const Entry& entry = entries_[index];
        if (device == 0 || entry.device == device)
            return &entry;
    }
    return nullptr;
}

const NameTable::Entry* NameTable::Find(std::string_view name, int device) const {
    const std::uint32_t chain = FindChain(name, KeyHash(name));
    return chain == kNone ? nullptr : FirstIn(chains_[chain].first, device);
}

} // namespace vek
