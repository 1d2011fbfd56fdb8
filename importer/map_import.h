#pragma once

#include "platform/result.h"

#include <string>
#include <string_view>
#include <vector>

namespace vek {

// The driver a description imported from a vendor's map names unless the user names another:
// the debug-server driver, which reaches any memory-mapped register.
inline constexpr std::string_view kImportDefaultDriver = "gdbdrv.dll";

struct ImportedDescription {
    std::string text;                  // the description, as `vek import` writes it
    std::vector<std::string> warnings; // one line per kind of adaptation, empty when none
};

// Whether a file's text is a register map (XML) rather than a description: its first character
// after blanks (and a byte-order mark) is '<', which no description begins with.
bool IsRegisterMapText(std::string_view text);

// Imports a CMSIS-SVD device or an IP-XACT component. A failure's text names the file, the line
// and the element ("map.svd:12: /device/peripherals/peripheral[UART0]: no <baseAddress>").
Result<ImportedDescription> ImportRegisterMap(const std::string& path, std::string text,
                                              const std::string& driver);

// A driver name the description can carry: a file name, never a path or a string's end.
bool IsDriverFileName(std::string_view name);

// The description a file's text gives: the text itself, or, for a vendor's register map, the
// description imported from it with the default driver, so that every command and window
// opens either kind of file.
Result<ImportedDescription> DescriptionFromText(const std::string& path, std::string text);

} // namespace vek
