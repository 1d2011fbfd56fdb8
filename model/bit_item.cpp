#include "model/bit_item.h"

#include "model/bits.h"
#include "model/byte_item.h"
#include "model/shadow_reg.h"
#include "model/tree_control.h"

namespace vek {

void CBitItem::InsertIntoTree(TreeControl& tree, int parentNode, int afterNode, int iconBase) {
    InsertRow(tree, parentNode, afterNode, DisplayName(), iconBase, item_icon::BitField);
    ShowAddress();
    SetCell(tree_column::Data, std::string(2U * GetDataLength(), 'X'));
}

std::string CBitItem::GetErrorText() const {
    return shadow_ != nullptr ? shadow_->GetLastError() : std::string();
}

void CBitItem::ShowValue() {
    if (HasFlags(item_flag::ValueShown)) {
        CVarItem::ShowValue();
    }
}

void CBitItem::RefreshFromShadow(const CShadowReg& shadow) {
    AddFlags(item_flag::ValueShown);
    SetValueField(Extract(shadow.GetValue() & GetMask(), GetMask(), GetWidth()));
}

bool CBitItem::RegisterMacrosOn(int flag) const {
    return register_ != nullptr && (register_->GetMacroFlags() & flag) != 0;
}

bool CBitItem::Read() {
    const bool macros = RegisterMacrosOn(macro_flag::ReadMacros);
    if (macros) {
        RunMacro(register_->GetBeforeRead());
    }
    const bool read = shadow_ != nullptr && shadow_->Read(TransferFlags());
    if (read && macros) {
        RunMacro(register_->GetAfterRead());
    }
    return read;
}

bool CBitItem::Write() {
    return WriteValue(RegisterMacrosOn(macro_flag::WriteMacros));
}

bool CBitItem::WriteValue(bool runMacros) {
    const bool macros = runMacros && register_ != nullptr;
    if (macros) {
        RunMacro(register_->GetBeforeWrite());
    }
    const bool written = shadow_ != nullptr && shadow_->Write(TransferFlags());
    if (macros) {
        RunMacro(register_->GetAfterWrite());
    }
    return written;
}

uint32_t CBitItem::StoreValue(uint32_t v) {
    const uint32_t bits = Deposit(v, 0, GetMask(), GetWidth());
    if (shadow_ != nullptr) {
        shadow_->SetValue(bits | (shadow_->GetValue() & ~GetMask()));
    }
    return bits;
}

} // namespace vek
