#pragma once

#include "platform/host.h"

#include <QColor>

#include <cstdint>
#include <functional>

namespace vek {

// The status bar's activity LED as a state machine over a millisecond clock. A flash only
// stores its deadline, so a burst of transfers costs one clock reading each and the LED stays
// bright until 50 ms after the last one; blinking red toggles every 500 ms.
class LedIndicator {
public:
    using Clock = std::function<std::uint32_t()>;

    static constexpr int kFlashMilliseconds = 50;
    static constexpr int kBlinkMilliseconds = 500;
    static const QColor kBright;   // states 0 and 2
    static const QColor kDark;     // state 1
    static const QColor kBlinkDim; // state 3, first colour
    static const QColor kBlinkLit; // state 3, second colour

    explicit LedIndicator(Clock clock);

    // True when the state changed, so the LED is to be painted at once.
    bool SetState(LedState state);
    LedState State() const { return state_; }

    struct IdleStep {
        bool repaint = false;
        int waitMilliseconds = -1; // when the next step is due; -1: no step is pending
    };
    // One step of the idle handling: falls back from a flash, or toggles the blink colour, once
    // the deadline has passed.
    IdleStep Idle();
    // Milliseconds until the pending deadline (0 when passed); -1 in a steady state.
    int PendingWait() const;

    // The colour to paint now. States 0 to 2 remember theirs as the LED colour, which state 3
    // starts from and toggles.
    QColor PaintColour();
    QColor Colour() const { return colour_; }

private:
    bool BeforeDeadline(std::uint32_t now) const;

    Clock clock_;
    LedState state_ = LedState::SteadyDark;
    QColor colour_ = QColor(0, 0, 0);
    std::uint32_t deadline_ = 0;
};

} // namespace vek
