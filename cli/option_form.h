#pragma once

namespace vek {

// An option of a command or an operation. `value` names its value as the usage text and the
// shell's completion show it ("FILE.vkg", "text|csv|json", "MS"); null for a switch.
struct OptionForm {
    const char* name;
    const char* value;
};

} // namespace vek
