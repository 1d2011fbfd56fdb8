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
// The value of a hexadecimal digit in either case, -1 for any other character.
constexpr int HexDigitValue(char c) {
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
           : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                  : -1;
}
bool EqualsNoCase(std::string_view a, std::string_view b);
bool EndsWithNoCase(std::string_view text, std::string_view ending);

// A text from outside the program (a description's token, a driver's status text, a name read
// from a file) as it may stand in a message line: control bytes (NUL, tab, CR, LF, ESC, DEL ...),
// the control characters U+0080 to U+009F and bytes that are not UTF-8 (a Latin-1 text) are
// written as \xHH, byte by byte, so that the text can neither break the line nor steer the
// terminal. Other characters, a backslash included, stay as they are, so escaping twice changes
// nothing.
std::string EscapeControlBytes(std::string_view text);

} // namespace vek
