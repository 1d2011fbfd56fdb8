#include "scripting/constants_module.h"

#include "model/item_list.h"
#include "model/line_item.h"
#include "scripting/extension.h"

namespace vek {

bool IsNumbered(const CLineItem& item) {
    return item.GetKind() == ItemKind::Register || item.GetKind() == ItemKind::BitField;
}

namespace {

constexpr std::string_view kDeviceStart = "'DO NOT EDIT THIS CODE!\r\n'Device : ";
constexpr std::string_view kDeviceEnd = "\r\n\r\n";
constexpr std::string_view kByteItems = "'Byte Items\r\n";
constexpr std::string_view kBitItems = "'Bit Items\r\n";
constexpr std::string_view kConstStart = "Public Const ";
constexpr std::string_view kConstType = " As Integer = ";

// The constants of one kind of item; every register and bit field counts for the numbers.
void AppendConstants(const CItemList& items, ItemKind kind, std::string& text) {
    std::size_t number = 0;
    for (const CLineItem& item : items) {
        if (!IsNumbered(item))
            continue;
        if (item.GetKind() == kind) {
            text.append(kConstStart).append(item.GetName());
            text.append(kConstType).append(std::to_string(number)).append("\r\n");
        }
        ++number;
    }
}

} // namespace

// Written into one string, a pass over the items for each part: the module is as large as the
// description, and parts joined afterwards would be held twice.
std::string BuildConstantsModule(const CItemList& items, CExtension& extension) {
    std::string text;
    std::size_t numbered = 0;
    std::size_t size = 0; // of the constants' lines, so that the string takes only their room
    const CLineItem* lastDevice = nullptr;
    for (const CLineItem& item : items) {
        if (IsNumbered(item)) {
            size += kConstStart.size() + item.GetName().size() + kConstType.size() +
                    std::to_string(numbered).size() + 2;
            ++numbered;
        }
        if (item.GetKind() == ItemKind::Device)
            lastDevice = &item;
    }
    if (lastDevice != nullptr)
        size += kDeviceStart.size() + lastDevice->GetName().size() + kDeviceEnd.size();
    text.reserve(size + kByteItems.size() + kBitItems.size());
    if (lastDevice != nullptr)
        text.append(kDeviceStart).append(lastDevice->GetName()).append(kDeviceEnd);
    text += kByteItems;
    AppendConstants(items, ItemKind::Register, text);
    text += kBitItems;
    AppendConstants(items, ItemKind::BitField, text);

    extension.ReserveNames(numbered);
    std::size_t number = 0;
    for (const CLineItem& item : items) {
        if (IsNumbered(item))
            extension.SetName(number++, item.GetName());
    }
    return text;
}

} // namespace vek
