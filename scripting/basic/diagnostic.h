#pragma once

#include <string>

namespace vek::basic {

// A compile error: where it is and what was expected there.
struct Diagnostic {
    std::string module;
    int line = 0;
    int column = 0;
    std::string message;

    // "module(line,column): message"
    std::string ToString() const {
        return module + "(" + std::to_string(line) + "," + std::to_string(column) + "): " + message;
    }
};

} // namespace vek::basic
