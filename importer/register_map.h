#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vek {

// A vendor's register map as the importers read it, before it is fitted to the description
// language: names as the file gives them, absolute byte addresses, widths in bits.

enum class MapAccess { Read, Write, Both };

struct MapEnumValue {
    std::string value; // decimal; as the file writes it when it has don't-care bits; "other"
    std::string name;
    std::string description;
};

struct MapField {
    std::string name;
    unsigned lsb = 0;
    unsigned width = 0;
    std::string description;
    std::vector<MapEnumValue> values;
};

struct MapRegister {
    std::string name;
    std::string description;
    std::uint64_t address = 0;
    unsigned bits = 32;
    MapAccess access = MapAccess::Both;
    std::uint64_t resetValue = 0;
    std::uint64_t resetMask = ~std::uint64_t{0};
    bool readEffect = false; // its read changes the chip (a FIFO pops, a flag clears)
    std::vector<MapField> fields;
};

struct MapDevice {
    std::string name;
    std::string description;
    std::vector<MapRegister> registers;
};

struct RegisterMap {
    std::string format; // "CMSIS-SVD" or "IP-XACT 1685-2014", for the description's first line
    std::vector<MapDevice> devices;
};

} // namespace vek
