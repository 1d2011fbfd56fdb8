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

void NameTable::Add(int code, std::string_view name, int device, int line) {
    const std::size_t index = entries_.size();
    entries_.push_back({code, std::string(name), device, line});
    next_.push_back(kNone);
    const auto [chain, added] = byName_.try_emplace(NameKey(name), index, index);
    if (!added) {
        next_[chain->second.second] = index;
        chain->second.second = index;
    }
}

const NameTable::Entry* NameTable::Find(std::string_view name, int device) const {
    const auto found = byName_.find(NameKey(name));
    if (found == byName_.end())
        return nullptr;
    for (std::size_t index = found->second.first; index != kNone; index = next_[index]) {
        const Entry& entry = entries_[index];
        if (device == 0 || entry.device == device)
            return &entry;
    }
    return nullptr;
}

} // namespace vek
