#include "platform/recording_host.h"

namespace vek {

void RecordingHost::Message(std::string_view text, bool show) {
    lines.push_back({std::string(text), show});
}

void RecordingHost::ClearMessages() {
    lines.clear();
    ++clears;
}

void RecordingHost::SetProgressRange(int count) {
    progressRange = count;
}

void RecordingHost::StepProgress() {
    ++progressSteps;
}

void RecordingHost::ResetProgress() {
    ++progressResets;
}

void RecordingHost::SetLedState(LedState state) {
    ledStates.push_back(state);
}

Answer RecordingHost::Ask(std::string_view text, QuestionKind kind) {
    questions.push_back({std::string(text), kind});
    if (!answers_.empty()) {
        Answer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return kind == QuestionKind::OkCancel ? Answer::Cancel : Answer::No;
}

std::optional<std::string> RecordingHost::AskText(std::string_view prompt, std::string_view title,
                                                  std::string_view defaultText) {
    textQuestions.push_back(std::string(title) + ": " + std::string(prompt) + " [" +
                            std::string(defaultText) + "]");
    if (texts_.empty())
        return std::string(defaultText);
    std::optional<std::string> text = std::move(texts_.front());
    texts_.pop_front();
    return text;
}

void RecordingHost::Beep() {
    ++beeps;
}

void RecordingHost::Repaint() {
    ++repaints;
}

std::vector<std::string> RecordingHost::Texts() const {
    std::vector<std::string> texts;
    texts.reserve(lines.size());
    for (const Line& line : lines)
        texts.push_back(line.text);
    return texts;
}

} // namespace vek
