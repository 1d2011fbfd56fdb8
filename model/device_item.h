#pragma once

#include "model/line_item.h"

#include <array>
#include <cstdint>
#include <string>

namespace vek {

// A device of the description; also the base of everything that has an address.
class CDeviceItem : public CLineItem {
public:
    CDeviceItem() : CDeviceItem(ItemKind::Device) {}

    const std::array<uint8_t, 8>& GetAddressBytes() const { return address_; }
    // The address template: two hexadecimal digits per address byte, the pair for byte 0 first
    // ("X" for a digit not yet defined). Setting it also sets the address bytes, each pair read
    // as one byte (an undefined digit counts as 0). More than 8 bytes are refused.
    const std::string& GetAddressText() const { return addressText_; }
    bool SetAddressText(std::string text);
    // The address as shown in the row, left-padded with "0" to twice the display width; a
    // register of several parts shows "JOINT".
    std::string GetAddressDisplay() const;
    void SetAddressDisplay(std::string text) { addressDisplay_ = std::move(text); }
    uint16_t GetAddressLength() const { return addressLength_; }
    bool SetAddressLength(uint16_t length); // refused above 8
    uint16_t GetAddressDisplayWidth() const { return addressDisplayWidth_; }
    void SetAddressDisplayWidth(uint16_t width) { addressDisplayWidth_ = width; }
    uint16_t GetDataLength() const { return dataLength_; }
    bool SetDataLength(uint16_t length); // refused above 4
    uint16_t GetMemorySize() const { return memorySize_; }
    void SetMemorySize(uint16_t size) { memorySize_ = size; }
    const std::string& GetByteOrder() const { return byteOrder_; }
    void SetByteOrder(std::string order) { byteOrder_ = std::move(order); }

    void InsertIntoTree(TreeControl& tree, int parentNode, int afterNode, int iconBase) override;

protected:
    explicit CDeviceItem(ItemKind kind) : CLineItem(kind) {}
    // Column 1: "[" + address display + "]".
    void ShowAddress() const;
    // Whether the row shows "JOINT" instead of the address.
    virtual bool IsJoint() const { return false; }

private:
    friend class CByteItem; // selects and stores its parts through these fields

    std::array<uint8_t, 8> address_{};
    std::string addressText_;
    std::string addressDisplay_;
    uint16_t addressLength_ = 0;
    uint16_t addressDisplayWidth_ = 0;
    uint16_t dataLength_ = 0;
    uint16_t memorySize_ = 0;
    std::string byteOrder_;
};

} // namespace vek
