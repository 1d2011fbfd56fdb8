#pragma once

#include <string>

namespace vek::bench {

// A register description of `devices` devices, each with `registers` one-byte... four-byte
// registers that carry `bitFields` bit fields each, a set, a variable and a macro: the shape
// of a real board description, grown to any size. Every line is valid.
// The devices are reached through `driverFile` ("testdrv.dll" for runs through the test driver).
std::string GenerateDescription(int devices, int registers, int bitFields,
                                const std::string& driverFile = "pardrv32.dll");

// The number of lines GenerateDescription gives for these sizes.
long GeneratedLineCount(int devices, int registers, int bitFields);

} // namespace vek::bench
