#include "cli/process_exit.h"
#include "cli/vek_cli.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace vek {
namespace {

struct VekRun {
    int status;
    std::string out;
    std::string err;
};

VekRun Vek(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = RunVek(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(VekCli, FilesThatCannotBeOpenedAreUsageErrorsWithNothingOnStandardOutput) {
    const VekRun missing = Vek({"check", "/no/such/board.vek"});
    EXPECT_EQ(missing.status, kExitUsage);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "vek: cannot open '/no/such/board.vek': No such file or directory\n");

    const VekRun directory = Vek({"check", VEK_TEST_DATA_DIR});
    EXPECT_EQ(directory.status, kExitUsage);
    EXPECT_EQ(directory.out, "");
    EXPECT_EQ(directory.err,
              "vek: cannot open '" + std::string(VEK_TEST_DATA_DIR) + "': Is a directory\n");
}

TEST(VekCli, HelpIsOnStandardOutputAndUsageErrorsOnStandardError) {
    const VekRun help = Vek({"--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_NE(help.out.find("check"), std::string::npos);

    const VekRun checkHelp = Vek({"check", "--help"});
    EXPECT_EQ(checkHelp.status, kExitOk);
    EXPECT_NE(checkHelp.out.find("usage: vek check FILE.vek"), std::string::npos);

    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {"frobnicate"}, {"check"}, {"check", "a.vek", "b.vek"}, {"check", "--bogus"}}) {
        const VekRun bad = Vek(args);
        EXPECT_EQ(bad.status, kExitUsage);
        EXPECT_EQ(bad.out, "");
        EXPECT_NE(bad.err.find("usage: vek"), std::string::npos);
    }
}

TEST(VekCli, TheSummaryNamesTheFileAfterItsLastSeparator) {
    const std::string path = std::string(VEK_TEST_DATA_DIR) + "/check/empty.vek";
    const VekRun run = Vek({"check", path});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.out, "Parsing...\n" + path + "\nLinking...\nempty.vek - 0 error(s)\n");
}

TEST(VekTree, ADescriptionWithErrorsPrintsItsDiagnosticsAndNoTree) {
    const std::string path = std::string(VEK_TEST_DATA_DIR) + "/check/b09_overwrites_device.vek";
    const VekRun run = Vek({"tree", path});
    EXPECT_EQ(run.status, kExitErrors);
    EXPECT_EQ(run.out,
              "Parsing...\n" + path +
                  "\nLine 3 : error B09: sum of length, shift overwrites previous address\n"
                  "b09_overwrites_device.vek - 1 error(s)\n");
}

TEST(VekTree, ArgumentsAreChecked) {
    EXPECT_EQ(Vek({"tree"}).status, kExitUsage);
    EXPECT_EQ(Vek({"tree", "a.vek", "--radix", "oct"}).status, kExitUsage);
    EXPECT_EQ(Vek({"tree", "a.vek", "b.vek"}).status, kExitUsage);
    EXPECT_EQ(Vek({"tree", "/no/such.vek"}).status, kExitUsage);
    const VekRun help = Vek({"tree", "--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_NE(help.out.find("--radix hex|dec|bin"), std::string::npos);
}

TEST(ProcessExit, WhatACommandLeavesIsFreedAtOnceUnlessTheProcessEndsAfterIt) {
    const auto token = std::make_shared<int>(0);
    struct Holder {
        std::shared_ptr<int> token;
    };
    LeaveToProcessExit(Holder{token});
    EXPECT_EQ(token.use_count(), 1) << "a command run in process frees what it built";
    SetProcessEndsAfterCommand(true);
    LeaveToProcessExit(Holder{token});
    SetProcessEndsAfterCommand(false);
    EXPECT_EQ(token.use_count(), 2) << "left to the end of the process";
}

} // namespace
} // namespace vek
