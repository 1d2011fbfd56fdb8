// The builder's macros: register macro steps, script macros, and the link step.
#include "compiler/builder.h"
#include "compiler/diagnostics.h"
#include "platform/text_helpers.h"

#include "model/basic_macro.h"
#include "model/macro_ref.h"
#include "model/var_item.h"

#include <unordered_map>

namespace vek {

const std::unordered_map<std::string, CVarItem*>& CBuilder::DeviceItems(const std::string& device) {
    // Indexed when a statement first names the device, again when the list has grown since.
    DeviceIndex& index = deviceItems_[device];
    if (index.indexedItems == items_->Size())
        return index.items;
    index.items.clear();
    bool inDevice = false;
    for (CLineItem& item : *items_) {
        switch (item.GetKind()) {
        case ItemKind::Line:
            inDevice = false;
            break;
        case ItemKind::Device:
            inDevice = LowerCase(item.GetName()) == device;
            break;
        case ItemKind::Register:
        case ItemKind::Variable:
        case ItemKind::BitField:
            if (inDevice)
                index.items.emplace(LowerCase(item.GetName()), &static_cast<CVarItem&>(item));
            break;
        default:
            break;
        }
    }
    index.indexedItems = items_->Size();
    return index.items;
}

CVarItem* CBuilder::FindItemInDevice(std::string_view device, std::string_view name) {
    const auto& items = DeviceItems(LowerCase(device));
    const auto item = items.find(LowerCase(name));
    return item == items.end() ? nullptr : item->second;
}

void CBuilder::AddItemOperand(std::string_view name) {
    steps_.push_back(MacroItemOperand{FindItemInDevice(macroTarget_, name)});
}

void CBuilder::AddNumberOperand(std::string_view text) {
    steps_.push_back(MacroNumberOperand{ConstantValue(text)});
}

void CBuilder::AddAssignment() {
    steps_.push_back(MacroAssignment{});
}

void CBuilder::AddSleep() {
    steps_.push_back(MacroSleep{});
}

void CBuilder::CreateMacro() {
    auto macro = std::make_unique<CVekMacro>();
    macro->SetName(TakeName(propMacroName));
    macro->SetOnMacroBar(pending_.Take(propOnMacroBar) != nullptr);
    macro->SetSteps(std::move(steps_));
    steps_.clear();
    macros_.push_back(std::move(macro));
    pending_.TakeAll();
}

void CBuilder::CreateScriptMacro(const std::string& descriptionPath) {
    auto macro = std::make_unique<CBasicMacro>();
    macro->SetOnMacroBar(pending_.Take(propOnMacroBar) != nullptr);
    macro->SetLoadIntoEditor(pending_.Take(propLoadScript) != nullptr);
    macro->SetName(TakeName(propScriptName));
    macro->SetDescriptionPath(descriptionPath);
    macro->SetFile(TakeText(propScriptFile), reporter_ != nullptr ? reporter_->Output() : nullptr);
    scriptMacros_.push_back(std::move(macro));
    pending_.TakeAll();
}

void CBuilder::Link() {
    std::unordered_map<std::string, CVekMacro*> byName;
    for (const auto& macro : macros_)
        byName.emplace(macro->GetName(), macro.get());
    auto link = [&](MacroRef* ref) {
        if (ref == nullptr)
            return;
        const auto found = byName.find(ref->GetName());
        // A reference never has arguments, so B26 cannot occur: register macros take none.
        if (found == byName.end())
            Report(StringId::ErrB27, ref->GetName());
        else
            ref->Bind(found->second);
    };
    for (CLineItem& item : *items_) {
        if (item.GetKind() != ItemKind::Register && item.GetKind() != ItemKind::Variable)
            continue;
        auto& variable = static_cast<CVarItem&>(item);
        link(variable.GetBeforeRead());
        link(variable.GetAfterRead());
        link(variable.GetBeforeWrite());
        link(variable.GetAfterWrite());
    }
}

std::vector<std::unique_ptr<CVekMacro>> CBuilder::TakeMacros() {
    return std::move(macros_);
}

std::vector<std::unique_ptr<CBasicMacro>> CBuilder::TakeScriptMacros() {
    return std::move(scriptMacros_);
}

} // namespace vek
