#include "profile_file.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace drvsupport {
namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string Unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 99;
}

struct ReadResult {
    long value = 0;
    size_t consumed = 0; // characters used, blanks and sign included
    size_t digits = 0;
};

ReadResult ReadNumber(std::string_view text, bool allowHex) {
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    int radix = 10;
    if (allowHex && pos + 1 < text.size() && text[pos] == '0' &&
        (text[pos + 1] == 'x' || text[pos + 1] == 'X') && pos + 2 < text.size() &&
        DigitValue(text[pos + 2]) < 16) {
        radix = 16;
        pos += 2;
    }
    unsigned long value = 0;
    size_t digits = 0;
    while (pos < text.size() && DigitValue(text[pos]) < radix) {
        value = value * static_cast<unsigned long>(radix) +
                static_cast<unsigned long>(DigitValue(text[pos]));
        ++pos;
        ++digits;
    }
    const long signedValue = negative ? -static_cast<long>(value) : static_cast<long>(value);
    return ReadResult{signedValue, pos, digits};
}

} // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

long ParseInteger(std::string_view text) {
    return ReadNumber(text, true).value;
}

long ParseDecimal(std::string_view text) {
    return ReadNumber(text, false).value;
}

std::optional<long> ParseWholeInteger(std::string_view text) {
    text = Trim(text);
    const ReadResult read = ReadNumber(text, true);
    if (read.digits == 0 || read.consumed != text.size()) {
        return std::nullopt;
    }
    return read.value;
}

ProfileFile ProfileFile::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {};
    }
    std::ostringstream text;
    text << in.rdbuf();
    return Parse(text.str());
}

ProfileFile ProfileFile::Parse(std::string_view text) {
    ProfileFile file;
    Section* current = nullptr;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            const auto close = line.find(']');
            const std::string_view name =
                Trim(line.substr(1, close == std::string_view::npos ? line.npos : close - 1));
            current = nullptr;
            for (Section& section : file.sections_) {
                if (EqualsNoCase(section.name, name)) {
                    current = &section;
                }
            }
            if (current == nullptr) {
                file.sections_.push_back(Section{std::string(name), {}});
                current = &file.sections_.back();
            }
            continue;
        }
        const auto equals = line.find('=');
        if (current == nullptr || equals == std::string_view::npos) {
            continue;
        }
        current->entries.push_back(Entry{std::string(Trim(line.substr(0, equals))),
                                         Unquote(Trim(line.substr(equals + 1)))});
    }
    return file;
}

const ProfileFile::Section* ProfileFile::FindSection(std::string_view name) const {
    for (const Section& section : sections_) {
        if (EqualsNoCase(section.name, name)) {
            return &section;
        }
    }
    return nullptr;
}

std::optional<std::string> ProfileFile::Value(std::string_view section,
                                              std::string_view key) const {
    if (const Section* found = FindSection(section)) {
        for (const Entry& entry : found->entries) {
            if (EqualsNoCase(entry.key, key)) {
                return entry.value;
            }
        }
    }
    return std::nullopt;
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::string_view fallback) const {
    auto value = Value(section, key);
    return value ? *value : std::string(fallback);
}

long ProfileFile::GetInt(std::string_view section, std::string_view key, long fallback) const {
    auto value = Value(section, key);
    return value ? ParseInteger(*value) : fallback;
}

bool ProfileFile::HasSection(std::string_view section) const {
    return FindSection(section) != nullptr;
}

std::vector<std::string> ProfileFile::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    if (const Section* found = FindSection(section)) {
        for (const Entry& entry : found->entries) {
            keys.push_back(entry.key);
        }
    }
    return keys;
}

} // namespace drvsupport
