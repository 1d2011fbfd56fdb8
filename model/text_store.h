#pragma once

#include <cstddef>
#include <memory_resource>
#include <string_view>

namespace vek {

// A text kept in a TextStore: one pointer, read as a string_view for as long as its store lives.
// The default is the empty text. Items hold their names and address texts this way, so that a
// large description costs a few bytes per text and no allocation per item.
class Text {
public:
    Text() = default;

    std::string_view View() const;
    operator std::string_view() const { return View(); } // NOLINT: reads as the text it keeps
    bool IsEmpty() const { return stored_ == nullptr; }

private:
    friend class TextStore;
    explicit Text(const unsigned char* stored) : stored_(stored) {}

    // The length in one byte (below kLongLength) or kLongLength and four bytes, then the
    // characters.
    const unsigned char* stored_ = nullptr;
};

// The texts of one document: each kept once, as added, in large blocks that are freed together
// with the store.
class TextStore {
public:
    TextStore() = default;
    TextStore(const TextStore&) = delete;
    TextStore& operator=(const TextStore&) = delete;

    // A copy of the text in the store (the empty text takes no room).
    Text Add(std::string_view text);

private:
    std::pmr::monotonic_buffer_resource memory_;
};

} // namespace vek
