#include "model/vek_macro.h"

#include "model/register_context.h"
#include "model/run_limits.h"
#include "model/var_item.h"
#include "platform/clock.h"
#include "platform/host.h"

#include <optional>
#include <string>

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

// The macros running on this thread, one within the other, and the starts refused so far: a run
// fails when a start was refused within it.
thread_local int nesting = 0;
thread_local unsigned refusals = 0;

} // namespace

bool CVekMacro::Refuse(const std::string& why) {
    ++refusals;
    if (context_ != nullptr) {
        ++context_->failedTransfers;
        if (context_->host != nullptr)
            context_->host->Message(
                "macro " + GetName() + ": " + why + ", the transfer that needs it fails", true);
    }
    return false;
}

bool CVekMacro::Run(int) {
    if (running_) {
        return Refuse("reached again while it runs; a macro does not run within itself");
    }
    if (nesting >= kMaxMacroNesting) {
        return Refuse("not run, " + std::to_string(kMaxMacroNesting) +
                      " macros are running one within the other");
    }
    const unsigned refusedBefore = refusals;
    ++nesting;
    running_ = true;
    RunSteps();
    running_ = false;
    --nesting;
    return refusals == refusedBefore;
}

void CVekMacro::RunSteps() {
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
