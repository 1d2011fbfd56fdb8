#pragma once

#include "ui/commands/command_ids.h"

namespace vek {

// The toolbar's auto-repeat of Increase value and Decrease value: after the button has been held
// 500 ms the command repeats every 100 ms; with the right mouse button held as well, every 12 ms
// (every 50 ms when it was already down as the repetition began).
class AutoRepeat {
public:
    static constexpr int kDelay = 500;
    static constexpr int kInterval = 100;
    static constexpr int kFastInterval = 12;
    static constexpr int kFastStartInterval = 50;

    enum class State { Idle, Armed, Repeating };

    // What the timer is to do after an event.
    struct Step {
        bool send = false; // send the command now
        bool stop = false; // stop the timer
        int restart = 0;   // restart the timer with this interval (0: leave it as it runs)
    };

    Step Press(CommandId command);
    Step Release();
    Step Tick(bool rightButtonDown);

    State GetState() const { return state_; }
    CommandId Command() const { return command_; }
    bool Fast() const { return fast_; }

private:
    CommandId command_ = CommandId::IncreaseValue;
    State state_ = State::Idle;
    bool fast_ = false;
};

} // namespace vek
