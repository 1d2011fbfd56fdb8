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
            header = "'DO NOT EDIT THIS CODE!\r\n'Device : " + item.GetName() + "\r\n\r\n";
            break;
        case ItemKind::Register:
        case ItemKind::BitField: {
            std::string& section = item.GetKind() == ItemKind::Register ? registers : bits;
            section += "Public Const " + item.GetName() +
                       " As Integer = " + std::to_string(number) + "\r\n";
            extension.SetName(number, item.GetName());
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
