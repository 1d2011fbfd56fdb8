#pragma once

#include <pugixml.hpp>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vek {

// A fault of the map file, with the text the user reads ("FILE:LINE: PATH: what"). Thrown from
// deep inside a reader's walk and turned into the import's failure at its entry.
class MapFault : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A parsed XML map file: the element tree, and where each element stands in the file, for
// messages. No DTD is read, no entity expanded and nothing fetched: the parser sees the text.
class MapSource {
public:
    // Throws a MapFault when the text is not well-formed XML.
    MapSource(std::string path, std::string text);
    MapSource(const MapSource&) = delete;
    MapSource& operator=(const MapSource&) = delete;

    pugi::xml_node Root() const { return document_.document_element(); }
    const std::string& Path() const { return path_; }

    // "FILE:LINE: /device/peripherals/peripheral[UART0]: what".
    [[noreturn]] void Fail(pugi::xml_node node, std::string_view what) const;

private:
    int LineAt(std::ptrdiff_t offset) const;
    void DropPrefixes();

    std::string path_;
    std::string text_;
    pugi::xml_document document_;
};

// The element's name without its namespace prefix (spirit:, ipxact:): the source drops the
// prefixes once it has parsed the file, so that each look-up of a child compares names alone.
std::string_view LocalName(pugi::xml_node node);
// The first child element of that local name, or an empty node.
pugi::xml_node Child(pugi::xml_node node, const char* name);
// The child elements of that local name, in file order.
std::vector<pugi::xml_node> Children(pugi::xml_node node, const char* name);
// A child's text with blanks and line ends at both ends removed; empty when there is none.
std::string ChildText(pugi::xml_node node, const char* name);
// The element's own text, blanks removed at both ends and runs of white space made one blank.
std::string CollapsedText(pugi::xml_node node);

// A number as register maps write them: decimal, 0x or 0X hexadecimal, # or 0b binary, the
// Verilog forms 'hFF and 32'h00FF, underscores between digits, and a k, M or G multiplier.
// Nothing when the text is no such number or it does not fit 64 bits.
std::optional<std::uint64_t> MapNumber(std::string_view text);

// A child's number; an absent child gives `fallback`, a child that is no number fails.
std::optional<std::uint64_t> ChildNumber(const MapSource& source, pugi::xml_node node,
                                         const char* name);

} // namespace vek
