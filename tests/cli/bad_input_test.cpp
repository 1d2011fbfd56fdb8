// Files, settings and drivers that are broken, too large, planted or killed half-way, met through
// vek as a user runs it: each gets a clear message and leaves nothing corrupted.
#include "test_driver_library.h"
#include "vek_run.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vek {
namespace {

namespace fs = std::filesystem;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;

using BadInput = VekFolderTest;

// A file of `size` bytes that takes no room on the disk.
void MakeSparse(const std::string& path, off_t size) {
    std::ofstream{path};
    ASSERT_EQ(truncate(path.c_str(), size), 0);
}

TEST_F(BadInput, FilesLargerThanTheirLimitAreRefusedAndPipesAreReadOnce) {
    EXPECT_EQ(
        Vek({"check", "/dev/zero"}).err,
        "vek: cannot open '/dev/zero': larger than 64 MiB, the most a description may have\n");
    MakeSparse(Temp("huge.vek"), 65 * 1024 * 1024);
    EXPECT_EQ(Vek({"tree", Temp("huge.vek")}).status, kExitUsage);

    // Each command reads a piped description once: a second read would find the pipe empty.
    const auto piped = [this](const std::string& text, std::vector<std::string> args) {
        int ends[2];
        EXPECT_EQ(pipe(ends), 0);
        EXPECT_EQ(write(ends[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
        close(ends[1]);
        args.insert(args.begin() + 1, "/dev/fd/" + std::to_string(ends[0]));
        const VekRun run = Vek(args);
        close(ends[0]);
        return run;
    };
    const VekRun faulty = piped("#BeginRegisterList \"testdrv.dll\"\n0: CHIP A1;\n"
                                "1: REG [0x01 = 0;\n1: OTHER [0x02 = 0;\n#EndRegisterList\n",
                                {"check"});
    EXPECT_EQ(faulty.status, kExitErrors);
    EXPECT_THAT(faulty.out, EndsWith(" - 8 error(s)\n"));
    const VekRun opened = piped("#BeginRegisterList \"testdrv.dll\"\n0: CHIP A1;\n"
                                "1: REG [0x01] = 0x5a;\n#EndRegisterList\n",
                                {"open", "--simulate", "write-default", "show", "REG"});
    EXPECT_EQ(opened.status, kExitOk) << opened.err;
    EXPECT_EQ(opened.out, "REG = 0x5a (simulated)\n");

    MakeSparse(Temp("huge.vkg"), 65 * 1024 * 1024);
    const VekRun load = Vek({"open", Example("demo.vek"), "--simulate", "load", Temp("huge.vkg")});
    EXPECT_EQ(load.status, kExitErrors);
    EXPECT_THAT(load.err, HasSubstr(Temp("huge.vkg") +
                                    ": larger than 64 MiB, the most a profile file may have\n"));
}

TEST_F(BadInput, ScriptMacroFilesLargerThanAScriptMayBeAreRefusedUnread) {
    MakeSparse(Temp("huge.bas"), 16 * 1024 * 1024 + 1);
    MakeSparse(Temp("loaded.bas"), 16 * 1024 * 1024 + 1);
    const std::string description =
        Write("macros.vek", "#BeginRegisterList \"testdrv.dll\"\n0: CHIP A1;\n"
                            "1: REG [0x01] = 0;\n#EndRegisterList\n"
                            "#BeginBasic Huge P \"huge.bas\" #EndBasic\n"
                            "#BeginBasic Loaded P L \"loaded.bas\" #EndBasic\n");
    const std::string tooLarge =
        Temp("huge.bas") + ": larger than 16 MiB, the most a Basic script may have";
    // Run by the macro's name, and as a file named on the command line.
    const VekRun macro = Vek({"open", description, "--simulate", "script", "Huge"});
    EXPECT_EQ(macro.status, kExitErrors);
    EXPECT_THAT(macro.err, HasSubstr("Script macro 'Loaded' not loaded: " + Temp("loaded.bas") +
                                     ": larger than 16 MiB, the most a Basic script may have\n"));
    EXPECT_THAT(macro.err, HasSubstr("Error 75: " + tooLarge + "\n"));
    const VekRun file = Vek({"open", description, "--simulate", "script", Temp("huge.bas")});
    EXPECT_EQ(file.status, kExitUsage);
    EXPECT_THAT(file.err, HasSubstr("'" + Temp("huge.bas") +
                                    "': larger than 16 MiB, the most a Basic script may have\n"));
}

TEST_F(BadInput, SettingsThatCannotBeReadOrHaveFaultsFailTheDriversOpenWithTheReason) {
    const auto openFailure = [this] {
        testing::internal::CaptureStderr();
        const VekRun run = Vek({"open", Example("demo.vek"), "read", "TEMP"});
        const std::string library = testing::internal::GetCapturedStderr();
        EXPECT_EQ(run.status, kExitErrors);
        const std::string prefix = "driver error D03: cannot open the driver : ";
        const std::size_t at = run.err.find(prefix);
        EXPECT_NE(at, std::string::npos) << run.err;
        return std::pair(
            run.err.substr(at + prefix.size(), run.err.find('\n', at) - at - prefix.size()),
            library);
    };
    Write("pcalh_io.ini", "[SimulatedBus]\nDevices=0x80, 0x50\n[I2CDevice 0x50]\nSize=0\n");
    EXPECT_EQ(openFailure(), std::pair(std::string("pcalh_io.ini: bad 7-bit device address '0x80'"),
                                       std::string("I2C32: pcalh_io.ini: bad 7-bit device address "
                                                   "'0x80'\nI2C32: pcalh_io.ini: I2CDevice 0x50: "
                                                   "bad Size '0'\n")));
    setenv("VEK_PCALH_IO", "/dev/zero", 1);
    // The status text is cut to the 51 characters a driver may give; standard error has it all.
    EXPECT_EQ(openFailure(),
              std::pair(std::string("/dev/zero: larger than 64 MiB, the most a profile f"),
                        std::string("I2C32: /dev/zero: larger than 64 MiB, the most a "
                                    "profile file may have\n")));
}

TEST_F(BadInput, AJtagLockOrTargetFileThatCannotBeUsedSaysWhy) {
    const auto causeOfFailedOpen = [] {
        testing::internal::CaptureStderr();
        const VekRun run = Vek({"open", Example("jtag.vek"), "read", "PLL_CTRL"});
        const std::string cause = testing::internal::GetCapturedStderr();
        EXPECT_EQ(run.status, kExitErrors);
        EXPECT_THAT(run.err, HasSubstr("driver error D03: cannot open the driver : Opening of "
                                       "JTAG device failed.\n"));
        return cause;
    };
    setenv("BSX4810_LOCK_FILE", Temp("gone/BSX4810.lock").c_str(), 1);
    EXPECT_EQ(causeOfFailedOpen(), "BSX4810 lock: lock file " + Temp("gone/BSX4810.lock") +
                                       ": No such file or directory\n");
    setenv("BSX4810_LOCK_FILE", Temp("bsx4810.lock").c_str(), 1);
    fs::create_directory(Temp("target"));
    setenv("BSX4810_TARGET_FILE", Temp("target").c_str(), 1);
    EXPECT_EQ(causeOfFailedOpen(), "BSX4810 soft: " + Temp("target") + ": Is a directory\n");

    // The name the target file's temporary once had, planted as a link to another file.
    setenv("BSX4810_TARGET_FILE", Temp("board.jtag").c_str(), 1);
    const std::string victim = Write("victim", "precious");
    ASSERT_EQ(symlink(victim.c_str(), Temp("board.jtag.tmp" + std::to_string(getpid())).c_str()),
              0);
    EXPECT_EQ(Vek({"open", Example("jtag.vek"), "write", "PLL_CTRL=5"}).status, kExitOk);
    EXPECT_EQ(Read("victim"), "precious");
    EXPECT_THAT(Read("board.jtag"), HasSubstr(" 00000005\n"));
}

TEST_F(BadInput, ADriverThatWritesAnOverlongStatusIsCutAndItsControlBytesShown) {
    test::TestDriverLibrary driver("testdrv_overrun");
    driver.FailOpen(true);
    const std::string board = Write("board.vek", "#BeginRegisterList \"testdrv_overrun.dll\"\n"
                                                 "0: CHIP A1;\n1: REG [0x01] = 7;\n"
                                                 "#EndRegisterList\n");
    const VekRun run = Vek({"open", board, "--simulate", "read", "REG"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    std::string status = "runaway\\x0d\\x1b[2J";
    for (std::size_t i = 12; i < 51; ++i)
        status += static_cast<char>('0' + i % 10);
    EXPECT_THAT(run.err, HasSubstr("driver error D03: cannot open the driver : " + status + "\n"));
}

TEST_F(BadInput, ADriverThatDoesNotLoadSaysWhyAndDescriptionTextsShowNoControlBytes) {
    const std::string board = Write("board.vek", "#BeginRegisterList \"bogus.dll\"\n"
                                                 "0: CHIP A1;\n1: REG [0x01] = 7;\n"
                                                 "#EndRegisterList\n");
    Write("libbogus.so", std::string(4096, '?'));
    const VekRun run = Vek({"open", board, "--driver-path", dir_.string(), "read", "REG"});
    EXPECT_THAT(run.err, HasSubstr("driver error D01: cannot load the driver : bogus.dll\n" +
                                   Temp("libbogus.so") + ": "));
    EXPECT_THAT(run.err, HasSubstr("invalid ELF header\n"));

    const VekRun check = Vek({"check", Write("escape.vek", "\x1b[2J\r\x07;\n")});
    EXPECT_THAT(check.out, HasSubstr("error P07: unknown token '\\x1b'\n"));
    EXPECT_THAT(check.out, Not(HasSubstr("\x1b")));
    EXPECT_THAT(check.out, Not(HasSubstr("\x07")));
}

TEST_F(BadInput, AWaitAfterWriteBeyondItsLimitIsRefusedNotWrapped) {
    // 2^32 + 1 ms once wrapped to 1 ms; 2^31 ms was 24 days of a spinning core after each write.
    Write("pcalh_io.ini", "[I2CBus]\nWaitAfterWrite=4294967297\n");
    testing::internal::CaptureStderr();
    const VekRun run = Vek({"open", Example("demo.vek"), "write", "OUTPUT=0xFE"});
    // The driver's own line, in full, goes to the process's standard error.
    EXPECT_THAT(testing::internal::GetCapturedStderr(),
                HasSubstr("pardrv32: pcalh_io.ini: bad WaitAfterWrite '4294967297'\n"));
    EXPECT_EQ(run.status, kExitErrors);
    EXPECT_THAT(run.err, HasSubstr("driver error D03: cannot open the driver : pcalh_io.ini: bad "
                                   "WaitAfterWrite '4294967297'\n"));
}

TEST_F(BadInput, SavingWritesThroughALinkAndRefusesAReadOnlyFile) {
    const std::string values = Temp("board.vkg");
    ASSERT_EQ(Vek({"open", Example("demo.vek"), "--simulate", "save", values}).status, kExitOk);
    ASSERT_EQ(symlink(values.c_str(), Temp("link.vkg").c_str()), 0);
    const VekRun linked = Vek({"open", Example("demo.vek"), "--simulate", "write", "POLARITY=0x5a",
                               "save", Temp("link.vkg")});
    EXPECT_EQ(linked.status, kExitOk) << linked.err;
    EXPECT_TRUE(fs::is_symlink(Temp("link.vkg")));
    EXPECT_THAT(Read("board.vkg"), HasSubstr("=0x5a"));

    ASSERT_EQ(chmod(values.c_str(), 0444), 0);
    const std::string before = Read("board.vkg");
    const VekRun readOnly =
        Vek({"open", Example("demo.vek"), "--simulate", "write", "POLARITY=0x3c", "save", values});
    EXPECT_EQ(readOnly.status, kExitErrors);
    EXPECT_THAT(readOnly.err, HasSubstr(values + ": read-only file; nothing was written\n"));
    EXPECT_EQ(Read("board.vkg"), before);
}

TEST_F(BadInput, ADescriptionStartingWithAByteOrderMarkCompiles) {
    const VekRun run = Vek({"check", Write("bom.vek", "\xEF\xBB\xBF#BeginRegisterList \"t.dll\"\n"
                                                      "0: CHIP A1;\n#EndRegisterList\n")});
    EXPECT_EQ(run.status, kExitOk) << run.out;
    EXPECT_THAT(run.out, EndsWith("bom.vek - 0 error(s)\n"));
}

// Standard input from /dev/null for a scope, so that a question finds no terminal to ask even
// when the tests run from one.
class NoTerminal {
public:
    NoTerminal() : saved_(dup(STDIN_FILENO)) {
        const int null = open("/dev/null", O_RDONLY);
        dup2(null, STDIN_FILENO);
        close(null);
    }
    ~NoTerminal() {
        dup2(saved_, STDIN_FILENO);
        close(saved_);
    }
    NoTerminal(const NoTerminal&) = delete;
    NoTerminal& operator=(const NoTerminal&) = delete;

private:
    int saved_;
};

TEST_F(BadInput, ValuesThatCannotBeLoadedSayWhyAndFailTheRun) {
    const NoTerminal noTerminal;
    const std::string values = Temp("board.vkg");
    ASSERT_EQ(Vek({"open", Example("demo.vek"), "--simulate", "save", values}).status, kExitOk);

    // Another description: the question is shown with the answer taken, and the run fails.
    const std::string other = Write("other.vek", Read(Example("demo.vek")));
    const VekRun another = Vek({"open", other, "--simulate", "load", values});
    EXPECT_EQ(another.status, kExitErrors);
    EXPECT_THAT(another.err, HasSubstr("Load it anyway? [yes/no] no (no terminal to answer"));
    EXPECT_THAT(another.err, HasSubstr("board.vkg: not loaded, it was saved with another"));

    // The same description reached through a linked folder is the same description.
    ASSERT_EQ(symlink(fs::path(Example("demo.vek")).parent_path().c_str(), Temp("boards").c_str()),
              0);
    const VekRun linked = Vek({"open", Temp("boards/demo.vek"), "--simulate", "load", values});
    EXPECT_EQ(linked.status, kExitOk) << linked.err;
    EXPECT_THAT(linked.err, Not(HasSubstr("Different Vek Files")));

    // Nothing of the file is a value of this description, even when told to load it anyway.
    const VekRun noise = Vek({"open", Example("demo.vek"), "--simulate", "--yes", "load",
                              Write("noise.vkg", "[HEADER]\nVekFile=x.vek\n\x01\x02garbage\n")});
    EXPECT_EQ(noise.status, kExitErrors);
    EXPECT_THAT(noise.err, HasSubstr("noise.vkg: no value for a register of this description"));
}

TEST_F(BadInput, TransfersThatTheAccessTypeOrTheDriverTurnsAwayAreSaid) {
    const auto run = [this](std::vector<std::string> operations) {
        operations.insert(operations.begin(), {"open", Example("demo.vek"), "--simulate"});
        return Vek(operations);
    };
    const VekRun readOnly = run({"write", "TEMP=0x10"});
    EXPECT_EQ(readOnly.status, kExitUsage);
    EXPECT_THAT(readOnly.err, HasSubstr("vek: write TEMP: a READ register is never written\n"));
    EXPECT_EQ(run({"write", "STATUS=1"}).status, kExitUsage);
    const VekRun writeOnly = run({"read", "OUTPUT"});
    EXPECT_EQ(writeOnly.status, kExitUsage);
    EXPECT_THAT(writeOnly.err, HasSubstr("vek: read OUTPUT: a WRITE register is never read"));

    const VekRun simulated = run({"reset"});
    EXPECT_EQ(simulated.status, kExitErrors);
    EXPECT_THAT(simulated.err, HasSubstr("Reset Driver: the document is in simulation mode; no "
                                         "driver was touched\n"));

    // A macro whose write the driver refuses fails the run.
    test::TestDriverLibrary driver;
    driver.FailAddress({0x01});
    const std::string board =
        Write("macro.vek", "#BeginRegisterList \"testdrv.dll\"\n"
                           "0: CHIP A1;\n1: REG [0x01] = 0;\n"
                           "1: PROTECTED [0x02] = 0x11 f;\n"
                           "#EndRegisterList\n"
                           "#BeginMacro SetReg\n[CHIP]\nREG = 5;\n#EndMacro\n");
    const VekRun macro = Vek({"open", board, "macro", "SetReg"});
    EXPECT_EQ(macro.status, kExitErrors);
    EXPECT_THAT(macro.err, HasSubstr("vek: macro SetReg: 1 transfer(s) failed\n"));
    const VekRun prot = Vek({"open", board, "write", "PROTECTED=0x22"});
    EXPECT_EQ(prot.status, kExitOk) << prot.err;
    EXPECT_THAT(prot.err, HasSubstr("vek: write PROTECTED: a PROT register is always written "
                                    "with its default\n"));
}

TEST_F(BadInput, AMacroReachedAgainWhileItRunsIsNotRunAndFailsItsTransfer) {
    test::TestDriverLibrary driver;
    // REGB's read macro reads REGB; S1 and S2 read each other; OUT's write macro reads S3, whose
    // read macro is that macro again.
    const std::string board = Write("loops.vek", "#BeginRegisterList \"testdrv.dll\"\n0: CHIP A1;\n"
                                                 "1: REGB [0x01] = 0 s R{ ReadB, Idle };\n"
                                                 "1: S1 [0x02] = 0 s R{ ReadS2, Idle };\n"
                                                 "1: S2 [0x03] = 0 s R{ ReadS1, Idle };\n"
                                                 "1: S3 [0x04] = 0 s R{ ReadS3, Idle };\n"
                                                 "1: OUT [0x05] = 0 b W{ ReadS3, Idle };\n"
                                                 "1: $ V = 0 B8;\n#EndRegisterList\n"
                                                 "#BeginMacro ReadB\n[CHIP]\nV = REGB;\n#EndMacro\n"
                                                 "#BeginMacro ReadS1\n[CHIP]\nV = S1;\n#EndMacro\n"
                                                 "#BeginMacro ReadS2\n[CHIP]\nV = S2;\n#EndMacro\n"
                                                 "#BeginMacro ReadS3\n[CHIP]\nV = S3;\n#EndMacro\n"
                                                 "#BeginMacro Idle\n[CHIP]\nV = V;\n#EndMacro\n");
    const auto refused = [](const std::string& macro) {
        return HasSubstr("macro " + macro +
                         ": reached again while it runs; a macro does not run within itself, the "
                         "transfer that needs it fails\n");
    };
    const VekRun itself = Vek({"open", board, "read", "REGB"});
    EXPECT_EQ(itself.status, kExitErrors);
    EXPECT_THAT(itself.err, refused("ReadB"));
    EXPECT_EQ(itself.out, "");

    const VekRun each = Vek({"open", board, "read", "S1"});
    EXPECT_EQ(each.status, kExitErrors);
    EXPECT_THAT(each.err, refused("ReadS2"));

    // The write does not happen: its macro could not run as written.
    driver.Reset();
    const VekRun write = Vek({"open", board, "write", "OUT=7"});
    EXPECT_EQ(write.status, kExitErrors);
    EXPECT_THAT(write.err, refused("ReadS3"));
    EXPECT_EQ(driver.Register({0x05}), 0U);

    const VekRun macro = Vek({"open", board, "macro", "ReadS3"});
    EXPECT_EQ(macro.status, kExitErrors);
    EXPECT_THAT(macro.err, refused("ReadS3"));

    // Without the loop the macros run as before.
    const VekRun plain = Vek({"open", board, "read", "OUT", "macro", "Idle"});
    EXPECT_EQ(plain.status, kExitOk) << plain.err;
}

TEST_F(BadInput, ManyRegistersAtOneAddressAreCheckedWithEveryMessage) {
    // Thousands of alike registers at one address, one that fits them (apart from the others, the
    // same default), then one fault: its message once for each register above. (After the first
    // error the compile creates nothing more.)
    constexpr int kAlike = 3000;
    std::string alike = "#BeginRegisterList \"board.dll\"\n0: CHIP A1;\n";
    for (int r = 0; r < kAlike; ++r)
        alike += "1: R" + std::to_string(r) + " [0x01] = 0 b;\n";
    alike += "1: FINE [0x01] & 0xFE = 0 b;\n";
    const int faultLine = kAlike + 4;
    const auto check = [&](const std::string& fault, int count, const std::string& message) {
        const std::string board = Write("crowded.vek", alike + fault + "\n#EndRegisterList\n");
        std::string expected = "Parsing...\n" + board + "\n";
        for (int i = 0; i < count; ++i)
            expected += "Line " + std::to_string(faultLine) + " : error " + message + "\n";
        expected += (count == 0 ? "Linking...\n" : "") + std::string("crowded.vek - ") +
                    std::to_string(count) + " error(s)\n";
        const VekRun run = Vek({"check", board});
        EXPECT_EQ(run.status, count == 0 ? kExitOk : kExitErrors) << fault;
        // Compared as a whole, but only the first line that differs is shown.
        const auto differs =
            std::mismatch(run.out.begin(), run.out.end(), expected.begin(), expected.end());
        const std::size_t at = static_cast<std::size_t>(differs.first - run.out.begin());
        const std::size_t lineStart = run.out.rfind('\n', at == 0 ? 0 : at - 1);
        EXPECT_EQ(run.out.size(), expected.size()) << fault;
        EXPECT_TRUE(run.out == expected)
            << fault << ": first difference in line "
            << run.out.substr(lineStart == std::string::npos ? 0 : lineStart + 1, 80);
    };
    check("1: MORE [0x01] = 0 b;", 0, "");
    // Another default where the bits meet: with each alike register, not with FINE.
    check("1: ODD [0x01] & 0x01 = 1 b;", kAlike,
          "B15: Different default values defined for same register");
    // READ where BOTH registers are.
    check("1: IN [0x01] = 0 r;", kAlike + 1, "B14: Byte has different access type");
    // Another memory model.
    check("1: WIDE [0x01] = 0 D2.2 b;", kAlike + 1,
          "B18: Same address with different memory models");
}

// In the child of a death test: a save that may write no file larger than `size`.
void SaveWithinFileSize(const std::string& description, const std::string& values, rlim_t size) {
    const rlimit small{size, size};
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    setrlimit(RLIMIT_FSIZE, &small);
    Vek({"open", description, "--simulate", "save", values});
    _exit(0);
}

TEST_F(BadInput, AKilledSaveLeavesTheOldFileAndNoTemporaryAndTheNextSaveClearsStaleOnes) {
    const std::string values = Temp("board.vkg");
    ASSERT_EQ(Vek({"open", Example("demo.vek"), "--simulate", "save", values}).status, kExitOk);
    const std::string before = Read("board.vkg");
    // The save is ended half-way by the signal a write beyond the file-size limit raises.
    EXPECT_EXIT(SaveWithinFileSize(Example("demo.vek"), values, before.size() / 2),
                testing::KilledBySignal(SIGXFSZ), "");
    EXPECT_EQ(Read("board.vkg"), before);

    // What a save killed outright (SIGKILL) leaves: its temporary, of a process gone.
    const pid_t gone = fork();
    if (gone == 0)
        _exit(0);
    waitpid(gone, nullptr, 0);
    const std::string stale = Write("board.vkg.tmp-" + std::to_string(gone) + "-k1LLed", "half");
    const timespec old[2] = {{time(nullptr) - 600, 0}, {time(nullptr) - 600, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, stale.c_str(), old, 0), 0);
    ASSERT_EQ(Vek({"open", Example("demo.vek"), "--simulate", "save", values}).status, kExitOk);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"board.vkg"});
}

} // namespace
} // namespace vek
