#pragma once

#include "model/register_codes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vek {

class CItemList;

// A text line of a bit field of the form "N = NAME" or "N = NAME: text", where N is a number,
// a binary pattern whose x digits match either bit ("0b1x"), or "other" for every value left.
struct ExportedValue {
    std::string name;
    std::string text;
    std::string pattern;           // the binary pattern or "other"; empty where N is a number
    std::optional<uint32_t> value; // the number, where N is one
};

struct ExportedField {
    std::string name;
    int offset = 0;
    int width = 0;
    std::vector<std::string> description; // the text lines that name no value
    std::vector<ExportedValue> values;
};

struct ExportedRegister {
    std::string name;
    uint64_t address = 0; // the full address, byte 0 least significant
    int sizeBits = 0;
    AccessType access = AccessType::Both;
    uint32_t reset = 0;
    uint32_t mask = 0;
    bool readEffects = false; // its read changes the chip
    std::vector<std::string> description;
    std::vector<ExportedField> fields;
};

struct ExportedDevice {
    std::string name;
    uint64_t baseAddress = 0; // the lowest register address; the device's own without registers
    std::vector<ExportedRegister> registers;
};

// What every export format is written from: the devices of a description with the registers
// another tool can hold, in tree order, and a warning line for each thing left out.
struct ExportedDescription {
    std::string name;     // the file's stem made an identifier
    std::string fileName; // the file's name without its folder
    std::vector<ExportedDevice> devices;
    std::vector<std::string> warnings;
};

// Walks the compiled items of the description at `path` once. Registers of several parts, or
// with addresses of more than 4 bytes, have no place in either format and are left out with
// one warning per kind; so is a bit field whose mask is not one run of bits.
ExportedDescription WalkRegisters(const std::string& path, const CItemList& items);

// "0x" and the value in upper-case hexadecimal digits, at least `digits` of them.
std::string HexText(uint64_t value, int digits);

} // namespace vek
