#include "platform/settings_file.h"

#include <cstdlib>

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

} // namespace vek
