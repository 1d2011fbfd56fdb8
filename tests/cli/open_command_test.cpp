// The command-line tool over an opened description, end to end: the real drivers, their
// simulated hardware and the test driver, loaded as the program loads them.
#include "vek_run.h"

#include <gmock/gmock.h>

namespace vek {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// The drivers' settings and locks stay inside the test's folder.
using OpenCommand = VekFolderTest;

TEST_F(OpenCommand, TheDemoBoardIsReadAndWrittenOnTheSimulatedBus) {
    const VekRun run = Vek({"open", Example("demo.vek"), "read", "TEMP", "read", "sensor.status",
                            "write", "POLARITY=0x3c", "read", "POLARITY", "read", "DEGREES"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.out, "TEMP = 0x1980\nsensor.status = 0x01\nPOLARITY = 0x3c\nDEGREES = 0x19\n");
    EXPECT_THAT(run.err, HasSubstr("pardrv32.dll\ndemo.vek - 0 error(s)\n"));
}

TEST_F(OpenCommand, ValuesSavedInOneSessionAreWrittenBackInTheNext) {
    const std::string values = Temp("board.vkg");
    const VekRun save = Vek({"open", Example("demo.vek"), "write", "POLARITY=0xA5", "write",
                             "OUTPUT=0x0F", "save", values, "--comment", "bench A"});
    ASSERT_EQ(save.status, kExitOk) << save.err;
    std::ostringstream text;
    text << std::ifstream(values).rdbuf();
    EXPECT_THAT(text.str(), HasSubstr("Comment=bench A"));

    // A new session: the simulated bus starts again from its power-on contents.
    const VekRun fresh = Vek({"open", Example("demo.vek"), "read", "POLARITY"});
    EXPECT_EQ(fresh.out, "POLARITY = 0x00\n");
    const VekRun load =
        Vek({"open", Example("demo.vek"), "load", values, "read", "POLARITY", "show", "OUTPUT"});
    EXPECT_EQ(load.status, kExitOk) << load.err;
    EXPECT_EQ(load.out, "POLARITY = 0xa5\nOUTPUT = 0x0f\n");
}

TEST_F(OpenCommand, ADeviceThatDoesNotAnswerFailsItsTransfersOnly) {
    const std::string board = Write("absent.vek", "#BeginRegisterList \"pardrv32.dll\"\n"
                                                  "0: GHOST A2 [0x70] << 1.1;\n"
                                                  "1: REG [0x00] = 0;\n"
                                                  "0: IOEXP A2 [0x40] << 1.1;\n"
                                                  "1: INPUT [0x00] = 0 r;\n"
                                                  "#EndRegisterList\n");
    const VekRun run = Vek({"open", board, "--keep-going", "read", "REG", "read", "INPUT"});
    EXPECT_EQ(run.status, kExitErrors);
    EXPECT_EQ(run.out, "INPUT = 0x5a\n");
    EXPECT_THAT(run.err, HasSubstr("driver error D06: cannot read from address 0x7000 : "));
}

// The JTAG block through each controller back end that needs no hardware: the software TAP,
// and the FTDI cable with an emulated chip wired to it.
class JtagBackEnd : public OpenCommand, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        OpenCommand::SetUp();
        setenv("BSX4810_DEVICE", GetParam(), 1);
    }
    void TearDown() override {
        unsetenv("BSX4810_DEVICE");
        OpenCommand::TearDown();
    }
};

INSTANTIATE_TEST_SUITE_P(BackEnds, JtagBackEnd, ::testing::Values("soft", "ftdi:emulate"),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                             return param.index == 0 ? "SoftwareTap" : "EmulatedFtdiCable";
                         });

TEST_P(JtagBackEnd, TheJtagBlockTakesDefaultsValuesAndAValuesFile) {
    const VekRun defaults =
        Vek({"open", Example("jtag.vek"), "write-default", "read-all", "print"});
    EXPECT_EQ(defaults.status, kExitOk) << defaults.err;
    EXPECT_THAT(defaults.out, HasSubstr("CLKGEN.PLL_DIVIDERS = 0x00100402\n"));
    EXPECT_THAT(defaults.out, HasSubstr("CLKGEN.POSTDIV = 0x10\n"));
    EXPECT_THAT(defaults.out, HasSubstr("DMA.DMA_UNLOCK = 0x0000c0de\n"));

    const std::string values = Temp("jtag.vkg");
    const VekRun save = Vek({"open", Example("jtag.vek"), "write-default", "write",
                             "PLL_DIVIDERS=0x00200803", "save", values});
    ASSERT_EQ(save.status, kExitOk) << save.err;
    const VekRun load = Vek(
        {"open", Example("jtag.vek"), "load", values, "read", "PLL_DIVIDERS", "read", "FEEDBACK"});
    EXPECT_EQ(load.status, kExitOk) << load.err;
    EXPECT_EQ(load.out, "PLL_DIVIDERS = 0x00200803\nFEEDBACK = 0x08\n");
}

