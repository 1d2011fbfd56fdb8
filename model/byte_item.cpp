#include "model/byte_item.h"

#include "model/bits.h"
#include "model/shadow_reg.h"
#include "model/tree_control.h"

#include <algorithm>

namespace vek {

CByteItem::Part CByteItem::FieldsAsPart() const {
    Part part;
    part.address = GetAddressBytes();
    part.addressLength = GetAddressLength();
    part.addressText = GetAddressText();
    part.addressDisplayWidth = GetAddressDisplayWidth();
    part.dataLength = GetDataLength();
    part.memorySize = GetMemorySize();
    part.byteOrder = GetByteOrder();
    part.value = GetValueField();
    part.mask = GetMask();
    part.defaultValue = default_;
    part.width = GetWidth();
    part.shadow = shadow_;
    return part;
}

void CByteItem::TakePart(const Part& part) {
    // The part's fields were accepted by the item's setters when it was added.
    address_ = part.address;
    addressText_ = part.addressText;
    addressLength_ = part.addressLength;
    addressDisplayWidth_ = part.addressDisplayWidth;
    dataLength_ = part.dataLength;
    memorySize_ = part.memorySize;
    byteOrder_ = part.byteOrder;
    SetValueField(part.value);
    SetMask(part.mask);
    default_ = part.defaultValue;
    SetWidth(part.width);
    shadow_ = part.shadow;
}

bool CByteItem::AddPart() {
    if (totalWidth_ + GetWidth() > kMaxTotalWidth) {
        return false;
    }
    parts_.push_back(FieldsAsPart());
    current_ = parts_.size() - 1;
    totalWidth_ += GetWidth();
    totalDataLength_ = static_cast<uint16_t>(totalDataLength_ + GetDataLength());
    return true;
}

void CByteItem::SelectPart(std::size_t index) {
    if (index < parts_.size()) {
        current_ = index;
        TakePart(parts_[index]);
    }
}

void CByteItem::StorePart(std::size_t index) {
    if (index < parts_.size()) {
        current_ = index;
        parts_[index] = FieldsAsPart();
    }
}

void CByteItem::SetPartShadowReg(std::size_t index, CShadowReg* shadow) {
    if (index < parts_.size()) {
        parts_[index].shadow = shadow;
        if (index == current_) {
            shadow_ = shadow;
        }
    }
}

uint32_t CByteItem::GetCombinedValue() const {
    uint64_t v = 0;
    for (const Part& part : parts_) {
        v = (v << part.width) | part.value;
    }
    return static_cast<uint32_t>(v);
}

void CByteItem::SetCombinedValue(uint32_t v) {
    int before = 0;
    for (std::size_t k = 0; k < parts_.size(); ++k) {
        SelectPart(k);
        const int width = GetWidth();
        const uint32_t bits = Deposit(v, totalWidth_ - before - width, GetMask(), width);
        // The part keeps its field value, as a refresh from its shadow register would give it.
        SetValueField(Extract(bits, GetMask(), width));
        if (shadow_ != nullptr) {
            shadow_->SetValue((shadow_->GetValue() & ~GetMask()) | bits);
        }
        StorePart(k);
        before += width;
    }
}

uint32_t CByteItem::StoreValue(uint32_t v) {
    SetCombinedValue(v);
    return v;
}

void CByteItem::InsertIntoTree(TreeControl& tree, int parentNode, int afterNode, int iconBase) {
    InsertRow(tree, parentNode, afterNode, DisplayName(), iconBase,
              IsJoint() ? item_icon::JointRegister : item_icon::Register);
    ShowAddress();
    SetCell(TreeColumn::Data, std::string(static_cast<std::size_t>((totalWidth_ + 3) / 4), 'X'));
}

void CByteItem::RefreshFromShadow(const CShadowReg& shadow) {
    for (std::size_t k = 0; k < parts_.size(); ++k) {
        const Part& part = parts_[k];
        if (std::equal(part.address.begin(),
                       part.address.begin() + std::min<uint16_t>(part.addressLength, 8),
                       shadow.AddressBytes().begin())) {
            // Only the value changes: the part's other fields need no copying back and forth.
            if (k != current_) {
                SelectPart(k);
            }
            AddFlags(ItemFlag::ValueShown);
            SetValueField(Extract(shadow.GetValue() & part.mask, part.mask, part.width));
            parts_[k].value = GetValueField();
            return;
        }
    }
}

bool CByteItem::Read() {
    const bool macros = ReadMacrosOn();
    bool read = false;
    for (std::size_t k = 0; k < parts_.size(); ++k) {
        SelectPart(k);
        if (macros) {
            RunMacro(GetBeforeRead());
        }
        read = shadow_ != nullptr && shadow_->Read(TransferMode());
        if (!read) {
            break;
        }
        if (macros) {
            RunMacro(GetAfterRead());
        }
    }
    return read;
}

bool CByteItem::WriteValue(bool runMacros) {
    if (runMacros) {
        RunMacro(GetBeforeWrite());
    }
    std::size_t failed = parts_.size();
    for (std::size_t k = 0; k < parts_.size(); ++k) {
        CShadowReg* shadow = parts_[k].shadow;
        if ((shadow == nullptr || !shadow->Write(TransferMode())) && failed == parts_.size()) {
            failed = k;
        }
    }
    if (runMacros) {
        RunMacro(GetAfterWrite());
    }
    if (failed < parts_.size()) {
        // The failing part becomes current, so that GetErrorText tells its reason.
        SelectPart(failed);
        return false;
    }
    return !parts_.empty();
}

} // namespace vek
