#include "compiler/description_scanner.h"
#include "platform/recording_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vek {
namespace {

struct Scanned {
    int code;
    std::string text;
    int line;
    bool operator==(const Scanned&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Scanned& t) {
    return os << "{" << t.code << ", '" << t.text << "', line " << t.line << "}";
}

// Scans a text to the end and keeps every token with its line, and every lexical error.
class ScannerHarness final : public ScanListener {
public:
    explicit ScannerHarness(std::string text) : scanner_(*this) {
        scanner_.Open(std::move(text), &host);
        for (;;) {
            ScannedToken token = scanner_.NextToken();
            tokens.push_back({token.code, std::string(token.text), lines});
            if (token.code == tokEof)
                break;
        }
        scanner_.Close();
    }
    void CountLine() override { ++lines; }
    void ReportError(StringId id) override { errors.push_back({static_cast<int>(id), lines}); }
    const char* EarliestHeld() const override { return nullptr; }

    std::vector<int> Codes() const {
        std::vector<int> codes;
        for (const Scanned& t : tokens)
            codes.push_back(t.code);
        return codes;
    }

    RecordingHost host;
    int lines = 0;
    std::vector<Scanned> tokens;
    std::vector<std::pair<int, int>> errors; // (string id, line)

private:
    DescriptionScanner scanner_;
};

TEST(Scanner, QualifiersTakeOnlyTheirLetterAndLeaveTheDigits) {
    ScannerHarness s("A12; D8.16 O321 B3 B");
    EXPECT_EQ(s.Codes(), (std::vector<int>{tokAdrQualifier, tokDecConst, tokEndStatement,
                                           tokDataQualifier, tokDecConst, tokPoint, tokDecConst,
                                           tokByteOrderQualifier, tokDecConst, tokBitQualifier,
                                           tokDecConst, tokBoth_Cap_Attribute, tokEof}));
    EXPECT_EQ(s.tokens[0].text, "A");
    EXPECT_EQ(s.tokens[1].text, "12");
    EXPECT_EQ(s.tokens[6].text, "16");
}

TEST(Scanner, LongestMatchWithKeywordsWinningTies) {
    ScannerHarness s("A12B A8 A8x sleep sleepy R Rx R{ W{ SL TC P L 0: 10: << _x1");
    EXPECT_EQ(s.Codes(), (std::vector<int>{tokIdentifier,
                                           tokAdrQualifier,
                                           tokDecConst,
                                           tokIdentifier,
                                           tokSleep,
                                           tokIdentifier,
                                           tokRd_Cap_Attribute,
                                           tokIdentifier,
                                           tokRdMacro,
                                           tokWrMacro,
                                           tokSL,
                                           tokTC,
                                           tokP,
                                           tokL,
                                           tokRoot,
                                           tokDecConst,
                                           tokLabel,
                                           tokShift,
                                           tokIdentifier,
                                           tokEof}));
    EXPECT_EQ(s.tokens[0].text, "A12B");
    EXPECT_EQ(s.tokens[15].text, "10");
}

TEST(Scanner, ConstantsKeepTheirPrefixesAndReportMissingDigits) {
    ScannerHarness s("0x1F 0X; 0b102 0B 0x");
    EXPECT_EQ(s.Codes(), (std::vector<int>{tokHexConst, tokHexConst, tokEndStatement, tokBinConst,
                                           tokDecConst, tokBinConst, tokHexConst, tokEof}));
    EXPECT_EQ(s.tokens[0].text, "0x1F");
    EXPECT_EQ(s.tokens[1].text, "0X");
    EXPECT_EQ(s.tokens[3].text, "0b10");
    EXPECT_EQ(s.tokens[4].text, "2");
    EXPECT_EQ(s.errors, (std::vector<std::pair<int, int>>{{4, 1}, {5, 1}, {4, 1}}));
}

TEST(Scanner, StringsKeepQuotesAndAnOpenStringTakesTheRestOfTheLine) {
    ScannerHarness s("\"Control\" \"open ; rest\nX");
    ASSERT_EQ(s.tokens.size(), 4u);
    EXPECT_EQ(s.tokens[0], (Scanned{tokStringLiteral, "\"Control\"", 1}));
    EXPECT_EQ(s.tokens[1], (Scanned{tokStringLiteral, "\"open ; rest", 1}));
    EXPECT_EQ(s.tokens[2], (Scanned{tokIdentifier, "X", 2}));
    EXPECT_EQ(s.errors, (std::vector<std::pair<int, int>>{{6, 1}}));
}

TEST(Scanner, CommentsAreSkippedAcrossLines) {
    ScannerHarness s("a // b c\nd /* e */ g /* g\nh\n i */ j");
    EXPECT_EQ(s.tokens, (std::vector<Scanned>{{tokIdentifier, "a", 1},
                                              {tokIdentifier, "d", 2},
                                              {tokIdentifier, "g", 2},
                                              {tokIdentifier, "j", 4},
                                              {tokEof, "", 4}}));
    EXPECT_TRUE(s.errors.empty());
}

TEST(Scanner, AnOpenCommentIsReportedOnTheLastLineAndEndsTheStream) {
    ScannerHarness s("a\n/* never\nclosed\n");
    EXPECT_EQ(s.Codes(), (std::vector<int>{tokIdentifier, tokEof}));
    EXPECT_EQ(s.errors, (std::vector<std::pair<int, int>>{{2, 3}}));
}

TEST(Scanner, LinesOfTwoHundredCharactersAreRefusedWhole) {
    const std::string ok(199, 'x');
    const std::string tooLong(200, 'y');
    const std::string muchTooLong(1000, 'z');
    ScannerHarness s(ok + "\n" + tooLong + "\n" + "after\n" + muchTooLong + "\nlast");
    EXPECT_EQ(s.tokens, (std::vector<Scanned>{{tokIdentifier, ok, 1},
                                              {tokIdentifier, "after", 3},
                                              {tokIdentifier, "last", 5},
                                              {tokEof, "", 5}}));
    EXPECT_EQ(s.errors, (std::vector<std::pair<int, int>>{{7, 2}, {7, 4}}));
    EXPECT_EQ(s.host.progressRange, 5);
    EXPECT_EQ(s.host.progressSteps, 3);
    EXPECT_EQ(s.host.progressResets, 1);
}

TEST(Scanner, CarriageReturnsBeforeNewlinesBelongToTheLineEnd) {
    ScannerHarness s(std::string(199, 'x') + "\r\nc;\r\n");
    EXPECT_EQ(s.Codes(), (std::vector<int>{tokIdentifier, tokIdentifier, tokEndStatement, tokEof}));
    EXPECT_TRUE(s.errors.empty());
    EXPECT_EQ(s.host.progressRange, 2);
}

TEST(Scanner, UnknownCharactersAreSingleTokens) {
    ScannerHarness s("#beginregisterlist < %\x80");
    EXPECT_EQ(s.Codes(), (std::vector<int>{tokUnknown, tokIdentifier, tokUnknown, tokUnknown,
                                           tokUnknown, tokEof}));
    EXPECT_EQ(s.tokens[0].text, "#");
}

TEST(Scanner, AnEmptySourceGivesEndOfFileAtOnceAndAgain) {
    ScannerHarness s("");
    EXPECT_EQ(s.Codes(), (std::vector<int>{tokEof}));
    EXPECT_EQ(s.lines, 0);
    EXPECT_EQ(s.host.progressRange, 0);
}

// Comment lines that make up about `bytes` of text.
std::string CommentLines(std::size_t bytes) {
    std::string text;
    while (text.size() < bytes)
        text += "   // a line read past, whose memory may be given back\n";
    return text;
}

TEST(Scanner, TextReadPastIsGivenBackUpToTheEarliestHeldToken) {
    struct Holder final : ScanListener {
        void CountLine() override {}
        void ReportError(StringId) override {}
        const char* EarliestHeld() const override { return held; }
        const char* held = nullptr;
    } holder;
    DescriptionScanner scanner(holder);
    scanner.Open(CommentLines(1 << 13) + "EARLY\n" + CommentLines(2 << 20) + "HELD\n" +
                     CommentLines(3 << 20) + "LAST\n",
                 nullptr);
    const ScannedToken early = scanner.NextToken();
    const ScannedToken held = scanner.NextToken();
    holder.held = held.text.data();
    EXPECT_EQ(scanner.NextToken().text, "LAST");
    EXPECT_EQ(held.text, "HELD");
    // The text before the held token is allocated still, but its pages were given back.
    EXPECT_EQ(early.text, std::string(5, '\0'));
    EXPECT_EQ(scanner.NextToken().code, tokEof);
    scanner.Close();
}

TEST(Scanner, TokenDescriptionsNameKeywordsInQuotesAndClassesByName) {
    EXPECT_EQ(TokenDescription(tokSqrBrkClose), "']'");
    EXPECT_EQ(TokenDescription(tokBegRegister), "'#BeginRegisterList'");
    EXPECT_EQ(TokenDescription(tokL), "'L'");
    EXPECT_EQ(TokenDescription(tokAdrQualifier), "A");
    EXPECT_EQ(TokenDescription(tokDecConst), "decimal constant");
    EXPECT_EQ(TokenDescription(tokEof), "end of file");
    EXPECT_EQ(TokenDescription(99), "");
}

} // namespace
} // namespace vek
