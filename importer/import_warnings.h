#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vek {

// Every way an import adapts a map to the description language, or leaves something out. Each
// kind is told once, with a count and the first names, so that nothing changes silently and a
// large map does not bury the description under warnings.
#define VEK_IMPORT_WARNINGS(X)                                                                     \
    X(NameCut, "names longer than 30 characters cut and given a hash")                             \
    X(NameChanged, "names made identifiers of the language")                                       \
    X(NameTaken, "names already taken given a suffix")                                             \
    X(RegisterRenamed, "registers named DEVICE_REGISTER because their name was taken")             \
    X(FieldRenamed, "bit fields named REGISTER_FIELD because their name was taken")                \
    X(AlternateDevice, "registers moved to an alternate device to share their address")            \
    X(WideSplit, "registers wider than 32 bits split into NAME_L and NAME_H")                      \
    X(WideLeftOut, "registers wider than 64 bits left out")                                        \
    X(OddWidth, "register widths not a whole number of bytes rounded up")                          \
    X(FieldOutside, "bit fields outside their register's width left out")                          \
    X(EnumLeftOut, "enumerated values without a number left out")                                  \
    X(TextCut, "texts cut to the language's 80-character strings")                                 \
    X(AddressUnit, "maps whose address unit is not 8 bits read as byte addresses")                 \
    X(HighAddress, "registers above 32-bit addresses given 8 address bytes")                       \
    X(ReadEffect, "registers whose read has side effects marked with '!'")

enum class ImportWarning {
#define VEK_IMPORT_WARNING_ENUM(name, text) name,
    VEK_IMPORT_WARNINGS(VEK_IMPORT_WARNING_ENUM)
#undef VEK_IMPORT_WARNING_ENUM
        Count
};

class ImportWarnings {
public:
    void Add(ImportWarning kind, std::string_view name);
    // One line per kind that occurred, in catalogue order: "12 names ... : A, B, C, ...".
    std::vector<std::string> Lines() const;

private:
    struct Tally {
        std::size_t count = 0;
        std::vector<std::string> examples;
    };
    std::array<Tally, static_cast<std::size_t>(ImportWarning::Count)> tallies_;
};

} // namespace vek
