#include "platform/clock.h"
#include "platform/dynamic_library.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

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
    EXPECT_EQ(error, "'nodriver.dll' not found in the driver folders");
    EXPECT_EQ(DynamicLibrary::Load("", {VEK_BIN_DIR}, error), nullptr);
    EXPECT_FALSE(error.empty());
}

TEST(DynamicLibrary, ANameIsAFileNameInTheDirectoriesOnly) {
    for (const std::string& name :
         {std::string(VEK_BIN_DIR) + "/libtestdrv.so", std::string("../bin/libtestdrv.so"),
          std::string("sub\\libtestdrv.so"), std::string("."), std::string(".."),
          std::string("libtestdrv.so\0/x", 16)}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(IsPlainLibraryName(name));
        std::string error;
        EXPECT_EQ(DynamicLibrary::Load(name, {VEK_BIN_DIR}, error), nullptr);
        EXPECT_THAT(error, ::testing::HasSubstr("not by a path"));
    }
    EXPECT_TRUE(IsPlainLibraryName("..pardrv32.dll"));
    // A library the system's search would find is not looked for there.
    std::string error;
    EXPECT_EQ(DynamicLibrary::Load("libc.so.6", {"/nonexistent"}, error), nullptr);
    EXPECT_EQ(DynamicLibrary::Load("libc.so.6", {}, error), nullptr);
}

TEST(DynamicLibrary, TheFirstFileFoundIsTheResultEvenWhenItDoesNotLoad) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("vek_broken_driver_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "libtestdrv.so") << std::string(4096, '?');
    std::string error;
    EXPECT_EQ(DynamicLibrary::Load("testdrv.dll", {folder.string(), VEK_BIN_DIR}, error), nullptr);
    EXPECT_THAT(error, ::testing::HasSubstr((folder / "libtestdrv.so").string()));
    std::filesystem::remove_all(folder);
}

TEST(DynamicLibrary, ALibraryOfARelativeFolderIsGivenItsAbsolutePath) {
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(VEK_BIN_DIR);
    std::string error;
    auto library = DynamicLibrary::Load("testdrv.dll", {"."}, error);
    std::filesystem::current_path(before);
    ASSERT_NE(library, nullptr) << error;
    EXPECT_EQ(library->Path(), std::string(VEK_BIN_DIR) + "/libtestdrv.so");
    EXPECT_TRUE(IsInProgramDirectory(library->Path()));
    EXPECT_FALSE(IsInProgramDirectory("/libtestdrv.so"));
}

TEST(DynamicLibrary, DriverDirectoriesAreTheNamedOnesThenTheProgramsNeverTheDescriptions) {
    setenv("VEK_DRIVER_PATH", "/opt/a::/opt/b", 1);
    const auto directories = DriverSearchDirectories({{"/cli"}, {"/set/a", "/set/b"}});
    unsetenv("VEK_DRIVER_PATH");
    EXPECT_THAT(directories,
                ElementsAre("/cli", "/opt/a", "/opt/b", "/set/a", "/set/b", ProgramDirectory()));
    EXPECT_THAT(DriverSearchDirectories({}), ElementsAre(ProgramDirectory()));
    EXPECT_THAT(SplitFolderList(":/x::y:"), ElementsAre("/x", "y"));
}

TEST(Clock, WaitsAtLeastTheGivenTime) {
    const std::uint32_t start = TickCount();
    WaitMilliseconds(20);
    EXPECT_GE(static_cast<std::uint32_t>(TickCount() - start), 20u);
}

} // namespace
} // namespace vek
