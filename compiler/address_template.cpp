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
    // Byte shift + i takes the i-th pair of digits counted from the end; digits missing on
    // the left are "0", digits beyond the length are cut.
    const std::string_view digitsText = clause.digits;
    auto digitAt = [&](std::size_t fromEnd) {
        return fromEnd < digitsText.size() ? digitsText[digitsText.size() - 1 - fromEnd] : '0';
    };
    for (int i = 0; i < layout.length; ++i) {
        const std::size_t to = 2 * static_cast<std::size_t>(layout.shift + i);
        if (to + 2 > text_.size())
            break;
        text_[to] = digitAt(2 * static_cast<std::size_t>(i) + 1);
        text_[to + 1] = digitAt(2 * static_cast<std::size_t>(i));
    }
    return layout;
}

} // namespace vek
