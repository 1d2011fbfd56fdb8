#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vek {

// The names a description defines: devices, registers, variables, bit fields, macros, script
// macros. Names are compared without regard to case; each entry keeps its property code and the
// number of its device.
class NameTable {
public:
    struct Entry {
        int code = 0;
        int device = 0;
    };

    // Enters a name and returns the first earlier entry of that name within `lookupDevice`
    // (0 matches every device), or null.
    const Entry* Define(int code, std::string_view name, int device, int lookupDevice);
    // The first entry of that name within the device; device 0 matches every device.
    const Entry* Find(std::string_view name, int device) const;

private:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    // The entries of one name, chained from the first through `next_`.
    struct Chain {
        std::uint64_t hash;
        std::string key; // the name in lower case
        std::uint32_t first;
        std::uint32_t last;
    };

    std::uint32_t FindChain(std::string_view name, std::uint64_t hash) const;
    const Entry* FirstIn(std::uint32_t first, int device) const;
    void Grow();

    std::vector<Entry> entries_;
    std::vector<std::uint32_t> next_;
    std::vector<Chain> chains_;
    // An open-addressed index of the chains (index + 1; 0 is a free slot): large descriptions
    // define hundreds of thousands of names, and a flat table keeps their look-ups in cache.
    std::vector<std::uint32_t> slots_;
};

} // namespace vek
