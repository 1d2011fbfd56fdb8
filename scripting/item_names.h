#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vek {

// The names of the registers and bit fields by the values of their constants, one after the
// other in one text: a large description has hundreds of thousands, mostly short.
// Entries are replaced by index and never removed: a list that is renewed from the first entry
// keeps the entries beyond the new ones.
class ItemNames {
public:
    // `count` entries follow, from the first and in order (Set 0, 1, ...): room for them.
    void Renew(std::size_t count);
    // Replaces entry `index`, growing the list as needed; an entry never set is "".
    void Set(std::size_t index, std::string_view name);
    std::size_t Count() const;
    std::string_view At(std::size_t index) const;

private:
    struct List {
        std::string text;
        std::vector<std::uint32_t> ends; // where each entry ends in the text
        std::size_t Count() const { return ends.size(); }
        std::string_view At(std::size_t index) const;
        void Append(std::string_view name);
    };

    // Moves the entries of the list before the renewal over to the new one up to `count`.
    void TakeEarlier(std::size_t count);

    List list_;
    // The list as it was before the renewal in progress: what the new entries have not yet
    // replaced still reads from it.
    List earlier_;
    std::size_t renewing_ = 0; // how many entries the renewal in progress brings
};

} // namespace vek
