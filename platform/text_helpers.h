#pragma once

#include <string>
#include <string_view>

namespace vek {

// The text without the blanks and tabs around it.
std::string_view TrimBlanks(std::string_view text);

// Names in descriptions, settings files and library names are compared without regard to case.
// Only the ASCII letters have a case here, whatever the locale.
constexpr char LowerLetter(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string LowerCase(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool EndsWithNoCase(std::string_view text, std::string_view ending);

} // namespace vek
