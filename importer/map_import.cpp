#include "importer/map_import.h"

#include "compiler/limits.h"
#include "importer/description_writer.h"
#include "importer/ipxact_reader.h"
#include "importer/svd_reader.h"

namespace vek {

bool IsRegisterMapText(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && text[first] == '<';
}

bool IsDriverFileName(std::string_view name) {
    return !name.empty() && name.size() <= kMaxStringLength - 2 &&
           name.find_first_of("/\\\"") == std::string_view::npos && name != "." && name != "..";
}

Result<ImportedDescription> ImportRegisterMap(const std::string& path, std::string text,
                                              const std::string& driver) {
    try {
        ImportWarnings warnings;
        RegisterMap map;
        {
            // The parsed file is let go before the description is written.
            const MapSource source(path, std::move(text));
            const std::string_view root = LocalName(source.Root());
            if (root == "device")
                map = ReadSvd(source, warnings);
            else if (root == "component")
                map = ReadIpxact(source, warnings);
            else
                source.Fail(source.Root(), "not a CMSIS-SVD device or an IP-XACT component");
        }
        ImportedDescription imported;
        imported.text = WriteDescription(map, path, driver, warnings);
        imported.warnings = warnings.Lines();
        return imported;
    } catch (const MapFault& fault) {
        return Failure{1, fault.what()};
    } catch (const std::bad_alloc&) {
        return Failure{1, path + ": not enough memory to import the map"};
    }
}

Result<ImportedDescription> DescriptionFromText(const std::string& path, std::string text) {
    if (IsRegisterMapText(text))
        return ImportRegisterMap(path, std::move(text), std::string(kImportDefaultDriver));
    return ImportedDescription{std::move(text), {}};
}

} // namespace vek
