#include "model/vek_macro.h"

#include "model/line_item.h"
#include "platform/clock.h"
#include "model/register_context.h"
#include "platform/host.h"

namespace vek {

void CVekMacro::SetSteps(std::vector<Step> steps,
                         std::vector<std::unique_ptr<CLineItem>> constants) {
    steps_ = std::move(steps);
    constants_ = std::move(constants);
}

void CVekMacro::Run(int) {
    CLineItem* first = nullptr;
    CLineItem* second = nullptr;
    for (const Step& step : steps_) {
        if (step.kind.find("Operand") != std::string::npos) {
            (first == nullptr ? first : second) = step.item;
            continue;
        }
        if (step.kind.find("Operator") == std::string::npos)
            continue;
        // An operand whose item was not found (the description named nothing of that device)
        // makes its statement do nothing rather than touch a missing item.
        if (step.text.find('=') != std::string::npos) {
            if (first != nullptr && second != nullptr)
                first->SetValue(second->GetValue());
        } else if (step.text.find("sleep") != std::string::npos) {
            if (first != nullptr)
                WaitMilliseconds(first->GetValue());
        }
        if (context_ != nullptr && context_->host != nullptr)
            context_->host->Repaint();
        first = nullptr;
    }
}

} // namespace vek
