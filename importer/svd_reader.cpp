#include "importer/svd_reader.h"

#include "importer/import_limits.h"
#include "importer/map_access.h"

#include <algorithm>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vek {

namespace {

using Node = pugi::xml_node;

// The register properties an element gives its registers unless they give their own.
struct Properties {
    std::optional<std::uint64_t> size;
    std::optional<MapAccess> access;
    std::optional<std::uint64_t> resetValue;
    std::optional<std::uint64_t> resetMask;
};

// One element of a dim array: the text its name takes and its distance from the first.
struct DimElement {
    std::string index;
    std::uint64_t offset = 0;
};

std::string Expand(std::string name, const std::string& index, bool isArray) {
    if (!isArray)
        return name;
    if (const std::size_t at = name.find("[%s]"); at != std::string::npos)
        return name.replace(at, 4, index);
    if (const std::size_t at = name.find("%s"); at != std::string::npos)
        return name.replace(at, 2, index);
    return name + index;
}

class SvdWalk {
public:
    SvdWalk(const MapSource& source, ImportWarnings& warnings)
        : source_(source), warnings_(warnings) {}

    RegisterMap Read(Node device) {
        if (const std::optional<std::uint64_t> unit =
                ChildNumber(source_, device, "addressUnitBits");
            unit && *unit != 8)
            warnings_.Add(ImportWarning::AddressUnit, ChildText(device, "name"));
        const Properties deviceProperties = Own(device, {});
        const Node peripherals = Child(device, "peripherals");
        if (!peripherals)
            source_.Fail(device, "no <peripherals>");
        for (const Node peripheral : Children(peripherals, "peripheral"))
            peripheralsByName_.emplace(ChildText(peripheral, "name"), peripheral);
        device_ = device;
        RegisterMap map;
        map.format = "CMSIS-SVD";
        for (const Node peripheral : Children(peripherals, "peripheral"))
            ReadPeripheral(peripheral, deviceProperties, map);
        return map;
    }

private:
    // The element and the elements it derives from, itself first.
    std::vector<Node> Chain(Node node) const {
        std::vector<Node> chain{node};
        while (true) {
            const std::string base = chain.back().attribute("derivedFrom").value();
            if (base.empty())
                return chain;
            const Node found = Base(chain.back(), base);
            if (!found)
                source_.Fail(chain.back(), "derivedFrom '" + base + "' names no " +
                                               std::string(LocalName(chain.back())));
            if (std::find(chain.begin(), chain.end(), found) != chain.end() ||
                chain.size() >= static_cast<std::size_t>(kMaxDerivation))
                source_.Fail(node, "derivedFrom '" + base + "' is a cycle");
            chain.push_back(found);
        }
    }

    // What a derivedFrom names: an element of the same kind beside it, or one reached by its
    // dotted path from the peripherals (PERIPHERAL.CLUSTER.REGISTER.FIELD).
    Node Base(Node node, const std::string& name) const {
        const std::string_view kind = LocalName(node);
        if (kind == "peripheral") {
            const auto found = peripheralsByName_.find(name);
            return found == peripheralsByName_.end() ? Node{} : found->second;
        }
        if (kind == "enumeratedValues")
            return EnumeratedValuesNamed(name);
        if (const std::vector<Node>* named = ElementsNamed(node.parent(), name)) {
            for (const Node sibling : *named) {
                if (sibling != node && LocalName(sibling) == kind)
                    return sibling;
            }
        }
        std::vector<std::string> steps;
        for (std::size_t start = 0;;) {
            const std::size_t dot = name.find('.', start);
            steps.push_back(name.substr(start, dot - start));
            if (dot == std::string::npos)
                break;
            start = dot + 1;
        }
        const auto peripheral = peripheralsByName_.find(steps[0]);
        if (steps.size() < 2 || peripheral == peripheralsByName_.end())
            return {};
        Node at = peripheral->second;
        for (std::size_t i = 1; i < steps.size() && at; ++i) {
            const std::vector<Node>* named = ElementsNamed(Container(at), steps[i]);
            at = named != nullptr ? named->back() : Node{};
        }
        return at && LocalName(at) == kind ? at : Node{};
    }

    Node EnumeratedValuesNamed(const std::string& name) const {
        // Few maps derive value lists: the whole file is searched for them on the first.
        if (!enumeratedValuesIndexed_) {
            for (const pugi::xpath_node list :
                 device_.select_nodes(".//*[local-name()='enumeratedValues']")) {
                if (const std::string named = ChildText(list.node(), "name"); !named.empty())
                    enumeratedValuesByName_.emplace(named, list.node());
            }
            enumeratedValuesIndexed_ = true;
        }
        auto found = enumeratedValuesByName_.find(name);
        if (found == enumeratedValuesByName_.end())
            found = enumeratedValuesByName_.find(name.substr(name.rfind('.') + 1));
        return found == enumeratedValuesByName_.end() ? Node{} : found->second;
    }

