#include "exporter/svd_writer.h"

#include "exporter/register_walk.h"

#include <string_view>

namespace vek {

namespace {

// XML text, its markup characters escaped; control characters, which XML 1.0 cannot carry,
// become blanks.
std::string Escaped(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&apos;";
            break;
        default:
            escaped += static_cast<unsigned char>(c) < 0x20 && c != '\t' ? ' ' : c;
        }
    }
    return escaped;
}

const char* AccessName(AccessType access) {
    switch (access) {
    case AccessType::Read:
    case AccessType::Status:
        return "read-only";
    case AccessType::Write:
        return "write-only";
    default:
        return "read-write";
    }
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

class SvdOut {
public:
    void Element(int depth, std::string_view name, std::string_view text) {
        Indent(depth);
        text_ += "<" + std::string(name) + ">" + Escaped(text) + "</" + std::string(name) + ">\n";
    }
    // An element of text lines, left out when there are none.
    void Description(int depth, const std::vector<std::string>& lines) {
        if (!lines.empty())
            Element(depth, "description", Joined(lines));
    }
    void Open(int depth, std::string_view name) { Tag(depth, name, ""); }
    void Close(int depth, std::string_view name) { Tag(depth, name, "/"); }
    void Line(std::string_view line) { text_ += std::string(line) + "\n"; }
    std::string Take() { return std::move(text_); }

private:
    void Indent(int depth) { text_.append(static_cast<std::size_t>(2 * depth), ' '); }
    void Tag(int depth, std::string_view name, std::string_view slash) {
        Indent(depth);
        text_ += "<" + std::string(slash) + std::string(name) + ">\n";
    }
    std::string text_;
};

void WriteField(SvdOut& svd, const ExportedField& field) {
    svd.Open(6, "field");
    svd.Element(7, "name", field.name);
    svd.Description(7, field.description);
    svd.Element(7, "bitOffset", std::to_string(field.offset));
    svd.Element(7, "bitWidth", std::to_string(field.width));
    if (!field.values.empty()) {
        svd.Open(7, "enumeratedValues");
        for (const ExportedValue& value : field.values) {
            svd.Open(8, "enumeratedValue");
            svd.Element(9, "name", value.name);
            if (!value.text.empty())
                svd.Element(9, "description", value.text);
            if (value.pattern == "other")
                svd.Element(9, "isDefault", "true");
            else
                svd.Element(9, "value", value.value ? std::to_string(*value.value) : value.pattern);
            svd.Close(8, "enumeratedValue");
        }
        svd.Close(7, "enumeratedValues");
    }
    svd.Close(6, "field");
}

void WriteRegister(SvdOut& svd, const ExportedRegister& reg, uint64_t base) {
    svd.Open(4, "register");
    svd.Element(5, "name", reg.name);
    svd.Description(5, reg.description);
    svd.Element(5, "addressOffset", HexText(reg.address - base, 1));
    svd.Element(5, "size", std::to_string(reg.sizeBits));
    svd.Element(5, "access", AccessName(reg.access));
    svd.Element(5, "resetValue", HexText(reg.reset, 8));
    svd.Element(5, "resetMask", HexText(reg.mask, 8));
    // The description says only that a read changes the chip, not how: "modify" says that much.
    if (reg.readEffects)
        svd.Element(5, "readAction", "modify");
    if (!reg.fields.empty()) {
        svd.Open(5, "fields");
        for (const ExportedField& field : reg.fields)
            WriteField(svd, field);
        svd.Close(5, "fields");
    }
    svd.Close(4, "register");
}

} // namespace

std::string SvdText(const ExportedDescription& description) {
    SvdOut svd;
    svd.Line("<?xml version=\"1.0\" encoding=\"utf-8\"?>");
    svd.Line("<device schemaVersion=\"1.3\" "
             "xmlns:xs=\"http://www.w3.org/2001/XMLSchema-instance\" "
             "xs:noNamespaceSchemaLocation=\"CMSIS-SVD.xsd\">");
    svd.Element(1, "name", description.name);
    // The schema asks for both; a description has no version of its own.
    svd.Element(1, "version", "1.0");
    svd.Element(1, "description", "Registers of " + description.fileName);
    svd.Element(1, "addressUnitBits", "8");
    svd.Element(1, "width", "32");
    svd.Open(1, "peripherals");
    for (const ExportedDevice& device : description.devices) {
        svd.Open(2, "peripheral");
        svd.Element(3, "name", device.name);
        svd.Element(3, "baseAddress", HexText(device.baseAddress, 8));
        if (!device.registers.empty()) {
            svd.Open(3, "registers");
            for (const ExportedRegister& reg : device.registers)
                WriteRegister(svd, reg, device.baseAddress);
            svd.Close(3, "registers");
        }
        svd.Close(2, "peripheral");
    }
    svd.Close(1, "peripherals");
    svd.Line("</device>");
    return svd.Take();
}

} // namespace vek
