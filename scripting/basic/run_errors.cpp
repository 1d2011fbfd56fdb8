#include "scripting/basic/run_errors.h"

#include <cerrno>

namespace vek::basic {

RunError FileErrorOf(int systemError) {
    switch (systemError) {
    case ENOENT:
        return RunError::FileNotFound;
    case ENOTDIR:
        return RunError::PathNotFound;
    default:
        return RunError::PathFileAccess;
    }
}

std::string RunErrorText(int number) {
    struct Entry {
        int number;
        const char* text;
    };
    static constexpr Entry kEntries[] = {
#define VEK_BASIC_RUN_ERROR_ENTRY(name, num, text) {num, text},
        VEK_BASIC_RUN_ERRORS(VEK_BASIC_RUN_ERROR_ENTRY)
#undef VEK_BASIC_RUN_ERROR_ENTRY
    };
    for (const Entry& entry : kEntries) {
        if (entry.number == number) {
            return entry.text;
        }
    }
    return RunErrorText(static_cast<int>(RunError::ApplicationDefined));
}

} // namespace vek::basic
