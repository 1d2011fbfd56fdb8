#pragma once

#include "scripting/basic/run_errors.h"

#include <string_view>

namespace vek::basic {

// The Like operator: whether `text` matches `pattern`, whose ? is any one character, * any run of
// characters (none included), # one digit, [list] one character of the list (ranges such as A-Z
// allowed) and [!list] one not in it; [, ?, # and * inside brackets stand for themselves.
// `ignoreCase` under Option Compare Text. A bracket left open or a descending range is error 93.
RunError MatchLike(std::string_view text, std::string_view pattern, bool ignoreCase, bool& matches);

} // namespace vek::basic
