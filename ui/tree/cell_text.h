#pragma once

#include <cstdint>
#include <string_view>

namespace vek {

// A tree cell's text in 16 bytes: up to 15 bytes in place, longer texts in a block of their own
// that keeps its room for the next text. A tree holds three cells a row for hundreds of
// thousands of rows, nearly all of them short; a std::string takes twice the room.
class CellText {
public:
    CellText() = default;
    CellText(const CellText& other) { Assign(other.View()); }
    CellText(CellText&& other) noexcept;
    CellText& operator=(const CellText& other);
    CellText& operator=(CellText&& other) noexcept;
    ~CellText();

    void Assign(std::string_view text);
    std::string_view View() const;

private:
    static constexpr std::size_t kInPlace = 15;
    static constexpr unsigned char kOnHeap = 0xFF;

    bool OnHeap() const { return static_cast<unsigned char>(bytes_[kInPlace]) == kOnHeap; }
    char* Block() const;
    std::uint32_t HeapSize() const;
    void Release();

    // In place: the text, then its length in the last byte. On the heap: the block's address,
    // the text's length, and kOnHeap in the last byte. The block begins with its room.
    alignas(8) char bytes_[16] = {};
};

} // namespace vek
