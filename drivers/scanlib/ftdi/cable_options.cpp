#include "cable_options.h"

#include "cable_messages.h"
#include "mpsse.h"

#include <charconv>

namespace bsx4810 {

namespace {

constexpr unsigned kMaximumKhz = kMpsseBaseClockKhz / 2;

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool ParseNumber(std::string_view text, unsigned low, unsigned high, unsigned& value) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc{} && end == text.data() + text.size() && value >= low &&
           value <= high;
}

bool ParseId(std::string_view text, uint16_t& id) {
    unsigned value = 0;
    if (!ParseNumber(text, 0, 0xFFFF, value))
        return false;
    id = static_cast<uint16_t>(value);
    return true;
}

// An FTDI chip has at most four interfaces, A to D.
bool ParseChannel(std::string_view text, char& channel) {
    if (text.size() != 1)
        return false;
    const char letter = static_cast<char>(text[0] & ~0x20);
    if (letter < 'A' || letter > 'D')
        return false;
    channel = letter;
    return true;
}

struct OptionKey {
    std::string_view name;
    const char* accepted; // the values the key takes, for the message
    bool (*apply)(std::string_view value, FtdiOptions& options);
};

constexpr OptionKey kKeys[] = {
    {"vid", "0 to 0xffff", [](std::string_view v, FtdiOptions& o) { return ParseId(v, o.vid); }},
    {"pid", "0 to 0xffff", [](std::string_view v, FtdiOptions& o) { return ParseId(v, o.pid); }},
    {"serial", "the chip's serial number",
     [](std::string_view v, FtdiOptions& o) {
         o.serial = v;
         return !v.empty();
     }},
    {"interface", "A to D",
     [](std::string_view v, FtdiOptions& o) { return ParseChannel(v, o.channel); }},
    {"port2", "A to D or none",
     [](std::string_view v, FtdiOptions& o) {
         if (v == "none") {
             o.port2 = 0;
             return true;
         }
         return ParseChannel(v, o.port2);
     }},
    {"khz", "1 to 30000",
     [](std::string_view v, FtdiOptions& o) { return ParseNumber(v, 1, kMaximumKhz, o.khz); }},
    {"emulate", "nothing, 0 or 1",
     [](std::string_view v, FtdiOptions& o) {
         o.emulate = v != "0";
         return v.empty() || v == "0" || v == "1";
     }},
};

} // namespace

bool ParseFtdiOptions(std::string_view text, FtdiOptions& options, std::string& error) {
    constexpr char kPort2NotGiven = '?';
    options = FtdiOptions{};
    options.port2 = kPort2NotGiven;
    while (!text.empty()) {
        const size_t comma = text.find(',');
        const std::string_view item = Trim(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        if (item.empty())
            continue;
        const size_t equals = item.find('=');
        const std::string_view key = Trim(item.substr(0, equals));
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view{} : Trim(item.substr(equals + 1));
        const OptionKey* found = nullptr;
        for (const OptionKey& candidate : kKeys)
            if (candidate.name == key)
                found = &candidate;
        if (found == nullptr) {
            error = CableText(CableMessage::UnknownOption, std::string(key).c_str());
            return false;
        }
        if (!found->apply(value, options)) {
            error = CableText(CableMessage::BadOptionValue, std::string(value).c_str(),
                              std::string(key).c_str(), found->accepted);
            return false;
        }
    }
    // Port 2 goes to channel B of a two-channel chip unless port 1 already has it.
    if (options.port2 == kPort2NotGiven)
        options.port2 = options.channel == 'A' ? 'B' : 0;
    if (options.port2 == options.channel) {
        error = CableText(CableMessage::SameChannelTwice);
        return false;
    }
    return true;
}

uint16_t ClockDivisor(unsigned khz) {
    // TCK = base / ((1 + divisor) * 2); rounding the divisor up keeps TCK at or below khz.
    if (khz == 0)
        return 0xFFFF;
    const unsigned halfBase = kMpsseBaseClockKhz / 2;
    const unsigned divisor = (halfBase + khz - 1) / khz - 1;
    return static_cast<uint16_t>(divisor > 0xFFFF ? 0xFFFF : divisor);
}

} // namespace bsx4810
