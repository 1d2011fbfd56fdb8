#pragma once

#include "model/line_item.h"
#include "model/text_store.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vek {

// Where an item lies: its address and the size and byte order of its data. A register has one
// per part.
struct ItemAddress {
    std::array<uint8_t, 8> address{};
    // The address template: two hexadecimal digits per address byte, the pair for byte 0 first
    // ("X" for a digit not yet defined).
    Text addressText;
    uint16_t addressLength = 0;
    uint16_t addressDisplayWidth = 0;
    uint16_t dataLength = 0;
    uint16_t memorySize = 0;
    Text byteOrder;

    // Sets the template and the address bytes, each pair read as one byte (an undefined digit
    // counts as 0). More than 8 bytes are refused.
    bool SetAddressText(Text text);
    bool SetAddressLength(uint16_t length); // refused above 8
    bool SetDataLength(uint16_t length);    // refused above 4
};

// A device of the description; also the base of everything that has an address.
class CDeviceItem : public CLineItem {
public:
    CDeviceItem() : CDeviceItem(ItemKind::Device) {}

    const ItemAddress& GetItemAddress() const { return where_; }
    // Takes every field at once (the address bytes as given).
    void SetItemAddress(const ItemAddress& where) { where_ = where; }

    const std::array<uint8_t, 8>& GetAddressBytes() const { return where_.address; }
    std::string_view GetAddressText() const { return where_.addressText; }
    bool SetAddressText(Text text) { return where_.SetAddressText(text); }
    // The address as shown in the row, left-padded with "0" to twice the display width; a
    // register of several parts shows "JOINT".
    std::string GetAddressDisplay() const;
    void SetAddressDisplay(Text text) { addressDisplay_ = text; }
    uint16_t GetAddressLength() const { return where_.addressLength; }
    bool SetAddressLength(uint16_t length) { return where_.SetAddressLength(length); }
    uint16_t GetAddressDisplayWidth() const { return where_.addressDisplayWidth; }
    void SetAddressDisplayWidth(uint16_t width) { where_.addressDisplayWidth = width; }
    uint16_t GetDataLength() const { return where_.dataLength; }
    bool SetDataLength(uint16_t length) { return where_.SetDataLength(length); }
    uint16_t GetMemorySize() const { return where_.memorySize; }
    void SetMemorySize(uint16_t size) { where_.memorySize = size; }
    std::string_view GetByteOrder() const { return where_.byteOrder; }
    void SetByteOrder(Text order) { where_.byteOrder = order; }

    void InsertIntoTree(TreeControl& tree, int parentNode, int afterNode, int iconBase) override;

protected:
    explicit CDeviceItem(ItemKind kind) : CLineItem(kind) {}
    // Column 1: "[" + address display + "]".
    void ShowAddress() const;
    // Whether the row shows "JOINT" instead of the address.
    virtual bool IsJoint() const { return false; }

private:
    ItemAddress where_;
    Text addressDisplay_;
};

} // namespace vek
