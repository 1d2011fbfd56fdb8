#pragma once

#include "model/var_item.h"

namespace vek {

class CByteItem;

// A bit field of a register: the bits of its mask in one shadow register. It runs the macros of
// its register, as its register's macro flags allow.
class CBitItem : public CVarItem {
public:
    CBitItem() : CVarItem(ItemKind::BitField) {}

    CShadowReg* GetShadowReg() const override { return shadow_; }
    void SetShadowReg(CShadowReg* shadow) { shadow_ = shadow; }
    CByteItem* GetRegister() const { return register_; }
    void SetRegister(CByteItem* reg) { register_ = reg; }

    void InsertIntoTree(TreeControl& tree, int parentNode, int afterNode, int iconBase) override;
    bool Read() override;
    bool Write() override;

protected:
    uint32_t StoreValue(uint32_t v) override;
    bool WriteValue(bool runMacros) override;
    bool RefreshFromShadow(const CShadowReg& shadow) override;

private:
    bool RegisterMacrosOn(MacroFlag flag) const;

    CShadowReg* shadow_ = nullptr; // owned by its device
    CByteItem* register_ = nullptr;
};

} // namespace vek
