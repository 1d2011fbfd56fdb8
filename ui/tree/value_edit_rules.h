#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vek {

// What a value editor takes: the radix the item is shown in, the value's width in bits (a
// register's bit count, a field's width) and whether the item is signed. Only a signed item
// shown in decimal carries a sign.
struct ValueFormat {
    int radix = 16; // 2, 10 or 16; anything else counts as 16
    int bits = 8;   // 1 to 32; values outside are taken to the nearer end
    bool isSigned = false;

    int Radix() const;
    int Bits() const;
    bool SignedDecimal() const { return isSigned && Radix() == 10; }
};

// The editor's text with the caret and the selection, positions counted in characters.
struct EditorText {
    std::string text;
    int cursor = 0;
    int selectionStart = 0;
    int selectionLength = 0;

    friend bool operator==(const EditorText&, const EditorText&) = default;
};

// The number of characters of the largest value in the format's radix: for a signed decimal item
// the largest positive value, one bit less.
int ValueTextLimit(const ValueFormat& format);
// The limit for a text now in the editor: one more while a sign leads a signed decimal text.
int TextLimitFor(const ValueFormat& format, std::string_view text);

// Whether the radix takes the character: '0' and '1'; '0' to '9', '+' and '-'; '0' to '9' and 'a'
// to 'f' (lower case only).
bool AcceptsCharacter(const ValueFormat& format, char c);

// The editor after a typed character, or nothing when the character is swallowed (not taken by
// the radix, or the text would grow beyond its limit). The caret ends at the end of the text.
std::optional<EditorText> TypeCharacter(const ValueFormat& format, const EditorText& before,
                                        char c);
// The editor after a backspace. A signed decimal text is never left as a lone sign or a single
// digit: it becomes "0" instead.
EditorText TypeBackspace(const ValueFormat& format, const EditorText& before);

// The keys the editor swallows, so that the caret stays at the end where typing puts it.
enum class EditorKey { Home, Left, Up, Right, Down, Other };
bool SwallowsKey(EditorKey key);

// What committing the editor's text gives.
struct CommitOutcome {
    enum class Kind {
        Value,      // in range: value holds it within the format's width
        OutOfRange, // beyond the width's range, or not a number: the editor stays open
        Empty,      // no text: nothing to set
    };
    Kind kind = Kind::Empty;
    std::uint32_t value = 0;
};

// A decimal text is read with its sign, the others as digits of their radix. Signed decimal
// values lie in -(max/2 + 1) ... max/2 for max = 2^bits - 1 and are kept in two's complement
// within the width (-128 of 8 bits is 0x80); all other values lie in 0 ... max.
CommitOutcome CommitText(const ValueFormat& format, std::string_view text);

} // namespace vek
