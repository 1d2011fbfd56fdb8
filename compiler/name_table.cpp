#include "compiler/name_table.h"

namespace vek {

std::string NameKey(std::string_view name) {
    std::string key(name);
    for (char& c : key) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return key;
}

const NameTable::Entry* NameTable::Define(int code, std::string_view name, int device, int line,
                                          int lookupDevice) {
    const std::size_t index = entries_.size();
    const auto [chain, added] = byName_.try_emplace(NameKey(name), index, index);
    const Entry* earlier = added ? nullptr : FirstIn(chain->second.first, lookupDevice);
    // The earlier entry must be copied out of the way before the entries may move.
    const std::size_t earlierIndex =
        earlier == nullptr ? kNone : static_cast<std::size_t>(earlier - entries_.data());
    entries_.push_back({code, std::string(name), device, line});
    next_.push_back(kNone);
    if (!added) {
        next_[chain->second.second] = index;
        chain->second.second = index;
    }
    return earlierIndex == kNone ? nullptr : &entries_[earlierIndex];
}

const NameTable::Entry* NameTable::FirstIn(std::size_t first, int device) const {
    for (std::size_t index = first; index != kNone; index = next_[index]) {
        const Entry& entry = entries_[index];
        if (device == 0 || entry.device == device)
            return &entry;
    }
    return nullptr;
}

const NameTable::Entry* NameTable::Find(std::string_view name, int device) const {
    const auto found = byName_.find(NameKey(name));
    return found == byName_.end() ? nullptr : FirstIn(found->second.first, device);
}

} // namespace vek
