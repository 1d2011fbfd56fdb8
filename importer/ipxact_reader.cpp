#include "importer/ipxact_reader.h"

#include "importer/import_limits.h"
#include "importer/map_access.h"

#include <optional>
#include <string>
#include <vector>

namespace vek {

namespace {

using Node = pugi::xml_node;

struct DimElement {
    std::string index;
    std::uint64_t offset = 0;
};

class IpxactWalk {
public:
    IpxactWalk(const MapSource& source, ImportWarnings& warnings)
        : source_(source), warnings_(warnings) {}

    RegisterMap Read(Node component) {
        RegisterMap map;
        map.format = "IP-XACT";
        const Node memoryMaps = Child(component, "memoryMaps");
        for (const Node memoryMap : Children(memoryMaps, "memoryMap")) {
            const std::string mapName = ChildText(memoryMap, "name");
            if (const std::optional<std::uint64_t> unit =
                    ChildNumber(source_, memoryMap, "addressUnitBits");
                unit && *unit != 8)
                warnings_.Add(ImportWarning::AddressUnit, mapName);
            for (const Node block : Children(memoryMap, "addressBlock"))
                ReadBlock(mapName, block, map);
        }
        return map;
    }

private:
    std::uint64_t Number(Node node, const char* name, std::uint64_t fallback) const {
        return ChildNumber(source_, node, name).value_or(fallback);
    }

    // The access of an element: 2009 and 2014 give it directly, 2022 in an access policy.
    std::optional<MapAccess> Access(Node node) const {
        Node access = Child(node, "access");
        if (!access)
            access = Child(Child(Child(node, "accessPolicies"), "accessPolicy"), "access");
        if (!access)
            return std::nullopt;
        const std::optional<MapAccess> named = MapAccessNamed(CollapsedText(access));
        if (!named)
            source_.Fail(access, "unknown access '" + CollapsedText(access) + "'");
        return named;
    }

    // The elements of an array: `dim` (one per dimension, 2014) or `array` with its dims and
    // stride (2022); without a stride they follow each other by `size` bytes.
    std::vector<DimElement> Dims(Node node, std::uint64_t size) const {
        const Node array = Child(node, "array");
        const Node holder = array ? array : node;
        const std::uint64_t stride = array ? Number(array, "stride", size) : size;
        std::vector<DimElement> elements{{}};
        for (const Node dim : Children(holder, "dim")) {
            const std::optional<std::uint64_t> count = MapNumber(dim.child_value());
            if (!count || *count == 0 || *count > kMaxDimElements ||
                elements.size() * *count > kMaxDimElements)
                source_.Fail(dim, "dim '" + CollapsedText(dim) + "' is not 1 to " +
                                      std::to_string(kMaxDimElements) + " elements");
            std::vector<DimElement> grown;
            for (const DimElement& outer : elements) {
                for (std::uint64_t i = 0; i < *count; ++i)
                    grown.push_back(
                        {outer.index + (outer.index.empty() ? "" : "_") + std::to_string(i),
                         outer.offset * *count + i * stride});
            }
            elements = std::move(grown);
        }
        return elements;
    }

    void ReadBlock(const std::string& mapName, Node block, RegisterMap& map) {
        MapDevice device;
        device.name = mapName + "_" + ChildText(block, "name");
        device.description = CollapsedText(Child(block, "description"));
        const std::uint64_t base = ChildNumber(source_, block, "baseAddress").value_or(0);
        const std::uint64_t width = Number(block, "width", 32);
        ReadContents(block, base, "", Access(block).value_or(MapAccess::Both), width, device, 0);
        map.devices.push_back(std::move(device));
    }

