#include "model/device_item.h"

#include "model/tree_control.h"

#include "platform/text_helpers.h"

#include <algorithm>

namespace vek {

bool ItemAddress::SetAddressText(Text text) {
    const std::string_view digits = text;
    if (digits.size() > 2 * address.size()) {
        return false;
    }
    address.fill(0);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        // An undefined digit ("X") is no hexadecimal digit and leaves 0.
        const unsigned digit = static_cast<unsigned>(std::max(HexDigitValue(digits[i]), 0));
        const int shift = i % 2 == 0 ? 4 : 0;
        address[i / 2] = static_cast<uint8_t>(address[i / 2] | (digit << shift));
    }
    addressText = text;
    return true;
}

bool ItemAddress::SetAddressLength(uint16_t length) {
    if (length > address.size()) {
        return false;
    }
    addressLength = length;
    return true;
}

bool ItemAddress::SetDataLength(uint16_t length) {
    if (length > 4) {
        return false;
    }
    dataLength = length;
    return true;
}

std::string CDeviceItem::GetAddressDisplay() const {
    if (IsJoint()) {
        return "JOINT";
    }
    const std::size_t width = 2U * where_.addressDisplayWidth;
    const std::string_view display = addressDisplay_;
    if (display.size() >= width) {
        return std::string(display);
    }
    return std::string(width - display.size(), '0').append(display);
}

void CDeviceItem::ShowAddress() const {
    SetCell(TreeColumn::Address, "[" + GetAddressDisplay() + "]");
}

void CDeviceItem::InsertIntoTree(TreeControl& tree, int parentNode, int afterNode, int iconBase) {
    InsertRow(tree, parentNode, afterNode, DisplayName(), iconBase, item_icon::Device);
    ShowAddress();
}

} // namespace vek
