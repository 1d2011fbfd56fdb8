#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace vek {

// The properties handed to the builder since the last construct: each a text or a number with
// its code and line. A construct takes the first untaken entry of each code it needs; at its end
// all entries are taken. An index per code keeps every look-up constant in time, also when a
// faulty description lets the list grow without end.
class PendingProperties {
public:
    static constexpr int kCodeCount = 64;

    struct Entry {
        int code = 0;
        std::string text;
        std::uint32_t number = 0;
        int line = 0;
    };

    void Add(int code, std::string_view text, std::uint32_t number, int line);
    // The first untaken entry of the code, or null.
    const Entry* Find(int code) const;
    // Marks the first untaken entry of the code as taken and returns it, or null.
    const Entry* Take(int code);
    void TakeAll();

private:
    std::vector<Entry> entries_;
    std::array<std::deque<std::size_t>, kCodeCount> untaken_;
};

} // namespace vek
