#pragma once

#include "compiler/property_codes.h"
#include "model/text_store.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vek {

// The properties handed to the builder since the last construct: each a text or a number with
// its code and line. A text is a view into the description being compiled, which outlives it; a
// name or quoted string that items keep also comes as stored in the document's text store. A
// construct takes the first untaken entry of each code it needs; at its end all entries are taken.
// An index per code keeps every look-up constant in time, also when a faulty description lets the
// list grow without end.
class PendingProperties {
public:
    struct Entry {
        int code = 0;
        std::string_view text;
        std::uint32_t number = 0;
        int line = 0;
        Text stored;
    };

    void Add(int code, std::string_view text, std::uint32_t number, int line, Text stored = {});
    // The first untaken entry of the code, or null.
    const Entry* Find(int code) const;
    // Marks the first untaken entry of the code as taken and returns it, or null.
    const Entry* Take(int code);
    void TakeAll();
    // The earliest character of the entries' texts (null: none).
    const char* EarliestText() const;

private:
    // Per code the indexes of its entries in order, and how many of them are taken.
    struct Queue {
        std::vector<std::size_t> entries;
        std::size_t taken = 0;
    };
    std::vector<Entry> entries_;
    std::array<Queue, kPropertyCodeLimit> queues_;
};

} // namespace vek
