#pragma once

#include "model/line_item.h"
#include "model/macro.h"

#include <memory>
#include <string>
#include <vector>

namespace vek {

struct RegisterContext;

// A register macro of a description: assignments between registers, bit fields, variables
// and constants, and pauses, kept as steps in postfix order.
class CVekMacro : public CMacro {
public:
    struct Step {
        std::string kind; // "Operand" or "Operator"
        std::string text; // an operator's "=" or "sleep"; an operand's name or number
        CLineItem* item = nullptr;
    };

    // The macro owns the items that stand for the numbers of its statements.
    void SetSteps(std::vector<Step> steps, std::vector<std::unique_ptr<CLineItem>> constants);
    const std::vector<Step>& GetSteps() const { return steps_; }

    bool OnMacroBar() const { return onBar_; }
    void SetOnMacroBar(bool onBar) { onBar_ = onBar; }
    // The document's context, through whose host every step asks for a repaint.
    void SetContext(RegisterContext* context) { context_ = context; }

    void Run(int arg) override;

private:
    std::vector<Step> steps_;
    std::vector<std::unique_ptr<CLineItem>> constants_;
    bool onBar_ = false;
    RegisterContext* context_ = nullptr;
};

} // namespace vek
