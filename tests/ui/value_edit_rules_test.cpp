// The value editor's rules without a widget: what each radix takes, the limits, the sign and "0"
// rules of signed decimal, and what a commit gives.
#include "ui/tree/value_edit_rules.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

const ValueFormat kHex8{16, 8, false};
const ValueFormat kDec8{10, 8, false};
const ValueFormat kSignedDec8{10, 8, true};
const ValueFormat kBin8{2, 8, false};

// Types the characters one after the other from `start`, the caret at its end; swallowed
// characters leave the text as it was.
std::string Typed(const ValueFormat& format, const std::string& keys, std::string start = {}) {
    const int end = static_cast<int>(start.size());
    EditorText editor{std::move(start), end, 0, 0};
    for (const char c : keys) {
        if (c == '\b')
            editor = TypeBackspace(format, editor);
        else if (std::optional<EditorText> after = TypeCharacter(format, editor, c))
            editor = *after;
    }
    return editor.text;
}

CommitOutcome::Kind KindOf(const ValueFormat& format, const std::string& text) {
    return CommitText(format, text).kind;
}

TEST(ValueEditRules, LimitIsTheLengthOfTheLargestValueInTheRadix) {
    EXPECT_EQ(ValueTextLimit(kHex8), 2);            // ff
    EXPECT_EQ(ValueTextLimit(kDec8), 3);            // 255
    EXPECT_EQ(ValueTextLimit(kBin8), 8);            // 11111111
    EXPECT_EQ(ValueTextLimit(kSignedDec8), 3);      // 127, one bit less
    EXPECT_EQ(ValueTextLimit({16, 8, true}), 2);    // a signed item in hex has all its bits
    EXPECT_EQ(ValueTextLimit({16, 32, false}), 8);  // ffffffff
    EXPECT_EQ(ValueTextLimit({10, 32, false}), 10); // 4294967295
    EXPECT_EQ(ValueTextLimit({10, 32, true}), 10);  // 2147483647
    EXPECT_EQ(ValueTextLimit({2, 32, false}), 32);
    EXPECT_EQ(ValueTextLimit({10, 1, true}), 1);   // 0
    EXPECT_EQ(ValueTextLimit({10, 4, false}), 2);  // 15
    EXPECT_EQ(ValueTextLimit({16, 12, false}), 3); // fff
    EXPECT_EQ(ValueTextLimit({7, 8, false}), 2);   // an unknown radix counts as hex
    EXPECT_EQ(ValueTextLimit({16, 0, false}), 1);  // widths taken into 1 ... 32
    EXPECT_EQ(ValueTextLimit({16, 40, false}), 8);
    EXPECT_EQ(TextLimitFor(kSignedDec8, "-12"), 4); // a sign raises it by one
    EXPECT_EQ(TextLimitFor(kSignedDec8, "12"), 3);
    EXPECT_EQ(TextLimitFor(kDec8, "-12"), 3); // not without the signed flag
}

TEST(ValueEditRules, EachRadixTakesItsOwnCharactersOnly) {
    EXPECT_EQ(Typed(kHex8, "A"), ""); // upper-case hex is refused
    EXPECT_EQ(Typed(kHex8, "a"), "a");
    EXPECT_EQ(Typed(kHex8, "gx-9"), "9");
    EXPECT_EQ(Typed(kBin8, "2101"), "101");
    EXPECT_EQ(Typed(kDec8, "a1 2"), "12");
    EXPECT_EQ(Typed(kHex8, "7"), "7"); // typing 7 on an 8-bit hex register
    EXPECT_EQ(Typed(kHex8, "7ff"), "7f");
    EXPECT_EQ(Typed(kBin8, "1010101011"), "10101010");
    EXPECT_EQ(Typed(kDec8, "2555"), "255");
    // Unsigned decimal takes signs as plain characters; the commit refuses what is no value.
    EXPECT_EQ(Typed(kDec8, "1-"), "1-");
    EXPECT_EQ(KindOf(kDec8, "1-"), CommitOutcome::Kind::OutOfRange);
}

