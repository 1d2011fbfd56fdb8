#include "model/byte_item.h"

#include "model/bits.h"
#include "model/shadow_reg.h"
#include "model/tree_control.h"

#include <algorithm>

namespace vek {

CByteItem::Part CByteItem::FieldsAsPart() const {
    Part part;
    static_cast<ItemAddress&>(part) = GetItemAddress();
    part.value = GetValueField();
    part.mask = GetMask();
    part.defaultValue = default_;
    part.width = GetWidth();
    part.shadow = shadow_;
    return part;
}

void CByteItem::TakePart(const Part& part) {
    // The part's fields were accepted by the item's setters when it was added.
    SetItemAddress(part);
    SetValueField(part.value);
    SetMask(part.mask);
    default_ = part.defaultValue;
    SetWidth(part.width);
    shadow_ = part.shadow;
}

bool CByteItem::AddPart(const Part& part) {
    if (totalWidth_ + part.width > kMaxTotalWidth) {
        return false;
    }
    if (partCount_ >= 1) {
        // A joint register: its parts move to an array that doubles as it fills, the first
        // part coming from the item's fields.
        const bool full = (partCount_ & (partCount_ - 1)) == 0;
        if (full) {
            auto grown = std::make_unique<Part[]>(2 * std::size_t{partCount_});
            if (parts_ == nullptr) {
                grown[0] = FieldsAsPart();
            } else {
                std::copy(parts_.get(), parts_.get() + partCount_, grown.get());
            }
            parts_ = std::move(grown);
        }
        parts_[partCount_] = part;
    }
    current_ = partCount_++;
    TakePart(part);
    totalWidth_ = static_cast<uint8_t>(totalWidth_ + part.width);
    totalDataLength_ = static_cast<uint16_t>(totalDataLength_ + part.dataLength);
    return true;
}

CByteItem::Part CByteItem::GetPart(std::size_t index) const {
    return parts_ != nullptr ? parts_[index] : FieldsAsPart();
}

void CByteItem::SelectPart(std::size_t index) {
    if (index < partCount_ && parts_ != nullptr) {
        current_ = static_cast<uint32_t>(index);
        TakePart(parts_[index]);
    }
}

void CByteItem::StorePart(std::size_t index) {
    if (index < partCount_ && parts_ != nullptr) {
        current_ = static_cast<uint32_t>(index);
        const bool shown = parts_[index].shown;
        parts_[index] = FieldsAsPart();
        parts_[index].shown = shown;
    }
}

void CByteItem::SetPartShadowReg(std::size_t index, CShadowReg* shadow) {
    if (index < partCount_) {
        if (parts_ != nullptr) {
            parts_[index].shadow = shadow;
        }
        if (index == current_) {
            shadow_ = shadow;
        }
    }
}

uint32_t CByteItem::GetCombinedValue() const {
    if (parts_ == nullptr) {
        return partCount_ == 0 ? 0 : GetValueField();
    }
    uint64_t v = 0;
    for (std::size_t k = 0; k < partCount_; ++k) {
        v = (v << parts_[k].width) | parts_[k].value;
    }
    return static_cast<uint32_t>(v);
}

void CByteItem::SetCombinedValue(uint32_t v) {
    int before = 0;
    for (std::size_t k = 0; k < partCount_; ++k) {
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

bool CByteItem::RefreshFromShadow(const CShadowReg& shadow) {
    for (std::size_t k = 0; k < partCount_; ++k) {
        const Part part = GetPart(k);
        if (std::equal(part.address.begin(),
                       part.address.begin() + std::min<uint16_t>(part.addressLength, 8),
                       shadow.AddressBytes().begin())) {
            // Only the value changes: the part's other fields need no copying back and forth.
            if (k != current_) {
                SelectPart(k);
            }
            // A joined register's parts get their first values one by one.
            const bool shown = parts_ != nullptr ? parts_[k].shown : HasFlags(ItemFlag::ValueShown);
            const uint32_t before = GetValueField();
            AddFlags(ItemFlag::ValueShown);
            SetValueField(Extract(shadow.GetValue() & part.mask, part.mask, part.width));
            if (parts_ != nullptr) {
                parts_[k].value = GetValueField();
                parts_[k].shown = true;
            }
            return shown && GetValueField() != before;
        }
    }
    return false;
}

bool CByteItem::Read() {
    const bool macros = ReadMacrosOn();
    bool read = false;
    for (std::size_t k = 0; k < partCount_; ++k) {
        SelectPart(k);
        read = (!macros || RunMacro(GetBeforeRead())) && shadow_ != nullptr &&
               shadow_->Read(shadow_->TransferMode()) && (!macros || RunMacro(GetAfterRead()));
        if (!read) {
            break;
        }
    }
    return read;
}

bool CByteItem::WriteValue(bool runMacros) {
    if (runMacros && !RunMacro(GetBeforeWrite())) {
        return false;
    }
    std::size_t failed = partCount_;
    for (std::size_t k = 0; k < partCount_; ++k) {
        CShadowReg* shadow = parts_ != nullptr ? parts_[k].shadow : shadow_;
        if ((shadow == nullptr || !shadow->Write(shadow->TransferMode())) && failed == partCount_) {
            failed = k;
        }
    }
    const bool ran = !runMacros || RunMacro(GetAfterWrite());
    if (failed < partCount_) {
        // The failing part becomes current, so that GetErrorText tells its reason.
        SelectPart(failed);
        return false;
    }
    return ran && partCount_ != 0;
}

} // namespace vek
