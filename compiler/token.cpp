#include "compiler/token.h"

namespace vek {

std::string TokenDescription(int code) {
    if (code < 0 || code >= kTokenCount)
        return {};
    const TokenInfo& token = kTokens[code];
    if (!token.literal.empty())
        return "'" + std::string(token.literal) + "'";
    return std::string(token.className);
}

} // namespace vek
