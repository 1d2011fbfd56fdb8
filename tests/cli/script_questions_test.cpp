// The questions a script asks on the command line: InputBox on the terminal of a real vek, and
// its default when nobody can answer.
#include "board_fixture.h"
#include "terminal.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vek {
namespace {

using ::testing::HasSubstr;

class ScriptQuestions : public BoardTest {
protected:
    std::string Script(const std::string& body) const {
        return Write("script.bas", "Sub Main()\n" + body + "End Sub\n");
    }
};

TEST_F(ScriptQuestions, InputBoxTakesTheDefaultWithoutATerminalAndSaysSo) {
    const VekRun run = Vek(
        {"open", board_, "script", Script("    Print InputBox(\"Gain?\", \"Tuner\", 3) + 1\n")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, " 4 \n");
    EXPECT_THAT(run.err,
                HasSubstr("VEK: Tuner: Gain? [3] 3 (no terminal to answer; the default is taken)"));
}

TEST_F(ScriptQuestions, InputBoxAsksOnTheTerminalWhereEnterTakesTheDefault) {
    Terminal vek({"open", board_, "script",
                  Script("    Print \"gain \" & InputBox(\"Gain?\", , \"3\")\n"
                         "    Print \"name \" & InputBox(\"Name?\", \"Board\", \"A1\")\n")});
    ASSERT_TRUE(vek.Started());
    ASSERT_TRUE(vek.WaitFor("VEK: Gain? [3] ")) << vek.Output();
    vek.TypeLine("12");
    ASSERT_TRUE(vek.WaitFor("VEK: Board: Name? [A1] ")) << vek.Output();
    vek.TypeLine("");
    const int status = vek.Wait();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << vek.Output();
    EXPECT_THAT(vek.Output(), HasSubstr("gain 12"));
    EXPECT_THAT(vek.Output(), HasSubstr("name A1"));
}

} // namespace
} // namespace vek
