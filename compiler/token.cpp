#include "compiler/token.h"

#include <string>

namespace vek {

std::string_view KeywordLiteral(int code) {
    for (const Keyword& keyword : kKeywords) {
        if (keyword.code == code)
            return keyword.literal;
    }
    return {};
}

std::string TokenDescription(int code) {
    const std::string_view literal = KeywordLiteral(code);
    if (!literal.empty())
        return "'" + std::string(literal) + "'";
    switch (code) {
    case tokStringLiteral:
        return "string";
    case tokHexConst:
        return "hexadecimal constant";
    case tokBinConst:
        return "dual constant";
    case tokDecConst:
        return "decimal constant";
    case tokAdrQualifier:
        return "A";
    case tokDataQualifier:
        return "D";
    case tokBitQualifier:
        return "B";
    case tokUnknown:
        return "unknown";
    case tokIdentifier:
        return "identifier";
    case tokEof:
        return "end of file";
    case tokByteOrderQualifier:
        return "O";
    default:
        return {};
    }
}

} // namespace vek
