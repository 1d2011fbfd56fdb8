#include "compiler/address_template.h"

namespace vek {

AddressTemplate::Layout AddressTemplate::Apply(const Clause& clause, int addressSize) {
    Layout layout;
    const int digits = static_cast<int>(clause.digits.size());
    layout.shift = clause.shift.value_or(0);
    layout.length = clause.length.value_or((digits + 1) / 2);
    if (layout.length < digits / 2)
        layout.digitsError = StringId::ErrB11;
    // Out-of-range shifts and lengths were reported when they were read; they must not reach
    // past the template either.
    if (layout.shift < 0 || layout.length < 0 || addressSize < layout.length + layout.shift) {
        layout.sizeError = StringId::ErrB08;
        return layout;
    }
    const std::size_t width = 2 * static_cast<std::size_t>(layout.length);
    std::string padded(clause.digits);
    if (padded.size() < width)
        padded.insert(0, width - padded.size(), '0');
    else
        padded = padded.substr(padded.size() - width);
    for (int i = 0; i < layout.length; ++i) {
        // Byte shift + i takes the i-th pair counted from the end of the digits.
        const std::size_t from = width - 2 * static_cast<std::size_t>(i) - 2;
        const std::size_t to = 2 * static_cast<std::size_t>(layout.shift + i);
        if (to + 2 <= text_.size()) {
            text_[to] = padded[from];
            text_[to + 1] = padded[from + 1];
        }
    }
    return layout;
}

} // namespace vek
