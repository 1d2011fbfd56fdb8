#include "ui/commands/ui_strings.h"

namespace vek {

const char* UiString(UiStringId id) {
    switch (id) {
#define VEK_UI_STRING_CASE(name, number, text)                                                     \
    case UiStringId::name:                                                                         \
        return text;
        VEK_UI_STRINGS(VEK_UI_STRING_CASE)
#undef VEK_UI_STRING_CASE
    }
    return "";
}

} // namespace vek
