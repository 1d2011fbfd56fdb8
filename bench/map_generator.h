#pragma once

#include <string>

namespace vek {

// A CMSIS-SVD file of `peripherals` peripherals of `registers` 32-bit registers with `fields`
// one-bit fields each, the fields of one register in ten with two enumerated values: the shape
// of a vendor's map.
std::string GenerateSvd(int peripherals, int registers, int fields);

} // namespace vek
