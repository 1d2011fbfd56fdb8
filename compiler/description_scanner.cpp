#include "compiler/description_scanner.h"

#include "compiler/limits.h"
#include "platform/host.h"
#include "platform/memory_pages.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace vek {

namespace {

constexpr bool IsLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr bool IsDecimal(unsigned char c) {
    return c >= '0' && c <= '9';
}
constexpr bool IsIdentifierStart(unsigned char c) {
    return c == '_' || IsLetter(c);
}
constexpr bool IsIdentifierChar(unsigned char c) {
    return IsIdentifierStart(c) || IsDecimal(c);
}
constexpr bool IsHex(unsigned char c) {
    return IsDecimal(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
constexpr bool IsDual(unsigned char c) {
    return c == '0' || c == '1';
}

template <typename Pred>
std::size_t RunLength(std::string_view text, std::size_t from, Pred pred) {
    std::size_t end = from;
    while (end < text.size() && pred(static_cast<unsigned char>(text[end])))
        ++end;
    return end - from;
}

// Prefixes here are a few characters long: a plain loop beats a library compare call.
bool StartsWith(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (text[i] != prefix[i])
            return false;
    }
    return true;
}

bool StartsWithPair(std::string_view text, char first, char second) {
    return text.size() >= 2 && text[0] == first && text[1] == second;
}

// A prefixed constant ("0x..", "0b.."): 2 plus the run of digits after the prefix.
template <typename Pred>
std::size_t PrefixedLength(std::string_view text, char lower, char upper, Pred digit) {
    if (text.size() < 2 || text[0] != '0' || (text[1] != lower && text[1] != upper))
        return 0;
    return 2 + RunLength(text, 2, digit);
}

// The lines of a source as the progress indicator counts them: a final line without a newline
// counts, a final newline does not start another line.
int CountSourceLines(std::string_view source) {
    int newlines = 0;
    for (const char *at = source.data(), *end = at + source.size();; ++at, ++newlines) {
        at = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
        if (at == nullptr)
            break;
    }
    const bool openLast = !source.empty() && source.back() != '\n';
    return newlines + (openLast ? 1 : 0);
}

// Read text is given back in steps of this size: each step costs a system call.
constexpr std::size_t kReleaseStep = std::size_t{1} << 20;

} // namespace

DescriptionScanner::DescriptionScanner(ScanListener& listener) : listener_(listener) {
    for (const TokenInfo& token : kTokens) {
        if (!token.literal.empty())
            keywordsByFirst_[static_cast<unsigned char>(token.literal[0])].push_back(token);
    }
}

void DescriptionScanner::Open(std::string text, Host* progress) {
    source_ = std::move(text);
    progress_ = progress;
    next_ = 0;
    released_ = 0;
    nextRelease_ = kReleaseStep;
    line_ = {};
    ended_ = false;
    if (progress_ != nullptr)
        progress_->SetProgressRange(CountSourceLines(source_));
}

void DescriptionScanner::Close() {
    if (progress_ != nullptr)
        progress_->ResetProgress();
    progress_ = nullptr;
    // The text is done with; a parser kept for another compile should not hold it.
    source_ = std::string();
    next_ = 0;
    released_ = 0;
    nextRelease_ = kReleaseStep;
    line_ = {};
    wholeLine_ = {};
    ended_ = true;
}

int DescriptionScanner::ColumnOf(std::string_view token) const {
    const std::less_equal<> notAfter;
    if (token.empty() || !notAfter(wholeLine_.data(), token.data()) ||
        !notAfter(token.data() + token.size(), wholeLine_.data() + wholeLine_.size()))
        return 0;
    return static_cast<int>(token.data() - wholeLine_.data()) + 1;
}

bool DescriptionScanner::ReadLine() {
    for (;;) {
        if (next_ >= source_.size()) {
            line_ = {};
            return false;
        }
        if (next_ >= nextRelease_)
            ReleaseReadText(next_);
        const char* begin = source_.data() + next_;
        const std::size_t rest = source_.size() - next_;
        const void* newline = std::memchr(begin, '\n', rest);
        std::size_t length = newline ? static_cast<const char*>(newline) - begin : rest;
        next_ += newline ? length + 1 : length;
        // A carriage return before the newline belongs to the line end, not to the line.
        if (newline && length > 0 && begin[length - 1] == '\r')
            --length;
        listener_.CountLine();
        if (length < kLineSize) {
            line_ = std::string_view(begin, length);
            wholeLine_ = line_;
            if (progress_ != nullptr)
                progress_->StepProgress();
            return true;
        }
        listener_.ReportError(StringId::ErrP06);
    }
}

void DescriptionScanner::ReleaseReadText(std::size_t lineStart) {
    nextRelease_ = lineStart + kReleaseStep;
    char* const source = source_.data();
    std::size_t keep = lineStart;
    // A held token of an earlier line keeps its text and all that follows it.
    const std::less<> before;
    if (const char* held = listener_.EarliestHeld();
        held != nullptr && !before(held, source) && before(held, source + lineStart))
        keep = static_cast<std::size_t>(held - source);
    if (keep <= released_)
        return;
    ReleasePages(source + released_, source + keep);
    released_ = keep;
}

bool DescriptionScanner::SkipToToken() {
    for (;;) {
        const std::size_t blanks =
            RunLength(line_, 0, [](unsigned char c) { return c == ' ' || c == '\t'; });
        line_.remove_prefix(blanks);
        if (StartsWithPair(line_, '/', '/')) {
            line_ = {};
            continue;
        }
        if (StartsWithPair(line_, '/', '*')) {
            line_.remove_prefix(2);
            for (;;) {
                const std::size_t close = line_.find("*/");
                if (close != std::string_view::npos) {
                    line_.remove_prefix(close + 2);
                    break;
                }
                if (!ReadLine()) {
                    listener_.ReportError(StringId::ErrP01);
                    ended_ = true;
                    return false;
                }
            }
            continue;
        }
        if (!line_.empty())
            return true;
        if (!ReadLine())
            return false;
    }
}

ScannedToken DescriptionScanner::NextToken() {
    if (ended_ || !SkipToToken()) {
        ended_ = true;
        return {tokEof, {}};
    }
    return Recognise();
}

std::size_t DescriptionScanner::MatchClass(int& code) {
    const unsigned char first = static_cast<unsigned char>(line_[0]);
    if (IsIdentifierStart(first)) {
        code = tokIdentifier;
        return RunLength(line_, 0, IsIdentifierChar);
    }
    if (first == '"') {
        code = tokStringLiteral;
        const std::size_t close = line_.find('"', 1);
        if (close != std::string_view::npos)
            return close + 1;
        listener_.ReportError(StringId::ErrP05);
        return line_.size();
    }
    if (std::size_t length = PrefixedLength(line_, 'x', 'X', IsHex)) {
        code = tokHexConst;
        if (length == 2)
            listener_.ReportError(StringId::ErrP03);
        return length;
    }
    if (std::size_t length = PrefixedLength(line_, 'b', 'B', IsDual)) {
        code = tokBinConst;
        if (length == 2)
            listener_.ReportError(StringId::ErrP04);
        return length;
    }
    code = tokDecConst;
    return RunLength(line_, 0, IsDecimal);
}

ScannedToken DescriptionScanner::Recognise() {
    std::size_t best = 1;
    int code = tokUnknown;

    int classCode = tokUnknown;
    if (const std::size_t length = MatchClass(classCode); length >= 1) {
        best = length;
        code = classCode;
    }

    // A qualifier letter followed by digits wins over an identifier of the same length.
    static constexpr struct {
        char letter;
        Token code;
    } kQualifiers[] = {{'A', tokAdrQualifier},
                       {'D', tokDataQualifier},
                       {'O', tokByteOrderQualifier},
                       {'B', tokBitQualifier}};
    for (const auto& qualifier : kQualifiers) {
        if (line_[0] != qualifier.letter)
            continue;
        const std::size_t digits = RunLength(line_, 1, IsDecimal);
        if (digits > 0 && 1 + digits >= best) {
            best = 1 + digits;
            code = qualifier.code;
        }
        break;
    }

    for (const TokenInfo& keyword : keywordsByFirst_[static_cast<unsigned char>(line_[0])]) {
        if (keyword.literal.size() >= best && StartsWith(line_, keyword.literal)) {
            best = keyword.literal.size();
            code = keyword.code;
        }
    }

    // A qualifier token is its letter alone; its digits are scanned next as a number.
    if (code == tokAdrQualifier || code == tokDataQualifier || code == tokBitQualifier ||
        code == tokByteOrderQualifier)
        best = 1;

    const ScannedToken token{code, line_.substr(0, best)};
    Consume(best);
    return token;
}

void DescriptionScanner::Consume(std::size_t length) {
    line_.remove_prefix(length);
}

} // namespace vek
