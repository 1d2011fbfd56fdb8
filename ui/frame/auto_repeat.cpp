#include "ui/frame/auto_repeat.h"

namespace vek {

AutoRepeat::Step AutoRepeat::Press(CommandId command) {
    command_ = command;
    state_ = State::Armed;
    return {false, false, kDelay};
}

AutoRepeat::Step AutoRepeat::Release() {
    state_ = State::Idle;
    return {false, true, 0};
}

AutoRepeat::Step AutoRepeat::Tick(bool rightButtonDown) {
    Step step;
    if (state_ == State::Idle) {
        step.stop = true;
        return step;
    }
    if (state_ == State::Armed) {
        fast_ = rightButtonDown;
        step.restart = rightButtonDown ? kFastStartInterval : kInterval;
        state_ = State::Repeating;
    }
    step.send = true;
    if (rightButtonDown && !fast_) {
        step.restart = kFastInterval;
        fast_ = true;
    } else if (!rightButtonDown && fast_) {
        step.restart = kInterval;
        fast_ = false;
    }
    return step;
}

} // namespace vek
