#include "cli/process_exit.h"
#include "cli/vek_cli.h"

#include <gtest/gtest.h>

#include <algorithm>
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

    const VekRun none = Vek({});
    EXPECT_EQ(none.status, kExitUsage);
    EXPECT_NE(none.err.find("usage: vek"), std::string::npos);

    // A usage error is one line and where the help is, never the whole help.
    const struct {
        std::vector<std::string> args;
        const char* err;
    } cases[] = {
        {{"frobnicate"}, "vek: unknown command 'frobnicate'\nsee 'vek --help'\n"},
        {{"chek", "a.vek"},
         "vek: unknown command 'chek'; did you mean 'check'?\nsee 'vek --help'\n"},
        {{"--bogus"}, "vek: unknown option '--bogus'\nsee 'vek --help'\n"},
        {{"check"}, "vek: check takes one description file\nsee 'vek check --help'\n"},
        {{"check", "a.vek", "b.vek"},
         "vek: check takes one description file\nsee 'vek check --help'\n"},
        {{"check", "--bogus"}, "vek: unknown option '--bogus'\nsee 'vek check --help'\n"},
        {{"check", "a.vek", "--format=xml"},
         "vek: --format takes text, gcc or json, not 'xml'\nsee 'vek check --help'\n"},
        {{"tree", "a.vek", "--radix=oct"},
         "vek: --radix takes hex, dec or bin, not 'oct'\nsee 'vek tree --help'\n"},
        {{"names", "a.vek", "--macros=1"},
         "vek: '--macros' takes no value\nsee 'vek names --help'\n"},
        {{"open", "a.vek", "--yse"},
         "vek: unknown option '--yse'; did you mean '--yes'?\nsee 'vek open --help'\n"},
        {{"open", "a.vek", "raed", "X"},
         "vek: unknown operation 'raed'; did you mean 'read'?\nsee 'vek open --help'\n"},
        {{"open", "a.vek", "--time-limit"},
         "vek: '--time-limit' needs SECONDS\nsee 'vek open --help'\n"},
        {{"help", "opne"}, "vek: unknown command 'opne'; did you mean 'open'?\nsee 'vek --help'\n"},
    };
    for (const auto& c : cases) {
        const VekRun bad = Vek(c.args);
        EXPECT_EQ(bad.status, kExitUsage) << c.err;
        EXPECT_EQ(bad.out, "");
        EXPECT_EQ(bad.err, c.err);
    }
}

TEST(VekCli, VersionAndHelpAreThereInEveryFormPeopleType) {
    for (const char* version : {"--version", "-V"}) {
        const VekRun run = Vek({version});
        EXPECT_EQ(run.status, kExitOk);
        EXPECT_EQ(run.out, "vek (Tarvel) " VEK_VERSION "\n");
    }
    const std::string checkHelp = Vek({"check", "--help"}).out;
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"help", "check"}, {"check", "-h"}, {"check", "a.vek", "--help"}}) {
        const VekRun run = Vek(args);
        EXPECT_EQ(run.status, kExitOk);
        EXPECT_EQ(run.out, checkHelp);
    }
    const VekRun openHelp = Vek({"open", "a.vek", "--simulate", "-h"});
    EXPECT_EQ(openHelp.status, kExitOk);
    EXPECT_NE(openHelp.out.find("usage: vek open"), std::string::npos);

    // The summaries start in one column, whatever the length of the command names.
    const VekRun usage = Vek({"--help"});
    EXPECT_EQ(usage.out.find('\t'), std::string::npos);
    EXPECT_NE(usage.out.find("  check       compile"), std::string::npos);
    EXPECT_NE(usage.out.find("  completion  print"), std::string::npos);
}

TEST(VekCli, AfterTwoDashesNothingIsAnOption) {
    // A file whose name starts with a dash is a file after "--".
    const VekRun run = Vek({"check", "--", "--board.vek"});
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_EQ(run.err, "vek: cannot open '--board.vek': No such file or directory\n");
}

TEST(VekCli, CheckPrintsDiagnosticsAsCompilersDoForTools) {
    const std::string path = std::string(VEK_TEST_DATA_DIR) + "/check/syntax_errors.vek";
    const VekRun gcc = Vek({"check", "--format", "gcc", path});
    EXPECT_EQ(gcc.status, kExitErrors);
    // The column of a syntax error is its token's; the builder's errors have a line alone.
    EXPECT_EQ(gcc.out.substr(0, gcc.out.find('\n')),
              path + ":3:6: error: wrong syntax ';', expected A [P02]");
    EXPECT_EQ(std::count(gcc.out.begin(), gcc.out.end(), '\n'), 7);
    const std::string b09 = std::string(VEK_TEST_DATA_DIR) + "/check/b09_overwrites_device.vek";
    EXPECT_EQ(Vek({"check", b09, "--format=gcc"}).out,
              b09 + ":3: error: sum of length, shift overwrites previous address [B09]\n");

    const VekRun json = Vek({"check", b09, "--format=json"});
    EXPECT_EQ(json.status, kExitErrors);
    EXPECT_EQ(json.out, "{\"file\": \"" + b09 +
                            "\", \"errors\": 1, \"diagnostics\": [\n  {\"file\": \"" + b09 +
                            "\", \"line\": 3, \"column\": 0, \"severity\": \"error\", \"code\": "
                            "\"B09\", \"message\": \"sum of length, shift overwrites previous "
                            "address\"}\n]}\n");
    const std::string empty = std::string(VEK_TEST_DATA_DIR) + "/check/empty.vek";
    EXPECT_EQ(Vek({"check", empty, "--format", "gcc"}).out, "");
    EXPECT_EQ(Vek({"check", empty, "--format", "json"}).out,
              "{\"file\": \"" + empty + "\", \"errors\": 0, \"diagnostics\": []}\n");
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
