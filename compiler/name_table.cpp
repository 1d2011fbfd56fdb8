#include "compiler/name_table.h"

#include "platform/hash_slots.h"
#include "platform/text_helpers.h"

#include <algorithm>
#include <optional>

namespace vek {

namespace {

// Names that differ only in their trailing number share the upper bits of their slot in runs of
// 2^kRunBits.
constexpr unsigned kRunBits = 3;
// At most this many trailing digits count as the number: it then fits in 32 bits.
constexpr std::size_t kNumberDigits = 9;

std::uint64_t Mix(std::uint64_t h) {
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    return h ^ (h >> 32);
}

// A name split for hashing: the FNV-1a hash of all but its trailing number, in lower case, and
// that number (at most kNumberDigits digits of it).
struct NameParts {
    std::uint64_t prefix;
    std::size_t digits;
    std::uint64_t number;
};

NameParts SplitName(std::string_view name) {
    std::size_t digits = 0;
    while (digits < name.size() && digits < kNumberDigits) {
        const char c = name[name.size() - 1 - digits];
        if (c < '0' || c > '9')
            break;
        ++digits;
    }
    std::uint64_t prefix = 14695981039346656037ull;
    for (char c : name.substr(0, name.size() - digits)) {
        prefix ^= static_cast<unsigned char>(LowerLetter(c));
        prefix *= 1099511628211ull;
    }
    std::uint64_t number = 0;
    for (char c : name.substr(name.size() - digits))
        number = 10 * number + static_cast<std::uint64_t>(c - '0');
    return {prefix, digits, number};
}

// The hash of a name without regard to case, which places it in the index and, kept beside it,
// tells names apart before any is compared. Names that differ only in a trailing number (CH0,
// CH1, ... or every register of a generated device) go to neighbouring slots, so that a
// description that defines them in order finds their slots mostly in cache.
std::uint32_t KeyHash(const NameParts& parts) {
    const std::uint64_t prefix = (parts.prefix ^ parts.digits) * 1099511628211ull;
    if (parts.digits == 0)
        return static_cast<std::uint32_t>(Mix(prefix));
    const std::uint64_t run = Mix(prefix ^ ((parts.number >> kRunBits) * 0x9E3779B97F4A7C15ull));
    return static_cast<std::uint32_t>((run << kRunBits) | (parts.number & ((1u << kRunBits) - 1)));
}

// The name that starts the next run after the name's own, if the name starts a run: a
// description that numbers its names in order will come to it soon.
std::optional<NameParts> NextRun(const NameParts& parts) {
    constexpr std::uint64_t kRun = 1u << kRunBits;
    if (parts.digits == 0 || parts.number % kRun != 0)
        return std::nullopt;
    const std::uint64_t number = parts.number + kRun;
    std::size_t digits = 1;
    for (std::uint64_t rest = number / 10; rest != 0; rest /= 10)
        ++digits;
    if (digits > kNumberDigits)
        return std::nullopt;
    return NameParts{parts.prefix, std::max(digits, parts.digits), number};
}

} // namespace

std::uint32_t NameTable::FindName(std::string_view name, std::uint32_t hash) const {
    if (slots_.empty())
        return kNone;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t occupant = slots_[slot];
        if (occupant == 0)
            return kNone;
        if (SlotHash(occupant) != hash)
            continue;
        const std::uint32_t index = SlotIndex(occupant);
        if (EqualsNoCase(names_[index].text, name))
            return index;
    }
}

void NameTable::Grow() {
    slots_ = Regrown(slots_);
}

Text NameTable::AddName(std::string_view name, std::uint32_t hash, int code, int device) {
    // At most two thirds full: a probe mostly ends within the cache line it started in.
    if (3 * (names_.size() + 1) > 2 * slots_.size())
        Grow();
    const Text text = texts_.Add(name);
    const auto byte = static_cast<std::uint8_t>(code);
    names_.push_back({text, device, byte, byte});
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = hash & mask;
    while (slots_[slot] != 0)
        slot = (slot + 1) & mask;
    slots_[slot] = HashSlot(hash, names_.size() - 1);
    return text;
}

NameTable::Definition NameTable::Define(int code, std::string_view name, int device, Scope scope) {
    const NameParts parts = SplitName(name);
    const std::uint32_t hash = KeyHash(parts);
    // The next run's slots are far from these: fetched now, they are in cache when its names come.
    if (const std::optional<NameParts> next = NextRun(parts); next && !slots_.empty())
        __builtin_prefetch(&slots_[KeyHash(*next) & (slots_.size() - 1)]);
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
    return FindName(name, KeyHash(SplitName(name))) != kNone;
}

} // namespace vek
