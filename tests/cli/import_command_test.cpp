#include "vek_run.h"

#include <gmock/gmock.h>

namespace vek {
namespace {

using ::testing::HasSubstr;

class ImportCommandTest : public VekFolderTest {
protected:
    static std::string Data(const std::string& name) {
        return std::string(VEK_TEST_DATA_DIR) + "/import/" + name;
    }
};

TEST_F(ImportCommandTest, WritesTheDescriptionToStandardOutputOrWholeToAFile) {
    const VekRun printed = Vek({"import", Data("rules-2009.xml"), "--driver", "memdrv.dll"});
    EXPECT_EQ(printed.status, 0) << printed.err;
    EXPECT_THAT(printed.out, HasSubstr("#BeginRegisterList \"memdrv.dll\"\n"));
    EXPECT_EQ(printed.err, "");

    const VekRun written = Vek({"import", Data("rules.svd"), "-o", Temp("rules.vek")});
    EXPECT_EQ(written.status, 0);
    EXPECT_EQ(written.out, "");
    EXPECT_THAT(written.err, HasSubstr("vek: warning: " + Data("rules.svd") +
                                       ": 1 registers moved to an alternate device to share "
                                       "their address: DLL\n"));
    const VekRun checked = Vek({"check", Temp("rules.vek")});
    EXPECT_THAT(checked.out, HasSubstr("rules.vek - 0 error(s)\n")) << checked.out;
}

TEST_F(ImportCommandTest, OtherCommandsOpenAMapAsTheDescriptionItGives) {
    const VekRun checked = Vek({"check", Data("rules-2009.xml")});
    EXPECT_EQ(checked.status, 0);
    EXPECT_THAT(checked.out, HasSubstr("rules-2009.xml - 0 error(s)\n"));
    const VekRun tree = Vek({"tree", Data("rules-2009.xml")});
    EXPECT_THAT(tree.out, HasSubstr("REGS GPIO"));
    const VekRun dumped =
        Vek({"open", Data("rules-2009.xml"), "--simulate", "dump", "--format", "csv"});
    EXPECT_EQ(dumped.status, 0) << dumped.err;
    EXPECT_THAT(dumped.out, HasSubstr("DATA"));
}

TEST_F(ImportCommandTest, ABadMapIsToldAndLeavesNoFileBehind) {
    const std::string bad = Write("bad.svd", "<device>\n<peripherals>\n<peripheral>\n"
                                             "<name>P</name>\n</peripheral>\n</peripherals>\n"
                                             "</device>\n");
    const VekRun refused = Vek({"import", bad, "-o", Temp("out.vek")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "vek: " + bad +
                               ":3: /device/peripherals/peripheral[P]: no "
                               "<baseAddress>\n");
    EXPECT_FALSE(std::filesystem::exists(Temp("out.vek")));
    EXPECT_EQ(Vek({"check", bad}).status, 1);

    const VekRun path = Vek({"import", bad, "--driver", "../lib/evil.so"});
    EXPECT_EQ(path.status, 2);
    EXPECT_THAT(path.err, HasSubstr("--driver '../lib/evil.so' is not a library's file name"));
}

} // namespace
} // namespace vek
