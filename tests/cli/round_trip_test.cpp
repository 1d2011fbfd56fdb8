// A vendor's map imported, exported as SVD and imported again gives the same description: every
// register, address, width, default, access, mark, bit field and value text.
#include "vek_run.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <sstream>
#include <string>

namespace vek {
namespace {

// The description without its comment lines, which hold the help texts the language cannot.
std::string WithoutComments(const std::string& text) {
    std::istringstream lines(text);
    std::string kept;
    for (std::string line; std::getline(lines, line);) {
        if (line.find_first_not_of(' ') == std::string::npos ||
            line.compare(line.find_first_not_of(' '), 2, "//") != 0)
            kept += line + "\n";
    }
    return kept;
}

class RoundTrip : public VekFolderTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(RoundTrip, ImportExportImportGivesTheSameDescription) {
    const std::string map = GetParam();
    if (!std::filesystem::exists(map))
        GTEST_SKIP() << map << " is not here";
    const VekRun first = Vek({"import", map, "-o", Temp("first.vek")});
    ASSERT_EQ(first.status, 0) << first.err;
    const VekRun exported =
        Vek({"export", Temp("first.vek"), "--format", "svd", "-o", Temp("exported.svd")});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.err, "") << "nothing an import writes is left out of the export";
    const VekRun second = Vek({"import", Temp("exported.svd"), "-o", Temp("second.vek")});
    ASSERT_EQ(second.status, 0) << second.err;
    const std::string expected = WithoutComments(Read("first.vek"));
    ASSERT_NE(expected.find("1: "), std::string::npos) << "the map has registers";
    EXPECT_EQ(WithoutComments(Read("second.vek")), expected);
}

INSTANTIATE_TEST_SUITE_P(
    OwnAndVendorsMaps, RoundTrip,
    ::testing::Values(std::string(VEK_TEST_DATA_DIR) + "/import/rules.svd",
                      std::string(VEK_TEST_DATA_DIR) + "/import/rules-2014.xml",
                      std::string(VEK_TEST_DATA_DIR) + "/import/rules-2009.xml",
                      std::string(VEK_SHARED_SVD_DIR) + "/CMSDK_CM3.svd",
                      std::string(VEK_SHARED_SVD_DIR) + "/STM32F100xx.svd",
                      std::string(VEK_SHARED_SVD_DIR) + "/STM32F405.svd",
                      std::string(VEK_SHARED_SVD_DIR) + "/nrf51.svd",
                      std::string(VEK_SHARED_SVD_DIR) + "/rp2040.svd"),
    [](const ::testing::TestParamInfo<std::string>& param) {
        std::string name = std::filesystem::path(param.param).filename().string();
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
        return name;
    });

} // namespace
} // namespace vek
