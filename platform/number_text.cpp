#include "platform/number_text.h"

#include "platform/text_helpers.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace vek {

namespace {

constexpr std::uint64_t kLargestPositive = std::numeric_limits<std::int64_t>::max();

bool IsDigitOf(char c, int radix) {
    unsigned digit = 0;
    return std::from_chars(&c, &c + 1, digit, radix).ec == std::errc{};
}

int PrefixRadix(std::string_view text, RadixPrefixes prefixes) {
    if (prefixes == RadixPrefixes::None || text.size() < 3 || text[0] != '0') {
        return 10;
    }
    const char letter = LowerLetter(text[1]);
    const int radix = letter == 'x'                                              ? 16
                      : letter == 'b' && prefixes == RadixPrefixes::HexAndBinary ? 2
                                                                                 : 10;
    return radix != 10 && IsDigitOf(text[2], radix) ? radix : 10;
}

} // namespace

NumberScan ScanNumber(std::string_view text, RadixPrefixes prefixes) {
    NumberScan scan;
    std::size_t at = 0;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        scan.negative = text[0] == '-';
        ++at;
    }
    const int radix = PrefixRadix(text.substr(at), prefixes);
    if (radix != 10) {
        at += 2;
    }
    const char* first = text.data() + at;
    const auto [end, error] =
        std::from_chars(first, text.data() + text.size(), scan.magnitude, radix);
    if (end == first) {
        return {};
    }
    if (error == std::errc::result_out_of_range) {
        scan.magnitude = std::numeric_limits<std::uint64_t>::max();
    }
    scan.length = static_cast<std::size_t>(end - text.data());
    return scan;
}

std::int64_t LeadingInteger(std::string_view text, RadixPrefixes prefixes) {
    const std::size_t start = text.find_first_not_of(" \t");
    const NumberScan scan =
        start == std::string_view::npos ? NumberScan{} : ScanNumber(text.substr(start), prefixes);
    if (!scan.negative) {
        return static_cast<std::int64_t>(std::min(scan.magnitude, kLargestPositive));
    }
    return scan.magnitude > kLargestPositive ? std::numeric_limits<std::int64_t>::min()
                                             : -static_cast<std::int64_t>(scan.magnitude);
}

std::optional<std::int64_t> WholeInteger(std::string_view text, RadixPrefixes prefixes) {
    text = TrimBlanks(text);
    const NumberScan scan = ScanNumber(text, prefixes);
    if (scan.length == 0 || scan.length != text.size()) {
        return std::nullopt;
    }
    if (!scan.negative) {
        return scan.magnitude > kLargestPositive ? std::nullopt
                                                 : std::optional<std::int64_t>(scan.magnitude);
    }
    if (scan.magnitude > kLargestPositive + 1) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(0 - scan.magnitude);
}

std::string NumberText(std::uint64_t value, int radix) {
    char digits[64];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, radix).ptr;
    return std::string(digits, end);
}

std::string HexText(std::uint64_t value, std::size_t digits) {
    std::string text = NumberText(value, 16);
    if (text.size() < digits) {
        text.insert(0, digits - text.size(), '0');
    }
    return text;
}

} // namespace vek
