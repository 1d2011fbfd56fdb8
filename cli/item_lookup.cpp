#include "cli/item_lookup.h"

#include "model/item_list.h"
#include "model/var_item.h"
#include "platform/text_helpers.h"

namespace vek {

namespace {

bool CarriesValue(const CLineItem& item) {
    return item.GetKind() == ItemKind::Register || item.GetKind() == ItemKind::BitField ||
           item.GetKind() == ItemKind::Variable;
}

} // namespace

std::vector<CVarItem*> FindValueItems(const CItemList& items, const std::string& name) {
    const std::size_t dot = name.find('.');
    const std::string device = dot == std::string::npos ? "" : LowerCase(name.substr(0, dot));
    const std::string item = LowerCase(dot == std::string::npos ? name : name.substr(dot + 1));
    std::vector<CVarItem*> found;
    std::string currentDevice;
    for (CLineItem& entry : items) {
        if (entry.GetKind() == ItemKind::Device)
            currentDevice = LowerCase(entry.GetName());
        if (!CarriesValue(entry) || LowerCase(entry.GetName()) != item)
            continue;
        if (device.empty() || device == currentDevice)
            found.push_back(&static_cast<CVarItem&>(entry));
    }
    return found;
}

std::string QualifiedName(const CItemList& items, const CVarItem& item) {
    std::string device;
    for (const CLineItem& entry : items) {
        if (entry.GetKind() == ItemKind::Device)
            device = entry.GetName();
        if (&entry == &item)
            break;
    }
    return device.empty() ? item.GetName() : device + "." + item.GetName();
}

} // namespace vek
