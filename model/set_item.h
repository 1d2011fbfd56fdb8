#pragma once

#include "model/device_item.h"
#include "model/register_codes.h"

#include <cstdint>

namespace vek {

// The role of an item's hierarchy label.
enum class LabelRole : int { None = 0, BlockStart = 6, Recorded = 7 };

// A set (group) of registers; the base of everything that carries an access type.
class CSetItem : public CDeviceItem {
public:
    CSetItem() : CSetItem(ItemKind::Set) {}

    // Whether an item of the kind is a set or one of the kinds built on it.
    static constexpr bool IsSetKind(ItemKind kind) {
        return kind == ItemKind::Set || kind == ItemKind::Register || kind == ItemKind::Variable ||
               kind == ItemKind::BitField;
    }

    AccessType GetAccessType() const { return static_cast<AccessType>(access_); }
    void SetAccessType(AccessType access) { access_ = static_cast<uint8_t>(access); }
    // The hierarchy label, 1 to 9 (0: none); refused outside 0 to 127.
    int GetLabel() const { return label_; }
    bool SetLabel(int label) {
        if (label < 0 || label > INT8_MAX)
            return false;
        label_ = static_cast<int8_t>(label);
        return true;
    }
    LabelRole GetLabelRole() const { return static_cast<LabelRole>(labelRole_); }
    void SetLabelRole(LabelRole role) { labelRole_ = static_cast<uint8_t>(role); }

    void InsertIntoTree(TreeControl& tree, int parentNode, int afterNode, int iconBase) override;
    // Shows the first icon for a nonzero code, the alternative for 0 (the row was collapsed or
    // expanded).
    void Update(CShadowReg* shadow, UpdateCodes code) override;

protected:
    explicit CSetItem(ItemKind kind) : CDeviceItem(kind) {}

private:
    int8_t label_ = 0;
    uint8_t access_ = static_cast<uint8_t>(AccessType::NotGiven);
    uint8_t labelRole_ = static_cast<uint8_t>(LabelRole::None);
};

} // namespace vek
