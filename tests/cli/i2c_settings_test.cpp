// The I2C driver's settings file met through vek as a user runs it: a faulty value stops the open
// with the file, the key and the value; the forms the file has always had still open.
#include "vek_run.h"

#include <gmock/gmock.h>

#include <utility>

namespace vek {
namespace {

using ::testing::HasSubstr;

using I2cSettings = VekFolderTest;

TEST_F(I2cSettings, AFaultyValueStopsTheOpenNamingTheFileTheKeyAndTheValue) {
    const std::vector<std::pair<std::string, std::string>> faults = {
        {"[I2cBus]\nInterfaceType=hardwareless\n", "bad InterfaceType 'hardwareless'"},
        {"[I2CBus]\nBitrate=0x100\n", "bad Bitrate '0x100'"},
        {"[I2CBus]\nWaitAfterWrite=abc\n", "bad WaitAfterWrite 'abc'"},
        {"[I2CBus]\nTimeout=-1\n", "bad Timeout '-1'"},
        {"[I2CBus]\nIOAddress=0x10000\n", "bad IOAddress '0x10000'"},
    };
    for (const auto& [file, fault] : faults) {
        SCOPED_TRACE(file);
        Write("pcalh_io.ini", file);
        testing::internal::CaptureStderr();
        const VekRun run = Vek({"open", Example("demo.vek"), "read", "INPUT"});
        // The driver's own line, in full, goes to the process's standard error.
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "pardrv32: pcalh_io.ini: " + fault + "\n");
        EXPECT_EQ(run.status, kExitErrors);
        EXPECT_THAT(run.err, HasSubstr("driver error D03: cannot open the driver : pcalh_io.ini: " +
                                       fault + "\n"));
    }
}

TEST_F(I2cSettings, EveryKeyInItsUsualFormOpens) {
    Write("pcalh_io.ini", "[I2cBus]\nInterfaceType=Hardwareless\n"
                          "[I2CBus]\nWaitAfterWrite=0x5\nBitrate=400000\nIOAddress=0x278\n"
                          "Timeout=10\n");
    const VekRun run =
        Vek({"open", Example("demo.vek"), "write", "POLARITY=0x5a", "read", "POLARITY"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_THAT(run.out, HasSubstr("POLARITY = 0x5a"));
}

} // namespace
} // namespace vek
