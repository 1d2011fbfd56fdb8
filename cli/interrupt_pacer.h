#pragma once

#include "cli/register_watch.h"

#include <csignal>

namespace vek {

// The watch loop's pacer on the system: time stamps from the wall clock, and pauses that Ctrl-C
// (SIGINT) ends at once. Its SIGINT handler is in place only while the pacer lives; it asks the
// loop to stop, and a second Ctrl-C, for a transfer that hangs, ends the program as usual.
class InterruptPacer : public WatchPacer {
public:
    InterruptPacer();
    ~InterruptPacer() override;
    InterruptPacer(const InterruptPacer&) = delete;
    InterruptPacer& operator=(const InterruptPacer&) = delete;

    std::chrono::system_clock::time_point Now() override;
    bool Wait(std::chrono::milliseconds pause) override;
    bool StopRequested() override;

private:
    struct sigaction previous_ {};
};

} // namespace vek
