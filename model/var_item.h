#pragma once

#include "model/macro_ref.h"
#include "model/set_item.h"

#include <cstdint>
#include <memory>

namespace vek {

// A variable: a value of up to 32 bits held in the item itself. Also the base of registers and
// bit fields, which keep their value in shadow registers.
class CVarItem : public CSetItem {
public:
    CVarItem() : CVarItem(ItemKind::Variable) {}
    ~CVarItem() override;

    MacroFlags GetMacroFlags() const { return MacroFlags::FromBits(macroFlagBits_); }
    // The field's value in its low width bits.
    uint32_t GetValueField() const { return value_; }
    void SetValueField(uint32_t value) { value_ = value; }
    uint32_t GetMask() const { return mask_; }
    void SetMask(uint32_t mask) { mask_ = mask; }
    int GetRadix() const { return radix_; }
    void SetRadix(int radix) { radix_ = static_cast<uint8_t>(radix); }
    int GetWidth() const { return width_; }
    bool SetWidth(int width); // refused outside 0 to 32

    // The macros run around reads and writes, attached in pairs.
    void SetReadMacros(std::unique_ptr<MacroRef> before, std::unique_ptr<MacroRef> after);
    void SetWriteMacros(std::unique_ptr<MacroRef> before, std::unique_ptr<MacroRef> after);
    MacroRef* GetBeforeRead() const { return macros_ ? macros_->beforeRead.get() : nullptr; }
    MacroRef* GetAfterRead() const { return macros_ ? macros_->afterRead.get() : nullptr; }
    MacroRef* GetBeforeWrite() const { return macros_ ? macros_->beforeWrite.get() : nullptr; }
    MacroRef* GetAfterWrite() const { return macros_ ? macros_->afterWrite.get() : nullptr; }

    // The shadow register the item's value is kept in (a register: its current part's); null for a
    // variable, which holds its value itself.
    virtual CShadowReg* GetShadowReg() const { return nullptr; }

    // The value as the data column shows it in the item's radix.
    std::string ValueText() const;
    // The value as the item shows it, and its width in bits (a register's: all its parts).
    uint32_t ShownValue() const { return CurrentValue(); }
    int ShownWidth() const { return ValueWidth(); }
    // Puts v into the item's bits of its shadow registers (a variable: into its own value)
    // without a transfer; Write then sends it.
    uint32_t DepositValue(uint32_t v) { return StoreValue(v); }

    void InsertIntoTree(TreeControl& tree, int parentNode, int afterNode, int iconBase) override;
    void Update(CShadowReg* shadow, UpdateCodes code) override;
    // The last error of the item's shadow register; a variable has none.
    std::string GetErrorText() const override;
    // Registers and bit fields show a value only once one is known.
    void ShowValue() override;
    bool Read() override;
    bool Write() override;
    bool Increase(uint32_t n) override;
    bool Decrease(uint32_t n) override;
    uint32_t SetValue(uint32_t v) override;
    uint32_t GetValue() override;

protected:
    explicit CVarItem(ItemKind kind);

    // The value the item stands for and its width (a register: the combined value of its parts).
    virtual uint32_t CurrentValue() const { return value_; }
    virtual int ValueWidth() const { return width_; }
    // Puts a new value in place (for registers and bit fields into their shadow registers);
    // returns what was stored.
    virtual uint32_t StoreValue(uint32_t v);
    // Writes the stored value, with or without the write macros.
    virtual bool WriteValue(bool runMacros);
    // Takes the value from a shadow register that reports a valid value.
    // Takes the value from the shadow register; true when it replaced another value shown.
    virtual bool RefreshFromShadow(const CShadowReg&) { return false; }

    bool ReadMacrosOn() const { return GetMacroFlags().Has(MacroFlag::ReadMacros); }
    bool WriteMacrosOn() const { return GetMacroFlags().Has(MacroFlag::WriteMacros); }
    // False when the macro refused to run (it was running already): the transfer fails.
    static bool RunMacro(const MacroRef* ref);
    // Sends a failed write's error text to the output window of the shadow register's document.
    void ReportError() const;

private:
    bool Step(uint32_t to);

    uint32_t value_ = 0;
    uint32_t mask_ = 0;
    uint16_t macroFlagBits_ = (MacroFlag::ReadMacros | MacroFlag::WriteMacros).ToBits();
    uint8_t radix_ = 16; // 2, 10 or 16
    uint8_t width_ = 0;
    // Kept apart, as few items of a large description name macros.
    struct MacroBindings {
        std::unique_ptr<MacroRef> beforeRead;
        std::unique_ptr<MacroRef> beforeWrite;
        std::unique_ptr<MacroRef> afterRead;
        std::unique_ptr<MacroRef> afterWrite;
    };
    MacroBindings& Bindings();

    std::unique_ptr<MacroBindings> macros_;
};

} // namespace vek
