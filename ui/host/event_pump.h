#pragma once

#include <QElapsedTimer>

namespace vek {

// Keeps the window alive during long work on the user-interface thread (a compile, a register
// macro's pauses): at most every 30 ms it lets Qt paint and run its timers. User input waits
// until the work ends, so nothing can start a second operation in the middle of the first.
class EventPump {
public:
    static constexpr int kIntervalMilliseconds = 30;

    EventPump();
    // Processes pending events when the interval has passed since the last time.
    void Pump();
    // 0 lets every Pump process events: a test sees the window kept alive however fast the
    // machine finishes the work.
    void SetInterval(int milliseconds) { interval_ = milliseconds; }
    // Processes pending events now.
    void PumpNow();
    int PumpCount() const { return pumps_; }

private:
    QElapsedTimer since_;
    int interval_ = kIntervalMilliseconds;
    bool pumping_ = false;
    int pumps_ = 0;
};

} // namespace vek
