#pragma once

#include "model/var_item.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace vek {

// A register: a value kept in one or more shadow registers, one per address part. The first part
// holds the most significant bits of the combined value. The item works on one part at a time:
// selecting a part copies its fields into the item's own address, size, value, mask, default,
// width and shadow-register fields; storing copies them back. A register of one part (nearly
// every register) keeps that part in those fields alone; the parts of a joint register are kept
// in an array of their own.
class CByteItem : public CVarItem {
public:
    // One address of the register.
    struct Part : ItemAddress {
        uint32_t value = 0;
        uint32_t mask = 0;
        uint32_t defaultValue = 0;
        int width = 0;
        CShadowReg* shadow = nullptr; // owned by its device
        bool shown = false;           // a read has given this part a value
    };

    // The combined widths of a register's parts cannot exceed the 32 bits of a value.
    static constexpr int kMaxTotalWidth = 32;

    CByteItem() : CVarItem(ItemKind::Register) {}

    // Adds a part and selects it. Refused (false, nothing added) when the widths would exceed 32
    // bits in total.
    bool AddPart(const Part& part);
    std::size_t GetPartCount() const { return partCount_; }
    Part GetPart(std::size_t index) const;
    void SelectPart(std::size_t index);
    void StorePart(std::size_t index);
    // Gives part index its shadow register (the binding step).
    void SetPartShadowReg(std::size_t index, CShadowReg* shadow);

    // The current part's.
    CShadowReg* GetShadowReg() const override { return shadow_; }
    uint32_t GetDefault() const { return default_; }
    void SetDefault(uint32_t value) { default_ = value; }
    int GetTotalWidth() const { return totalWidth_; }
    uint16_t GetTotalDataLength() const { return totalDataLength_; }

    // The parts' values joined, the first part most significant.
    uint32_t GetCombinedValue() const;
    // Spreads v over the parts and stores each part's bits in its shadow register.
    void SetCombinedValue(uint32_t v);

    void InsertIntoTree(TreeControl& tree, int parentNode, int afterNode, int iconBase) override;
    bool Read() override;

protected:
    uint32_t CurrentValue() const override { return GetCombinedValue(); }
    int ValueWidth() const override { return totalWidth_; }
    uint32_t StoreValue(uint32_t v) override;
    bool WriteValue(bool runMacros) override;
    bool RefreshFromShadow(const CShadowReg& shadow) override;
    bool IsJoint() const override { return partCount_ > 1; }

private:
    Part FieldsAsPart() const;
    void TakePart(const Part& part);

    CShadowReg* shadow_ = nullptr; // the current part's
    // The parts of a joint register; null while the item's own fields are its only part.
    std::unique_ptr<Part[]> parts_;
    uint32_t default_ = 0;
    uint32_t partCount_ = 0;
    uint32_t current_ = 0;
    uint16_t totalDataLength_ = 0;
    uint8_t totalWidth_ = 0;
};

} // namespace vek
