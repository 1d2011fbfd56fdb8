#include "model/device_item.h"

#include "model/tree_control.h"

#include <charconv>

namespace vek {

bool CDeviceItem::SetAddressText(std::string text) {
    if (text.size() > 2 * address_.size()) {
        return false;
    }
    address_.fill(0);
    for (std::size_t i = 0; i < text.size(); ++i) {
        // An undefined digit ("X") is no hexadecimal digit and leaves 0.
        unsigned digit = 0;
        std::from_chars(&text[i], &text[i] + 1, digit, 16);
        const int shift = i % 2 == 0 ? 4 : 0;
        address_[i / 2] = static_cast<uint8_t>(address_[i / 2] | (digit << shift));
    }
    addressText_ = std::move(text);
    return true;
}

std::string CDeviceItem::GetAddressDisplay() const {
    if (IsJoint()) {
        return "JOINT";
    }
    const std::size_t width = 2U * addressDisplayWidth_;
    if (addressDisplay_.size() >= width) {
        return addressDisplay_;
    }
    return std::string(width - addressDisplay_.size(), '0') + addressDisplay_;
}

bool CDeviceItem::SetAddressLength(uint16_t length) {
    if (length > address_.size()) {
        return false;
    }
    addressLength_ = length;
    return true;
}

bool CDeviceItem::SetDataLength(uint16_t length) {
    if (length > 4) {
        return false;
    }
    dataLength_ = length;
    return true;
}

void CDeviceItem::ShowAddress() const {
    SetCell(TreeColumn::Address, "[" + GetAddressDisplay() + "]");
}

void CDeviceItem::InsertIntoTree(TreeControl& tree, int parentNode, int afterNode, int iconBase) {
    InsertRow(tree, parentNode, afterNode, DisplayName(), iconBase, item_icon::Device);
    ShowAddress();
}

} // namespace vek
