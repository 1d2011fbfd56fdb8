#include "cli/json_text.h"

#include <cstdio>

namespace vek {

namespace {

// The length of the well-formed UTF-8 sequence at text[at], or 0.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                               : lead >= 0xE0                 ? 3
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                                                              : 0;
    if (length == 0 || lead > 0xF4 || at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

} // namespace

void AppendJsonString(std::string& json, std::string_view text) {
    json += '"';
    char escape[8];
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c < 0x20) {
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            json += escape;
        } else if (c >= 0x80) {
            if (const std::size_t length = Utf8Length(text, i)) {
                json.append(text.substr(i, length));
                i += length;
                continue;
            }
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            json += escape;
        } else {
            json += static_cast<char>(c);
        }
        ++i;
    }
    json += '"';
}

} // namespace vek