TEST(ValueEditRules, TypedCharacterReplacesTheSelectionAndLeavesTheCaretAtTheEnd) {
    const EditorText all{"3f", 2, 0, 2};
    EXPECT_EQ(TypeCharacter(kHex8, all, '7'), (EditorText{"7", 1, 1, 0}));
    // Inserted at the caret; the caret then moves to the end.
    const EditorText middle{"3f", 1, 0, 0};
    EXPECT_EQ(TypeCharacter(kHex8, {"3", 0, 0, 0}, 'a'), (EditorText{"a3", 2, 2, 0}));
    // A full editor refuses more, even where the caret is.
    EXPECT_EQ(TypeCharacter(kHex8, middle, '1'), std::nullopt);
    // Replacing a selection counts the text left after it.
    EXPECT_EQ(TypeCharacter(kHex8, {"3f", 2, 1, 1}, '1'), (EditorText{"31", 2, 2, 0}));
    // Positions from outside the text are brought into it.
    EXPECT_EQ(TypeCharacter(kHex8, {"3", 9, 7, 5}, '1'), (EditorText{"31", 2, 2, 0}));
    EXPECT_EQ(TypeCharacter(kHex8, {"3", -4, -1, 0}, '1'), (EditorText{"13", 2, 2, 0}));
}

TEST(ValueEditRules, SignedDecimalPutsTheSignInFrontAndGrowsTheLimit) {
    EXPECT_EQ(Typed(kSignedDec8, "12-"), "-12");
    EXPECT_EQ(Typed(kSignedDec8, "128-"), "-128"); // four characters with the sign
    EXPECT_EQ(Typed(kSignedDec8, "-1289"), "-128");
    EXPECT_EQ(Typed(kSignedDec8, "1289"), "128");
    EXPECT_EQ(Typed(kSignedDec8, "12-+"), "+12"); // a sign replaces the sign there
    EXPECT_EQ(Typed(kSignedDec8, "-+-5"), "-5");
    // The sign goes in front and the caret to the end whatever is selected.
    EXPECT_EQ(TypeCharacter(kSignedDec8, {"+127", 0, 0, 4}, '-'), (EditorText{"-127", 4, 4, 0}));
    // A digit typed at the very start goes after the sign.
    EXPECT_EQ(TypeCharacter(kSignedDec8, {"-12", 0, 0, 0}, '5'), (EditorText{"-512", 4, 4, 0}));
    // Digits replacing a selection that held the sign leave no sign.
    EXPECT_EQ(TypeCharacter(kSignedDec8, {"-12", 3, 0, 3}, '5'), (EditorText{"5", 1, 1, 0}));
}

TEST(ValueEditRules, SignedDecimalZeroGivesWayToTheDigitTyped) {
    EXPECT_EQ(Typed(kSignedDec8, "5", "0"), "5");
    EXPECT_EQ(Typed(kSignedDec8, "0"), "0");
    EXPECT_EQ(Typed(kSignedDec8, "00"), "0");
    // Also after a sign, so that "-" then "128" fits the limit.
    EXPECT_EQ(Typed(kSignedDec8, "-128", "0"), "-128");
    EXPECT_EQ(Typed(kSignedDec8, "7", "+0"), "+7");
    // Unsigned decimal appends to a zero like any other text.
    EXPECT_EQ(Typed(kDec8, "5", "0"), "05");
}

TEST(ValueEditRules, BackspaceNeverLeavesSignedDecimalWithALoneSignOrDigit) {
    EXPECT_EQ(Typed(kSignedDec8, "\b", "-5"), "0");
    EXPECT_EQ(Typed(kSignedDec8, "\b", "+5"), "0");
    EXPECT_EQ(Typed(kSignedDec8, "\b", "12"), "0");
    EXPECT_EQ(Typed(kSignedDec8, "\b", "-12"), "-1");
    EXPECT_EQ(Typed(kSignedDec8, "\b\b", "-128"), "-1");
    EXPECT_EQ(Typed(kSignedDec8, "\b\b\b", "-128"), "0");
    EXPECT_EQ(Typed(kSignedDec8, "\b3", "-12"), "-13");
    // Other radices delete one character before the caret.
    EXPECT_EQ(Typed(kHex8, "\b", "3f"), "3");
    EXPECT_EQ(Typed(kHex8, "\b\b\b", "3f"), "");
    EXPECT_EQ(TypeBackspace(kHex8, {"3f", 1, 0, 0}), (EditorText{"f", 1, 1, 0}));
    EXPECT_EQ(TypeBackspace(kHex8, {"3f", 0, 0, 0}), (EditorText{"3f", 2, 2, 0}));
    EXPECT_EQ(TypeBackspace(kHex8, {"3f", 2, 0, 2}), (EditorText{"", 0, 0, 0}));
    EXPECT_EQ(TypeBackspace(kSignedDec8, {"-127", 4, 1, 3}), (EditorText{"0", 1, 1, 0}));
}

