#pragma once

#include "scripting/item_names.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vek {

namespace basic {
class Engine;
}

class CVarItem;
class CVekDoc;
class Host;
class MagicServices;

// The object through which Basic scripts reach the registers of the open description: write
// and read one register or bit field by the number its constant gives, write or read all, write
// the defaults, print to the output window, a few window services, and a last-error query.
class CExtension {
public:
    CExtension(Host& host, MagicServices& magic);

    // The document whose registers and bit fields the methods below reach by name.
    void SetDocument(CVekDoc* document);
    // Entry k is the name of the item whose constant has the value k.
    void SetName(std::size_t index, std::string_view name) { names_.Set(index, name); }
    // That many names follow, from entry 0 on.
    void ReserveNames(std::size_t count) { names_.Renew(count); }
    // The largest valid index: the number of names less one.
    std::int32_t UpperBound() const { return static_cast<std::int32_t>(names_.Count()) - 1; }

    bool WriteReg(std::int32_t index, std::int32_t value);
    std::int32_t ReadReg(std::int32_t index);
    bool DebugOut(const std::string& text);
    void WriteAll();
    void ReadAll();
    void WriteDefault();
    std::int32_t Magic(std::int32_t code);
    std::int32_t LastError();

    // Makes the eight methods callable from scripts as global procedures and functions.
    void AddTo(basic::Engine& engine);

private:
    bool ValidIndex(std::int32_t index, const char* method);
    // The registers and bit fields of that exact name, in item-list order. The index is made at
    // the first call for the document: opening a large description does not wait for it.
    const std::vector<CVarItem*>& ItemsNamed(std::string_view name);

    Host& host_;
    MagicServices& magic_;
    CVekDoc* document_ = nullptr;
    ItemNames names_;
    // Keyed by the items' own names, which live as long as the document.
    std::unordered_map<std::string_view, std::vector<CVarItem*>> itemsByName_;
    bool indexed_ = false;
    std::int32_t lastError_ = 0;
};

} // namespace vek
