#include "importer/description_names.h"

#include "compiler/limits.h"

#include <cstdint>

namespace vek {

namespace {

constexpr std::size_t kHashedLength = kMaxNameLength - 5;

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Words the scanner reads as keywords, and a qualifier letter followed by digits only.
bool IsReserved(std::string_view name) {
    static constexpr std::string_view kWords[] = {"B", "R", "W", "F", "S",  "b",  "r",    "w",
                                                  "f", "s", "P", "L", "SL", "TC", "sleep"};
    for (const std::string_view word : kWords) {
        if (name == word)
            return true;
    }
    if (name.size() < 2 || std::string_view("ADOB").find(name[0]) == std::string_view::npos)
        return false;
    for (std::size_t i = 1; i < name.size(); ++i) {
        if (!IsDigit(name[i]))
            return false;
    }
    return true;
}

std::string Upper(std::string_view name) {
    std::string upper(name);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

std::uint32_t NameHash(std::string_view name) {
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return (hash >> 16) ^ (hash & 0xFFFFu);
}

std::string Hex4(std::uint32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(4, '0');
    for (int i = 3; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
    return text;
}

} // namespace

std::string LanguageName(std::string_view name, ImportWarnings& warnings) {
    std::string made;
    for (const char c : name)
        made += IsNameChar(c) ? c : '_';
    if (made.empty() || IsDigit(made[0]))
        made.insert(0, "_");
    if (IsReserved(made))
        made += '_';
    if (made != name)
        warnings.Add(ImportWarning::NameChanged, name);
    if (made.size() > kMaxNameLength) {
        warnings.Add(ImportWarning::NameCut, name);
        made = made.substr(0, kHashedLength) + "_" + Hex4(NameHash(name));
    }
    return made;
}

bool NameSpace::Contains(std::string_view name) const {
    return names_.contains(Upper(name));
}

void NameSpace::Add(std::string_view name) {
    names_.insert(Upper(name));
}

std::string NameSpace::Claim(const std::string& name, ImportWarnings& warnings) {
    std::string claimed = name;
    for (int n = 2; Contains(claimed); ++n) {
        const std::string suffix = "_" + std::to_string(n);
        claimed = name.substr(0, kMaxNameLength - suffix.size()) + suffix;
    }
    if (claimed != name)
        warnings.Add(ImportWarning::NameTaken, name);
    Add(claimed);
    return claimed;
}

} // namespace vek
