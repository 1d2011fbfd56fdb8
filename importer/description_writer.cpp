#include "importer/description_writer.h"

#include "compiler/limits.h"
#include "importer/description_names.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace vek {

namespace {

// A register as the description holds it: at most 32 bits.
struct Placed {
    const MapRegister* source;
    std::string mapName; // with _L or _H for a half of a wide register
    std::uint64_t address;
    unsigned bytes;
    std::uint32_t value;              // the default, cut to the width
    bool half = false;                // of a register wider than 32 bits
    std::vector<MapField> halfFields; // the half's share of its fields
};

// The registers one device of the description holds, and which of them cover each byte.
struct DeviceShare {
    std::vector<Placed> registers;
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> byByte;
};

// A device of the description: one of the map's, or an alternate of one.
struct DeviceText {
    const MapDevice* source;
    std::string mapName; // PERIPHERAL or PERIPHERAL_ALT1
    std::string name;
    DeviceShare share;
};

constexpr std::size_t kCommentWidth = 190;
constexpr std::size_t kStringText = kMaxStringLength - 2;

std::uint64_t WidthMask(unsigned bits) {
    return bits >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
}

// Two registers may share bytes as the compiler's overlap check allows: a write register with a
// read one, or registers of one access type whose defaults agree on the bytes they share.
bool MayShare(const Placed& a, const Placed& b) {
    const Placed& low = a.address <= b.address ? a : b;
    const Placed& high = a.address <= b.address ? b : a;
    const std::uint64_t shift = 8 * (high.address - low.address);
    const std::uint64_t shared = (WidthMask(8 * low.bytes) >> shift) & WidthMask(8 * high.bytes);
    if (shared == 0)
        return true;
    const MapAccess x = low.source->access;
    const MapAccess y = high.source->access;
    if (x != y)
        return (x == MapAccess::Write && y == MapAccess::Read) ||
               (x == MapAccess::Read && y == MapAccess::Write);
    return ((std::uint64_t{low.value} >> shift) & shared) == (high.value & shared);
}

bool Fits(const DeviceShare& share, const Placed& reg) {
    for (unsigned i = 0; i < reg.bytes; ++i) {
        const auto found = share.byByte.find(reg.address + i);
        if (found == share.byByte.end())
            continue;
        for (const std::size_t other : found->second) {
            if (!MayShare(share.registers[other], reg))
                return false;
        }
    }
    return true;
}

void Place(DeviceShare& share, Placed reg) {
    for (unsigned i = 0; i < reg.bytes; ++i)
        share.byByte[reg.address + i].push_back(share.registers.size());
    share.registers.push_back(std::move(reg));
}

// Text for a comment or a string: one line, no quote, cut on a character boundary.
std::string LineText(std::string_view text, std::size_t width, bool& cut) {
    std::string line;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        line += byte < 0x20 ? ' ' : c == '"' ? '\'' : c;
    }
    for (std::size_t at = line.find("/*"); at != std::string::npos; at = line.find("/*", at))
        line[at + 1] = ' ';
    for (std::size_t at = line.find("*/"); at != std::string::npos; at = line.find("*/", at))
        line[at] = ' ';
    cut = line.size() > width;
    if (cut) {
        std::size_t end = width - 3;
        while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80)
            --end;
        line = line.substr(0, end) + "...";
    }
    return line;
}

class Writer {
public:
    Writer(const std::string& header, const std::string& driver, ImportWarnings& warnings)
        : warnings_(warnings) {
        bool cut = false;
        text_ += "// " + LineText(header, kCommentWidth, cut) + "\n";
        text_ += "#BeginRegisterList \"" + driver + "\"\n";
    }

