// A host for the benchmarks that says nothing and answers every question with OK, so that what
// is measured is the work, not the messages.
#pragma once

#include "platform/host.h"

namespace vek::bench {

class QuietHost : public Host {
public:
    void Message(std::string_view, bool) override {}
    void ClearMessages() override {}
    void SetProgressRange(int) override {}
    void StepProgress() override {}
    void ResetProgress() override {}
    void SetLedState(LedState) override {}
    Answer Ask(std::string_view, QuestionKind kind) override {
        return kind == QuestionKind::OkCancel ? Answer::Ok : Answer::Yes;
    }
    void Beep() override {}
    void Repaint() override {}
};

} // namespace vek::bench
