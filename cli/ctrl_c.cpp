#include "cli/ctrl_c.h"

#include <atomic>

namespace vek {

namespace {

// The interrupt that Ctrl-C raises now; read by the signal handler, so an atomic without a lock.
std::atomic<basic::Interrupt*> gRaised{nullptr};
static_assert(std::atomic<basic::Interrupt*>::is_always_lock_free);

// Only async-signal-safe calls: atomic loads and stores, signal and raise.
extern "C" void OnCtrlC(int signal) {
    basic::Interrupt* interrupt = gRaised.load();
    if (interrupt == nullptr || interrupt->Raised()) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    interrupt->Raise();
}

} // namespace

CtrlCRaises::CtrlCRaises(basic::Interrupt& interrupt) : outer_(gRaised.exchange(&interrupt)) {
    struct sigaction action {};
    action.sa_handler = OnCtrlC;
    sigemptyset(&action.sa_mask);
    // Interrupted reads and writes of the terminal go on; the work ends at its next look.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &previous_);
}

CtrlCRaises::~CtrlCRaises() {
    sigaction(SIGINT, &previous_, nullptr);
    gRaised.store(outer_);
}

} // namespace vek
