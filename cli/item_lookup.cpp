#include "cli/item_lookup.h"

#include "cli/value_argument.h"
#include "model/item_list.h"
#include "model/shadow_reg.h"
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

Result<CVarItem*> FindOneValueItem(const CItemList& items, const std::string& name) {
    const std::vector<CVarItem*> found = FindValueItems(items, name);
    if (found.empty())
        return Failure{1, "no register, bit field or variable '" + name + "'"};
    if (found.size() > 1) {
        return Failure{1, "'" + name + "' names " + std::to_string(found.size()) +
                              " items; write DEVICE." + name};
    }
    return found.front();
}

std::string QualifiedName(const CItemList& items, const CVarItem& item) {
    std::string device;
    for (const CLineItem& entry : items) {
        if (entry.GetKind() == ItemKind::Device)
            device = entry.GetName();
        if (&entry == &item)
            break;
    }
    return device.empty() ? std::string(item.GetName()) : (device + ".").append(item.GetName());
}

std::string RegisterName(const CShadowReg& reg) {
    for (const CLineItem* item : reg.GetItems()) {
        if (item->GetKind() == ItemKind::Register)
            return std::string(reg.GetDeviceName()).append(".").append(item->GetName());
    }
    return std::string(reg.GetDeviceName());
}

bool ValueKnown(const CVarItem& item) {
    return item.HasFlags(ItemFlag::ValueShown);
}

std::string ShownHex(const CVarItem& item) {
    std::string text = HexValueText(item.ShownValue(), item.ShownWidth());
    if (!ValueKnown(item))
        text = "0x" + std::string(text.size() - 2, 'X');
    return text;
}

const char* AccessName(AccessType access) {
    switch (access) {
    case AccessType::Read:
        return "READ";
    case AccessType::Write:
        return "WRITE";
    case AccessType::Both:
        return "BOTH";
    case AccessType::Status:
        return "STATUS";
    case AccessType::Prot:
        return "PROT";
    case AccessType::NotGiven:
        break;
    }
    return "";
}

} // namespace vek
