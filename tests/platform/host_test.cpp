#include "platform/console_host.h"
#include "platform/recording_host.h"
#include "platform/string_table.h"

#include <gtest/gtest.h>
#include <sstream>

namespace vek {
namespace {

TEST(RecordingHost, AnswersFromItsQueueThenNegatively) {
    RecordingHost host;
    host.QueueAnswer(Answer::Ok);
    EXPECT_EQ(host.Ask("first", QuestionKind::OkCancel), Answer::Ok);
    EXPECT_EQ(host.Ask("second", QuestionKind::OkCancel), Answer::Cancel);
    EXPECT_EQ(host.Ask("third", QuestionKind::YesNo), Answer::No);
    ASSERT_EQ(host.questions.size(), 3u);
    EXPECT_EQ(host.questions[1].text, "second");
}

TEST(RecordingHost, ClearingDropsTheLinesAndIsCounted) {
    RecordingHost host;
    host.Message("a", false);
    host.Message("b", true);
    EXPECT_TRUE(host.lines[1].show);
    host.ClearMessages();
    EXPECT_TRUE(host.lines.empty());
    EXPECT_EQ(host.clears, 1);
}

TEST(ConsoleHost, WritesOneLinePerMessageAndAnswersByPolicy) {
    std::ostringstream out;
    ConsoleHost yes(out, AnswerPolicy::Positive);
    yes.Message("Parsing...", false);
    yes.Message("demo.vek - 0 error(s)", true);
    EXPECT_EQ(out.str(), "Parsing...\ndemo.vek - 0 error(s)\n");
    EXPECT_EQ(yes.Ask("?", QuestionKind::OkCancel), Answer::Ok);
    EXPECT_EQ(yes.Ask("?", QuestionKind::YesNo), Answer::Yes);
    ConsoleHost no(out, AnswerPolicy::Negative);
    EXPECT_EQ(no.Ask("?", QuestionKind::OkCancel), Answer::Cancel);
    // Tests run without a terminal, so the other questions are answered No and Cancel.
    ConsoleHost simulation(out, AnswerPolicy::AskTerminal, SimulationAnswer::Accept);
    EXPECT_EQ(simulation.Ask(LoadString(StringId::DrvD00), QuestionKind::OkCancel), Answer::Ok);
    EXPECT_EQ(simulation.Ask("?", QuestionKind::OkCancel), Answer::Cancel);
    EXPECT_EQ(simulation.Ask("?", QuestionKind::YesNo), Answer::No);
}

TEST(ConsoleHost, AnsweringEveryQuestionYesDoesNotAcceptSimulation) {
    std::ostringstream out;
    ConsoleHost yes(out, AnswerPolicy::Positive);
    EXPECT_EQ(yes.Ask(LoadString(StringId::DrvD00), QuestionKind::OkCancel), Answer::Cancel);
    EXPECT_NE(out.str().find("cancel (--simulate or --allow-simulation"), std::string::npos);
    std::ostringstream quiet;
    ConsoleHost no(quiet, AnswerPolicy::Negative);
    EXPECT_EQ(no.Ask(LoadString(StringId::DrvD00), QuestionKind::OkCancel), Answer::Cancel);
    EXPECT_EQ(quiet.str(), "");
}

TEST(ConsoleHost, AnswersATextQuestionWithTheDefaultWhenNobodyCanType) {
    // Tests run without a terminal: the question and the default taken are shown.
    std::ostringstream out;
    ConsoleHost ask(out, AnswerPolicy::AskTerminal);
    EXPECT_EQ(ask.AskText("Gain?", "Tuner", "3"), std::optional<std::string>("3"));
    EXPECT_EQ(out.str(), "VEK: Tuner: Gain? [3] 3 (no terminal to answer; the default is taken)\n");
    std::ostringstream quiet;
    ConsoleHost yes(quiet, AnswerPolicy::Positive);
    EXPECT_EQ(yes.AskText("Name?", "", ""), std::optional<std::string>(""));
    EXPECT_EQ(quiet.str(), "") << "--yes answers without a word";
}

TEST(RecordingHost, AnswersTextQuestionsFromItsQueueThenWithTheDefault) {
    RecordingHost host;
    host.QueueText("42");
    host.QueueText(std::nullopt);
    EXPECT_EQ(host.AskText("Count?", "Setup", "1"), std::optional<std::string>("42"));
    EXPECT_EQ(host.AskText("Count?", "Setup", "1"), std::nullopt);
    EXPECT_EQ(host.AskText("Count?", "Setup", "1"), std::optional<std::string>("1"));
    EXPECT_EQ(host.textQuestions.front(), "Setup: Count? [1]");
}

} // namespace
} // namespace vek
