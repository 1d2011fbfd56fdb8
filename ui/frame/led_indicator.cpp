#include "ui/frame/led_indicator.h"

namespace vek {

const QColor LedIndicator::kBright(10, 255, 10);
const QColor LedIndicator::kDark(10, 120, 10);
const QColor LedIndicator::kBlinkDim(120, 10, 10);
const QColor LedIndicator::kBlinkLit(255, 40, 0);

LedIndicator::LedIndicator(Clock clock) : clock_(std::move(clock)) {}

bool LedIndicator::SetState(LedState state) {
    if (state == LedState::Flash)
        deadline_ = clock_() + kFlashMilliseconds;
    else if (state == LedState::BlinkRed)
        deadline_ = clock_() + kBlinkMilliseconds;
    if (state == state_)
        return false;
    state_ = state;
    return true;
}

bool LedIndicator::BeforeDeadline(std::uint32_t now) const {
    // Unsigned difference read as signed, so a wrap of the tick count does no harm.
    return static_cast<std::int32_t>(deadline_ - now) > 0;
}

int LedIndicator::PendingWait() const {
    if (state_ != LedState::Flash && state_ != LedState::BlinkRed)
        return -1;
    const std::uint32_t now = clock_();
    return BeforeDeadline(now) ? static_cast<int>(deadline_ - now) : 0;
}

LedIndicator::IdleStep LedIndicator::Idle() {
    if (state_ != LedState::Flash && state_ != LedState::BlinkRed)
        return {};
    const std::uint32_t now = clock_();
    if (BeforeDeadline(now))
        return {false, static_cast<int>(deadline_ - now)};
    if (state_ == LedState::Flash) {
        state_ = LedState::SteadyDark;
        return {true, -1};
    }
    deadline_ = now + kBlinkMilliseconds;
    colour_ = colour_ == kBlinkDim ? kBlinkLit : kBlinkDim;
    return {true, kBlinkMilliseconds};
}

QColor LedIndicator::PaintColour() {
    switch (state_) {
    case LedState::SteadyBright:
    case LedState::Flash:
        colour_ = kBright;
        break;
    case LedState::SteadyDark:
        colour_ = kDark;
        break;
    case LedState::BlinkRed:
        break;
    }
    return colour_;
}

} // namespace vek
