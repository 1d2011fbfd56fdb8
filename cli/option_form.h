#pragma once

namespace vek {

// An option of a command or an operation. `value` names its value as the usage text and the
// shell's completion show it ("FILE.vkg", "text|csv|json", "MS"); null for a switch. `shortName`
// is the one-letter form ('y' for -y) of the options people type most; 0 for none.
struct OptionForm {
    const char* name;
    const char* value;
    char shortName = 0;
};

} // namespace vek
