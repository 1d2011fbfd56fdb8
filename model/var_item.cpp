#include "model/var_item.h"

#include "model/bits.h"
#include "model/shadow_reg.h"
#include "model/tree_control.h"
#include "model/value_text.h"

namespace vek {

CVarItem::CVarItem(ItemKind kind) : CSetItem(kind) {
    AddFlags(ItemFlag::CarriesValue);
}
CVarItem::~CVarItem() = default;

bool CVarItem::SetWidth(int width) {
    if (width < 0 || width > 32) {
        return false;
    }
    width_ = static_cast<uint8_t>(width);
    return true;
}

CVarItem::MacroBindings& CVarItem::Bindings() {
    if (!macros_)
        macros_ = std::make_unique<MacroBindings>();
    return *macros_;
}

void CVarItem::SetReadMacros(std::unique_ptr<MacroRef> before, std::unique_ptr<MacroRef> after) {
    Bindings().beforeRead = std::move(before);
    Bindings().afterRead = std::move(after);
}

void CVarItem::SetWriteMacros(std::unique_ptr<MacroRef> before, std::unique_ptr<MacroRef> after) {
    Bindings().beforeWrite = std::move(before);
    Bindings().afterWrite = std::move(after);
}

bool CVarItem::RunMacro(const MacroRef* ref) {
    return ref == nullptr || ref->Run();
}

void CVarItem::ReportError() const {
    // An error text comes from the current shadow register, which knows its document.
    const CShadowReg* shadow = GetShadowReg();
    const std::string text = GetErrorText();
    if (shadow != nullptr && !text.empty()) {
        shadow->ShowMessage(text);
    }
}

std::string CVarItem::ValueText() const {
    return FieldValueText(CurrentValue(), radix_, ValueWidth(), HasFlags(ItemFlag::Signed));
}

void CVarItem::InsertIntoTree(TreeControl& tree, int parentNode, int afterNode, int iconBase) {
    InsertRow(tree, parentNode, afterNode, DisplayName(), iconBase, item_icon::Variable);
    SetCell(TreeColumn::Data, ValueText());
}

void CVarItem::Update(CShadowReg* shadow, UpdateCodes code) {
    if (code.Has(UpdateCode::Hex)) {
        radix_ = 16;
    }
    if (code.Has(UpdateCode::Decimal)) {
        radix_ = 10;
    }
    if (code.Has(UpdateCode::Binary)) {
        radix_ = 2;
    }
    const bool switchOn = code.Has(UpdateCode::SwitchOn);
    MacroFlags macroFlags = GetMacroFlags();
    if (code.Has(UpdateCode::ReadMacros)) {
        macroFlags.Assign(MacroFlag::ReadMacros, switchOn);
    }
    if (code.Has(UpdateCode::WriteMacros)) {
        macroFlags.Assign(MacroFlag::WriteMacros, switchOn);
    }
    macroFlagBits_ = static_cast<uint16_t>(macroFlags.ToBits());
    if (code.Has(UpdateCode::ValueValid) && shadow != nullptr) {
        const bool changed = RefreshFromShadow(*shadow);
        // A change stays marked until the next read; writes and edits leave the mark alone.
        if (code.Has(UpdateCode::Read))
            changed ? AddFlags(ItemFlag::ChangedByRead) : RemoveFlags(ItemFlag::ChangedByRead);
    }
    if (code.Has(UpdateCode::FirstIcon)) {
        ShowIcon(0);
    } else if (code.Has(UpdateCode::SecondIcon)) {
        ShowIcon(1);
    } else {
        ShowValue();
    }
}

std::string CVarItem::GetErrorText() const {
    const CShadowReg* shadow = GetShadowReg();
    return shadow != nullptr ? shadow->GetLastError() : std::string();
}

void CVarItem::ShowValue() {
    // Formatting is skipped for items without a row (runs over many registers without a tree).
    if (GetTree() == nullptr) {
        return;
    }
    if (GetKind() == ItemKind::Variable || HasFlags(ItemFlag::ValueShown)) {
        SetCell(TreeColumn::Data, ValueText());
    }
}

bool CVarItem::Read() {
    const bool ran = !ReadMacrosOn() || RunMacro(GetAfterRead());
    ShowValue();
    return ran;
}

bool CVarItem::WriteValue(bool runMacros) {
    const bool ran = !runMacros || RunMacro(GetAfterWrite());
    ShowValue();
    return ran;
}

bool CVarItem::Write() {
    return WriteValue(WriteMacrosOn());
}

uint32_t CVarItem::StoreValue(uint32_t v) {
    value_ = v;
    return v;
}

uint32_t CVarItem::SetValue(uint32_t v) {
    const uint32_t stored = StoreValue(v);
    if (!WriteValue(false)) {
        ReportError();
    }
    return stored;
}

uint32_t CVarItem::GetValue() {
    if (GetKind() != ItemKind::Variable && GetAccessType() == AccessType::Status) {
        Read();
    }
    return CurrentValue();
}

bool CVarItem::Step(uint32_t to) {
    StoreValue(to & FieldMax(ValueWidth()));
    if (!Write()) {
        ReportError();
    }
    return true;
}

bool CVarItem::Increase(uint32_t n) {
    const uint32_t max = FieldMax(ValueWidth());
    const bool signedTop = GetKind() == ItemKind::Register && HasFlags(ItemFlag::Signed);
    if (CurrentValue() == (signedTop ? max >> 1 : max)) {
        return false;
    }
    return Step(CurrentValue() + n);
}

bool CVarItem::Decrease(uint32_t n) {
    const uint32_t max = FieldMax(ValueWidth());
    const uint32_t bottom = HasFlags(ItemFlag::Signed) ? max / 2 + 1 : 0;
    if (CurrentValue() == bottom) {
        return false;
    }
    return Step(CurrentValue() - n);
}

} // namespace vek
