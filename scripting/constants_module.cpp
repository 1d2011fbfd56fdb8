#include "scripting/constants_module.h"

#include "model/item_list.h"
#include "model/line_item.h"
#include "scripting/extension.h"

namespace vek {

bool IsNumbered(const CLineItem& item) {
    return item.GetKind() == ItemKind::Register || item.GetKind() == ItemKind::BitField;
}

namespace {

// The constants of one kind of item; every register and bit field counts for the numbers.
void AppendConstants(const CItemList& items, ItemKind kind, std::string& text) {
    std::size_t number = 0;
    for (const CLineItem& item : items) {
        if (!IsNumbered(item))
            continue;
        if (item.GetKind() == kind) {
            text.append("Public Const ").append(item.GetName());
            text.append(" As Integer = ").append(std::to_string(number)).append("\r\n");
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
    const CLineItem* lastDevice = nullptr;
    for (const CLineItem& item : items) {
        numbered += IsNumbered(item) ? 1 : 0;
        if (item.GetKind() == ItemKind::Device)
            lastDevice = &item;
    }
    if (lastDevice != nullptr)
        text.append("'DO NOT EDIT THIS CODE!\r\n'Device : ")
            .append(lastDevice->GetName())
            .append("\r\n\r\n");
    text += "'Byte Items\r\n";
    AppendConstants(items, ItemKind::Register, text);
    text += "'Bit Items\r\n";
    AppendConstants(items, ItemKind::BitField, text);

    extension.ReserveNames(numbered);
    std::size_t number = 0;
    for (const CLineItem& item : items) {
        if (IsNumbered(item))
            extension.SetName(number++, std::string(item.GetName()));
    }
    return text;
}

} // namespace vek
