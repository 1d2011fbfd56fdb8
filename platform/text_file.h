#pragma once

#include <string>

namespace vek {

// Reads a whole file into `contents`. On failure returns false with the system's reason
// ("No such file or directory", "Is a directory", ...) in `error`.
bool ReadTextFile(const std::string& path, std::string& contents, std::string& error);

} // namespace vek
