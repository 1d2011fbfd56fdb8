#pragma once

#include "scripting/basic/interrupt.h"

#include <csignal>

namespace vek {

// Ctrl-C (SIGINT) while an object of this class lives: the first one raises `interrupt`, which
// the work in progress (a script, a watch loop) looks at to end cleanly; a second one, for work
// that does not get to end, ends vek at once as Ctrl-C normally does. The handler that was there
// before comes back afterwards.
class CtrlCRaises {
public:
    explicit CtrlCRaises(basic::Interrupt& interrupt);
    ~CtrlCRaises();
    CtrlCRaises(const CtrlCRaises&) = delete;
    CtrlCRaises& operator=(const CtrlCRaises&) = delete;

private:
    basic::Interrupt* outer_;
    struct sigaction previous_ {};
};

} // namespace vek
