// vek open ... dump: every item with its device, address, access, width, default, value and the
// value's text, as aligned text, CSV and JSON.
#include "vek_run.h"

#include <gmock/gmock.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vek {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace fs = std::filesystem;

using Dump = VekFolderTest;

TEST_F(Dump, TextColumnsShowTheDemoBoardAsRead) {
    const VekRun run = Vek({"open", Example("demo.vek"), "read-all", "dump"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_THAT(run.out, StartsWith("DEVICE  NAME          KIND      ADDRESS                      "
                                    "ACCESS  WIDTH  DEFAULT     VALUE       TEXT\n"
                                    "EEPROM  BOARD_ID      register  0xa000                       "
                                    "READ    8      0xff        0xff\n"));
    // A register of four parts, a bit field with its value's text, a variable, and a WRITE
    // register that Read Now leaves unknown.
    EXPECT_THAT(run.out, HasSubstr("\nEEPROM  SERIAL        register  0xa004 0xa005 0xa006 0xa007  "
                                   "READ    32     0xffffffff  0xffffffff\n"));
    EXPECT_THAT(run.out, HasSubstr("\nSENSOR  READY         bitfield  0x9002                       "
                                   "STATUS  1      0x0         0x1         ready\n"));
    EXPECT_THAT(run.out, HasSubstr("\nSENSOR  Polls         variable                               "
                                   "BOTH    8                  0x0a\n"));
    EXPECT_THAT(run.out, HasSubstr("\nIOEXP   LED_RED       bitfield  0x4001                       "
                                   "WRITE   1      0x1         0xX\n"));
}

// A description whose texts need quoting in CSV and escaping in JSON.
std::string AwkwardBoard() {
    return "#BeginRegisterList \"testdrv.dll\"\n"
           "0: CHIP A1;\n"
           "1: MODE [0x01] = 0x02 b;\n"
           "   SPEED [0x01] & 0x03; \"slow, careful\", \" padded\", \"caf\xe9\";\n"
           "#EndRegisterList\n";
}

TEST_F(Dump, CsvIsOneHeaderRowAndOneQuotedRecordPerItem) {
    const std::string board = Write("awkward.vek", AwkwardBoard());
    const VekRun run = Vek({"open", board, "--simulate", "write-default", "dump", "--format", "csv",
                            "write", "SPEED=1", "dump", "--format", "csv"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const std::string header =
        "device,name,kind,address,access,width,default,value,text,simulation\r\n";
    EXPECT_EQ(run.out, header +
                           "CHIP,MODE,register,0x01,BOTH,8,0x02,0x02,,true\r\n"
                           "CHIP,SPEED,bitfield,0x01,BOTH,2,0x2,0x2,caf\xe9,true\r\n" +
                           header +
                           "CHIP,MODE,register,0x01,BOTH,8,0x02,0x01,,true\r\n"
                           "CHIP,SPEED,bitfield,0x01,BOTH,2,0x2,0x1,\" padded\",true\r\n");

    // Values of the devices: the last column says they are no simulation.
    const VekRun unknown = Vek({"open", board, "dump", "--format", "csv"});
    EXPECT_THAT(unknown.out, HasSubstr("\r\nCHIP,MODE,register,0x01,BOTH,8,0x02,,,false\r\n"));
}

TEST_F(Dump, JsonGivesNumbersNullsAndEscapedStrings) {
    const std::string board = Write("say \"hi\".vek", AwkwardBoard());
    const VekRun run = Vek({"open", board, "--simulate", "write-default", "write", "SPEED=0",
                            "dump", "--format", "json"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_THAT(run.out, StartsWith("{\n  \"description\": \"" + Temp("say \\\"hi\\\".vek") +
                                    "\",\n  \"simulation\": true,\n  \"items\": [\n"));
    EXPECT_THAT(run.out,
                HasSubstr("\n    {\"device\": \"CHIP\", \"name\": \"MODE\", \"kind\": "
                          "\"register\", \"addresses\": [\"0x01\"], \"access\": \"BOTH\", "
                          "\"width\": 8, \"default\": 2, \"value\": 0, \"text\": null},\n"));
    EXPECT_THAT(run.out,
                HasSubstr("\"name\": \"SPEED\", \"kind\": \"bitfield\", \"addresses\": "
                          "[\"0x01\"], \"access\": \"BOTH\", \"width\": 2, \"default\": 2, "
                          "\"value\": 0, \"text\": \"slow, careful\"}\n  ]\n}\n"));

    // A text in a Windows code page becomes its Unicode character; a value not known is null.
    const VekRun latin1 =
        Vek({"open", board, "--simulate", "write", "SPEED=2", "dump", "--format", "json"});
    EXPECT_THAT(latin1.out, HasSubstr("\"value\": 2, \"text\": \"caf\\u00e9\"}"));
    const VekRun unknown = Vek({"open", board, "--simulate", "dump", "--format", "json"});
    EXPECT_THAT(unknown.out, HasSubstr("\"default\": 2, \"value\": null, \"text\": null}"));
}

TEST_F(Dump, TheOutputFileTakesTheDumpAndAFolderThatIsNotThereIsAFailure) {
    const VekRun run = Vek({"open", Example("demo.vek"), "read", "TEMP", "dump", "--output",
                            Temp("board.json"), "--format", "json", "read", "STATUS"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.out, "TEMP = 0x1980\nSTATUS = 0x01\n");
    EXPECT_THAT(Read("board.json"), HasSubstr("\"name\": \"TEMP\", \"kind\": \"register\", "
                                              "\"addresses\": [\"0x9000\"], \"access\": \"READ\", "
                                              "\"width\": 16, \"default\": 0, \"value\": 6528"));
    EXPECT_THAT(Read("board.json"), EndsWith("\n  ]\n}\n"));

    const VekRun missing =
        Vek({"open", Example("demo.vek"), "dump", "--output", Temp("no/such/folder.txt")});
    EXPECT_EQ(missing.status, kExitErrors);
    EXPECT_THAT(missing.err, HasSubstr("vek: dump: " + Temp("no/such/folder.txt") +
                                       ": No such file or directory\n"));
}

TEST_F(Dump, AnOutputFileThatCannotBeWrittenWholeKeepsWhatItHeld) {
    const std::string output = Write("board.txt", "yesterday's dump\n");
    // The file-size limit stands in for a full disk: the write stops part-way with EFBIG.
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit small = before;
    small.rlim_cur = 512;
    const auto oldAction = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const VekRun run = Vek({"open", Example("demo.vek"), "dump", "--output", output});
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldAction);
    EXPECT_EQ(run.status, kExitErrors);
    EXPECT_THAT(run.err,
                HasSubstr("vek: dump: " + output + ": File too large; nothing was written\n"));
    EXPECT_EQ(Read("board.txt"), "yesterday's dump\n");
    // No temporary is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(Dump, TheOutputFileIsSavedAsEveryFileIs) {
    const std::string target = Write("board.txt", "old\n");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    ASSERT_EQ(symlink("board.txt", Temp("link.txt").c_str()), 0);
    const VekRun linked = Vek({"open", Example("demo.vek"), "dump", "--output", Temp("link.txt")});
    ASSERT_EQ(linked.status, kExitOk) << linked.err;
    EXPECT_TRUE(fs::is_symlink(Temp("link.txt")));
    EXPECT_THAT(Read("board.txt"), StartsWith("DEVICE  NAME"));
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    ASSERT_EQ(chmod(target.c_str(), 0444), 0);
    const std::string before = Read("board.txt");
    const VekRun readOnly =
        Vek({"open", Example("demo.vek"), "dump", "--format", "csv", "--output", target});
    EXPECT_EQ(readOnly.status, kExitErrors);
    EXPECT_THAT(readOnly.err,
                HasSubstr("vek: dump: " + target + ": read-only file; nothing was written\n"));
    EXPECT_EQ(Read("board.txt"), before);
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

TEST_F(Dump, FormatsAndOptionsAreCheckedBeforeAnythingIsTransferred) {
    const VekRun format =
        Vek({"open", Example("demo.vek"), "write", "POLARITY=1", "dump", "--format", "xml"});
    EXPECT_EQ(format.status, kExitUsage);
    EXPECT_THAT(format.err, HasSubstr("vek: dump: unknown format 'xml'; use text, csv or json"));
    const VekRun missingValue = Vek({"open", Example("demo.vek"), "dump", "--output"});
    EXPECT_EQ(missingValue.status, kExitUsage);
    EXPECT_THAT(missingValue.err, HasSubstr("vek: '--output' needs FILE"));
    const VekRun misspelt = Vek({"open", Example("demo.vek"), "dump", "--fromat", "csv"});
    EXPECT_EQ(misspelt.status, kExitUsage);
    EXPECT_THAT(misspelt.err, HasSubstr("vek: unknown option '--fromat'"));
}

} // namespace
} // namespace vek