    // Where the registers, clusters or fields of `node` lie: a peripheral's <registers>, a
    // register's <fields>, a cluster itself.
    static Node Container(Node node) {
        const std::string_view kind = LocalName(node);
        if (kind == "peripheral")
            return Child(node, "registers");
        if (kind == "register")
            return Child(node, "fields");
        return node;
    }

    // The registers, clusters and fields a peripheral, cluster or register holds directly.
    static std::vector<Node> ContainedElements(Node node) {
        std::vector<Node> found;
        for (Node child = Container(node).first_child(); child; child = child.next_sibling()) {
            if (IsContainedElement(child))
                found.push_back(child);
        }
        return found;
    }

    static bool IsContainedElement(Node node) {
        const std::string_view kind = LocalName(node);
        return node.type() == pugi::node_element &&
               (kind == "register" || kind == "cluster" || kind == "field");
    }

    // The registers, clusters and fields directly in `container` named `name`, in file order:
    // indexed the first time a derivedFrom looks into it, so that many derived elements beside
    // each other cost one pass.
    const std::vector<Node>* ElementsNamed(Node container, const std::string& name) const {
        auto [index, fresh] = elementsByName_.try_emplace(container.internal_object());
        if (fresh) {
            for (Node child = container.first_child(); child; child = child.next_sibling()) {
                if (IsContainedElement(child))
                    index->second[ChildText(child, "name")].push_back(child);
            }
        }
        const auto found = index->second.find(name);
        return found == index->second.end() ? nullptr : &found->second;
    }

    // The children of a chain, the base's first: the derived element's own children are added,
    // and one named like a base's child takes its place.
    std::vector<Node> EffectiveChildren(const std::vector<Node>& chain) const {
        if (chain.size() == 1)
            return ContainedElements(chain.front());
        std::vector<Node> children;
        std::unordered_map<std::string, std::size_t> byKindAndName;
        for (auto link = chain.rbegin(); link != chain.rend(); ++link) {
            for (const Node child : ContainedElements(*link)) {
                const std::string key =
                    std::string(LocalName(child)) + "/" + ChildText(child, "name");
                const auto [found, added] = byKindAndName.emplace(key, children.size());
                if (added)
                    children.push_back(child);
                else
                    children[found->second] = child;
            }
        }
        return children;
    }

    // The first of the chain that has the child element.
    static Node Given(const std::vector<Node>& chain, const char* name) {
        for (const Node link : chain) {
            if (const Node child = Child(link, name))
                return child;
        }
        return {};
    }

    std::string GivenText(const std::vector<Node>& chain, const char* name) const {
        const Node child = Given(chain, name);
        return child ? CollapsedText(child) : std::string();
    }

    std::optional<std::uint64_t> GivenNumber(const std::vector<Node>& chain,
                                             const char* name) const {
        const Node child = Given(chain, name);
        return child ? ChildNumber(source_, child.parent(), name) : std::nullopt;
    }

    Properties Own(Node node, Properties outer) const {
        return Own(std::vector<Node>{node}, outer);
    }

    Properties Own(const std::vector<Node>& chain, Properties outer) const {
        if (const std::optional<std::uint64_t> size = GivenNumber(chain, "size"))
            outer.size = size;
        if (const Node access = Given(chain, "access")) {
            outer.access = MapAccessNamed(CollapsedText(access));
            if (!outer.access)
                source_.Fail(access, "unknown access '" + CollapsedText(access) + "'");
        }
        if (const std::optional<std::uint64_t> value = GivenNumber(chain, "resetValue"))
            outer.resetValue = value;
        if (const std::optional<std::uint64_t> mask = GivenNumber(chain, "resetMask"))
            outer.resetMask = mask;
        return outer;
    }

    // The elements of an array, whose enclosing elements are made `copies` times: an array
    // that would make more registers than an import may is refused before it is made.
    std::vector<DimElement> Dims(const std::vector<Node>& chain, std::uint64_t copies) const {
        const std::optional<std::uint64_t> dim = GivenNumber(chain, "dim");
        if (!dim)
            return {{}};
        const Node node = chain.front();
        if (*dim == 0 || *dim > kMaxDimElements)
            source_.Fail(node, "dim " + std::to_string(*dim) + " is not 1 to " +
                                   std::to_string(kMaxDimElements));
        if (copies * *dim > kMaxImportedRegisters)
            source_.Fail(node, "more than " + std::to_string(kMaxImportedRegisters) + " registers");
        const std::optional<std::uint64_t> increment = GivenNumber(chain, "dimIncrement");
        if (!increment)
            source_.Fail(node, "dim without dimIncrement");
        std::vector<std::string> names = DimIndexNames(node, GivenText(chain, "dimIndex"), *dim);
        std::vector<DimElement> elements;
        for (std::uint64_t i = 0; i < *dim; ++i)
            elements.push_back({std::move(names[i]), i * *increment});
        return elements;
    }

