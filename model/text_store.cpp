#include "model/text_store.h"

#include <cstdint>
#include <cstring>

namespace vek {

namespace {

// Texts up to this length (names, addresses, byte orders) keep their length in one byte.
constexpr unsigned char kLongLength = 0xFF;

} // namespace

std::string_view Text::View() const {
    if (stored_ == nullptr)
        return {};
    if (stored_[0] != kLongLength)
        return {reinterpret_cast<const char*>(stored_ + 1), stored_[0]};
    std::uint32_t length = 0;
    std::memcpy(&length, stored_ + 1, sizeof length);
    return {reinterpret_cast<const char*>(stored_ + 1 + sizeof length), length};
}

Text TextStore::Add(std::string_view text) {
    if (text.empty())
        return {};
    const bool isShort = text.size() < kLongLength;
    const std::size_t head = isShort ? 1 : 1 + sizeof(std::uint32_t);
    auto* stored = static_cast<unsigned char*>(memory_.allocate(head + text.size(), 1));
    if (isShort) {
        stored[0] = static_cast<unsigned char>(text.size());
    } else {
        // Longer than any line of a description, but a driver may name a long path.
        const auto length = static_cast<std::uint32_t>(text.size());
        stored[0] = kLongLength;
        std::memcpy(stored + 1, &length, sizeof length);
    }
    std::memcpy(stored + head, text.data(), text.size());
    return Text(stored);
}

} // namespace vek
