#pragma once

#include <string>

namespace vek {

class Host;

// Whether the description can be read; the system's reason when not.
bool CanReadDescription(const std::string& path, std::string& reason);

// Compiles the description, sending the output window's lines to the host; returns the error
// count.
int CompileDescription(const std::string& path, Host& host);

// "<file name> - <n> error(s)", the file name being the text after the last "/" or "\".
std::string CompileSummary(const std::string& path, int errors);

} // namespace vek
