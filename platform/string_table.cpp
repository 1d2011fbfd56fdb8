#include "platform/string_table.h"

namespace vek {

namespace {

enum CatalogueIndex : int {
#define VEK_STRING_INDEX(name, number, severity, code, arguments, text) kIndexOf##name,
    VEK_STRING_TABLE(VEK_STRING_INDEX)
#undef VEK_STRING_INDEX
};

constexpr CatalogueEntry kCatalogue[] = {
#define VEK_STRING_ENTRY(name, number, severity, code, arguments, text)                            \
    {StringId::name, Severity::severity, MessageArguments::arguments,                              \
     VEK_MESSAGE_TEXT_##severity(code, text)},
    VEK_STRING_TABLE(VEK_STRING_ENTRY)
#undef VEK_STRING_ENTRY
};

} // namespace

const CatalogueEntry* FindCatalogueEntry(int number) {
    switch (number) {
#define VEK_STRING_CASE(name, num, severity, code, arguments, text)                                \
    case num:                                                                                      \
        return &kCatalogue[kIndexOf##name];
        VEK_STRING_TABLE(VEK_STRING_CASE)
#undef VEK_STRING_CASE
    default:
        return nullptr;
    }
}

const CatalogueEntry& CatalogueEntryOf(StringId id) {
    // Every id is a number of the table.
    return *FindCatalogueEntry(static_cast<int>(id));
}

std::string_view LoadString(int number) {
    const CatalogueEntry* entry = FindCatalogueEntry(number);
    return entry != nullptr ? entry->text : std::string_view{};
}

std::string_view LoadString(StringId id) {
    return CatalogueEntryOf(id).text;
}

} // namespace vek
