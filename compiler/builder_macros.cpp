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
    index.indexedItems = items_->Size();
    // A device's items follow it in the list up to the next device or driver line.
    const auto start = devicePositions_.find(device);
    if (start == devicePositions_.end())
        return index.items;
    for (auto it = std::next(start->second); it != items_->end(); ++it) {
        const ItemKind kind = it->GetKind();
        if (kind == ItemKind::Line || kind == ItemKind::Device)
            break;
        if (kind == ItemKind::Register || kind == ItemKind::Variable || kind == ItemKind::BitField)
            index.items.emplace(LowerCase(it->GetName()), &static_cast<CVarItem&>(*it));
    }
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
    macro->SetName(std::string(TakeName(propMacroName)));
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
    macro->SetName(std::string(TakeName(propScriptName)));
    macro->SetDescriptionPath(descriptionPath);
    macro->SetFile(TakeText(propScriptFile), reporter_ != nullptr ? reporter_->Output() : nullptr);
    scriptMacros_.push_back(std::move(macro));
    pending_.TakeAll();
}

void CBuilder::Link() {
    // Without a binding there is nothing to resolve, and large descriptions often have none.
    if (!macrosBound_)
        return;
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