TEST(ValueEditRules, NavigationKeysAreSwallowed) {
    for (const EditorKey key :
         {EditorKey::Home, EditorKey::Left, EditorKey::Up, EditorKey::Right, EditorKey::Down})
        EXPECT_TRUE(SwallowsKey(key));
    EXPECT_FALSE(SwallowsKey(EditorKey::Other));
}

TEST(ValueEditRules, CommitReadsTheTextInItsRadix) {
    EXPECT_EQ(CommitText(kHex8, "7f").value, 0x7fu);
    EXPECT_EQ(CommitText(kBin8, "101").value, 5u);
    EXPECT_EQ(CommitText(kDec8, "255").value, 255u);
    EXPECT_EQ(CommitText(kDec8, "+12").value, 12u);
    EXPECT_EQ(CommitText(kDec8, "-0").value, 0u);
    EXPECT_EQ(CommitText({16, 32, false}, "ffffffff").value, 0xffffffffu);
    EXPECT_EQ(CommitText({10, 32, false}, "4294967295").value, 0xffffffffu);
    EXPECT_EQ(CommitText(kHex8, "").kind, CommitOutcome::Kind::Empty);
    // The cell's placeholder, a lone sign and stray characters are no value.
    for (const char* text : {"XX", "-", "+", "1 2", "0x1", "1-2"})
        EXPECT_EQ(KindOf(kSignedDec8, text), CommitOutcome::Kind::OutOfRange) << text;
    EXPECT_EQ(KindOf(kHex8, "XX"), CommitOutcome::Kind::OutOfRange);
    EXPECT_EQ(KindOf(kHex8, "-1"), CommitOutcome::Kind::OutOfRange);
}

TEST(ValueEditRules, CommitRefusesValuesBeyondTheWidth) {
    EXPECT_EQ(KindOf(kDec8, "256"), CommitOutcome::Kind::OutOfRange);
    EXPECT_EQ(KindOf(kDec8, "-1"), CommitOutcome::Kind::OutOfRange);
    EXPECT_EQ(KindOf({16, 4, false}, "10"), CommitOutcome::Kind::OutOfRange);
    EXPECT_EQ(KindOf({2, 3, false}, "1000"), CommitOutcome::Kind::OutOfRange);
    EXPECT_EQ(KindOf({10, 32, false}, "4294967296"), CommitOutcome::Kind::OutOfRange);
    EXPECT_EQ(KindOf({10, 32, false}, "99999999999999999999999"), CommitOutcome::Kind::OutOfRange);
    // A signed item shown in hex or binary takes every pattern of its bits.
    EXPECT_EQ(CommitText({16, 8, true}, "ff").value, 0xffu);
}

TEST(ValueEditRules, SignedDecimalCommitsInTwosComplementWithinTheWidth) {
    EXPECT_EQ(KindOf(kSignedDec8, "-129"), CommitOutcome::Kind::OutOfRange);
    EXPECT_EQ(KindOf(kSignedDec8, "128"), CommitOutcome::Kind::OutOfRange);
    EXPECT_EQ(KindOf(kSignedDec8, "+128"), CommitOutcome::Kind::OutOfRange);
    EXPECT_EQ(CommitText(kSignedDec8, "-128").value, 0x80u);
    EXPECT_EQ(CommitText(kSignedDec8, "-1").value, 0xffu);
    EXPECT_EQ(CommitText(kSignedDec8, "+127").value, 0x7fu);
    EXPECT_EQ(CommitText(kSignedDec8, "0").value, 0u);
    EXPECT_EQ(CommitText({10, 32, true}, "-2147483648").value, 0x80000000u);
    EXPECT_EQ(KindOf({10, 32, true}, "2147483648"), CommitOutcome::Kind::OutOfRange);
    EXPECT_EQ(CommitText({10, 4, true}, "-8").value, 0x8u);
    EXPECT_EQ(CommitText({10, 1, true}, "-1").value, 1u);
    EXPECT_EQ(KindOf({10, 1, true}, "1"), CommitOutcome::Kind::OutOfRange);
}

} // namespace
} // namespace vek
