#pragma once

#include <string>

namespace vek {

// Where a settings file of the system lives: the path in the environment variable
// `overrideVariable` when that is set and not empty; otherwise "tarvel/<fileName>" in the user's
// configuration folder ($XDG_CONFIG_HOME, else $HOME/.config). Empty when neither variable gives a
// folder.
std::string SettingsFilePath(const char* overrideVariable, const char* fileName);

} // namespace vek
