#pragma once

#include "platform/memory_pages.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace vek {

// Where the parts of a device's registers lie, for the item list's overlap check: per device
// group, address length and address number, the parts at that address in the order entered.
// Flat tables, so that a description of a million registers costs a few allocations and a few
// dozen bytes per part.
class PartIndex {
public:
    struct Key {
        std::uint32_t group;
        std::uint64_t address;
        std::uint16_t length;
        bool operator==(const Key&) const = default;
    };
    // A part: the item list's node of its register (opaque here) and the part's number.
    struct Entry {
        void* node;
        std::uint32_t part;
        std::uint32_t next; // the next entry at the same address, or kEnd
    };
    static constexpr std::uint32_t kEnd = 0xFFFFFFFFu;

    // Adding right after First at the same address (the overlap check's order) finds its slot
    // without a second search.
    void Add(const Key& key, void* node, std::size_t part);
    // The first entry at the address, or kEnd; Next follows the entries in the order entered.
    std::uint32_t First(const Key& key);
    const Entry& At(std::uint32_t entry) const {
        return (entry & kLater) != 0 ? later_[entry & ~kLater].entry : addresses_[entry].first;
    }
    void Clear();

private:
    // Most addresses hold one part: the first is kept with the address, any later ones apart.
    struct Address {
        std::uint64_t address;
        Entry first; // its entry number is the address's index
        std::uint32_t group;
        std::uint16_t length;

        Key GetKey() const { return {group, address, length}; }
    };
    struct LaterEntry {
        Entry entry;
        std::uint32_t last; // in the first later entry of an address: its address's last entry
    };
    // Marks the entry numbers of later entries: their index in later_ is in the bits below.
    static constexpr std::uint32_t kLater = 0x80000000u;

    std::size_t FindSlot(const Key& key, std::uint32_t hash) const;
    void Grow();
    void AddLater(Address& address, void* node, std::size_t part);

    struct Found {
        Key key;
        std::uint32_t hash;
        std::size_t slot;
    };
    std::vector<Address> addresses_;
    std::vector<LaterEntry> later_;
    // Open addressing: each address's hash in the upper half beside its index into addresses_ + 1
    // in the lower (0: a free slot), so that a probe rarely reads an address that does not match.
    std::vector<std::uint64_t, LargeTableAllocator<std::uint64_t>> slots_;
    std::optional<Found> lastFound_; // by First, while no address has been added since
};

} // namespace vek
