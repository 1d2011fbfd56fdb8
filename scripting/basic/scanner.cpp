#include "scripting/basic/scanner.h"

#include "scripting/basic/conversions.h"
#include "scripting/basic/dates.h"
#include "scripting/basic/text_util.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace vek::basic {

Keyword LookupKeyword(std::string_view word) {
    static const std::unordered_map<std::string, Keyword> table = {
#define VEK_BASIC_KEYWORD_ENTRY(name) {Lower(#name), Keyword::name},
        VEK_BASIC_KEYWORDS(VEK_BASIC_KEYWORD_ENTRY)
#undef VEK_BASIC_KEYWORD_ENTRY
    };
    const auto it = table.find(Lower(word));
    return it == table.end() ? Keyword::None : it->second;
}

namespace {

bool IsIdentStart(char c, ModuleText kind) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0 ||
           (c == '_' && kind == ModuleText::Generated);
}
bool IsIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// The kind of an integer literal: the smallest of Integer and Long that holds it, else Double.
Variant IntegerLiteral(double value, Tag suffix) {
    if (suffix == Tag::Double || suffix == Tag::Single) {
        return suffix == Tag::Single ? Variant::Single(static_cast<float>(value))
                                     : Variant::Double(value);
    }
    if (suffix != Tag::Long && value >= -32768 && value <= 32767) {
        return Variant::Integer(static_cast<std::int32_t>(value));
    }
    if (value >= -2147483648.0 && value <= 2147483647.0) {
        return Variant::Long(static_cast<std::int32_t>(value));
    }
    return Variant::Double(value);
}

class Scanner {
public:
    Scanner(std::string_view text, ModuleText kind) : text_(text), kind_(kind) {}

    ScanResult Run() {
        bool lineStart = true;
        while (result_.error.error == CompileError::None) {
            const std::size_t before = pos_;
            SkipBlanks();
            if (pos_ >= text_.size()) {
                break;
            }
            const char c = text_[pos_];
            Token token;
            token.line = line_;
            token.column = Column();
            token.atLineStart = lineStart;
            token.spaceBefore = pos_ != before;
            lineStart = false;
            if (c == '\n' || c == '\r') {
                ConsumeNewline();
                token.kind = TokenKind::Newline;
                lineStart = true;
            } else if (c == '\'') {
                SkipToLineEnd();
                continue;
            } else if (c == '"') {
                ScanString(token);
            } else if (std::isdigit(static_cast<unsigned char>(c)) ||
                       (c == '.' && pos_ + 1 < text_.size() &&
                        std::isdigit(static_cast<unsigned char>(text_[pos_ + 1])))) {
                ScanNumber(token);
            } else if (c == '&' && pos_ + 1 < text_.size() &&
                       (text_[pos_ + 1] == 'H' || text_[pos_ + 1] == 'h' ||
                        text_[pos_ + 1] == 'O' || text_[pos_ + 1] == 'o') &&
                       pos_ + 2 < text_.size() &&
                       std::isxdigit(static_cast<unsigned char>(text_[pos_ + 2]))) {
                ScanRadixNumber(token);
            } else if (IsIdentStart(c, kind_)) {
                if (ScanWord(token)) {
                    continue; // Rem comment
                }
            } else if (c == '[') {
                ScanBracketName(token);
            } else if (c == '#' && ScanDateLiteral(token)) {
                // #2026-01-08#, #1/8/2026 10:30#, #10:30 AM#
            } else {
                ScanOperator(token);
            }
            if (result_.error.error == CompileError::None) {
                if (token.kind == TokenKind::Newline && !result_.tokens.empty() &&
                    result_.tokens.back().kind == TokenKind::Newline) {
                    continue;
                }
                result_.tokens.push_back(std::move(token));
            }
        }
        Token end;
        end.kind = TokenKind::End;
        end.line = line_;
        end.column = Column();
        if (result_.error.error != CompileError::None) {
            result_.tokens.clear();
        }
        result_.tokens.push_back(end);
        return std::move(result_);
    }

private:
    int Column() const { return static_cast<int>(pos_ - lineBegin_) + 1; }

    void Fail(CompileError error, int column = 0, std::string arg = {}) {
        if (result_.error.error == CompileError::None) {
            result_.error = {error, {line_, column > 0 ? column : Column()}, std::move(arg)};
        }
    }

