#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vek {

// Token codes of the description language. The order and values are fixed: the grammar, the
// diagnostics and the keyword table refer to them by number.
enum Token : int {
    tokVariable = 0,
    tokRoot = 1,
    tokBoth_Cap_Attribute = 2,
    tokRd_Cap_Attribute = 3,
    tokWr_Cap_Attribute = 4,
    tokProt_Cap_Attribute = 5,
    tokStat_Cap_Attribute = 6,
    tokBothAttribute = 7,
    tokRdAttribute = 8,
    tokWrAttribute = 9,
    tokProtAttribute = 10,
    tokStatAttribute = 11,
    tokRdMacro = 12,
    tokWrMacro = 13,
    tokSqrBrkOpen = 14,
    tokSqrBrkClose = 15,
    tokCurBrkOpen = 16,
    tokCurBrkClose = 17,
    tokRndBrkOpen = 18,
    tokRndBrkClose = 19,
    tokMask = 20,
    tokAssignment = 21,
    tokHelp = 22,
    tokLabel = 23,
    tokPoint = 24,
    tokEndStatement = 25,
    tokConcatenate = 26,
    tokBegRegister = 27,
    tokEndRegister = 28,
    tokBegMacro = 29,
    tokEndMacro = 30,
    tokShift = 31,
    tokSleep = 32,
    tokStringLiteral = 33,
    tokHexConst = 34,
    tokBinConst = 35,
    tokDecConst = 36,
    tokAdrQualifier = 37,
    tokDataQualifier = 38,
    tokBitQualifier = 39,
    tokUnknown = 40,
    tokIdentifier = 41,
    tokEof = 42,
    tokByteOrderQualifier = 43,
    tokP = 44,
    tokSL = 45,
    tokTC = 46,
    tokBegBasic = 47,
    tokEndBasic = 48,
    tokL = 49,
};

inline constexpr int kTokenCount = 50;

struct Keyword {
    Token code;
    std::string_view literal;
};

// The scanner's keyword table: every literal token, in code order.
inline constexpr Keyword kKeywords[] = {
    {tokVariable, "$"},
    {tokRoot, "0:"},
    {tokBoth_Cap_Attribute, "B"},
    {tokRd_Cap_Attribute, "R"},
    {tokWr_Cap_Attribute, "W"},
    {tokProt_Cap_Attribute, "F"},
    {tokStat_Cap_Attribute, "S"},
    {tokBothAttribute, "b"},
    {tokRdAttribute, "r"},
    {tokWrAttribute, "w"},
    {tokProtAttribute, "f"},
    {tokStatAttribute, "s"},
    {tokRdMacro, "R{"},
    {tokWrMacro, "W{"},
    {tokSqrBrkOpen, "["},
    {tokSqrBrkClose, "]"},
    {tokCurBrkOpen, "{"},
    {tokCurBrkClose, "}"},
    {tokRndBrkOpen, "("},
    {tokRndBrkClose, ")"},
    {tokMask, "&"},
    {tokAssignment, "="},
    {tokHelp, "?"},
    {tokLabel, ":"},
    {tokPoint, "."},
    {tokEndStatement, ";"},
    {tokConcatenate, ","},
    {tokBegRegister, "#BeginRegisterList"},
    {tokEndRegister, "#EndRegisterList"},
    {tokBegMacro, "#BeginMacro"},
    {tokEndMacro, "#EndMacro"},
    {tokShift, "<<"},
    {tokSleep, "sleep"},
    {tokP, "P"},
    {tokSL, "SL"},
    {tokTC, "TC"},
    {tokBegBasic, "#BeginBasic"},
    {tokEndBasic, "#EndBasic"},
    {tokL, "L"},
};

// The literal of a keyword token, or an empty view for the token classes.
std::string_view KeywordLiteral(int code);

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

} // namespace vek
