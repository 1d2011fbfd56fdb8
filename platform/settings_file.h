#pragma once

#include "platform/profile_file.h"

#include <string>

namespace vek {

// Where a settings file of the system lives: the path in the environment variable
// `overrideVariable` when that is set and not empty; otherwise "tarvel/<fileName>" in the user's
// configuration folder ($XDG_CONFIG_HOME, else $HOME/.config). Empty when neither variable gives a
// folder.
std::string SettingsFilePath(const char* overrideVariable, const char* fileName);

// The settings file of that place, for a library that has no one to tell about it: a file that
// is missing or cannot be read gives every setting its default.
ProfileFile ReadSettingsFile(const char* overrideVariable, const char* fileName);

} // namespace vek
