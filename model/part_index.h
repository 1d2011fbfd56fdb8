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
    const Entry& At(std::uint32_t entry) const { return entries_[entry]; }
    void Clear();

private:
    struct Address {
        std::uint64_t address;
        std::uint32_t group;
        std::uint16_t length;
        std::uint32_t first;
        std::uint32_t last;

        Key GetKey() const { return {group, address, length}; }
    };

    std::size_t FindSlot(const Key& key) const;
    void Grow();

    struct Found {
        Key key;
        std::size_t slot;
    };
    std::vector<Address> addresses_;
    std::vector<Entry> entries_;
    // Open addressing: index into addresses_ + 1, 0 free.
    std::vector<std::uint32_t, LargeTableAllocator<std::uint32_t>> slots_;
    std::optional<Found> lastFound_; // by First, while no address has been added since
};

} // namespace vek
