#include "ui/tree/cell_text.h"

#include <cstring>

namespace vek {

namespace {

// A heap block: its room, then the text.
constexpr std::size_t kRoomBytes = sizeof(std::uint32_t);

std::uint32_t RoomOf(const char* block) {
    std::uint32_t room = 0;
    std::memcpy(&room, block, sizeof room);
    return room;
}

} // namespace

CellText::CellText(CellText&& other) noexcept {
    std::memcpy(bytes_, other.bytes_, sizeof bytes_);
    std::memset(other.bytes_, 0, sizeof other.bytes_);
}

CellText& CellText::operator=(const CellText& other) {
    if (this != &other)
        Assign(other.View());
    return *this;
}

CellText& CellText::operator=(CellText&& other) noexcept {
    if (this != &other) {
        Release();
        std::memcpy(bytes_, other.bytes_, sizeof bytes_);
        std::memset(other.bytes_, 0, sizeof other.bytes_);
    }
    return *this;
}

CellText::~CellText() {
    Release();
}

char* CellText::Block() const {
    char* block = nullptr;
    std::memcpy(&block, bytes_, sizeof block);
    return block;
}

std::uint32_t CellText::HeapSize() const {
    std::uint32_t size = 0;
    std::memcpy(&size, bytes_ + sizeof(char*), sizeof size);
    return size;
}

void CellText::Release() {
    if (OnHeap())
        delete[] Block();
    std::memset(bytes_, 0, sizeof bytes_);
}

void CellText::Assign(std::string_view text) {
    // The old block goes only once the text is copied: the text may lie in it, or in place.
    char* const old = OnHeap() ? Block() : nullptr;
    if (text.size() <= kInPlace) {
        std::memmove(bytes_, text.data(), text.size());
        bytes_[kInPlace] = static_cast<char>(text.size());
        delete[] old;
        return;
    }
    // A cell's text is a name, an address or a value: far below 4 GB.
    const auto size = static_cast<std::uint32_t>(text.size());
    char* block = old;
    if (old == nullptr || RoomOf(old) < size) {
        block = new char[kRoomBytes + size];
        std::memcpy(block, &size, sizeof size);
        std::memcpy(block + kRoomBytes, text.data(), size);
        delete[] old;
    } else {
        std::memmove(block + kRoomBytes, text.data(), size);
    }
    std::memcpy(bytes_, &block, sizeof block);
    std::memcpy(bytes_ + sizeof(char*), &size, sizeof size);
    bytes_[kInPlace] = static_cast<char>(kOnHeap);
}

std::string_view CellText::View() const {
    if (OnHeap())
        return {Block() + kRoomBytes, HeapSize()};
    return {bytes_, static_cast<unsigned char>(bytes_[kInPlace])};
}

} // namespace vek
