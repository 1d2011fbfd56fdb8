#pragma once

#include <memory>
#include <utility>

namespace vek {

// Told by main that the process ends when the command returns; a test that runs commands in
// process never says so.
void SetProcessEndsAfterCommand(bool ends);
bool ProcessEndsAfterCommand();

// Keeps what `kept` points at, reachable, until the process ends.
void KeepUntilExit(std::shared_ptr<void> kept);

// Hands over what a command built and no longer needs. When the process ends after the command,
// it is left for the operating system to drop with the whole address space, instead of being
// freed piece by piece (for a large description, a good part of the run); otherwise it is
// destroyed here. Only for values whose destruction has no effect beyond freeing memory.
template <class T>
void LeaveToProcessExit(T&& value) {
    if (ProcessEndsAfterCommand())
        KeepUntilExit(std::make_shared<std::decay_t<T>>(std::forward<T>(value)));
}

} // namespace vek
