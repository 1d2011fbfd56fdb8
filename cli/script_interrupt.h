#pragma once

#include "scripting/basic/interrupt.h"

#include <csignal>

namespace vek {

// Ctrl-C while a script runs: the first one raises the script engine's interrupt, so the script
// ends between two statements (also inside a Wait) and vek closes the drivers and says where it
// stopped; a second one ends vek at once, as Ctrl-C normally does. In force while it lives, for
// the time of one script; the handler that was there before comes back afterwards.
class CtrlCInterruptsScript {
public:
    explicit CtrlCInterruptsScript(basic::Interrupt& interrupt);
    ~CtrlCInterruptsScript();
    CtrlCInterruptsScript(const CtrlCInterruptsScript&) = delete;
    CtrlCInterruptsScript& operator=(const CtrlCInterruptsScript&) = delete;

private:
    struct sigaction previous_ {};
};

} // namespace vek
