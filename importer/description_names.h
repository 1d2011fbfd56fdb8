#pragma once

#include "importer/import_warnings.h"

#include <string>
#include <string_view>
#include <unordered_set>

namespace vek {

// A name of the map made a name of the description language: characters other than letters,
// digits and "_" become "_", a leading digit gets "_" before it, a reserved word ("R", "SL",
// "A0", "D2", ...) gets "_" after it, and a name over 30 characters is cut to 25 and given "_"
// and four hexadecimal digits of a hash of the whole name, so that long names stay apart.
std::string LanguageName(std::string_view name, ImportWarnings& warnings);

// The names defined in one name space of a description: a device's registers and bit fields, or
// every device name. Names are compared without regard to case, as the compiler does.
class NameSpace {
public:
    bool Contains(std::string_view name) const;
    void Add(std::string_view name);
    // `name` itself when free, else with "_2", "_3", ... (cut to fit); the name is entered.
    std::string Claim(const std::string& name, ImportWarnings& warnings);

private:
    std::unordered_set<std::string> names_; // upper case
};

} // namespace vek
