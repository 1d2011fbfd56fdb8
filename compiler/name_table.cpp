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

constexpr std::uint64_t kHashBits = 0xFFFFFFFF00000000ull;

std::uint64_t Slot(std::uint64_t hash, std::size_t index) {
    return (hash & kHashBits) | (index + 1);
}

} // namespace

std::uint32_t NameTable::FindName(std::string_view name, std::uint64_t hash) const {
    if (slots_.empty())
        return kNone;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t occupant = slots_[slot];
        if (occupant == 0)
            return kNone;
        if ((occupant & kHashBits) != (hash & kHashBits))
            continue;
        const auto index = static_cast<std::uint32_t>(occupant - 1);
        if (EqualsNoCase(names_[index].text, name))
            return index;
    }
}

void NameTable::Grow() {
    std::vector<std::uint64_t> slots(slots_.empty() ? 1024 : 2 * slots_.size(), 0);
    const std::size_t mask = slots.size() - 1;
    for (std::uint64_t entry : slots_) {
        if (entry == 0)
            continue;
        std::size_t slot = names_[static_cast<std::uint32_t>(entry - 1)].hash & mask;
        while (slots[slot] != 0)
            slot = (slot + 1) & mask;
        slots[slot] = entry;
    }
    slots_ = std::move(slots);
}

Text NameTable::AddName(std::string_view name, std::uint64_t hash, int code, int device) {
    // At most half full, so every probe ends soon.
    if (2 * (names_.size() + 1) > slots_.size())
        Grow();
    const Text text = texts_.Add(name);
    const auto byte = static_cast<std::uint8_t>(code);
    names_.push_back({text, static_cast<std::uint32_t>(hash), device, byte, byte});
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = hash & mask;
    while (slots_[slot] != 0)
        slot = (slot + 1) & mask;
    slots_[slot] = Slot(hash, names_.size() - 1);
    return text;
}

NameTable::Definition NameTable::Define(int code, std::string_view name, int device, Scope scope) {
    const std::uint64_t hash = KeyHash(name);
    const std::uint32_t index = FindName(name, hash);
    if (index == kNone)
        return {0, AddName(name, hash, code, device)};
    Name& entry = names_[index];
    // Another spelling of the name is kept as written.
    const Text spelling = entry.text.View() == name ? entry.text : texts_.Add(name);
    int earlier = entry.firstCode;
    if (entry.device != device) {
        if (scope == Scope::OwnDevice)
            earlier = 0;
        entry.device = device;
        entry.deviceCode = static_cast<std::uint8_t>(code);
    } else if (scope == Scope::OwnDevice) {
        earlier = entry.deviceCode;
    }
    return {earlier, spelling};
}

bool NameTable::Contains(std::string_view name) const {
    return FindName(name, KeyHash(name)) != kNone;
}

} // namespace vek
