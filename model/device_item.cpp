#include "model/device_item.h"

#include "model/tree_control.h"

namespace vek {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 0;
}

} // namespace

bool CDeviceItem::SetAddressText(std::string text) {
    if (text.size() > 2 * address_.size()) {
        return false;
    }
    address_.fill(0);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int shift = i % 2 == 0 ? 4 : 0;
        address_[i / 2] = static_cast<uint8_t>(address_[i / 2] | (HexDigit(text[i]) << shift));
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
