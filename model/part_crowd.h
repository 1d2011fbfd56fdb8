#pragma once

#include "model/register_codes.h"
#include "platform/string_table.h"

#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace vek {

// What the item list's overlap check compares of a register's part.
struct PartTraits {
    uint32_t mask = 0;
    uint32_t defaultValue = 0;
    uint16_t memorySize = 1;
    bool spans = false; // memory size below data size: the part reaches into the next addresses
    AccessType access = AccessType::Both;
};

// The error, if any, that a part r at address a gives with an earlier part p at address b: B18
// for two memory models at one address; where their bits meet (a part that spans shares its upper
// bytes with the next addresses), B14 for access types that may not share bits, B15 for defaults
// of one access type that differ.
std::optional<StringId> OverlapError(const PartTraits& r, uint64_t a, const PartTraits& p,
                                     uint64_t b);

// The parts at one address that many registers share. Comparing each new part with all of them
// would take time growing with the square of their number; kept by memory model, span and access
// type, then by mask and default, and listed by mask bit and default bit, they give the parts
// that are in error with a new one by looking only at those.
class PartCrowd {
public:
    struct Member {
        void* node; // the item list's, opaque here
        uint32_t part;
    };
    struct Found {
        Member member;
        StringId error;
    };

    void Add(const Member& member, const PartTraits& traits);
    // Appends every member that gives OverlapError(r, a, member, b) with b the crowd's address,
    // with that error: each such member once, in no particular order.
    void FindErrors(const PartTraits& r, uint64_t a, uint64_t b, std::vector<Found>& found);

private:
    // The members of one mask and default.
    struct Alike {
        uint32_t mask;
        uint32_t defaultValue;
        std::vector<Member> members;
        uint32_t seen = 0; // the search that last took it
    };
    // Alike parts of one memory model, span and access type, listed by each mask bit and the
    // default's value of that bit.
    struct Bucket {
        uint16_t memorySize = 1;
        bool spans = false;
        AccessType access = AccessType::Both;
        std::vector<uint32_t> alike;
        std::array<std::array<std::vector<uint32_t>, 2>, 32> byBit;
        std::unordered_map<uint64_t, uint32_t> byValue; // mask << 32 | default
    };

    void Take(const Alike& alike, StringId error, std::vector<Found>& found) const;

    std::vector<Bucket> buckets_;
    std::vector<Alike> alike_;
    uint32_t search_ = 0;
};

} // namespace vek
