#pragma once

#include "platform/host.h"

#include <iosfwd>

namespace vek {

// How a console answers the questions the logic asks.
enum class AnswerPolicy {
    Positive,    // OK or Yes, without asking
    Negative,    // Cancel or No, without asking
    AskTerminal, // ask on the terminal; without a terminal the answer is negative
};

// The answer to the question asked when a driver cannot be used: switch to simulation mode?
// It is never taken from the answer policy, so that answering every question Yes cannot make a
// run go on with values that no device gave.
enum class SimulationAnswer {
    Refuse, // Cancel, said on the message lines unless the policy is Negative
    Accept, // OK
};

// The host of the command-line tool: message lines go to a stream, one per line; the progress
// indicator, the LED, beeps and repaints have no console counterpart and are dropped.
class ConsoleHost : public Host {
public:
    ConsoleHost(std::ostream& lines, AnswerPolicy policy,
                SimulationAnswer simulation = SimulationAnswer::Refuse);

    void Message(std::string_view text, bool show) override;
    void ClearMessages() override {}
    void SetProgressRange(int) override {}
    void StepProgress() override {}
    void ResetProgress() override {}
    void SetLedState(LedState) override {}
    Answer Ask(std::string_view text, QuestionKind kind) override;
    // Asked on the terminal when one can answer (an empty line takes the default, end of input
    // cancels); otherwise, and with the Positive and Negative policies, the default is taken.
    std::optional<std::string> AskText(std::string_view prompt, std::string_view title,
                                       std::string_view defaultText) override;
    void Beep() override {}
    void Repaint() override {}

private:
    std::ostream& lines_;
    AnswerPolicy policy_;
    SimulationAnswer simulation_;
};

} // namespace vek
