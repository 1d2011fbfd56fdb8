#include "ui/tree/value_edit_rules.h"

#include "model/bits.h"
#include "platform/number_text.h"

#include <algorithm>
#include <charconv>

namespace vek {

namespace {

bool IsSign(char c) {
    return c == '+' || c == '-';
}

bool HasSign(std::string_view text) {
    return !text.empty() && IsSign(text.front());
}

// Positions brought into the text, with the selection kept inside it.
EditorText Clamped(const EditorText& editor) {
    EditorText clamped = editor;
    const int size = static_cast<int>(editor.text.size());
    clamped.cursor = std::clamp(editor.cursor, 0, size);
    clamped.selectionStart = std::clamp(editor.selectionStart, 0, size);
    clamped.selectionLength = std::clamp(editor.selectionLength, 0, size - clamped.selectionStart);
    return clamped;
}

EditorText CaretAtEnd(std::string text) {
    const int end = static_cast<int>(text.size());
    return EditorText{std::move(text), end, end, 0};
}

// Takes the selection out of the editor, leaving the caret where it was.
void RemoveSelection(EditorText& editor) {
    if (editor.selectionLength == 0)
        return;
    editor.text.erase(static_cast<std::size_t>(editor.selectionStart),
                      static_cast<std::size_t>(editor.selectionLength));
    editor.cursor = editor.selectionStart;
    editor.selectionLength = 0;
}

// A sign leads a signed decimal text; what is typed goes after it.
std::optional<EditorText> TypeSignedDecimal(const EditorText& before, char c) {
    const std::string_view text = before.text;
    const std::string sign(text.substr(0, HasSign(text) ? 1 : 0));
    const std::string_view digits = text.substr(sign.size());
    if (IsSign(c))
        return CaretAtEnd(c + std::string(digits));
    // A lone zero gives way to the digit typed after it, so that a sign typed first does not use
    // up the room of a digit.
    if (digits == "0")
        return CaretAtEnd(sign + c);
    return std::nullopt;
}

} // namespace

int ValueFormat::Radix() const {
    return radix == 2 || radix == 10 ? radix : 16;
}

int ValueFormat::Bits() const {
    return std::clamp(bits, 1, 32);
}

int ValueTextLimit(const ValueFormat& format) {
    const int bits = format.Bits() - (format.SignedDecimal() ? 1 : 0);
    return static_cast<int>(NumberText(FieldMax(bits), format.Radix()).size());
}

int TextLimitFor(const ValueFormat& format, std::string_view text) {
    return ValueTextLimit(format) + (format.SignedDecimal() && HasSign(text) ? 1 : 0);
}

bool AcceptsCharacter(const ValueFormat& format, char c) {
    switch (format.Radix()) {
    case 2:
        return c == '0' || c == '1';
    case 10:
        return (c >= '0' && c <= '9') || IsSign(c);
    default:
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    }
}

std::optional<EditorText> TypeCharacter(const ValueFormat& format, const EditorText& before,
                                        char c) {
    if (!AcceptsCharacter(format, c))
        return std::nullopt;
    EditorText after = Clamped(before);
    if (format.SignedDecimal()) {
        if (std::optional<EditorText> signedAfter = TypeSignedDecimal(after, c))
            return signedAfter;
    }
    RemoveSelection(after);
    if (format.SignedDecimal() && HasSign(after.text))
        after.cursor = std::max(after.cursor, 1);
    after.text.insert(static_cast<std::size_t>(after.cursor), 1, c);
    if (static_cast<int>(after.text.size()) > TextLimitFor(format, after.text))
        return std::nullopt;
    return CaretAtEnd(std::move(after.text));
}

EditorText TypeBackspace(const ValueFormat& format, const EditorText& before) {
    EditorText after = Clamped(before);
    if (after.selectionLength > 0) {
        RemoveSelection(after);
    } else if (after.cursor > 0) {
        after.text.erase(static_cast<std::size_t>(after.cursor - 1), 1);
    }
    if (format.SignedDecimal() && after.text.size() == 1)
        return CaretAtEnd("0");
    return CaretAtEnd(std::move(after.text));
}

bool SwallowsKey(EditorKey key) {
    return key != EditorKey::Other;
}

CommitOutcome CommitText(const ValueFormat& format, std::string_view text) {
    if (text.empty())
        return {};
    const CommitOutcome outOfRange{CommitOutcome::Kind::OutOfRange, 0};
    const bool negative = format.Radix() == 10 && text.front() == '-';
    if (format.Radix() == 10 && HasSign(text))
        text.remove_prefix(1);
    std::uint64_t magnitude = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, magnitude, format.Radix());
    if (text.empty() || stop != end || error != std::errc{})
        return outOfRange;
    const std::uint64_t max = FieldMax(format.Bits());
    if (format.SignedDecimal()) {
        const std::uint64_t limit = negative ? max / 2 + 1 : max / 2;
        if (magnitude > limit)
            return outOfRange;
        const std::uint64_t value = negative ? (0 - magnitude) & max : magnitude;
        return {CommitOutcome::Kind::Value, static_cast<std::uint32_t>(value)};
    }
    if (magnitude > max || (negative && magnitude != 0))
        return outOfRange;
    return {CommitOutcome::Kind::Value, static_cast<std::uint32_t>(magnitude)};
}

} // namespace vek
