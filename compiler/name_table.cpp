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
    byName_[NameKey(name)].push_back(entries_.size());
    entries_.push_back({code, std::string(name), device, line});
}

const NameTable::Entry* NameTable::Find(std::string_view name, int device) const {
    const auto found = byName_.find(NameKey(name));
    if (found == byName_.end())
        return nullptr;
    for (std::size_t index : found->second) {
        const Entry& entry = entries_[index];
        if (device == 0 || entry.device == device)
            return &entry;
    }
    return nullptr;
}

} // namespace vek
