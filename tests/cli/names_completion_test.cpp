// vek names, and the bash completion script made from vek's tables, run in bash.
#include "vek_run.h"

#include <gmock/gmock.h>

namespace vek {
namespace {

using ::testing::HasSubstr;

using Names = VekFolderTest;

TEST_F(Names, ItemsMacrosAndScriptsAsOpenTakesThem) {
    const VekRun items = Vek({"names", Example("demo.vek")});
    EXPECT_EQ(items.status, kExitOk) << items.err;
    EXPECT_THAT(items.out, testing::StartsWith("BOARD_ID\nREVISION\nMINOR\nMAJOR\nSERIAL\n"));
    EXPECT_THAT(items.out, HasSubstr("\nPolls\nINPUT\n"));
    EXPECT_EQ(Vek({"names", Example("demo.vek"), "--macros"}).out,
              "InitBoard\nLedsOn\nSensorReady\n");
    EXPECT_EQ(Vek({"names", Example("demo.vek"), "--scripts"}).out,
              "Init\nPollSensor\nDumpRegisters\n");

    // A name that two devices use goes with its device.
    const std::string board =
        Write("twice.vek", "#BeginRegisterList \"testdrv.dll\"\n"
                           "0: ONE A1;\n1: REG [0x01] = 0;\n1: ONLY [0x02] = 0;\n"
                           "0: TWO A1;\n1: reg [0x01] = 0;\n"
                           "#EndRegisterList\n");
    EXPECT_EQ(Vek({"names", board}).out, "ONE.REG\nONLY\nTWO.reg\n");
}

TEST_F(Names, ErrorsAreTheDiagnosticsOrUsage) {
    const std::string broken = Write("broken.vek", "#BeginRegisterList \"x.dll\"\n0: A A9;\n");
    const VekRun run = Vek({"names", broken});
    EXPECT_EQ(run.status, kExitErrors);
    EXPECT_EQ(run.out, "") << "standard output holds names only";
    EXPECT_THAT(run.err, HasSubstr("broken.vek - "));
    EXPECT_EQ(Vek({"names"}).status, kExitUsage);
    EXPECT_EQ(Vek({"names", broken, "--all"}).status, kExitUsage);
    EXPECT_EQ(Vek({"names", Temp("none.vek")}).status, kExitUsage);
}

// Runs the completion function in bash for the words given, in the examples folder, and gives
// what it offers, one per line.
class Completion : public VekFolderTest {
protected:
    void SetUp() override {
        VekFolderTest::SetUp();
        const VekRun script = Vek({"completion", "bash"});
        ASSERT_EQ(script.status, kExitOk);
        script_ = Write("vek.bash", script.out);
    }
    std::string Complete(const std::string& words) const {
        const std::string program = "cd '" + std::string(VEK_SOURCE_DIR) +
                                    "/examples' && source '" + script_ + "' && COMP_WORDS=('" +
                                    VEK_BIN_DIR + "/vek' " + words +
                                    ") && COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _vek; "
                                    "printf '%s\\n' \"${COMPREPLY[@]}\" | sort";
        const std::string command = "bash -c \"" + Escaped(program) + "\"";
        return ShellOutput(command);
    }
    static std::string Escaped(const std::string& text) {
        std::string escaped;
        for (char c : text) {
            if (c == '"' || c == '\\' || c == '$' || c == '`')
                escaped += '\\';
            escaped += c;
        }
        return escaped;
    }
    std::string script_;
};

TEST_F(Completion, CommandsOperationsOptionsFilesAndTheDescriptionsNames) {
    EXPECT_EQ(Complete("''"),
              "--help\ncheck\ncompletion\ndiff\nexport\nimport\nnames\nopen\ntree\n");
    EXPECT_EQ(Complete("open de"), "demo.vek\n");
    EXPECT_EQ(Complete("open demo.vek re"), "read\nread-all\nreset\n");
    EXPECT_EQ(Complete("open demo.vek write OUT"), "OUTPUT=\nOUT_PINS=\n");
    EXPECT_EQ(Complete("open demo.vek read TEMP watch TEMP ST"), "STATUS\n");
    EXPECT_EQ(Complete("open demo.vek watch TEMP --c"), "--count\n");
    EXPECT_EQ(Complete("open demo.vek dump --format ''"), "csv\njson\ntext\n");
    EXPECT_EQ(Complete("open demo.vek macro L"), "LedsOn\n");
    EXPECT_EQ(Complete("open --simulate demo.vek --v"), "--verify\n");
    EXPECT_EQ(Complete("tree --radix d"), "dec\n");
    EXPECT_EQ(Complete("diff --description demo.vek demo.vek j"), "jtag.vek\n");
    EXPECT_EQ(Complete("export demo.vek --format ''"), "c-header\nsvd\n");
    EXPECT_EQ(Complete("completion ''"), "bash\n");
}

TEST_F(Completion, NothingADescriptionWritesIsRunOrOffered) {
    // Its diagnostic quotes the string, whose own quotes end the diagnostic's:
    // Line 3: error P02: wrong syntax '"'$(touch ...)'"'
    const std::string evil = Write(
        "evil.vek", "#BeginRegisterList \"x.dll\"\n0: CHIP A1;\n1: REG [0x01] = 0 \"'$(touch " +
                        Temp("pwned") + ")'\";\n#EndRegisterList\n");
    for (const char* words : {" read ''", " read L", " write ''", " macro ''"}) {
        EXPECT_EQ(Complete("open '" + evil + "'" + words), "\n") << words;
        EXPECT_FALSE(std::filesystem::exists(Temp("pwned"))) << words;
    }
}

TEST_F(Completion, TheBuildPutsTheScriptIntoShare) {
    const std::string installed =
        std::string(VEK_BIN_DIR) + "/../share/bash-completion/completions/vek";
    std::ostringstream text;
    text << std::ifstream(installed).rdbuf();
    EXPECT_EQ(text.str(), Vek({"completion", "bash"}).out);
}

} // namespace
} // namespace vek
