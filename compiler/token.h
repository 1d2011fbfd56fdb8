#pragma once

#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

namespace vek {

// The one list of the description language's tokens. Each line: name, code, literal (for a
// keyword: the exact text the scanner matches, case-sensitive) and, for a token class, the name a
// syntax error uses for it. The codes are fixed: the grammar and the diagnostics refer to them by
// number. The list generates the Token enum, the scanner's keyword table and the descriptions of
// expected tokens.
#define VEK_TOKENS(X)                                                                              \
    X(tokVariable, 0, "$", "")                                                                     \
    X(tokRoot, 1, "0:", "")                                                                        \
    X(tokBoth_Cap_Attribute, 2, "B", "")                                                           \
    X(tokRd_Cap_Attribute, 3, "R", "")                                                             \
    X(tokWr_Cap_Attribute, 4, "W", "")                                                             \
    X(tokProt_Cap_Attribute, 5, "F", "")                                                           \
    X(tokStat_Cap_Attribute, 6, "S", "")                                                           \
    X(tokBothAttribute, 7, "b", "")                                                                \
    X(tokRdAttribute, 8, "r", "")                                                                  \
    X(tokWrAttribute, 9, "w", "")                                                                  \
    X(tokProtAttribute, 10, "f", "")                                                               \
    X(tokStatAttribute, 11, "s", "")                                                               \
    X(tokRdMacro, 12, "R{", "")                                                                    \
    X(tokWrMacro, 13, "W{", "")                                                                    \
    X(tokSqrBrkOpen, 14, "[", "")                                                                  \
    X(tokSqrBrkClose, 15, "]", "")                                                                 \
    X(tokCurBrkOpen, 16, "{", "")                                                                  \
    X(tokCurBrkClose, 17, "}", "")                                                                 \
    X(tokRndBrkOpen, 18, "(", "")                                                                  \
    X(tokRndBrkClose, 19, ")", "")                                                                 \
    X(tokMask, 20, "&", "")                                                                        \
    X(tokAssignment, 21, "=", "")                                                                  \
    X(tokHelp, 22, "?", "")                                                                        \
    X(tokLabel, 23, ":", "")                                                                       \
    X(tokPoint, 24, ".", "")                                                                       \
    X(tokEndStatement, 25, ";", "")                                                                \
    X(tokConcatenate, 26, ",", "")                                                                 \
    X(tokBegRegister, 27, "#BeginRegisterList", "")                                                \
    X(tokEndRegister, 28, "#EndRegisterList", "")                                                  \
    X(tokBegMacro, 29, "#BeginMacro", "")                                                          \
    X(tokEndMacro, 30, "#EndMacro", "")                                                            \
    X(tokShift, 31, "<<", "")                                                                      \
    X(tokSleep, 32, "sleep", "")                                                                   \
    X(tokStringLiteral, 33, "", "string")                                                          \
    X(tokHexConst, 34, "", "hexadecimal constant")                                                 \
    X(tokBinConst, 35, "", "dual constant")                                                        \
    X(tokDecConst, 36, "", "decimal constant")                                                     \
    X(tokAdrQualifier, 37, "", "A")                                                                \
    X(tokDataQualifier, 38, "", "D")                                                               \
    X(tokBitQualifier, 39, "", "B")                                                                \
    X(tokUnknown, 40, "", "unknown")                                                               \
    X(tokIdentifier, 41, "", "identifier")                                                         \
    X(tokEof, 42, "", "end of file")                                                               \
    X(tokByteOrderQualifier, 43, "", "O")                                                          \
    X(tokP, 44, "P", "")                                                                           \
    X(tokSL, 45, "SL", "")                                                                         \
    X(tokTC, 46, "TC", "")                                                                         \
    X(tokBegBasic, 47, "#BeginBasic", "")                                                          \
    X(tokEndBasic, 48, "#EndBasic", "")                                                            \
    X(tokL, 49, "L", "")                                                                           \
    X(tokReadEffect, 50, "!", "")

enum Token : int {
#define VEK_TOKEN_ENUM(name, code, literal, className) name = code,
    VEK_TOKENS(VEK_TOKEN_ENUM)
#undef VEK_TOKEN_ENUM
};

struct TokenInfo {
    Token code;
    std::string_view literal;   // empty for a token class
    std::string_view className; // empty for a keyword
};

// Every token, indexed by its code.
inline constexpr TokenInfo kTokens[] = {
#define VEK_TOKEN_INFO(name, code, literal, className) {name, literal, className},
    VEK_TOKENS(VEK_TOKEN_INFO)
#undef VEK_TOKEN_INFO
};

inline constexpr int kTokenCount = static_cast<int>(std::size(kTokens));

// The table is indexed by code, so the codes must run from 0 without gaps.
constexpr bool TokensInCodeOrder() {
    for (int i = 0; i < kTokenCount; ++i) {
        if (kTokens[i].code != i)
            return false;
    }
    return true;
}
static_assert(TokensInCodeOrder());

// How a syntax error names an expected token: a keyword in single quotes, else its class name.
std::string TokenDescription(int code);

// A set of token codes, such as a follow set or a first set.
class TokenSet {
public:
    constexpr TokenSet() = default;
    constexpr explicit TokenSet(Token t) : bits_(std::uint64_t{1} << t) {}

    constexpr bool Contains(int code) const {
        return code >= 0 && code < 64 && (bits_ >> code) & 1u;
    }
    constexpr void Add(int code) { bits_ |= std::uint64_t{1} << code; }
    constexpr TokenSet& operator|=(TokenSet other) {
        bits_ |= other.bits_;
        return *this;
    }
    friend constexpr TokenSet operator|(TokenSet a, TokenSet b) { return a |= b; }
    friend constexpr bool operator==(TokenSet, TokenSet) = default;

private:
    std::uint64_t bits_ = 0;
};
static_assert(kTokenCount <= 64, "a token set holds 64 codes");

} // namespace vek
