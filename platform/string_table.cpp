#include "platform/string_table.h"

namespace vek {

std::string_view LoadString(int number) {
    switch (number) {
#define VEK_STRING_CASE(name, num, text)                                                           \
    case num:                                                                                      \
        return text;
        VEK_STRING_TABLE(VEK_STRING_CASE)
#undef VEK_STRING_CASE
    default:
        return {};
    }
}

std::string_view LoadString(StringId id) {
    return LoadString(static_cast<int>(id));
}

} // namespace vek
