#pragma once

#include "platform/profile_file.h"
#include "platform/result.h"

#include <string>
#include <vector>

namespace vek {

// A register-values file (.vkg) read without its description: the registers it holds, by driver,
// device and address, with the value texts saved for them.

// One register line of a device's section.
struct SavedRegister {
    std::string device;  // the section: the driver name, ":" and the device name
    std::string address; // the key: "0x" and the address digits
    std::string text;    // "0x" and the value's digits ("X" for a value not known), or a pair
                         // "<value>R <value>W" of registers that share the address
};

struct SavedValues {
    std::string vekFile;                  // the description the values were saved with
    std::vector<SavedRegister> registers; // device by device, in the order the file lists them
};

// Whether a file's name has the ending of a register-values file, in any letter case.
bool HasValuesEnding(const std::string& path);

// The description a register-values file was saved with (its HEADER's VekFile), to be opened
// before the values are loaded. A failure when the file names none, or names a register-values
// file: that would be opened for its description in turn, and a file naming itself would be
// opened again and again.
Result<std::string> DescriptionOfValues(const ProfileFile& values);
// The same for a register-values file opened by its path, as the desktop program opens one
// before its description: a failure names the file and why.
Result<std::string> DescriptionNamedBy(const std::string& valuesPath);

// Opens a register-values file: a failure names the file and why (no such file, not readable).
Result<ProfileFile> LoadValuesProfile(const std::string& path);

// Reads a register-values file; also a failure when the file has neither a HEADER nor a DRIVER
// section.
Result<SavedValues> ReadValuesFile(const std::string& path);
// The registers of values already parsed, or put together in memory (CVekDoc::StoreValues).
SavedValues SavedValuesOf(const ProfileFile& values);

// Which register a part of a saved text belongs to at an address that a READ or STATUS register
// shares with a WRITE register; Whole when the text is not such a pair.
enum class SavedRole { Whole, Read, Status, Write };

struct SavedPart {
    SavedRole role;
    std::string text;
};

// The values of a saved text: the text itself, or the two halves of a pair without their
// markers ("0x12R 0x34W" gives 0x12 for Read and 0x34 for Write).
std::vector<SavedPart> SavedParts(const std::string& text);

} // namespace vek
