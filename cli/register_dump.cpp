#include "cli/register_dump.h"

#include "cli/item_lookup.h"
#include "cli/json_text.h"
#include "cli/value_argument.h"
#include "cli/value_texts.h"
#include "document/vek_doc.h"
#include "model/bit_item.h"
#include "model/bits.h"
#include "model/byte_item.h"
#include "model/item_list.h"
#include "model/shadow_reg.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace vek {

namespace {

struct DumpRow {
    std::string device;
    std::string name;
    const char* kind = "";
    std::vector<std::string> addresses; // one per part of a register
    const char* access = "";
    int width = 0;
    std::optional<std::uint32_t> defaultValue;
    std::optional<std::uint32_t> value;
    std::string valueHex; // X for each digit of a value not known
    std::optional<std::string_view> text;
};

// A register's default: its parts' defaults joined, the first part most significant.
std::uint32_t RegisterDefault(const CByteItem& reg) {
    std::uint64_t value = 0;
    for (std::size_t k = 0; k < reg.GetPartCount(); ++k) {
        const CByteItem::Part& part = reg.GetPart(k);
        value =
            (value << part.width) | Extract(part.defaultValue & part.mask, part.mask, part.width);
    }
    return static_cast<std::uint32_t>(value);
}

void FillRegister(DumpRow& row, const CVarItem& item) {
    if (item.GetKind() == ItemKind::Register) {
        const auto& reg = static_cast<const CByteItem&>(item);
        row.kind = "register";
        for (std::size_t k = 0; k < reg.GetPartCount(); ++k) {
            if (const CShadowReg* shadow = reg.GetPart(k).shadow)
                row.addresses.push_back(shadow->AddressText());
        }
        row.defaultValue = RegisterDefault(reg);
    } else if (item.GetKind() == ItemKind::BitField) {
        const auto& field = static_cast<const CBitItem&>(item);
        row.kind = "bitfield";
        // A bit field's default is what its register's defaults set in its bits.
        if (const CShadowReg* shadow = field.GetShadowReg()) {
            row.addresses.push_back(shadow->AddressText());
            row.defaultValue =
                Extract(shadow->GetDefault() & field.GetMask(), field.GetMask(), field.GetWidth());
        }
    } else {
        row.kind = "variable";
    }
}

std::vector<DumpRow> CollectRows(const CItemList& items) {
    const ValueTexts texts(items);
    std::vector<DumpRow> rows;
    std::string device;
    for (const CLineItem& entry : items) {
        if (entry.GetKind() == ItemKind::Device)
            device = entry.GetName();
        if (entry.GetKind() != ItemKind::Register && entry.GetKind() != ItemKind::BitField &&
            entry.GetKind() != ItemKind::Variable)
            continue;
        const auto& item = static_cast<const CVarItem&>(entry);
        DumpRow row;
        row.device = device;
        row.name = item.GetName();
        row.access = AccessName(item.GetAccessType());
        row.width = item.ShownWidth();
        FillRegister(row, item);
        row.valueHex = ShownHex(item);
        if (ValueKnown(item)) {
            row.value = item.ShownValue();
            row.text = texts.Find(item, item.ShownValue());
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : " ") + part;
    return text;
}

// The cells of a row in the order of kColumns.
constexpr std::array<const char*, 9> kColumns = {"device", "name",    "kind",  "address", "access",
                                                 "width",  "default", "value", "text"};

std::array<std::string, kColumns.size()> Cells(const DumpRow& row) {
    return {row.device,
            row.name,
            row.kind,
            Joined(row.addresses),
            row.access,
            std::to_string(row.width),
            row.defaultValue ? HexValueText(*row.defaultValue, row.width) : std::string(),
            row.valueHex,
            std::string(row.text.value_or(""))};
}

std::array<std::string, kColumns.size()> HeaderCells(bool upperCase) {
    std::array<std::string, kColumns.size()> header;
    for (std::size_t c = 0; c < kColumns.size(); ++c) {
        header[c] = kColumns[c];
        for (char& ch : header[c])
            ch = upperCase ? static_cast<char>(ch - 'a' + 'A') : ch;
    }
    return header;
}

std::string AsText(const std::vector<DumpRow>& rows) {
    std::vector<std::array<std::string, kColumns.size()>> table;
    table.reserve(rows.size() + 1);
    table.push_back(HeaderCells(true));
    for (const DumpRow& row : rows)
        table.push_back(Cells(row));
    std::array<std::size_t, kColumns.size()> widths{};
    for (const auto& cells : table) {
        for (std::size_t c = 0; c < cells.size(); ++c)
            widths[c] = std::max(widths[c], cells[c].size());
    }
    std::string text;
    for (const auto& cells : table) {
        std::string line;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            line += cells[c];
            if (c + 1 < cells.size())
                line.append(widths[c] - cells[c].size() + 2, ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + '\n';
    }
    return text;
}

// A CSV field, quoted when it holds a separator, a quote, a line break or edge blanks.
std::string CsvField(const std::string& field) {
    const bool quote = field.find_first_of(",\"\r\n") != std::string::npos ||
                       (!field.empty() && (field.front() == ' ' || field.back() == ' '));
    if (!quote)
        return field;
    std::string text = "\"";
    for (char c : field)
        text += c == '"' ? std::string("\"\"") : std::string(1, c);
    return text + "\"";
}

// A record has no room for the document's own facts: every row says, as the JSON dump's
// "simulation" does, whether the values came from the devices.
std::string AsCsv(const CVekDoc& doc, const std::vector<DumpRow>& rows) {
    std::string text;
    const auto addLine = [&text](const auto& cells, std::string_view last) {
        for (std::size_t c = 0; c < cells.size(); ++c)
            text += (c == 0 ? "" : ",") + CsvField(cells[c]);
        text.append(",").append(last).append("\r\n");
    };
    addLine(HeaderCells(false), "simulation");
    const std::string_view simulation = doc.IsSimulation() ? "true" : "false";
    for (const DumpRow& row : rows) {
        auto cells = Cells(row);
        if (!row.value)
            cells[7].clear(); // an unknown value is an empty cell, not a number
        addLine(cells, simulation);
    }
    return text;
}

void AppendJsonNumber(std::string& json, const std::optional<std::uint32_t>& value) {
    json += value ? std::to_string(*value) : "null";
}

std::string AsJson(const CVekDoc& doc, const std::vector<DumpRow>& rows) {
    std::string json = "{\n  \"description\": ";
    AppendJsonString(json, doc.GetPath());
    json += ",\n  \"simulation\": ";
    json += doc.IsSimulation() ? "true" : "false";
    json += ",\n  \"items\": [";
    json.reserve(json.size() + rows.size() * 160);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const DumpRow& row = rows[r];
        json += r == 0 ? "\n    {\"device\": " : ",\n    {\"device\": ";
        AppendJsonString(json, row.device);
        json += ", \"name\": ";
        AppendJsonString(json, row.name);
        json += ", \"kind\": \"";
        json += row.kind;
        json += "\", \"addresses\": [";
        for (std::size_t a = 0; a < row.addresses.size(); ++a) {
            json += a == 0 ? "\"" : ", \"";
            json += row.addresses[a];
            json += '"';
        }
        json += "], \"access\": \"";
        json += row.access;
        json += "\", \"width\": ";
        json += std::to_string(row.width);
        json += ", \"default\": ";
        AppendJsonNumber(json, row.defaultValue);
        json += ", \"value\": ";
        AppendJsonNumber(json, row.value);
        json += ", \"text\": ";
        if (row.text)
            AppendJsonString(json, *row.text);
        else
            json += "null";
        json += '}';
    }
    json += rows.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return json;
}

} // namespace

std::optional<DumpFormat> DumpFormatNamed(std::string_view name) {
    if (name == "text")
        return DumpFormat::Text;
    if (name == "csv")
        return DumpFormat::Csv;
    if (name == "json")
        return DumpFormat::Json;
    return std::nullopt;
}

std::string DumpRegisters(const CVekDoc& doc, DumpFormat format) {
    if (doc.GetItems() == nullptr)
        return {};
    const std::vector<DumpRow> rows = CollectRows(*doc.GetItems());
    switch (format) {
    case DumpFormat::Text:
        return AsText(rows);
    case DumpFormat::Csv:
        return AsCsv(doc, rows);
    case DumpFormat::Json:
        return AsJson(doc, rows);
    }
    return {};
}

} // namespace vek
