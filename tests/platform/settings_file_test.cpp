#include "platform/settings_file.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

namespace vek {
namespace {

// Runs a check with the three variables set as given (nullptr: unset) and restores them.
class EnvironmentScope {
public:
    EnvironmentScope(const char* override, const char* xdg, const char* home) {
        Set("VEK_TEST_SETTINGS", override);
        Set("XDG_CONFIG_HOME", xdg);
        Set("HOME", home);
    }
    ~EnvironmentScope() {
        for (const auto& [name, value] : saved_) {
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
        }
    }

private:
    void Set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

std::string Path() {
    return SettingsFilePath("VEK_TEST_SETTINGS", "pcalh_io.ini");
}

TEST(SettingsLocationTest, TheVariableOverridesTheConfigurationFolder) {
    EnvironmentScope scope("/tmp/mine.ini", "/xdg", "/home/u");
    EXPECT_EQ(Path(), "/tmp/mine.ini");
}

TEST(SettingsLocationTest, TheUsersConfigurationFolderHoldsATarvelFolder) {
    {
        EnvironmentScope scope("", "/xdg", "/home/u");
        EXPECT_EQ(Path(), "/xdg/tarvel/pcalh_io.ini");
    }
    {
        EnvironmentScope scope(nullptr, nullptr, "/home/u");
        EXPECT_EQ(Path(), "/home/u/.config/tarvel/pcalh_io.ini");
    }
    {
        EnvironmentScope scope(nullptr, nullptr, nullptr);
        EXPECT_EQ(Path(), "");
    }
}

TEST(SettingsLocationTest, AMissingFileGivesTheDefaultsAndOneThatCannotBeReadIsAFailure) {
    const std::string folder = testing::TempDir() + "vek_settings_" + std::to_string(getpid());
    std::filesystem::create_directories(folder + "/folder.ini");
    std::ofstream(folder + "/present.ini") << "[I2CBus]\nTimeout=4\n";
    const auto read = [](const std::string& path) {
        EnvironmentScope scope(path.c_str(), nullptr, nullptr);
        return ReadSettingsFile("VEK_TEST_SETTINGS", "x.ini");
    };
    Result<ProfileFile> present = read(folder + "/present.ini");
    ASSERT_TRUE(present);
    EXPECT_EQ(present.Value().GetInt("I2CBus", "Timeout", 10), 4);
    Result<ProfileFile> absent = read(folder + "/absent.ini");
    ASSERT_TRUE(absent);
    EXPECT_TRUE(absent.Value().Keys("I2CBus").empty());

    EXPECT_EQ(read(folder + "/folder.ini").Error().text, folder + "/folder.ini: Is a directory");
    EXPECT_EQ(read("/dev/zero").Error().text,
              "/dev/zero: larger than 64 MiB, the most a profile file may have");
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace vek
