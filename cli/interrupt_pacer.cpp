#include "cli/interrupt_pacer.h"

#include <poll.h>
#include <pthread.h>

namespace vek {

namespace {

sigset_t InterruptSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    return set;
}

} // namespace

std::chrono::system_clock::time_point InterruptPacer::Now() {
    return std::chrono::system_clock::now();
}

bool InterruptPacer::StopRequested() {
    return stop_.Raised();
}

bool InterruptPacer::Wait(std::chrono::milliseconds pause) {
    // SIGINT is held back between the test of the flag and the wait, and let through only while
    // ppoll waits, so that a Ctrl-C just before the wait cannot go unnoticed for a whole pause.
    const sigset_t interrupt = InterruptSet();
    sigset_t previous;
    pthread_sigmask(SIG_BLOCK, &interrupt, &previous);
    sigset_t during = previous;
    sigdelset(&during, SIGINT);
    const auto end = std::chrono::steady_clock::now() + pause;
    while (!stop_.Raised()) {
        const auto left = end - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero())
            break;
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(left);
        const timespec timeout{
            static_cast<time_t>(seconds.count()),
            static_cast<long>(
                std::chrono::duration_cast<std::chrono::nanoseconds>(left - seconds).count())};
        // Ends at the timeout or with a signal (EINTR); both are looked at above.
        ppoll(nullptr, 0, &timeout, &during);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return !stop_.Raised();
}

} // namespace vek
