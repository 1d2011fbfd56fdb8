#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vek {

class CShadowReg;

// How one shadow register's line of a register-values file was taken.
enum class ValueLoad {
    Missing,     // the file has no line for the register
    Taken,       // a value (or "not known") taken, and written where the register is written
    Unusable,    // a line that is not a value of the register's width
    WriteFailed, // a value taken whose write the device refused
};

// What loading a values file did over all registers, so that the document can say what was
// skipped and refuse a file of which nothing could be used.
struct ValuesLoadTally {
    // How many unusable lines are named in the message; the rest are counted.
    static constexpr std::size_t kNamedUnusable = 5;

    int taken = 0;
    int missing = 0;
    int unusable = 0;
    int failedWrites = 0;
    std::vector<std::string> firstUnusable; // "[section] key" of the first kNamedUnusable

    // Counts one register's result; an unusable line is named by its section and the
    // register's key, built only for the lines that are named.
    void Count(ValueLoad result, std::string_view section, const CShadowReg& reg);
};

} // namespace vek
