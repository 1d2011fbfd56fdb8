#include "settings_file.h"

#include "platform/settings_location.h"

namespace vek {

std::string PcalhIoPath() {
    return SettingsFilePath(kPcalhIoOverrideVariable, kPcalhIoFileName);
}

ProfileFile ReadSettingsFile(const std::string& path) {
    ProfileFile settings(path);
    // A file that cannot be read leaves the profile empty.
    settings.Load();
    return settings;
}

} // namespace vek
