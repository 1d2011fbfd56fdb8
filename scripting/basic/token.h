#pragma once

#include "scripting/basic/variant.h"

#include <string>

namespace vek::basic {

// Reserved words, compared without case. Words that VBA keeps usable as names (Step, Explicit,
// Base, Compare, Binary, Text, Open, Attribute) are not among them: the parser knows them where
// they stand.
#define VEK_BASIC_KEYWORDS(X)                                                                      \
    X(And)                                                                                         \
    X(As)                                                                                          \
    X(ByRef)                                                                                       \
    X(ByVal)                                                                                       \
    X(Call)                                                                                        \
    X(Case)                                                                                        \
    X(Const)                                                                                       \
    X(Dim)                                                                                         \
    X(Do)                                                                                          \
    X(Each)                                                                                        \
    X(Else)                                                                                        \
    X(ElseIf)                                                                                      \
    X(End)                                                                                         \
    X(Eqv)                                                                                         \
    X(Exit)                                                                                        \
    X(False)                                                                                       \
    X(For)                                                                                         \
    X(Function)                                                                                    \
    X(GoSub)                                                                                       \
    X(GoTo)                                                                                        \
    X(If)                                                                                          \
    X(Imp)                                                                                         \
    X(In)                                                                                          \
    X(Is)                                                                                          \
    X(Let)                                                                                         \
    X(Loop)                                                                                        \
    X(Mod)                                                                                         \
    X(Next)                                                                                        \
    X(Not)                                                                                         \
    X(On)                                                                                          \
    X(Option)                                                                                      \
    X(Optional)                                                                                    \
    X(Or)                                                                                          \
    X(Print)                                                                                       \
    X(Private)                                                                                     \
    X(Public)                                                                                      \
    X(ReDim)                                                                                       \
    X(Resume)                                                                                      \
    X(Return)                                                                                      \
    X(Select)                                                                                      \
    X(Set)                                                                                         \
    X(Static)                                                                                      \
    X(Stop)                                                                                        \
    X(Sub)                                                                                         \
    X(Then)                                                                                        \
    X(To)                                                                                          \
    X(True)                                                                                        \
    X(Until)                                                                                       \
    X(Wend)                                                                                        \
    X(While)                                                                                       \
    X(Xor)

enum class Keyword {
    None,
#define VEK_BASIC_KEYWORD_ENUM(name) name,
    VEK_BASIC_KEYWORDS(VEK_BASIC_KEYWORD_ENUM)
#undef VEK_BASIC_KEYWORD_ENUM
};

enum class TokenKind {
    Identifier,
    Keyword,
    Number,
    String,
    Operator, // text holds the operator: + - * / \ ^ & = <> < > <= >= ( ) , . ; :=
    Colon,    // statement separator on one line
    Newline,
    End,
};

struct Token {
    TokenKind kind = TokenKind::End;
    Keyword keyword = Keyword::None;
    std::string text;            // identifier without type suffix, operator, or string contents
    Variant value;               // numbers
    Tag typeSuffix = Tag::Empty; // $ % & ! # after an identifier
    int line = 1;
    int column = 1;
    bool atLineStart = false;
    bool spaceBefore = false; // blanks before it: "Foo .x" passes .x to Foo, "Foo.x" is a member
};

} // namespace vek::basic
