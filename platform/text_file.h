#pragma once

#include "platform/result.h"

#include <string>

namespace vek {

// Reads a whole file. A failure's text is the system's reason ("No such file or directory",
// "Is a directory", ...).
Result<std::string> ReadTextFile(const std::string& path);

} // namespace vek
