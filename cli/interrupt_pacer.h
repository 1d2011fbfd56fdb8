#pragma once

#include "cli/ctrl_c.h"
#include "cli/register_watch.h"
#include "scripting/basic/interrupt.h"

namespace vek {

// The watch loop's pacer on the system: time stamps from the wall clock, and pauses that Ctrl-C
// (SIGINT) ends at once. Ctrl-C asks the loop to stop only while the pacer lives, and a second
// Ctrl-C, for a transfer that hangs, ends the program as usual.
class InterruptPacer : public WatchPacer {
public:
    InterruptPacer() = default;
    InterruptPacer(const InterruptPacer&) = delete;
    InterruptPacer& operator=(const InterruptPacer&) = delete;

    std::chrono::system_clock::time_point Now() override;
    bool Wait(std::chrono::milliseconds pause) override;
    bool StopRequested() override;

private:
    basic::Interrupt stop_;
    CtrlCRaises ctrlC_{stop_};
};

} // namespace vek
