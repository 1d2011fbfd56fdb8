// Results as the tests compare them.
#pragma once

#include "platform/result.h"

#include <string>

namespace vek::test {

// "" for a success, else the failure's text.
inline std::string OutcomeText(const Result<void>& result) {
    return result ? std::string() : result.Error().text;
}

} // namespace vek::test