    // dimIndex as "0-3", "A-D" or "A,B,C"; without one the numbers from 0.
    std::vector<std::string> DimIndexNames(Node node, const std::string& text,
                                           std::uint64_t dim) const {
        std::vector<std::string> names;
        if (text.empty()) {
            for (std::uint64_t i = 0; i < dim; ++i)
                names.push_back(std::to_string(i));
            return names;
        }
        const std::size_t dash = text.find('-');
        if (text.find(',') == std::string::npos && dash != std::string::npos) {
            const std::string first = text.substr(0, dash);
            const std::string last = text.substr(dash + 1);
            const std::optional<std::uint64_t> from = MapNumber(first);
            const std::optional<std::uint64_t> to = MapNumber(last);
            if (from && to && *from <= *to && *to - *from < kMaxDimElements) {
                for (std::uint64_t i = *from; i <= *to; ++i)
                    names.push_back(std::to_string(i));
            } else if (first.size() == 1 && last.size() == 1 && first[0] <= last[0]) {
                for (char c = first[0]; c <= last[0]; ++c)
                    names.emplace_back(1, c);
            } else {
                source_.Fail(node, "dimIndex '" + text + "' is no range");
            }
        } else {
            for (std::size_t start = 0;;) {
                const std::size_t comma = text.find(',', start);
                std::string name = text.substr(start, comma - start);
                name.erase(0, name.find_first_not_of(' '));
                name.erase(name.find_last_not_of(' ') + 1);
                names.push_back(std::move(name));
                if (comma == std::string::npos)
                    break;
                start = comma + 1;
            }
        }
        if (names.size() != dim)
            source_.Fail(node, "dimIndex '" + text + "' has " + std::to_string(names.size()) +
                                   " names for dim " + std::to_string(dim));
        return names;
    }

    void ReadPeripheral(Node peripheral, const Properties& outer, RegisterMap& map) {
        const std::vector<Node> chain = Chain(peripheral);
        const std::optional<std::uint64_t> base = GivenNumber(chain, "baseAddress");
        if (!base)
            source_.Fail(peripheral, "no <baseAddress>");
        const Properties properties = Own(chain, outer);
        const std::string name = ChildText(peripheral, "name");
        const std::vector<DimElement> dims = Dims(chain, 1);
        for (const DimElement& element : dims) {
            MapDevice device;
            device.name = Expand(name, element.index, dims.size() > 1 || !element.index.empty());
            device.description = GivenText(chain, "description");
            ReadContents(chain, *base + element.offset, "", properties, device, dims.size(), 0);
            map.devices.push_back(std::move(device));
        }
    }

    // The registers and clusters of a peripheral or cluster at `address`.
    void ReadContents(const std::vector<Node>& chain, std::uint64_t address,
                      const std::string& prefix, const Properties& properties, MapDevice& device,
                      std::uint64_t copies, int depth) {
        if (depth > kMaxNesting)
            source_.Fail(chain.front(),
                         "clusters nested deeper than " + std::to_string(kMaxNesting));
        for (const Node child : EffectiveChildren(chain)) {
            const std::vector<Node> childChain = Chain(child);
            const Properties childProperties = Own(childChain, properties);
            const std::uint64_t offset = GivenNumber(childChain, "addressOffset").value_or(0);
            const std::vector<DimElement> dims = Dims(childChain, copies);
            const std::string name = ChildText(child, "name");
            for (const DimElement& element : dims) {
                const std::string elementName =
                    prefix + Expand(name, element.index, dims.size() > 1 || !element.index.empty());
                const std::uint64_t at = address + offset + element.offset;
                if (LocalName(child) == "cluster")
                    ReadContents(childChain, at, elementName + "_", childProperties, device,
                                 copies * dims.size(), depth + 1);
                else
                    device.registers.push_back(
                        ReadRegister(childChain, elementName, at, childProperties));
            }
        }
    }

