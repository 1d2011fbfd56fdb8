#include "platform/console_host.h"

#include "platform/string_table.h"

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

// The question goes to standard error and the answer comes from standard input.
bool TerminalCanAnswer() {
    return isatty(STDIN_FILENO) && isatty(STDERR_FILENO);
}

} // namespace

ConsoleHost::ConsoleHost(std::ostream& lines, AnswerPolicy policy, SimulationAnswer simulation)
    : lines_(lines), policy_(policy), simulation_(simulation) {}

void ConsoleHost::Message(std::string_view text, bool) {
    lines_ << text << '\n';
    lines_.flush();
}

Answer ConsoleHost::Ask(std::string_view text, QuestionKind kind) {
    if (text == LoadString(StringId::DrvD00)) {
        if (simulation_ == SimulationAnswer::Accept)
            return Answer::Ok;
        if (policy_ != AnswerPolicy::Negative) {
            lines_ << "VEK: " << text
                   << " [ok/cancel] cancel (--simulate or --allow-simulation accepts it)\n";
            lines_.flush();
        }
        return Answer::Cancel;
    }
    switch (policy_) {
    case AnswerPolicy::Positive:
        return Positive(kind);
    case AnswerPolicy::Negative:
        return Negative(kind);
    case AnswerPolicy::AskTerminal:
        break;
    }
    const char* choices = kind == QuestionKind::OkCancel ? " [ok/cancel] " : " [yes/no] ";
    if (!TerminalCanAnswer()) {
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

std::optional<std::string> ConsoleHost::AskText(std::string_view prompt, std::string_view title,
                                                std::string_view defaultText) {
    if (policy_ == AnswerPolicy::Positive || policy_ == AnswerPolicy::Negative)
        return std::string(defaultText);
    std::string question = "VEK: ";
    if (!title.empty())
        question.append(title).append(": ");
    question.append(prompt).append(" [").append(defaultText).append("] ");
    if (!TerminalCanAnswer()) {
        // As with the questions above: the run says what it assumed.
        lines_ << question << defaultText << " (no terminal to answer; the default is taken)\n";
        lines_.flush();
        return std::string(defaultText);
    }
    std::cerr << question << std::flush;
    std::string reply;
    if (!std::getline(std::cin, reply))
        return std::nullopt;
    if (!reply.empty() && reply.back() == '\r')
        reply.pop_back();
    return reply.empty() ? std::string(defaultText) : reply;
}

} // namespace vek
