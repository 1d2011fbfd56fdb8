#include "compiler/pending_properties.h"

#include <functional>

namespace vek {

void PendingProperties::Add(int code, std::string_view text, std::uint32_t number, int line,
                            Text stored) {
    if (code < 0 || code >= kPropertyCodeLimit)
        return;
    queues_[static_cast<std::size_t>(code)].entries.push_back(entries_.size());
    entries_.push_back({code, text, number, line, stored});
}

const PendingProperties::Entry* PendingProperties::Find(int code) const {
    if (code < 0 || code >= kPropertyCodeLimit)
        return nullptr;
    const Queue& queue = queues_[static_cast<std::size_t>(code)];
    return queue.taken < queue.entries.size() ? &entries_[queue.entries[queue.taken]] : nullptr;
}

const PendingProperties::Entry* PendingProperties::Take(int code) {
    const Entry* entry = Find(code);
    if (entry != nullptr)
        ++queues_[static_cast<std::size_t>(code)].taken;
    return entry;
}

void PendingProperties::TakeAll() {
    // Only the codes that have entries need clearing; their memory is kept for the next
    // construct.
    for (const Entry& entry : entries_) {
        Queue& queue = queues_[static_cast<std::size_t>(entry.code)];
        queue.entries.clear();
        queue.taken = 0;
    }
    entries_.clear();
}

const char* PendingProperties::EarliestText() const {
    const char* earliest = nullptr;
    for (const Entry& entry : entries_) {
        const char* at = entry.text.data();
        if (at != nullptr && (earliest == nullptr || std::less<>()(at, earliest)))
            earliest = at;
    }
    return earliest;
}

} // namespace vek
