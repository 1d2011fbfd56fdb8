#pragma once

#include "platform/host.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace vek {

// A host that keeps everything it is told, for tests. Questions are answered from a queue of
// prepared answers; when the queue is empty the negative answer (Cancel or No) is given.
class RecordingHost : public Host {
public:
    struct Line {
        std::string text;
        bool show = false;
    };
    struct AskedQuestion {
        std::string text;
        QuestionKind kind;
    };

    void Message(std::string_view text, bool show) override;
    void ClearMessages() override;
    void SetProgressRange(int count) override;
    void StepProgress() override;
    void ResetProgress() override;
    void SetLedState(LedState state) override;
    Answer Ask(std::string_view text, QuestionKind kind) override;
    // Answered from a queue of prepared texts (nullopt: Cancel); when it is empty the default.
    std::optional<std::string> AskText(std::string_view prompt, std::string_view title,
                                       std::string_view defaultText) override;
    void Beep() override;
    void Repaint() override;

    void QueueAnswer(Answer answer) { answers_.push_back(answer); }
    void QueueText(std::optional<std::string> text) { texts_.push_back(std::move(text)); }
    // The texts of all lines, without the show flags.
    std::vector<std::string> Texts() const;

    std::vector<Line> lines;
    std::vector<AskedQuestion> questions;
    std::vector<std::string> textQuestions; // "title: prompt [default]"
    std::vector<LedState> ledStates;
    int progressRange = 0;
    int progressSteps = 0;
    int progressResets = 0;
    int clears = 0;
    int beeps = 0;
    int repaints = 0;

private:
    std::deque<Answer> answers_;
    std::deque<std::optional<std::string>> texts_;
};

} // namespace vek
