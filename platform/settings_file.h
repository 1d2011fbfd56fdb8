#pragma once

#include "platform/profile_file.h"

#include <string>

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

} // namespace vek
