#pragma once

#include "scripting/basic/variant.h"

#include <string>

namespace vek::basic {

// A value the way a watch window shows it: strings quoted, arrays with their bounds
// (Long(0 To 3)), records with their members (Point {x = 1, y = 2}).
std::string DescribeValue(const Variant& value);

} // namespace vek::basic