    void ReadContents(Node holder, std::uint64_t address, const std::string& prefix,
                      MapAccess access, std::uint64_t width, MapDevice& device, int depth) {
        if (depth > kMaxNesting)
            source_.Fail(holder,
                         "register files nested deeper than " + std::to_string(kMaxNesting));
        for (Node child = holder.first_child(); child; child = child.next_sibling()) {
            const std::string_view kind = LocalName(child);
            if (child.type() != pugi::node_element ||
                (kind != "register" && kind != "registerFile"))
                continue;
            const std::uint64_t offset = Number(child, "addressOffset", 0);
            const std::string name = prefix + ChildText(child, "name");
            if (kind == "registerFile") {
                for (const DimElement& element : Dims(child, Number(child, "range", 0)))
                    ReadContents(child, address + offset + element.offset,
                                 name + element.index + "_", Access(child).value_or(access), width,
                                 device, depth + 1);
                continue;
            }
            const std::uint64_t size = Number(child, "size", width);
            for (const DimElement& element : Dims(child, (size + 7) / 8))
                device.registers.push_back(ReadRegister(child, name + element.index,
                                                        address + offset + element.offset, size,
                                                        Access(child).value_or(access)));
        }
    }

    MapRegister ReadRegister(Node node, std::string name, std::uint64_t address, std::uint64_t size,
                             MapAccess access) {
        if (++registers_ > kMaxImportedRegisters)
            source_.Fail(node, "more than " + std::to_string(kMaxImportedRegisters) + " registers");
        if (size == 0 || size > 4096)
            source_.Fail(node, "size " + std::to_string(size) + " is not 1 to 4096 bits");
        MapRegister reg;
        reg.name = std::move(name);
        reg.description = CollapsedText(Child(node, "description"));
        reg.address = address;
        reg.bits = static_cast<unsigned>(size);
        reg.access = access;
        // 2009 gives the reset of the whole register; 2014 and 2022 give each field's.
        const Node reset = Child(node, "reset");
        reg.resetValue = reset ? Number(reset, "value", 0) : 0;
        reg.resetMask = reset ? Number(reset, "mask", ~std::uint64_t{0}) : 0;
        for (const Node field : Children(node, "field"))
            ReadField(field, reg);
        if (!reset && reg.resetMask == 0)
            reg.resetMask = ~std::uint64_t{0};
        return reg;
    }

    void ReadField(Node node, MapRegister& reg) {
        MapField field;
        field.name = ChildText(node, "name");
        field.description = CollapsedText(Child(node, "description"));
        const std::optional<std::uint64_t> lsb = ChildNumber(source_, node, "bitOffset");
        const std::uint64_t width = Number(node, "bitWidth", 0);
        if (!lsb || *lsb > 4096 || width == 0 || width > 4096)
            source_.Fail(node, "no bit range (bitOffset and bitWidth)");
        field.lsb = static_cast<unsigned>(*lsb);
        field.width = static_cast<unsigned>(width);
        const std::uint64_t fieldMask =
            (width >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1);
        if (const Node reset = Child(Child(node, "resets"), "reset"); reset && field.lsb < 64) {
            const std::uint64_t mask = Number(reset, "mask", fieldMask) & fieldMask;
            reg.resetValue |= (Number(reset, "value", 0) & mask) << field.lsb;
            reg.resetMask |= mask << field.lsb;
        }
        reg.readEffect |= ReadActionChangesChip(ChildText(node, "readAction"));
        for (const Node value : Children(Child(node, "enumeratedValues"), "enumeratedValue")) {
            MapEnumValue entry;
            entry.name = ChildText(value, "name");
            entry.description = CollapsedText(Child(value, "description"));
            const std::optional<std::uint64_t> number = MapNumber(ChildText(value, "value"));
            if (!number) {
                warnings_.Add(ImportWarning::EnumLeftOut, entry.name);
                continue;
            }
            entry.value = std::to_string(*number);
            field.values.push_back(std::move(entry));
        }
        reg.fields.push_back(std::move(field));
    }

    const MapSource& source_;
    ImportWarnings& warnings_;
    std::size_t registers_ = 0;
};

} // namespace

RegisterMap ReadIpxact(const MapSource& source, ImportWarnings& warnings) {
    RegisterMap map = IpxactWalk(source, warnings).Read(source.Root());
    const std::string_view ns = source.Root().name();
    for (const pugi::xml_attribute attribute : source.Root().attributes()) {
        const std::string_view value = attribute.value();
        for (const char* year : {"1685-2009", "1685-2014", "1685-2022"}) {
            if (value.find(year) != std::string_view::npos &&
                ns.find(':') != std::string_view::npos)
                map.format = std::string("IP-XACT ") + year;
        }
    }
    return map;
}

} // namespace vek
