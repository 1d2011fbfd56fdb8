#include "platform/console_host.h"

#include <iostream>
#include <string>
#include <unistd.h>

namespace vek {

namespace {

Answer Positive(QuestionKind kind) {
    return kind == QuestionKind::OkCancel ? Answer::Ok : Answer::Yes;
}

Answer Negative(QuestionKind kind) {
    return kind == QuestionKind::OkCancel ? Answer::Cancel : Answer::No;
}

} // namespace

ConsoleHost::ConsoleHost(std::ostream& lines, AnswerPolicy policy)
    : lines_(lines), policy_(policy) {}

void ConsoleHost::Message(std::string_view text, bool) {
    lines_ << text << '\n';
    lines_.flush();
}

Answer ConsoleHost::Ask(std::string_view text, QuestionKind kind) {
    switch (policy_) {
    case AnswerPolicy::Positive:
        return Positive(kind);
    case AnswerPolicy::Negative:
        return Negative(kind);
    case AnswerPolicy::AcceptSimulation:
        if (kind == QuestionKind::OkCancel)
            return Answer::Ok;
        break;
    case AnswerPolicy::AskTerminal:
        break;
    }
    const char* choices = kind == QuestionKind::OkCancel ? " [ok/cancel] " : " [yes/no] ";
    if (!isatty(STDIN_FILENO) || !isatty(STDERR_FILENO)) {
        // Nobody can answer: the question and the answer taken are shown, so that a run in a
        // script does not fail without a word.
        lines_ << "VEK: " << text << choices << (kind == QuestionKind::OkCancel ? "cancel" : "no")
               << " (no terminal to answer; --yes answers yes)\n";
        lines_.flush();
        return Negative(kind);
    }
    std::cerr << "VEK: " << text << choices << std::flush;
    std::string reply;
    if (!std::getline(std::cin, reply) || reply.empty())
        return Negative(kind);
    const char first = static_cast<char>(reply[0] | 0x20);
    return (first == 'o' || first == 'y') ? Positive(kind) : Negative(kind);
}

} // namespace vek
