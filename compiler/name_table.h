#pragma once

#include "model/text_store.h"
#include "platform/memory_pages.h"

#include <cstdint>
#include <deque>
#include <string_view>
#include <vector>

namespace vek {

// The names a description defines: devices, registers, variables, bit fields, macros, script
// macros. Names are compared without regard to case. A definition clashes with an earlier one in
// its own device, or, for a device name, in any device. Devices are numbered in the order of
// the description, so a definition always belongs to the latest device: per name the table keeps
// only its first definition and the first one in the latest device that defined it, and a
// look-up costs the same however many devices repeat the name. Each name is kept once, as first
// spelt, in the document's text store, where the items that carry it find it too.
class NameTable {
public:
    enum class Scope { AllDevices, OwnDevice };

    explicit NameTable(TextStore& texts) : texts_(texts) {}

    struct Definition {
        int earlierCode; // of the first earlier definition within the scope, or 0
        Text spelling;   // the name as written here, kept in the text store
    };
    // Enters a name of `device` (no smaller than the device of any earlier definition).
    Definition Define(int code, std::string_view name, int device, Scope scope);
    // Whether any device defines the name.
    bool Contains(std::string_view name) const;

private:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    struct Name {
        Text text;               // as first spelt
        int device;              // the latest device that defines the name
        std::uint8_t firstCode;  // of the name's first definition
        std::uint8_t deviceCode; // of its first definition in that device
    };

    std::uint32_t FindName(std::string_view name, std::uint32_t hash) const;
    Text AddName(std::string_view name, std::uint32_t hash, int code, int device);
    void Grow();

    TextStore& texts_;
    // Each name once, in the order first defined; a deque grows without moving what it holds.
    std::deque<Name> names_;
    // An open-addressed index of the names: each name's hash beside its index + 1 (0 is a free
    // slot), so that a probe rarely touches a name that does not match.
    std::vector<std::uint64_t, LargeTableAllocator<std::uint64_t>> slots_;
};

} // namespace vek
