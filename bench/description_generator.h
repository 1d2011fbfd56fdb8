#pragma once

#include <string>

namespace vek::bench {

// How the generated devices name their registers, bit fields and variable: each name once in
// the whole description, or the same names in every device, as a board of identical chips does.
enum class NameStyle { Unique, Repeated };

// A register description of `devices` devices, each with `registers` one-byte... four-byte
// registers that carry `bitFields` bit fields each, a set, a variable and a macro: the shape
// of a real board description, grown to any size. Every line is valid.
// The devices are reached through `driverFile` ("testdrv.dll" for runs through the test driver).
std::string GenerateDescription(int devices, int registers, int bitFields,
                                const std::string& driverFile = "pardrv32.dll",
                                NameStyle names = NameStyle::Unique);

// The number of lines GenerateDescription gives for these sizes.
long GeneratedLineCount(int devices, int registers, int bitFields);
// The number of register items it describes: driver line, devices, sets, registers, bit fields
// and variables.
long GeneratedItemCount(int devices, int registers, int bitFields);

} // namespace vek::bench
