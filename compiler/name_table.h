#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vek {

// The names a description defines: devices, registers, variables, bit fields, macros, script
// macros. Names are compared without regard to case; each entry keeps its property code, the
// number of its device and its line.
class NameTable {
public:
    struct Entry {
        int code = 0;
        std::string name;
        int device = 0;
        int line = 0;
    };

    // Enters a name and returns the first earlier entry of that name within `lookupDevice`
    // (0 matches every device), or null.
    const Entry* Define(int code, std::string_view name, int device, int line, int lookupDevice);
    // The first entry of that name within the device; device 0 matches every device.
    const Entry* Find(std::string_view name, int device) const;

private:
    const Entry* FirstIn(std::size_t first, int device) const;

    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    // Entries of one name are chained from the first through `next`.
    std::vector<Entry> entries_;
    std::vector<std::size_t> next_;
    std::unordered_map<std::string, std::pair<std::size_t, std::size_t>> byName_; // first, last
};

// The key under which names are compared: the name in lower case.
std::string NameKey(std::string_view name);

} // namespace vek
