#include "platform/settings_file.h"

#include <cstdlib>
#include <optional>

namespace vek {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

} // namespace

std::string SettingsFilePath(const char* overrideVariable, const char* fileName) {
    if (std::string path = Environment(overrideVariable); !path.empty()) {
        return path;
    }
    std::string folder = Environment("XDG_CONFIG_HOME");
    if (folder.empty()) {
        const std::string home = Environment("HOME");
        if (home.empty()) {
            return {};
        }
        folder = home + "/.config";
    }
    return folder + "/tarvel/" + fileName;
}

Result<ProfileFile> ReadSettingsFile(const char* overrideVariable, const char* fileName) {
    ProfileFile settings(SettingsFilePath(overrideVariable, fileName));
    if (Result<void> loaded = settings.Load(); !loaded) {
        return loaded.Error();
    }
    return settings;
}

std::string SettingFault(std::string_view key, std::string_view text) {
    return "bad " + std::string(key) + " '" + std::string(text) + "'";
}

std::int64_t ReadNumberSetting(const ProfileFile& settings, std::string_view section,
                               const NumberSetting& setting, const std::string& faultPrefix,
                               std::vector<std::string>& problems) {
    const std::optional<std::string> text = settings.Value(section, setting.key);
    if (!text) {
        return setting.fallback;
    }
    const std::optional<std::int64_t> value = WholeInteger(*text, setting.prefixes);
    if (!value || *value < setting.low || *value > setting.high) {
        problems.push_back(faultPrefix + SettingFault(setting.key, *text));
        return setting.fallback;
    }
    return *value;
}

} // namespace vek
