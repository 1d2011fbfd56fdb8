#pragma once

#include "platform/string_table.h"

#include <optional>
#include <string>
#include <string_view>

namespace vek {

// The address of an item being laid out: two characters per address byte, byte 0 (least
// significant) first, each byte's two hexadecimal digits in normal order; "X" marks a digit no
// level has defined yet.
class AddressTemplate {
public:
    static constexpr char kUndefined = 'X';

    void Reset(int addressSize) {
        text_.assign(2 * static_cast<std::size_t>(addressSize), kUndefined);
    }
    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }
    bool IsComplete() const { return text_.find(kUndefined) == std::string::npos; }

    struct Clause {
        std::string_view digits; // as written, without "0x"
        std::optional<int> shift;
        std::optional<int> length;
    };
    struct Layout {
        int length = 0; // address bytes the clause covers
        int shift = 0;
        // B11 (more digits than the length holds) and B08 (length and shift beyond the
        // address size; the template is then left as it was), in the order found.
        std::optional<StringId> digitsError;
        std::optional<StringId> sizeError;
    };
    // Writes the clause's digits into the template: the last two digits become byte `shift`,
    // the two before them the byte above, and so on, padded with "0" or cut to the length.
    Layout Apply(const Clause& clause, int addressSize);

private:
    std::string text_;
};

} // namespace vek
