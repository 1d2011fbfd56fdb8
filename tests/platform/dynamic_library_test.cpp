#include "platform/clock.h"
#include "platform/dynamic_library.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace vek {
namespace {

using ::testing::ElementsAre;

TEST(DynamicLibrary, DllNamesAreTriedAsWrittenThenAsSharedObjects) {
    EXPECT_THAT(LibraryFileCandidates("pardrv32.dll"),
                ElementsAre("pardrv32.dll", "pardrv32.so", "libpardrv32.so"));
    EXPECT_THAT(LibraryFileCandidates("TAPDRV32.DLL"),
                ElementsAre("TAPDRV32.DLL", "TAPDRV32.so", "libTAPDRV32.so"));
    EXPECT_THAT(LibraryFileCandidates("libfoo.so"), ElementsAre("libfoo.so"));
}

TEST(DynamicLibrary, ADriverNamedAsOnWindowsIsFoundBesideTheProgram) {
    std::string error;
    auto library = DynamicLibrary::Load("testdrv.dll", {"/nonexistent", VEK_BIN_DIR}, error);
    ASSERT_NE(library, nullptr) << error;
    EXPECT_EQ(library->Path(), std::string(VEK_BIN_DIR) + "/libtestdrv.so");
    EXPECT_NE(library->Symbol("VekOpen"), nullptr);
    EXPECT_EQ(library->Symbol("NoSuchFunction"), nullptr);
}

TEST(DynamicLibrary, AMissingLibraryGivesAReason) {
    std::string error;
    EXPECT_EQ(DynamicLibrary::Load("nodriver.dll", {VEK_BIN_DIR}, error), nullptr);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(DynamicLibrary::Load("", {VEK_BIN_DIR}, error), nullptr);
}

TEST(DynamicLibrary, DriverDirectoriesComeFromTheEnvironmentThenTheDescription) {
    setenv("VEK_DRIVER_PATH", "/opt/a::/opt/b", 1);
    const auto directories = DriverSearchDirectories("/boards/demo.vek");
    unsetenv("VEK_DRIVER_PATH");
    ASSERT_EQ(directories.size(), 4u);
    EXPECT_EQ(directories[0], "/opt/a");
    EXPECT_EQ(directories[1], "/opt/b");
    EXPECT_EQ(directories[2], "/boards");
    EXPECT_EQ(directories[3], ProgramDirectory());
    EXPECT_EQ(DriverSearchDirectories("demo.vek")[0], ".");
}

TEST(Clock, WaitsAtLeastTheGivenTime) {
    const std::uint32_t start = TickCount();
    WaitMilliseconds(20);
    EXPECT_GE(static_cast<std::uint32_t>(TickCount() - start), 20u);
}

} // namespace
} // namespace vek