TEST_F(OpenCommand, WriteNowBeforeAnyValueIsKnownReportsEachWritableRegister) {
    const VekRun run = Vek({"open", Example("jtag.vek"), "write-all"});
    EXPECT_EQ(run.status, kExitErrors);
    std::size_t lines = 0;
    for (std::size_t at = run.err.find("driver error D07"); at != std::string::npos;
         at = run.err.find("driver error D07", at + 1))
        ++lines;
    // Eight registers can be written; the PROT one takes its default, the others are never
    // written.
    EXPECT_EQ(lines, 8u);
    EXPECT_THAT(run.err, Not(HasSubstr("0x201f")));
}

TEST_F(OpenCommand, TheBridgeCardAnswersOnBothDrivers) {
    const VekRun run =
        Vek({"open", Example("bridge.vek"), "read", "VENDOR_ID", "read", "DEVICE_ID", "write",
             "MAILBOX0=0x12345678", "read", "MAILBOX0", "write", "USER_BYTE=0x5a", "read",
             "USER_BYTE", "macro", "CardUp", "read", "LEDS"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.out, "VENDOR_ID = 0x1c18\nDEVICE_ID = 0x7318\nMAILBOX0 = 0x12345678\n"
                       "USER_BYTE = 0x5a\nLEDS = 0x5\n");
}

TEST_F(OpenCommand, SimulationTransfersWithoutTheHardware) {
    const VekRun run = Vek({"open", Example("demo.vek"), "--simulate", "write-default", "read",
                            "TEMP", "read", "GAIN_TRIM"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.out, "TEMP = 0x0000 (simulated)\nGAIN_TRIM = 0x80 (simulated)\n");
    EXPECT_THAT(run.err, HasSubstr("demo.vek - 1 error(s)"));
}

TEST_F(OpenCommand, AMissingDriverIsDeclinedWithoutATerminalAndAcceptedWhenSimulationIsAllowed) {
    const std::string board = Write("nodriver.vek", "#BeginRegisterList \"nodriver.dll\"\n"
                                                    "0: CHIP A1;\n1: REG [0x01] = 7;\n"
                                                    "#EndRegisterList\n");
    const VekRun declined = Vek({"open", board, "read", "REG"});
    EXPECT_EQ(declined.status, kExitErrors);
    EXPECT_EQ(declined.out, "");
    EXPECT_THAT(declined.err, HasSubstr("driver error D01: cannot load the driver : nodriver.dll"));
    EXPECT_THAT(declined.err, HasSubstr("nodriver.vek - 1 error(s)"));

    const VekRun accepted =
        Vek({"open", board, "--allow-simulation", "write-default", "read", "REG"});
    EXPECT_EQ(accepted.status, kExitOk) << accepted.err;
    EXPECT_EQ(accepted.out, "REG = 0x07 (simulated)\n");
}

TEST_F(OpenCommand, NamesAndValuesAreCheckedBeforeAnythingIsTransferred) {
    const std::string board = Write("names.vek", "#BeginRegisterList \"testdrv.dll\"\n"
                                                 "0: ONE A1;\n1: REG [0x01] = 0;\n"
                                                 "1: $ SIGNED = 0 B8 TC;\n"
                                                 "0: TWO A1;\n1: REG [0x01] = 0;\n"
                                                 "#EndRegisterList\n");
    const struct {
        std::vector<std::string> operations;
        const char* error;
    } cases[] = {
        {{"read", "NOPE"}, "no register, bit field or variable 'NOPE'"},
        {{"read", "REG"}, "'REG' names 2 items; write DEVICE.REG"},
        {{"write", "ONE.REG=0x100"}, "does not fit 8 bits"},
        {{"write", "ONE.REG=-1"}, "is negative, but the item is not signed"},
        {{"write", "SIGNED=-129"}, "does not fit 8 bits"},
        {{"write", "ONE.REG=12z"}, "is not a number"},
        {{"macro", "Missing"}, "no register macro 'Missing'"},
        {{"script", "missing.bas"}, "no script macro or Basic file 'missing.bas'"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"open", board, "write", "TWO.REG=1"};
        args.insert(args.end(), c.operations.begin(), c.operations.end());
        const VekRun run = Vek(args);
        EXPECT_EQ(run.status, kExitUsage) << c.error;
        EXPECT_THAT(run.err, HasSubstr(c.error));
        EXPECT_EQ(run.out, "");
    }
    const VekRun ok = Vek({"open", board, "write", "SIGNED=-128", "show", "SIGNED", "write",
                           "ONE.REG=0b1010", "read", "one.reg", "show", "TWO.REG"});
    EXPECT_EQ(ok.status, kExitOk) << ok.err;
    EXPECT_EQ(ok.out, "SIGNED = 0x80\none.reg = 0x0a\nTWO.REG = 0xXX\n");
}

TEST_F(OpenCommand, TheDemoScriptsRunOnTheBusAndInSimulation) {
    auto expected = [](const char* name) {
        std::ostringstream text;
        text << std::ifstream(std::string(VEK_TEST_DATA_DIR) + "/scripts/" + name).rdbuf();
        return text.str();
    };
    const VekRun bus = Vek({"open", Example("demo.vek"), "script", "Init", "script", "PollSensor",
                            "script", "DumpRegisters"});
    EXPECT_EQ(bus.status, kExitOk) << bus.err;
    EXPECT_EQ(bus.out, expected("demo_bus.out"));
    EXPECT_THAT(bus.err, HasSubstr("Initialising the demo board\n"));

    // Simulated, STATUS never reports READY, so the poll gives up with its error.
    const VekRun simulated = Vek({"open", Example("demo.vek"), "--simulate", "write-default",
                                  "script", "DumpRegisters", "script", "PollSensor"});
    EXPECT_EQ(simulated.status, kExitErrors);
    EXPECT_EQ(simulated.out, expected("demo_simulation.out"));
    EXPECT_THAT(simulated.err, HasSubstr("Error 1000: Sensor not ready after 10 reads"));
}

TEST_F(OpenCommand, UsageErrorsAndHelp) {
    EXPECT_EQ(Vek({"open"}).status, kExitUsage);
    EXPECT_EQ(Vek({"open", Example("demo.vek"), "frobnicate"}).status, kExitUsage);
    EXPECT_EQ(Vek({"open", Example("demo.vek"), "write", "NOVALUE"}).status, kExitUsage);
    EXPECT_EQ(Vek({"open", Example("demo.vek"), "save"}).status, kExitUsage);
    EXPECT_EQ(Vek({"open", "/no/such.vek"}).status, kExitUsage);
    const VekRun help = Vek({"open", "--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_THAT(help.out, HasSubstr("write NAME=VALUE"));
}

TEST_F(OpenCommand, OptionsTakeTheirValuesInEveryFormAndShortFormsStandForTheLongOnes) {
    const std::string dump = Temp("dump.csv");
    const VekRun run =
        Vek({"open", Example("demo.vek"), "--time-limit=5", "-y", "write", "POLARITY=0x3c", "dump",
             "--format=csv", "-o", dump, "read", "POLARITY"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.out, "POLARITY = 0x3c\n");
    EXPECT_THAT(Read("dump.csv"), HasSubstr("POLARITY"));
}

// A stream that keeps what had reached it at each flush.
class FlushRecorder : public std::stringbuf {
public:
    std::vector<std::string> flushed;

protected:
    int sync() override {
        flushed.push_back(str());
        return 0;
    }
};

TEST_F(OpenCommand, AScriptsPrintLinesLeaveOneByOneAndItsCompileErrorsCanTakeTheCompilersForm) {
    const std::string script =
        Write("poll.bas", "Sub Main\n  Print \"one\"\n  Print \"two\"\nEnd Sub\n");
    FlushRecorder recorder;
    std::ostream out(&recorder);
    std::ostringstream err;
    ASSERT_EQ(RunVek({"open", Example("demo.vek"), "--simulate", "script", script}, out, err),
              kExitOk)
        << err.str();
    // A reader at the other end of a pipe sees each line as soon as it is printed.
    ASSERT_GE(recorder.flushed.size(), 2u);
    EXPECT_EQ(recorder.flushed[0], "one\n");
    EXPECT_EQ(recorder.flushed[1], "one\ntwo\n");

    const std::string broken = Write("broken.bas", "Sub Main\n  x = (1 +\nEnd Sub\n");
    const VekRun gcc =
        Vek({"open", Example("demo.vek"), "--simulate", "--diagnostics=gcc", "script", broken});
    EXPECT_EQ(gcc.status, kExitErrors);
    EXPECT_THAT(gcc.err, ::testing::ContainsRegex(broken + ":2:[0-9]+: error: "));
    const VekRun text = Vek({"open", Example("demo.vek"), "--simulate", "script", broken});
    EXPECT_THAT(text.err, ::testing::ContainsRegex(broken + "\\(2,[0-9]+\\): "));

    const std::string description = Write("bad.vek", "#BeginRegisterList \"x.dll\"\n0: D ;\n");
    const VekRun badDescription =
        Vek({"open", description, "--diagnostics", "gcc", "--simulate", "print"});
    EXPECT_EQ(badDescription.status, kExitErrors);
    EXPECT_THAT(badDescription.err, HasSubstr(description + ":2:6: error: wrong syntax ';'"));
}

} // namespace
} // namespace vek
