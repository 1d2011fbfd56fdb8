#pragma once

#include <atomic>
#include <chrono>

namespace vek::basic {

// A request from outside to end a running script: raised by a signal handler (Ctrl-C), by another
// thread or by a deadline. The machine looks at it between statements, at the end of each slice
// of statements and while a Wait sleeps, and ends the script there, never inside a statement.
// Once raised it stays raised until Clear, so a script started after it ends at once as well.
class Interrupt {
public:
    enum class Reason { None, Raised, Deadline };

    // Safe in a signal handler: a store to a lock-free atomic, nothing else.
    void Raise() noexcept { raised_.store(true, std::memory_order_relaxed); }
    bool Raised() const noexcept { return raised_.load(std::memory_order_relaxed); }
    void Clear() noexcept { raised_.store(false, std::memory_order_relaxed); }

    // Scripts that run past `deadline` end as if the interrupt had been raised then.
    void SetDeadline(std::chrono::steady_clock::time_point deadline) { deadline_ = deadline; }
    void ClearDeadline() { deadline_ = std::chrono::steady_clock::time_point::max(); }

    // Why a script must end now; reads the clock only while a deadline is set.
    Reason Check() const {
        if (Raised()) {
            return Reason::Raised;
        }
        if (deadline_ != std::chrono::steady_clock::time_point::max() &&
            std::chrono::steady_clock::now() >= deadline_) {
            return Reason::Deadline;
        }
        return Reason::None;
    }

private:
    static_assert(std::atomic<bool>::is_always_lock_free);
    std::atomic<bool> raised_{false};
    std::chrono::steady_clock::time_point deadline_ = std::chrono::steady_clock::time_point::max();
};

} // namespace vek::basic
