// The scanner: literal forms, continuation lines, comments and its error positions.
#include "scripting/basic/scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vek::basic {
namespace {

std::vector<Token> Tokens(const std::string& text) {
    ScanResult result = Scan(text);
    EXPECT_EQ(result.error.error, CompileError::None) << CompileErrorText(result.error);
    return result.tokens;
}

TEST(BasicScanner, NumberLiteralsTakeTheSmallestKindThatHoldsThem) {
    const auto t = Tokens("1 32768 2147483648 1.5 1E3 &H7FFF &H8000 &HFFFFFFFF &O17 5& 2! 3#");
    ASSERT_EQ(t.size(), 13u);
    EXPECT_EQ(t[0].value.GetTag(), Tag::Integer);
    EXPECT_EQ(t[1].value.GetTag(), Tag::Long);
    EXPECT_EQ(t[2].value.GetTag(), Tag::Double);
    EXPECT_EQ(t[3].value.GetTag(), Tag::Double);
    EXPECT_EQ(t[4].value.DoubleValue(), 1000.0);
    EXPECT_EQ(t[5].value.GetTag(), Tag::Integer);
    EXPECT_EQ(t[6].value.GetTag(), Tag::Integer) << "typed by its four digits";
    EXPECT_EQ(t[6].value.IntValue(), -32768);
    EXPECT_EQ(t[7].value.GetTag(), Tag::Long);
    EXPECT_EQ(t[7].value.IntValue(), -1);
    EXPECT_EQ(t[8].value.IntValue(), 15);
    EXPECT_EQ(t[9].value.GetTag(), Tag::Long);
    EXPECT_EQ(t[10].value.GetTag(), Tag::Single);
    EXPECT_EQ(t[11].value.GetTag(), Tag::Double);
    EXPECT_EQ(t[12].kind, TokenKind::End);
}

TEST(BasicScanner, HexAndOctalLiteralsAreTypedByTheirDigits) {
    const auto t = Tokens("&HFFFF &H0000FFFF &H10000 &H8000& &HFFFF% &O177777 &O200000 &O177777&");
    ASSERT_EQ(t.size(), 9u);
    const std::pair<Tag, std::int32_t> expected[] = {
        {Tag::Integer, -1}, {Tag::Integer, -1}, {Tag::Long, 65536}, {Tag::Long, 32768},
        {Tag::Integer, -1}, {Tag::Integer, -1}, {Tag::Long, 65536}, {Tag::Long, 65535}};
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(t[i].value.GetTag(), expected[i].first) << t[i].text;
        EXPECT_EQ(t[i].value.IntValue(), expected[i].second) << t[i].text;
    }
    EXPECT_FALSE(Scan("x = &H10000%").error.error == CompileError::None);
    EXPECT_FALSE(Scan("x = &H100000000").error.error == CompileError::None);
}

TEST(BasicScanner, StringsIdentifiersKeywordsAndSuffixes) {
    const auto t = Tokens("If name$ = \"say \"\"hi\"\"\" Then x& = a&b");
    ASSERT_GE(t.size(), 11u);
    EXPECT_EQ(t[0].keyword, Keyword::If);
    EXPECT_EQ(t[1].text, "name");
    EXPECT_EQ(t[1].typeSuffix, Tag::String);
    EXPECT_EQ(t[3].text, "say \"hi\"");
    EXPECT_EQ(t[4].keyword, Keyword::Then);
    EXPECT_EQ(t[5].typeSuffix, Tag::Long);
    EXPECT_EQ(t[7].text, "a");
    EXPECT_EQ(t[7].typeSuffix, Tag::Empty) << "a&b is a concatenation";
    EXPECT_EQ(t[8].text, "&");
}

TEST(BasicScanner, ContinuationsCommentsAndSeparators) {
    const auto t = Tokens("x = 1 + _\r\n  2 ' note\r\nRem whole line\r\ny = 3: z = 4\n");
    std::vector<std::string> texts;
    for (const Token& token : t) {
        texts.push_back(token.kind == TokenKind::Newline ? "NL"
                        : token.kind == TokenKind::Colon ? ":"
                        : token.kind == TokenKind::End   ? "END"
                                                         : token.text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"x", "=", "1", "+", "2", "NL", "y", "=", "3", ":",
                                               "z", "=", "4", "NL", "END"}));
    EXPECT_EQ(t[4].line, 2) << "the continued line keeps its own number";
}

TEST(BasicScanner, ErrorsNameLineAndColumn) {
    ScanResult open = Scan("x = 1\ny = \"abc\n");
    EXPECT_EQ(CompileErrorText(open.error), "expected '\"' to close the string");
    EXPECT_EQ(open.error.pos.line, 2);
    EXPECT_EQ(open.error.pos.column, 5);
    ASSERT_EQ(open.tokens.size(), 1u) << "only the End token after an error";

    ScanResult stray = Scan("x = 1 ~ 2");
    EXPECT_EQ(CompileErrorText(stray.error), "unexpected character '~'");
    EXPECT_EQ(stray.error.pos.column, 7);

    EXPECT_EQ(CompileErrorText(Scan("x = &HFFFFFFFFF").error), "number too large");
    EXPECT_EQ(CompileErrorText(Scan("x = 40000%").error), "number too large for its type");
}

} // namespace
} // namespace vek::basic