    // Places the device's registers: each in the first of the device and its alternates
    // where it may share the bytes it covers.
    void Device(const MapDevice& device) {
        std::vector<DeviceShare> shares(1);
        for (const MapRegister& reg : device.registers) {
            for (Placed& half : Halves(reg)) {
                std::size_t at = 0;
                while (at < shares.size() && !Fits(shares[at], half))
                    ++at;
                if (at == shares.size())
                    shares.emplace_back();
                if (at > 0)
                    warnings_.Add(ImportWarning::AlternateDevice, half.mapName);
                Place(shares[at], std::move(half));
            }
        }
        for (std::size_t i = 0; i < shares.size(); ++i) {
            std::string mapName = device.name + (i > 0 ? "_ALT" + std::to_string(i) : "");
            std::string name = deviceNames_.Claim(LanguageName(mapName, warnings_), warnings_);
            devices_.push_back(
                {&device, std::move(mapName), std::move(name), std::move(shares[i])});
        }
    }

    // Writes the devices: their names are claimed first, so that a register or bit field named
    // like a device gives way and the devices keep the names the map gives them.
    std::string Finish() {
        for (const DeviceText& device : devices_)
            WriteDevice(device);
        text_ += "\n#EndRegisterList\n";
        return std::move(text_);
    }

private:
    // The register as the description's registers of at most 32 bits hold it.
    std::vector<Placed> Halves(const MapRegister& reg) {
        if (reg.readEffect)
            warnings_.Add(ImportWarning::ReadEffect, reg.name);
        const std::uint64_t value = reg.resetValue & reg.resetMask & WidthMask(reg.bits);
        if (reg.bits % 8 != 0)
            warnings_.Add(ImportWarning::OddWidth, reg.name);
        if (reg.bits <= 32) {
            Placed whole{
                &reg,  reg.name, reg.address, (reg.bits + 7) / 8, static_cast<std::uint32_t>(value),
                false, {}};
            for (const MapField& field : reg.fields) {
                if (!FitsWhole(whole, field))
                    warnings_.Add(ImportWarning::FieldOutside, reg.name + "." + field.name);
            }
            return {std::move(whole)};
        }
        if (reg.bits > 64) {
            warnings_.Add(ImportWarning::WideLeftOut, reg.name);
            return {};
        }
        warnings_.Add(ImportWarning::WideSplit, reg.name);
        Placed low{&reg, reg.name + "_L", reg.address, 4, static_cast<std::uint32_t>(value), true,
                   {}};
        Placed high{&reg,
                    reg.name + "_H",
                    reg.address + 4,
                    (reg.bits - 25) / 8,
                    static_cast<std::uint32_t>(value >> 32),
                    true,
                    {}};
        for (const MapField& field : reg.fields) {
            const bool straddles = field.lsb < 32 && field.lsb + field.width > 32;
            AddField(low, field, 32, 0, straddles ? "_L" : "");
            AddField(high, field, reg.bits, 32, straddles ? "_H" : "");
        }
        return {std::move(low), std::move(high)};
    }

    // Whether a field of a register of at most 32 bits lies within its width.
    static bool FitsWhole(const Placed& reg, const MapField& field) {
        return field.lsb + field.width <= 8 * reg.bytes;
    }

    // The part of `field` within bits [from, to) of the map's wide register, as a field of its
    // half `reg`: a field that crosses between the halves gives each its part.
    static void AddField(Placed& reg, const MapField& field, unsigned to, unsigned from,
                         const char* suffix) {
        const unsigned end = field.lsb + field.width;
        if (end <= from || field.lsb >= to)
            return;
        MapField part = field;
        part.name += suffix;
        part.lsb = std::max(field.lsb, from) - from;
        part.width = std::min(end, to) - from - part.lsb;
        reg.halfFields.push_back(std::move(part));
    }

    void Comment(std::string_view indent, const std::string& mapName, const std::string& name,
                 const std::string& description) {
        std::string text = description;
        if (mapName != name)
            text = mapName + (description.empty() ? "" : ": ") + description;
        if (text.empty())
            return;
        bool cut = false;
        text_ += std::string(indent) + "// " + LineText(text, kCommentWidth, cut) + "\n";
    }

    void WriteDevice(const DeviceText& device) {
        const bool wide = std::any_of(device.share.registers.begin(), device.share.registers.end(),
                                      [](const Placed& reg) { return reg.address > 0xFFFFFFFFu; });
        if (wide)
            warnings_.Add(ImportWarning::HighAddress, device.mapName);
        text_ += "\n";
        Comment("", device.mapName, device.name,
                device.mapName == device.source->name ? device.source->description : "");
        text_ += "0: " + device.name + (wide ? " A8" : " A4") + " D4.1;\n";
        NameSpace names;
        names.Add(device.name);
        for (const Placed& reg : device.share.registers)
            WriteRegister(reg, device, wide ? 16 : 8, names);
    }

