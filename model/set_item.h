#pragma once

#include "model/device_item.h"
#include "model/register_codes.h"

namespace vek {

// The role of an item's hierarchy label.
enum class LabelRole : int { None = 0, BlockStart = 6, Recorded = 7 };

// A set (group) of registers; the base of everything that carries an access type.
class CSetItem : public CDeviceItem {
public:
    CSetItem() : CSetItem(ItemKind::Set) {}

    AccessType GetAccessType() const { return access_; }
    void SetAccessType(AccessType access) { access_ = access; }
    int GetLabel() const { return label_; }
    void SetLabel(int label) { label_ = label; }
    LabelRole GetLabelRole() const { return labelRole_; }
    void SetLabelRole(LabelRole role) { labelRole_ = role; }

    void InsertIntoTree(TreeControl& tree, int parentNode, int afterNode, int iconBase) override;
    // Shows the first icon for a nonzero code, the alternative for 0 (the row was collapsed or
    // expanded).
    void Update(CShadowReg* shadow, UpdateCodes code) override;

protected:
    explicit CSetItem(ItemKind kind) : CDeviceItem(kind) {}

private:
    AccessType access_ = AccessType::NotGiven;
    int label_ = 0;
    LabelRole labelRole_ = LabelRole::None;
};

} // namespace vek
