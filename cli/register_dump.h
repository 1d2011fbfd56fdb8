#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vek {

class CVekDoc;

enum class DumpFormat { Text, Csv, Json };

// What `dump` writes, and where: standard output when no file is given.
struct DumpRequest {
    DumpFormat format = DumpFormat::Text;
    std::string output;
};

// "text", "csv" or "json".
std::optional<DumpFormat> DumpFormatNamed(std::string_view name);

// Every register, bit field and variable of the document, in tree order, with its device, name,
// kind, address, access type, width, default, value as it stands and the text line the
// description gives for that value: aligned columns, CSV (RFC 4180, a header row) or JSON
// (docs/vek.md gives its schema).
std::string DumpRegisters(const CVekDoc& doc, DumpFormat format);

} // namespace vek