    MapRegister ReadRegister(const std::vector<Node>& chain, std::string name,
                             std::uint64_t address, const Properties& properties) {
        if (++registers_ > kMaxImportedRegisters)
            source_.Fail(chain.front(),
                         "more than " + std::to_string(kMaxImportedRegisters) + " registers");
        MapRegister reg;
        reg.name = std::move(name);
        reg.description = GivenText(chain, "description");
        reg.address = address;
        reg.bits =
            static_cast<unsigned>(std::min<std::uint64_t>(properties.size.value_or(32), 4096));
        if (reg.bits == 0)
            source_.Fail(chain.front(), "size 0");
        reg.access = properties.access.value_or(MapAccess::Both);
        reg.resetValue = properties.resetValue.value_or(0);
        reg.resetMask = properties.resetMask.value_or(~std::uint64_t{0});
        reg.readEffect = ReadActionChangesChip(GivenText(chain, "readAction"));
        for (const Node field : EffectiveChildren(chain)) {
            const std::vector<Node> fieldChain = Chain(field);
            const std::vector<DimElement> dims = Dims(fieldChain, 1);
            const std::string fieldName = ChildText(field, "name");
            for (const DimElement& element : dims) {
                MapField read = ReadField(fieldChain);
                read.name =
                    Expand(fieldName, element.index, dims.size() > 1 || !element.index.empty());
                read.lsb += static_cast<unsigned>(element.offset);
                reg.readEffect |= ReadActionChangesChip(GivenText(fieldChain, "readAction"));
                reg.fields.push_back(std::move(read));
            }
        }
        return reg;
    }

    MapField ReadField(const std::vector<Node>& chain) const {
        MapField field;
        field.description = GivenText(chain, "description");
        const Node node = chain.front();
        std::optional<std::uint64_t> lsb = GivenNumber(chain, "bitOffset");
        std::optional<std::uint64_t> width = GivenNumber(chain, "bitWidth");
        if (!lsb) {
            lsb = GivenNumber(chain, "lsb");
            const std::optional<std::uint64_t> msb = GivenNumber(chain, "msb");
            if (lsb && msb && *msb >= *lsb)
                width = *msb - *lsb + 1;
        }
        if (!lsb) {
            const std::string range = GivenText(chain, "bitRange");
            const std::size_t colon = range.find(':');
            if (range.size() > 4 && range.front() == '[' && range.back() == ']' &&
                colon != std::string::npos) {
                const std::optional<std::uint64_t> msb = MapNumber(range.substr(1, colon - 1));
                lsb = MapNumber(range.substr(colon + 1, range.size() - colon - 2));
                if (msb && lsb && *msb >= *lsb)
                    width = *msb - *lsb + 1;
            }
        }
        if (!lsb || *lsb > 4096)
            source_.Fail(node, "no bit range (bitOffset, lsb and msb, or bitRange)");
        field.lsb = static_cast<unsigned>(*lsb);
        field.width = static_cast<unsigned>(std::min<std::uint64_t>(width.value_or(1), 4096));
        if (field.width == 0)
            source_.Fail(node, "bitWidth 0");
        for (const Node link : chain) {
            const std::vector<Node> lists = Children(link, "enumeratedValues");
            if (lists.empty())
                continue;
            for (const Node list : lists)
                ReadEnumeratedValues(Chain(list), field);
            break;
        }
        return field;
    }

    void ReadEnumeratedValues(const std::vector<Node>& chain, MapField& field) const {
        for (const Node list : chain) {
            const std::vector<Node> values = Children(list, "enumeratedValue");
            if (values.empty())
                continue;
            for (const Node value : values) {
                MapEnumValue entry;
                entry.name = ChildText(value, "name");
                entry.description = CollapsedText(Child(value, "description"));
                const std::string text = ChildText(value, "value");
                if (ChildText(value, "isDefault") == "true" || ChildText(value, "isDefault") == "1")
                    entry.value = "other";
                else if (const std::optional<std::uint64_t> number = MapNumber(text))
                    entry.value = std::to_string(*number);
                else if (!text.empty())
                    entry.value = text;
                else {
                    warnings_.Add(ImportWarning::EnumLeftOut, entry.name);
                    continue;
                }
                field.values.push_back(std::move(entry));
            }
            return;
        }
    }

    const MapSource& source_;
    ImportWarnings& warnings_;
    std::unordered_map<std::string, Node> peripheralsByName_;
    Node device_;
    mutable std::unordered_map<std::string, Node> enumeratedValuesByName_;
    mutable bool enumeratedValuesIndexed_ = false;
    mutable std::unordered_map<const pugi::xml_node_struct*,
                               std::unordered_map<std::string, std::vector<Node>>>
        elementsByName_;
    std::size_t registers_ = 0;
};

} // namespace

RegisterMap ReadSvd(const MapSource& source, ImportWarnings& warnings) {
    return SvdWalk(source, warnings).Read(source.Root());
}

} // namespace vek
