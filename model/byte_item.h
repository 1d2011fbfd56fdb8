#pragma once

#include "model/var_item.h"

#include <array>
#include <cstddef>
#include <memory_resource>
#include <string>
#include <vector>

namespace vek {

// A register: a value kept in one or more shadow registers, one per address part. The first part
// holds the most significant bits of the combined value. The item works on one part at a time:
// selecting a part copies its fields into the item's own address, size, value, mask, default,
// width and shadow-register fields; storing copies them back.
class CByteItem : public CVarItem {
public:
    // One address of the register.
    struct Part {
        std::array<uint8_t, 8> address{};
        uint16_t addressLength = 0;
        std::string addressText;
        uint16_t addressDisplayWidth = 0;
        uint16_t dataLength = 0;
        uint16_t memorySize = 0;
        std::string byteOrder;
        uint32_t value = 0;
        uint32_t mask = 0;
        uint32_t defaultValue = 0;
        int width = 0;
        CShadowReg* shadow = nullptr; // owned by its device
    };

    // The combined widths of a register's parts cannot exceed the 32 bits of a value.
    static constexpr int kMaxTotalWidth = 32;

    CByteItem() : CVarItem(ItemKind::Register) {}
    // Its parts held in `memory` (the item list's arena).
    explicit CByteItem(std::pmr::memory_resource* memory)
        : CVarItem(ItemKind::Register), parts_(memory) {}

    // Adds the item's current fields as a new part and selects it. Refused (false, nothing
    // added) when the widths would exceed 32 bits in total.
    bool AddPart();
    std::size_t GetPartCount() const { return parts_.size(); }
    const Part& GetPart(std::size_t index) const { return parts_[index]; }
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
    void RefreshFromShadow(const CShadowReg& shadow) override;
    bool IsJoint() const override { return parts_.size() > 1; }

private:
    Part FieldsAsPart() const;
    void TakePart(const Part& part);

    CShadowReg* shadow_ = nullptr; // the current part's
    uint32_t default_ = 0;
    std::pmr::vector<Part> parts_;
    std::size_t current_ = 0;
    uint16_t totalDataLength_ = 0;
    int totalWidth_ = 0;
};

} // namespace vek