    // A register's or bit field's name: the map's, or `prefix_` and the map's where that is
    // taken in the device or names a device; `_2`, `_3`, ... when even that is taken.
    std::string ClaimName(const std::string& mapName, const std::string& prefix, ImportWarning kind,
                          const std::string& shown, NameSpace& names) {
        std::string name = LanguageName(mapName, warnings_);
        if (names.Contains(name) || deviceNames_.Contains(name)) {
            warnings_.Add(kind, shown);
            name = LanguageName(prefix + "_" + name, warnings_);
        }
        return names.Claim(name, warnings_);
    }

    void WriteRegister(const Placed& reg, const DeviceText& device, int digits, NameSpace& names) {
        const std::string name = ClaimName(reg.mapName, device.name, ImportWarning::RegisterRenamed,
                                           device.mapName + "." + reg.mapName, names);
        std::string address = "[0x";
        static constexpr char kHex[] = "0123456789ABCDEF";
        for (int i = digits - 1; i >= 0; --i)
            address += kHex[(reg.address >> (4 * i)) & 0xF];
        address += "]";
        Comment("", reg.mapName, name, reg.source->description);
        text_ += "1: " + name + " " + address + " = 0x" + HexDigits(reg.value, 2 * reg.bytes);
        if (reg.bytes != 4)
            text_ += " D" + std::to_string(reg.bytes) + ".1";
        text_ += reg.source->access == MapAccess::Read    ? " r"
                 : reg.source->access == MapAccess::Write ? " w"
                                                          : " b";
        text_ += reg.source->readEffect ? " !;\n" : ";\n";
        if (reg.half) {
            for (const MapField& field : reg.halfFields)
                WriteField(reg, name, address, field, names);
            return;
        }
        for (const MapField& field : reg.source->fields) {
            if (FitsWhole(reg, field))
                WriteField(reg, name, address, field, names);
        }
    }

    void WriteField(const Placed& reg, const std::string& regName, const std::string& address,
                    const MapField& field, NameSpace& names) {
        const std::string name = ClaimName(field.name, regName, ImportWarning::FieldRenamed,
                                           reg.mapName + "." + field.name, names);
        Comment("   ", field.name, name, field.description);
        const std::uint64_t mask = WidthMask(field.width) << field.lsb;
        text_ += "   " + name + " " + address + " & 0x" + HexDigits(mask, 2 * reg.bytes) + ";\n";
        for (std::size_t i = 0; i < field.values.size(); ++i) {
            const MapEnumValue& value = field.values[i];
            std::string line = value.value + " = " + value.name;
            if (!value.description.empty())
                line += ": " + value.description;
            bool cut = false;
            line = LineText(line, kStringText, cut);
            if (cut)
                warnings_.Add(ImportWarning::TextCut, reg.mapName + "." + field.name);
            text_ += "      \"" + line + (i + 1 == field.values.size() ? "\";\n" : "\",\n");
        }
    }

    static std::string HexDigits(std::uint64_t value, unsigned digits) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        std::string text(digits, '0');
        for (unsigned i = 0; i < digits; ++i)
            text[digits - 1 - i] = kHex[(value >> (4 * i)) & 0xF];
        return text;
    }

    ImportWarnings& warnings_;
    NameSpace deviceNames_;
    std::vector<DeviceText> devices_;
    std::string text_;
};

} // namespace

std::string WriteDescription(const RegisterMap& map, const std::string& source,
                             const std::string& driver, ImportWarnings& warnings) {
    const std::string file = source.substr(source.rfind('/') + 1);
    Writer writer("Imported from " + file + " (" + map.format +
                      ") by vek import: docs/import.md gives the mapping.",
                  driver, warnings);
    for (const MapDevice& device : map.devices)
        writer.Device(device);
    return writer.Finish();
}

} // namespace vek
