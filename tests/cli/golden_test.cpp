// Whole compiles: every description under tests/data/check is run through `vek check`, and the
// output must equal the .out file beside it byte for byte ("@PATH@" stands for the path given).
#include "cli/vek_cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vek {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> GoldenCases(const char* folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(VEK_TEST_DATA_DIR) / folder)) {
        if (entry.path().extension() == ".vek")
            names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class CheckGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(CheckGolden, OutputMatchesTheExpectedFile) {
    const fs::path dir = fs::path(VEK_TEST_DATA_DIR) / "check";
    const std::string path = (dir / (GetParam() + ".vek")).string();
    std::string expected = ReadFile(dir / (GetParam() + ".out"));
    expected.replace(expected.find("@PATH@"), 6, path);

    std::ostringstream out, err;
    const int status = RunVek({"check", path}, out, err);
    EXPECT_EQ(out.str(), expected);
    EXPECT_EQ(err.str(), "");
    const bool clean = expected.find(" - 0 error(s)\n") != std::string::npos;
    EXPECT_EQ(status, clean ? kExitOk : kExitErrors);
}

INSTANTIATE_TEST_SUITE_P(Descriptions, CheckGolden, ::testing::ValuesIn(GoldenCases("check")),
                         [](const auto& testCase) { return testCase.param; });

// The trees under tests/data/tree, in each radix that has a NAME.<radix>.out file.
class TreeGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(TreeGolden, TreeMatchesTheExpectedFileInEachRadix) {
    const fs::path dir = fs::path(VEK_TEST_DATA_DIR) / "tree";
    const std::string path = (dir / (GetParam() + ".vek")).string();
    int radices = 0;
    for (const char* radix : {"hex", "dec", "bin"}) {
        const fs::path expected = dir / (GetParam() + "." + radix + ".out");
        if (!fs::exists(expected))
            continue;
        ++radices;
        std::ostringstream out, err;
        EXPECT_EQ(RunVek({"tree", path, "--radix", radix}, out, err), kExitOk) << err.str();
        EXPECT_EQ(out.str(), ReadFile(expected)) << radix;
    }
    EXPECT_GT(radices, 0);
}

INSTANTIATE_TEST_SUITE_P(Descriptions, TreeGolden, ::testing::ValuesIn(GoldenCases("tree")),
                         [](const auto& testCase) { return testCase.param; });

TEST(CheckExample, TheBundledDemoCompilesWithoutErrors) {
    std::ostringstream out, err;
    const std::string path = std::string(VEK_SOURCE_DIR) + "/examples/demo.vek";
    EXPECT_EQ(RunVek({"check", path}, out, err), kExitOk);
    EXPECT_NE(out.str().find("demo.vek - 0 error(s)\n"), std::string::npos);
}

} // namespace
} // namespace vek
