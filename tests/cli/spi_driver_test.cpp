// The SPI driver through vek as a user runs it: a description naming "spidrv.dll" on the
// simulated chips, and on a settings file of its own.
#include "vek_run.h"

#include <gmock/gmock.h>

namespace vek {
namespace {

using ::testing::HasSubstr;

using SpiDriver = VekFolderTest;

TEST_F(SpiDriver, TheExampleReadsTheSimulatedBoardAndWritesAreReadBack) {
    const VekRun run =
        Vek({"open", Example("spi.vek"), "read-all", "print", "write", "USER_LONG=0xCAFE0042",
             "read", "USER_LONG", "write", "CTRL=0x0b", "read", "ENABLE"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_THAT(run.out, HasSubstr("SENSOR.CHIP_ID = 0x5a\n"));
    EXPECT_THAT(run.out, HasSubstr("SENSOR.TEMP = 0x0190\n"));
    EXPECT_THAT(run.out, HasSubstr("SENSOR.TIMESTAMP = 0x12345678\n"));
    EXPECT_THAT(run.out, HasSubstr("EEPROM.EE_ID = 0x2532\n"));
    EXPECT_THAT(run.out, HasSubstr("USER_LONG = 0xcafe0042\n"));
    EXPECT_THAT(run.out, HasSubstr("ENABLE = 0x1\n"));
}

TEST_F(SpiDriver, ASmallDescriptionOnAChipOfItsOwnAndAFaultySetting) {
    const std::string description = Write("chip.vek", "#BeginRegisterList \"spidrv.dll\"\n"
                                                      "0: ADC A3 [0x02] << 2.1;\n"
                                                      "1: GAIN [0x0010] = 0 D2 b;\n"
                                                      "1: ID [0x0000] = 0 r;\n"
                                                      "#EndRegisterList\n");
    Write("spidrv.ini", "[Device2]\nConvention=Command\nReadCommand=0x0B\nAddressBytes=2\n"
                        "DummyBytes=1\nData=0x77\n");
    VekRun run =
        Vek({"open", description, "read-all", "print", "write", "GAIN=0x1234", "read", "GAIN"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_THAT(run.out, HasSubstr("ADC.ID = 0x77\n"));
    EXPECT_THAT(run.out, HasSubstr("GAIN = 0x1234\n"));

    Write("spidrv.ini", "[Device2]\nMode=4\n");
    testing::internal::CaptureStderr();
    run = Vek({"open", description, "read", "GAIN"});
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "spidrv: spidrv.ini: Device2: bad Mode '4'\n");
    EXPECT_EQ(run.status, kExitErrors);
    EXPECT_THAT(run.err, HasSubstr("driver error D03: cannot open the driver : spidrv.ini: "
                                   "Device2: bad Mode '4'\n"));
}

} // namespace
} // namespace vek
