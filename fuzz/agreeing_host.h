#pragma once

#include "platform/recording_host.h"

#include <string_view>

namespace vek {

// Answers every question positively: simulation for a driver that does not exist, and Yes to
// loading values saved for another description, so that every input reaches the registers.
class AgreeingHost : public RecordingHost {
public:
    Answer Ask(std::string_view text, QuestionKind kind) override {
        RecordingHost::Ask(text, kind);
        return kind == QuestionKind::OkCancel ? Answer::Ok : Answer::Yes;
    }
};

} // namespace vek
