#pragma once

#include <cstdint>
#include <string>
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

    // Also indexes the document's registers and bit fields by name for the methods below.
    void SetDocument(CVekDoc* document);
    // Entry k is the name of the item whose constant has the value k.
    void SetName(std::size_t index, std::string name);
    // The largest valid index: the number of names less one.
    std::int32_t UpperBound() const { return static_cast<std::int32_t>(names_.size()) - 1; }

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
    // The registers and bit fields of that exact name, in item-list order.
    const std::vector<CVarItem*>& ItemsNamed(const std::string& name) const;

    Host& host_;
    MagicServices& magic_;
    CVekDoc* document_ = nullptr;
    std::vector<std::string> names_;
    std::unordered_map<std::string, std::vector<CVarItem*>> itemsByName_;
    std::int32_t lastError_ = 0;
};

} // namespace vek
