#include "compiler/pending_properties.h"

namespace vek {

void PendingProperties::Add(int code, std::string_view text, std::uint32_t number, int line) {
    if (code < 0 || code >= kCodeCount)
        return;
    untaken_[static_cast<std::size_t>(code)].push_back(entries_.size());
    entries_.push_back({code, std::string(text), number, line});
}

const PendingProperties::Entry* PendingProperties::Find(int code) const {
    if (code < 0 || code >= kCodeCount || untaken_[static_cast<std::size_t>(code)].empty())
        return nullptr;
    return &entries_[untaken_[static_cast<std::size_t>(code)].front()];
}

const PendingProperties::Entry* PendingProperties::Take(int code) {
    const Entry* entry = Find(code);
    if (entry != nullptr)
        untaken_[static_cast<std::size_t>(code)].pop_front();
    return entry;
}

void PendingProperties::TakeAll() {
    entries_.clear();
    for (auto& queue : untaken_)
        queue.clear();
}

} // namespace vek
