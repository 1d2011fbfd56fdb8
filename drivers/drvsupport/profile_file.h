// Read access to a settings file in the private-profile (INI) format: "[Section]" lines and
// "Key=Value" lines. Section and key names are compared without regard to case; the first
// occurrence wins; lines starting with ';' or '#' are comments. A missing file reads as empty.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drvsupport {

class ProfileFile {
public:
    ProfileFile() = default;
    static ProfileFile Load(const std::string& path);
    static ProfileFile Parse(std::string_view text);

    // The value with surrounding blanks (and one pair of enclosing quotes) removed.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view fallback) const;
    // A missing key gives the fallback; a present one is read as a number the way
    // ParseInteger does.
    long GetInt(std::string_view section, std::string_view key, long fallback) const;
    bool HasSection(std::string_view section) const;
    // Keys of a section in file order.
    std::vector<std::string> Keys(std::string_view section) const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    const Section* FindSection(std::string_view name) const;

    std::vector<Section> sections_;
};

// Leading blanks, an optional sign, then "0x"/"0X" and hexadecimal digits or decimal digits;
// reading stops at the first other character. No digits read as 0.
long ParseInteger(std::string_view text);
// The same, decimal digits only ("0x10" reads as 0).
long ParseDecimal(std::string_view text);
// Like ParseInteger, but the whole text must be one number; nothing otherwise.
std::optional<long> ParseWholeInteger(std::string_view text);

bool EqualsNoCase(std::string_view a, std::string_view b);

} // namespace drvsupport
