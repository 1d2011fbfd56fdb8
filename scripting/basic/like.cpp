#include "scripting/basic/like.h"

#include <cctype>
#include <string>
#include <vector>

namespace vek::basic {

namespace {

// One element of a pattern: each but Star matches exactly one character.
struct PatternPart {
    enum class Kind { Star, Any, Digit, Set, Literal } kind = Kind::Literal;
    char literal = 0;
    bool negated = false;
    std::vector<std::pair<char, char>> ranges; // Set: single characters are ranges of one
};

char Fold(char c, bool ignoreCase) {
    return ignoreCase ? static_cast<char>(std::tolower(static_cast<unsigned char>(c))) : c;
}

// The list of a [...] from just past the '[': false when it is not closed or a range descends.
bool ParseSet(std::string_view pattern, std::size_t& at, bool ignoreCase, PatternPart& part) {
    part.kind = PatternPart::Kind::Set;
    if (at < pattern.size() && pattern[at] == '!') {
        part.negated = true;
        ++at;
    }
    while (at < pattern.size() && pattern[at] != ']') {
        const char low = Fold(pattern[at], ignoreCase);
        char high = low;
        // A '-' between two characters makes a range; first or last in the list it is itself.
        if (at + 2 < pattern.size() && pattern[at + 1] == '-' && pattern[at + 2] != ']') {
            high = Fold(pattern[at + 2], ignoreCase);
            if (static_cast<unsigned char>(high) < static_cast<unsigned char>(low)) {
                return false;
            }
            at += 2;
        }
        part.ranges.emplace_back(low, high);
        ++at;
    }
    if (at >= pattern.size()) {
        return false;
    }
    ++at; // the ']'
    return true;
}

bool Parse(std::string_view pattern, bool ignoreCase, std::vector<PatternPart>& parts) {
    for (std::size_t at = 0; at < pattern.size();) {
        PatternPart part;
        const char c = pattern[at++];
        if (c == '*') {
            part.kind = PatternPart::Kind::Star;
        } else if (c == '?') {
            part.kind = PatternPart::Kind::Any;
        } else if (c == '#') {
            part.kind = PatternPart::Kind::Digit;
        } else if (c == '[') {
            if (!ParseSet(pattern, at, ignoreCase, part)) {
                return false;
            }
            if (part.ranges.empty() && !part.negated) {
                continue; // [] matches the empty text
            }
        } else {
            part.literal = Fold(c, ignoreCase);
        }
        parts.push_back(std::move(part));
    }
    return true;
}

bool MatchesOne(const PatternPart& part, char c, bool ignoreCase) {
    switch (part.kind) {
    case PatternPart::Kind::Any:
        return true;
    case PatternPart::Kind::Digit:
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    case PatternPart::Kind::Set: {
        const auto folded = static_cast<unsigned char>(Fold(c, ignoreCase));
        bool inList = false;
        for (const auto& [low, high] : part.ranges) {
            inList = inList || (folded >= static_cast<unsigned char>(low) &&
                                folded <= static_cast<unsigned char>(high));
        }
        return inList != part.negated;
    }
    case PatternPart::Kind::Literal:
        return Fold(c, ignoreCase) == part.literal;
    case PatternPart::Kind::Star:
        break;
    }
    return false;
}

} // namespace

RunError MatchLike(std::string_view text, std::string_view pattern, bool ignoreCase,
                   bool& matches) {
    std::vector<PatternPart> parts;
    if (!Parse(pattern, ignoreCase, parts)) {
        return RunError::InvalidPattern;
    }
    // Every part but * takes one character, so the last * is the only place to try again: on a
    // mismatch it takes one character more. At most text length times pattern length steps.
    std::size_t t = 0;
    std::size_t p = 0;
    std::size_t starPart = parts.size();
    std::size_t starText = 0;
    while (t < text.size()) {
        if (p < parts.size() && parts[p].kind == PatternPart::Kind::Star) {
            starPart = p++;
            starText = t;
        } else if (p < parts.size() && MatchesOne(parts[p], text[t], ignoreCase)) {
            ++p;
            ++t;
        } else if (starPart < parts.size()) {
            p = starPart + 1;
            t = ++starText;
        } else {
            matches = false;
            return RunError::None;
        }
    }
    while (p < parts.size() && parts[p].kind == PatternPart::Kind::Star) {
        ++p;
    }
    matches = p == parts.size();
    return RunError::None;
}

} // namespace vek::basic
