#include "cli/script_interrupt.h"

#include <atomic>

namespace vek {

namespace {

// The interrupt of the script that runs; read by the signal handler, so an atomic that needs no
// lock.
std::atomic<basic::Interrupt*> gRunning{nullptr};
static_assert(std::atomic<basic::Interrupt*>::is_always_lock_free);

// Only async-signal-safe calls: atomic loads and stores, signal and raise.
extern "C" void OnCtrlC(int) {
    basic::Interrupt* interrupt = gRunning.load();
    if (interrupt == nullptr || interrupt->Raised()) {
        std::signal(SIGINT, SIG_DFL);
        std::raise(SIGINT);
        return;
    }
    interrupt->Raise();
}

} // namespace

CtrlCInterruptsScript::CtrlCInterruptsScript(basic::Interrupt& interrupt) {
    gRunning.store(&interrupt);
    struct sigaction action {};
    action.sa_handler = OnCtrlC;
    sigemptyset(&action.sa_mask);
    // Interrupted reads and writes of the terminal go on; the script ends at its next statement.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &previous_);
}

CtrlCInterruptsScript::~CtrlCInterruptsScript() {
    sigaction(SIGINT, &previous_, nullptr);
    gRunning.store(nullptr);
}

} // namespace vek
