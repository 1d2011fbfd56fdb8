#include "model/vek_macro.h"

#include "model/register_context.h"
#include "model/var_item.h"
#include "platform/clock.h"
#include "platform/host.h"

#include <optional>

namespace vek {

namespace {

bool IsOperand(const MacroStep& step) {
    return std::holds_alternative<MacroItemOperand>(step) ||
           std::holds_alternative<MacroNumberOperand>(step);
}

// The value an operand stands for; none for a name the macro's device does not have.
std::optional<std::uint32_t> ValueOf(const MacroStep* operand) {
    if (operand == nullptr)
        return std::nullopt;
    if (const auto* number = std::get_if<MacroNumberOperand>(operand))
        return number->value;
    CVarItem* item = std::get<MacroItemOperand>(*operand).item;
    if (item == nullptr)
        return std::nullopt;
    return item->GetValue();
}

} // namespace

void CVekMacro::Run(int) {
    // Two operand slots: an operand fills the first when it is empty, else the second. After each
    // statement the first is emptied; the second keeps its operand.
    const MacroStep* first = nullptr;
    const MacroStep* second = nullptr;
    for (const MacroStep& step : steps_) {
        if (IsOperand(step)) {
            (first == nullptr ? first : second) = &step;
            continue;
        }
        // A statement naming something the macro's device does not have does nothing.
        if (std::holds_alternative<MacroAssignment>(step)) {
            const auto* target = first != nullptr ? std::get_if<MacroItemOperand>(first) : nullptr;
            if (target != nullptr && target->item != nullptr) {
                if (const auto value = ValueOf(second))
                    target->item->SetValue(*value);
            }
        } else if (const auto milliseconds = ValueOf(first)) {
            WaitMilliseconds(*milliseconds);
        }
        if (context_ != nullptr && context_->host != nullptr)
            context_->host->Repaint();
        first = nullptr;
    }
}

} // namespace vek