    void ConsumeNewline() {
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') {
            ++pos_;
        }
        ++pos_;
        ++line_;
        lineBegin_ = pos_;
    }

    void SkipToLineEnd() {
        while (pos_ < text_.size() && text_[pos_] != '\n' && text_[pos_] != '\r') {
            ++pos_;
        }
    }

    // Blanks, and " _" at the end of a line, which continues the statement on the next line.
    void SkipBlanks() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == ' ' || c == '\t' || c == '\f' || c == '\v') {
                ++pos_;
                continue;
            }
            if (c == '_' && (pos_ == 0 || text_[pos_ - 1] == ' ' || text_[pos_ - 1] == '\t')) {
                std::size_t p = pos_ + 1;
                while (p < text_.size() && (text_[p] == ' ' || text_[p] == '\t')) {
                    ++p;
                }
                if (p >= text_.size() || text_[p] == '\n' || text_[p] == '\r') {
                    pos_ = p;
                    if (pos_ < text_.size()) {
                        ConsumeNewline();
                    }
                    continue;
                }
            }
            break;
        }
    }

    void ScanString(Token& token) {
        token.kind = TokenKind::String;
        const int startColumn = Column();
        ++pos_;
        while (true) {
            if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r') {
                Fail(CompileError::UnclosedString, startColumn);
                return;
            }
            if (text_[pos_] == '"') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                    token.text.push_back('"');
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            token.text.push_back(text_[pos_++]);
        }
        token.value = Variant::String(token.text);
    }

    void ScanNumber(Token& token) {
        token.kind = TokenKind::Number;
        const std::size_t start = pos_;
        bool isFloat = false;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
            ++pos_;
        }
        if (pos_ < text_.size() && text_[pos_] == '.') {
            isFloat = true;
            ++pos_;
            while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
                ++pos_;
            }
        }
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            std::size_t p = pos_ + 1;
            if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) {
                ++p;
            }
            if (p < text_.size() && std::isdigit(static_cast<unsigned char>(text_[p]))) {
                isFloat = true;
                while (p < text_.size() && std::isdigit(static_cast<unsigned char>(text_[p]))) {
                    ++p;
                }
                pos_ = p;
            }
        }
        double value = 0;
        const bool tooLarge =
            ParseNumber(text_.substr(start, pos_ - start), value) == RunError::Overflow;
        Tag suffix = Tag::Empty;
        if (pos_ < text_.size()) {
            suffix = KindOfSuffix(text_[pos_]);
            if (suffix == Tag::String) {
                suffix = Tag::Empty;
            }
            if (suffix != Tag::Empty) {
                ++pos_;
            }
        }
        if (tooLarge) {
            Fail(CompileError::NumberTooLarge);
            return;
        }
        token.value = (isFloat && suffix != Tag::Integer && suffix != Tag::Long)
                          ? (suffix == Tag::Single ? Variant::Single(static_cast<float>(value))
                                                   : Variant::Double(value))
                          : IntegerLiteral(value, suffix);
        if ((suffix == Tag::Integer && !(value >= -32768 && value <= 32767)) ||
            (suffix == Tag::Long && token.value.GetTag() != Tag::Long) ||
            (suffix == Tag::Single && !std::isfinite(token.value.DoubleValue()))) {
            Fail(CompileError::NumberTooLargeForType);
        }
        token.text = std::string(text_.substr(start, pos_ - start));
    }

    void ScanRadixNumber(Token& token) {
        token.kind = TokenKind::Number;
        const int radix = (text_[pos_ + 1] == 'H' || text_[pos_ + 1] == 'h') ? 16 : 8;
        const std::size_t start = pos_;
        pos_ += 2;
        std::uint64_t value = 0;
        while (pos_ < text_.size()) {
            const int c = std::toupper(static_cast<unsigned char>(text_[pos_]));
            int digit = -1;
            if (c >= '0' && c <= '9') {
                digit = c - '0';
            } else if (c >= 'A' && c <= 'F') {
                digit = c - 'A' + 10;
            }
            if (digit < 0 || digit >= radix) {
                break;
            }
            value = value * radix + digit;
            if (value > 0xFFFFFFFFull) {
                Fail(CompileError::NumberTooLarge);
                return;
            }
            ++pos_;
        }
        Tag suffix = Tag::Empty;
        if (pos_ < text_.size() && (text_[pos_] == '&' || text_[pos_] == '%')) {
            suffix = KindOfSuffix(text_[pos_]);
            ++pos_;
        }
        // Typed by their digits, as in Visual Basic: up to four significant digits (&HFFFF) an
        // Integer of those 16 bits, so &H8000 is -32768 and &HFFFF is -1; up to eight a Long of
        // those 32 bits (&HFFFFFFFF is -1). A trailing & makes a Long of any (&H8000& is 32768).
        if (suffix == Tag::Integer && value > 0xFFFF) {
            Fail(CompileError::NumberTooLargeForType);
            return;
        }
        if (suffix != Tag::Long && value <= 0xFFFF) {
            token.value = Variant::Integer(static_cast<std::int16_t>(value));
        } else {
            token.value =
                Variant::Long(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
        }
        token.text = std::string(text_.substr(start, pos_ - start));
    }

    // Returns true when the word was Rem and the rest of the line was skipped.
    bool ScanWord(Token& token) {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && IsIdentChar(text_[pos_])) {
            ++pos_;
        }
        token.text = std::string(text_.substr(start, pos_ - start));
        if (EqualsNoCase(token.text, "rem") && kind_ == ModuleText::Script) {
            SkipToLineEnd();
            return true;
        }
        token.keyword = LookupKeyword(token.text);
        if (token.keyword != Keyword::None) {
            token.kind = TokenKind::Keyword;
            return false;
        }
        token.kind = TokenKind::Identifier;
        if (pos_ < text_.size()) {
            const Tag suffix = KindOfSuffix(text_[pos_]);
            // "a&b" is a concatenation, not a Long a; a suffix is followed by no name character.
            const bool followedByName = pos_ + 1 < text_.size() && IsIdentChar(text_[pos_ + 1]);
            if (suffix != Tag::Empty && !(text_[pos_] == '&' && followedByName)) {
                token.typeSuffix = suffix;
                ++pos_;
            }
        }
        return false;
    }

    // A date between two '#' on one line, written as CDate reads dates; false for anything else,
    // which leaves the '#' an operator (Print #1, Input #f, ...).
    bool ScanDateLiteral(Token& token) {
        const std::size_t close = text_.find_first_of("#\r\n", pos_ + 1);
        if (close == std::string_view::npos || text_[close] != '#') {
            return false;
        }
        const std::string_view inner = text_.substr(pos_ + 1, close - pos_ - 1);
        double serial = 0;
        if (inner.find_first_of("/-:") == std::string_view::npos || !ParseDate(inner, serial)) {
            return false;
        }
        token.kind = TokenKind::Number;
        token.value = Variant::Date(serial);
        token.text = std::string(text_.substr(pos_, close + 1 - pos_));
        pos_ = close + 1;
        return true;
    }

    void ScanBracketName(Token& token) {
        const std::size_t start = ++pos_;
        while (pos_ < text_.size() && text_[pos_] != ']' && text_[pos_] != '\n') {
            ++pos_;
        }
        if (pos_ >= text_.size() || text_[pos_] != ']' || pos_ == start) {
            Fail(CompileError::ExpectedBracketedName);
            return;
        }
        token.kind = TokenKind::Identifier;
        token.text = std::string(text_.substr(start, pos_ - start));
        ++pos_;
    }

    void ScanOperator(Token& token) {
        static const char* const kTwoCharacter[] = {"<>", "<=", ">=", ":="};
        token.kind = TokenKind::Operator;
        for (const char* op : kTwoCharacter) {
            if (text_.substr(pos_, 2) == op) {
                token.text = op;
                pos_ += 2;
                return;
            }
        }
        const char c = text_[pos_];
        if (c == ':') {
            token.kind = TokenKind::Colon;
            token.text = ":";
            ++pos_;
            return;
        }
        if (std::string_view("+-*/\\^&=<>(),.;#").find(c) == std::string_view::npos) {
            Fail(CompileError::UnexpectedCharacter, 0, std::string(1, c));
            return;
        }
        token.text = std::string(1, c);
        ++pos_;
    }

    std::string_view text_;
    ModuleText kind_;
    std::size_t pos_ = 0;
    std::size_t lineBegin_ = 0;
    int line_ = 1;
    ScanResult result_;
};

} // namespace

ScanResult Scan(std::string_view text, ModuleText kind) {
    return Scanner(text, kind).Run();
}

} // namespace vek::basic
