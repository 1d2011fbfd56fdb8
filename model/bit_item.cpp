#include "model/bit_item.h"

#include "model/bits.h"
#include "model/byte_item.h"
#include "model/shadow_reg.h"
#include "model/tree_control.h"

namespace vek {

void CBitItem::InsertIntoTree(TreeControl& tree, int parentNode, int afterNode, int iconBase) {
    InsertRow(tree, parentNode, afterNode, DisplayName(), iconBase, item_icon::BitField);
    ShowAddress();
    SetCell(TreeColumn::Data, std::string(2U * GetDataLength(), 'X'));
}

bool CBitItem::RefreshFromShadow(const CShadowReg& shadow) {
    const bool shown = HasFlags(ItemFlag::ValueShown);
    const uint32_t before = GetValueField();
    AddFlags(ItemFlag::ValueShown);
    SetValueField(Extract(shadow.GetValue() & GetMask(), GetMask(), GetWidth()));
    return shown && GetValueField() != before;
}

bool CBitItem::RegisterMacrosOn(MacroFlag flag) const {
    return register_ != nullptr && register_->GetMacroFlags().Has(flag);
}

bool CBitItem::Read() {
    const bool macros = RegisterMacrosOn(MacroFlag::ReadMacros);
    return (!macros || RunMacro(register_->GetBeforeRead())) && shadow_ != nullptr &&
           shadow_->Read(shadow_->TransferMode()) &&
           (!macros || RunMacro(register_->GetAfterRead()));
}

bool CBitItem::Write() {
    return WriteValue(RegisterMacrosOn(MacroFlag::WriteMacros));
}

bool CBitItem::WriteValue(bool runMacros) {
    const bool macros = runMacros && register_ != nullptr;
    if (macros && !RunMacro(register_->GetBeforeWrite())) {
        return false;
    }
    const bool written = shadow_ != nullptr && shadow_->Write(shadow_->TransferMode());
    return (!macros || RunMacro(register_->GetAfterWrite())) && written;
}

uint32_t CBitItem::StoreValue(uint32_t v) {
    const uint32_t bits = Deposit(v, 0, GetMask(), GetWidth());
    if (shadow_ != nullptr) {
        shadow_->SetValue(bits | (shadow_->GetValue() & ~GetMask()));
    }
    return bits;
}

} // namespace vek
