#pragma once

#include "platform/number_text.h"
#include "platform/profile_file.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vek {

// Where a settings file of the system lives: the path in the environment variable
// `overrideVariable` when that is set and not empty; otherwise "tarvel/<fileName>" in the user's
// configuration folder ($XDG_CONFIG_HOME, else $HOME/.config). Empty when neither variable gives a
// folder.
std::string SettingsFilePath(const char* overrideVariable, const char* fileName);

// The settings file of that place. A missing file (or no place at all) is an empty profile, which
// gives every setting its default; a file that cannot be read, is not a file or is larger than
// kProfileFileLimit is a failure whose text names the file and the reason, for the library to
// show rather than to work on defaults the user did not choose.
Result<ProfileFile> ReadSettingsFile(const char* overrideVariable, const char* fileName);

// A faulty entry of a settings file as the drivers report one: "bad <key> '<text>'".
std::string SettingFault(std::string_view key, std::string_view text);

// A whole-number setting: its key, the radix prefixes it may be written with, the values it may
// take and the value without the key.
struct NumberSetting {
    const char* key;
    RadixPrefixes prefixes;
    std::int64_t low;
    std::int64_t high;
    std::int64_t fallback;
};

// The setting's value in `section`, or its fallback when the key is absent. A value that is not one
// whole number within the setting's range is a fault: it is added to `problems` as `faultPrefix`
// followed by its SettingFault, and the fallback is given, so that no fault is taken for a number
// the file does not say.
std::int64_t ReadNumberSetting(const ProfileFile& settings, std::string_view section,
                               const NumberSetting& setting, const std::string& faultPrefix,
                               std::vector<std::string>& problems);

} // namespace vek
