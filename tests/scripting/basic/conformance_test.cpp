// Runs every program under programs/ and checks it against the expectations written in it.
#include "program_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vek::basic {
namespace {

std::vector<std::string> ProgramNames() {
    std::vector<std::string> names;
    const std::filesystem::path dir =
        std::filesystem::path(VEK_SOURCE_DIR) / "tests/scripting/basic/programs";
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() == ".bas") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

class Conformance : public testing::TestWithParam<std::string> {};

TEST_P(Conformance, PrintsWhatItExpects) {
    const std::filesystem::path file = std::filesystem::path(VEK_SOURCE_DIR) /
                                       "tests/scripting/basic/programs" / (GetParam() + ".bas");
    std::ifstream in(file, std::ios::binary);
    ASSERT_TRUE(in) << file;
    std::stringstream buffer;
    buffer << in.rdbuf();
    CheckProgram(GetParam(), buffer.str());
}

INSTANTIATE_TEST_SUITE_P(Programs, Conformance, testing::ValuesIn(ProgramNames()),
                         [](const testing::TestParamInfo<std::string>& param) {
                             return param.param;
                         });

} // namespace
} // namespace vek::basic
