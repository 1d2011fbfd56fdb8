#pragma once

#include "model/macro.h"

#include <cstdint>
#include <variant>
#include <vector>

namespace vek {

class CVarItem;
struct RegisterContext;

// The steps of a register macro come in postfix order: for an assignment the target, the source,
// then the assignment; for a pause the time in milliseconds, then the pause.
struct MacroItemOperand {
    CVarItem* item = nullptr; // a register, bit field or variable; null when the macro's device
                              // has nothing of the name written
};
struct MacroNumberOperand {
    std::uint32_t value = 0;
};
struct MacroAssignment {};
struct MacroSleep {};
using MacroStep = std::variant<MacroItemOperand, MacroNumberOperand, MacroAssignment, MacroSleep>;

// A register macro of a description: assignments between registers, bit fields, variables and
// numbers, and pauses.
class CVekMacro : public CMacro {
public:
    void SetSteps(std::vector<MacroStep> steps) { steps_ = std::move(steps); }
    const std::vector<MacroStep>& GetSteps() const { return steps_; }

    bool OnMacroBar() const { return onBar_; }
    void SetOnMacroBar(bool onBar) { onBar_ = onBar; }
    // The document's context, through whose host every statement asks for a repaint.
    void SetContext(RegisterContext* context) { context_ = context; }

    // A macro that is already running is not started again (a STATUS register whose read macro
    // reads that register would otherwise recurse without end): the refusal is said in the output
    // window and counted as a failed transfer, and every run under way fails with it. Nor is one
    // started within kMaxMacroNesting others.
    bool Run(int arg) override;

private:
    void RunSteps();
    // Says why the macro does not run and counts a failed transfer; false.
    bool Refuse(const std::string& why);

    std::vector<MacroStep> steps_;
    bool onBar_ = false;
    bool running_ = false;
    RegisterContext* context_ = nullptr;
};

} // namespace vek
