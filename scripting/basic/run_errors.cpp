#include "scripting/basic/run_errors.h"

namespace vek::basic {

std::string RunErrorText(int number) {
    switch (number) {
#define VEK_BASIC_RUN_ERROR_CASE(name, num, text)                                                  \
    case num:                                                                                      \
        return text;
        VEK_BASIC_RUN_ERRORS(VEK_BASIC_RUN_ERROR_CASE)
#undef VEK_BASIC_RUN_ERROR_CASE
    default:
        return "Application-defined or object-defined error";
    }
}

} // namespace vek::basic
