#include "description_generator.h"

#include <cstdio>
#include <string>

namespace vek::bench {

namespace {

// Lines around the registers: list head and end, per device its header, set and variable, and
// a macro of three lines at the end.
constexpr long kFixedLines = 2 + 3;
constexpr long kLinesPerDevice = 3;

} // namespace

long GeneratedLineCount(int devices, int registers, int bitFields) {
    return kFixedLines + static_cast<long>(devices) *
                             (kLinesPerDevice + static_cast<long>(registers) * (1 + bitFields));
}

long GeneratedItemCount(int devices, int registers, int bitFields) {
    // Per device: the device, its set, its variable and the registers with their bit fields.
    return 1 + static_cast<long>(devices) * (3 + static_cast<long>(registers) * (1 + bitFields));
}

std::string GenerateDescription(int devices, int registers, int bitFields,
                                const std::string& driverFile, NameStyle names) {
    std::string text;
    text.reserve(static_cast<std::size_t>(GeneratedLineCount(devices, registers, bitFields)) * 40);
    char line[160];
    // The device's number in every name that it defines, or in none.
    const bool unique = names == NameStyle::Unique;
    const auto owner = [unique](int d) { return unique ? std::to_string(d) + "_" : std::string(); };
    text += "#BeginRegisterList \"" + driverFile + "\"\n";
    for (int d = 0; d < devices; ++d) {
        // Four address bytes: the device takes the top one, registers the two lowest.
        std::snprintf(line, sizeof line, "0: DEV%d A4 D1 [0x%02X] << 3.1;\n", d, d % 256);
        text += line;
        std::snprintf(line, sizeof line, "1: \"Block %d\" [0x00] << 2.1 b; 2:\n", d);
        text += line;
        const std::string prefix = owner(d);
        for (int r = 0; r < registers; ++r) {
            // The first register completes the set's block; the others return to its label.
            std::snprintf(line, sizeof line, "%s R%s%d [0x%04X] << 0.2 & 0xFF = 0x%02X;\n",
                          r == 0 ? "  " : "2:", prefix.c_str(), r, r % 65536, r % 256);
            text += line;
            for (int b = 0; b < bitFields; ++b) {
                std::snprintf(line, sizeof line, "   F%s%d_%d [0x%04X] << 0.2 & 0x%02X;\n",
                              prefix.c_str(), r, b, r % 65536, 1u << (b % 8));
                text += line;
            }
        }
        std::snprintf(line, sizeof line, "1: $ V%s = %d B8;\n",
                      unique ? std::to_string(d).c_str() : "", d % 256);
        text += line;
    }
    text +=
        "#EndRegisterList\n#BeginMacro Init P\n[DEV0]\n   R" + owner(0) + "0 = 0x21;\n#EndMacro\n";
    return text;
}

} // namespace vek::bench
