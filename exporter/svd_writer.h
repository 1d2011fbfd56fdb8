#pragma once

#include <string>

namespace vek {

struct ExportedDescription;

// The description as a CMSIS-SVD 1.3 device file, standard elements only: one peripheral per
// device, its registers flat, their bit fields and the fields' named values.
std::string SvdText(const ExportedDescription& description);

} // namespace vek
