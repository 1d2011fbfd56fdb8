#pragma once

#include <string_view>

namespace vek {

// The Basic functions every script may call besides the extension's methods: Inc, Dec,
// LeftShift and RightShift. The text is handed to the engine as code shared by all modules.
extern const std::string_view kUtilityFunctions;

} // namespace vek
