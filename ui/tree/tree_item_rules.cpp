#include "ui/tree/tree_item_rules.h"

#include "model/bit_item.h"
#include "model/bits.h"
#include "model/byte_item.h"
#include "model/shadow_reg.h"
#include "model/value_text.h"
#include "platform/number_text.h"

namespace vek {

namespace {

bool HasAccess(const CSetItem& item, std::initializer_list<AccessType> types) {
    for (AccessType t : types) {
        if (item.GetAccessType() == t)
            return true;
    }
    return false;
}

// A register with at least one part, or a bit field.
const CVarItem* AsTransferItem(const CLineItem& item) {
    if (item.GetKind() == ItemKind::Register) {
        const auto& reg = static_cast<const CByteItem&>(item);
        return reg.GetPartCount() > 0 ? &reg : nullptr;
    }
    return item.GetKind() == ItemKind::BitField ? &static_cast<const CVarItem&>(item) : nullptr;
}

const CVarItem* AsSteppable(const CLineItem& item) {
    const CVarItem* value = AsValueItem(const_cast<CLineItem*>(&item));
    if (value == nullptr || !HasAccess(*value, {AccessType::Write, AccessType::Both}))
        return nullptr;
    if (!value->HasFlags(ItemFlag::ValueShown) && value->GetKind() != ItemKind::Variable)
        return nullptr;
    return value;
}

// "[address] &mask = value" for one shadow register's share of an item.
std::string PartText(const CShadowReg* shadow, uint32_t mask, uint16_t dataLength, uint32_t value,
                     bool known) {
    const std::size_t digits = 2u * dataLength;
    std::string text = "[" + (shadow != nullptr ? shadow->AddressText() : std::string("XXXX")) +
                       "] &" + HexText(mask, digits) + " = ";
    text += known ? "0x" + HexText(value, digits) : std::string(digits, 'X');
    return text;
}

std::string GroupedBinary(uint32_t value, int bits) {
    std::string text;
    for (int i = bits - 1; i >= 0; --i) {
        text += ((value >> i) & 1u) != 0 ? '1' : '0';
        if (i > 0 && i % 4 == 0)
            text += ' ';
    }
    return text.empty() ? "0" : text;
}

} // namespace

CVarItem* AsValueItem(CLineItem* item) {
    if (item == nullptr)
        return nullptr;
    switch (item->GetKind()) {
    case ItemKind::Variable:
    case ItemKind::Register:
    case ItemKind::BitField:
        return static_cast<CVarItem*>(item);
    default:
        return nullptr;
    }
}

int ValueBits(const CVarItem& item) {
    return item.ShownWidth();
}

int64_t NumericValue(const CVarItem& item) {
    const uint64_t max = FieldMax(ValueBits(item));
    const uint64_t value = item.ShownValue() & max;
    if (item.HasFlags(ItemFlag::Signed) && value > max / 2)
        return static_cast<int64_t>(value) - static_cast<int64_t>(max + 1);
    return static_cast<int64_t>(value);
}

bool CanPlot(const CLineItem& item) {
    return AsTransferItem(item) != nullptr;
}

bool CanWriteRegister(const CLineItem& item) {
    const CVarItem* value = AsTransferItem(item);
    return value != nullptr &&
           HasAccess(*value, {AccessType::Write, AccessType::Prot, AccessType::Both}) &&
           value->HasFlags(ItemFlag::ValueShown);
}

bool CanReadRegister(const CLineItem& item) {
    const CVarItem* value = AsTransferItem(item);
    return value != nullptr && HasAccess(*value, {AccessType::Read, AccessType::Both,
                                                  AccessType::Status, AccessType::Prot});
}

bool CanIncrease(const CLineItem& item) {
    const CVarItem* value = AsSteppable(item);
    if (value == nullptr)
        return false;
    const int64_t max = FieldMax(ValueBits(*value));
    return NumericValue(*value) < (value->HasFlags(ItemFlag::Signed) ? max / 2 : max);
}

bool CanDecrease(const CLineItem& item) {
    const CVarItem* value = AsSteppable(item);
    if (value == nullptr)
        return false;
    const int64_t max = FieldMax(ValueBits(*value));
    return NumericValue(*value) > (value->HasFlags(ItemFlag::Signed) ? -(max / 2 + 1) : 0);
}

bool IsEditable(const CLineItem& item) {
    const CVarItem* value = AsValueItem(const_cast<CLineItem*>(&item));
    return value != nullptr && value->HasFlags(ItemFlag::CarriesValue) &&
           !HasAccess(*value, {AccessType::Read, AccessType::Status});
}

std::string StatusText(const CLineItem& item) {
    const bool known = item.HasFlags(ItemFlag::ValueShown);
    if (item.GetKind() == ItemKind::Register) {
        const auto& reg = static_cast<const CByteItem&>(item);
        std::string text;
        for (std::size_t k = 0; k < reg.GetPartCount(); ++k) {
            const CByteItem::Part& part = reg.GetPart(k);
            if (k > 0)
                text += " , ";
            text += PartText(part.shadow, part.mask, part.dataLength, part.value, known);
        }
        return text;
    }
    if (item.GetKind() == ItemKind::BitField) {
        const auto& bit = static_cast<const CBitItem&>(item);
        return PartText(bit.GetShadowReg(), bit.GetMask(), bit.GetDataLength(), bit.GetValueField(),
                        known);
    }
    return std::string(item.GetName());
}

std::string AccessWord(const CLineItem& item) {
    if (item.GetKind() == ItemKind::Device || item.GetKind() == ItemKind::Line ||
        item.GetKind() == ItemKind::TextLine)
        return {};
    static constexpr const char* kWords[] = {"READ", "WRITE", "BOTH", "STATUS", "PROT"};
    const auto access = static_cast<int>(static_cast<const CSetItem&>(item).GetAccessType());
    return access >= 0 && access < 5 ? kWords[access] : "";
}

std::string RowNumberText(int row) {
    std::string digits = std::to_string(row);
    return digits.size() >= 5 ? digits : std::string(5 - digits.size(), '0') + digits;
}

std::string ValueToolTip(const CVarItem& item) {
    const int bits = ValueBits(item);
    const bool known = item.HasFlags(ItemFlag::ValueShown) || item.GetKind() == ItemKind::Variable;
    std::string text;
    if (known) {
        const uint32_t value = item.ShownValue();
        text = "Hex: 0x" + NumberText(value, 16) + "\nDec: " + NumberText(value, 10);
        if (item.HasFlags(ItemFlag::Signed))
            text += " (" + FieldValueText(value, 10, bits, true) + ")";
        text += "\nBin: " + GroupedBinary(value, bits);
    } else {
        text = "No value read or written yet";
    }
    text += "\nWidth: " + std::to_string(bits) + " bits";
    if (item.GetKind() == ItemKind::Register) {
        const auto& reg = static_cast<const CByteItem&>(item);
        text += "\nMask:";
        for (std::size_t k = 0; k < reg.GetPartCount(); ++k)
            text += " 0x" + NumberText(reg.GetPart(k).mask, 16);
        text += "\nDefault: 0x" + NumberText(reg.GetDefault(), 16);
    } else if (item.GetKind() == ItemKind::BitField) {
        text += "\nMask: 0x" + NumberText(item.GetMask(), 16);
        if (const CShadowReg* shadow = item.GetShadowReg()) {
            const uint32_t field =
                Extract(shadow->GetDefault() & item.GetMask(), item.GetMask(), item.GetWidth());
            text += "\nDefault: 0x" + NumberText(field, 16);
        }
    }
    const std::string access = AccessWord(item);
    if (!access.empty())
        text += "\nAccess: " + access;
    return text;
}

} // namespace vek
