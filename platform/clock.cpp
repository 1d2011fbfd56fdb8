#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace vek {

std::uint32_t TickCount() {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void WaitMilliseconds(std::uint32_t milliseconds) {
    if (milliseconds == 0)
        return;
    // Sleeping until the end keeps the pause exact without burning a core.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    std::this_thread::sleep_until(until);
}

} // namespace vek
