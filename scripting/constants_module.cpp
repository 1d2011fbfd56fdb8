#include "scripting/constants_module.h"

#include "model/item_list.h"
#include "model/line_item.h"
#include "scripting/extension.h"

namespace vek {

std::string BuildConstantsModule(const CItemList& items, CExtension& extension) {
    std::string header;
    std::string registers = "'Byte Items\r\n";
    std::string bits = "'Bit Items\r\n";
    std::size_t number = 0;
    for (const CLineItem& item : items) {
        switch (item.GetKind()) {
        case ItemKind::Device:
            header = "'DO NOT EDIT THIS CODE!\r\n'Device : ";
            header.append(item.GetName()).append("\r\n\r\n");
            break;
        case ItemKind::Register:
        case ItemKind::BitField: {
            std::string& section = item.GetKind() == ItemKind::Register ? registers : bits;
            section.append("Public Const ").append(item.GetName());
            section += " As Integer = " + std::to_string(number) + "\r\n";
            extension.SetName(number, std::string(item.GetName()));
            ++number;
            break;
        }
        default:
            break;
        }
    }
    return header + registers + bits;
}

} // namespace vek
