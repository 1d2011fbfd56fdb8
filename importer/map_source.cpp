#include "importer/map_source.h"

#include <algorithm>
#include <cstring>

namespace vek {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

std::optional<std::uint64_t> Digits(std::string_view text, unsigned radix) {
    if (text.empty() || text.front() == '_' || text.back() == '_')
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c == '_')
            continue;
        const int digit = DigitValue(c);
        if (digit >= static_cast<int>(radix))
            return std::nullopt;
        if (value > (~std::uint64_t{0} - static_cast<unsigned>(digit)) / radix)
            return std::nullopt;
        value = value * radix + static_cast<unsigned>(digit);
    }
    return value;
}

unsigned RadixLetter(char c) {
    switch (c) {
    case 'h':
    case 'H':
        return 16;
    case 'd':
    case 'D':
        return 10;
    case 'o':
    case 'O':
        return 8;
    case 'b':
    case 'B':
        return 2;
    default:
        return 0;
    }
}

} // namespace

MapSource::MapSource(std::string path, std::string text)
    : path_(std::move(path)), text_(std::move(text)) {
    // Parsed where it lies: the tree points into the text, which the source keeps. An element's
    // text is kept in the element itself, not in a node of its own: half the nodes of a map.
    const pugi::xml_parse_result parsed = document_.load_buffer_inplace(
        text_.data(), text_.size(),
        (pugi::parse_default | pugi::parse_embed_pcdata) & ~pugi::parse_doctype,
        pugi::encoding_auto);
    if (!parsed)
        throw MapFault(path_ + ":" + std::to_string(LineAt(parsed.offset)) +
                       ": not well-formed XML: " + parsed.description());
    if (!Root())
        throw MapFault(path_ + ":1: not well-formed XML: no element");
    if (std::strchr(Root().name(), ':') != nullptr)
        DropPrefixes();
}

// Counted only for a message: the parse keeps the text's line ends where they were.
int MapSource::LineAt(std::ptrdiff_t offset) const {
    const auto end = static_cast<std::size_t>(
        std::clamp<std::ptrdiff_t>(offset, 0, static_cast<std::ptrdiff_t>(text_.size())));
    return 1 + static_cast<int>(std::count(text_.begin(),
                                           text_.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
}

void MapSource::DropPrefixes() {
    for (pugi::xml_node node = Root(); node;) {
        // Copied out first: the parser's own copy within the name's buffer is not meant for
        // a source inside that buffer.
        if (const char* colon = std::strrchr(node.name(), ':'))
            node.set_name(std::string(colon + 1).c_str());
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && !node.next_sibling())
            node = node.parent();
        if (node)
            node = node.next_sibling();
    }
}

void MapSource::Fail(pugi::xml_node node, std::string_view what) const {
    std::vector<std::string> steps;
    for (pugi::xml_node step = node; step && step.type() == pugi::node_element;
         step = step.parent()) {
        std::string text(LocalName(step));
        if (const std::string name = ChildText(step, "name"); !name.empty())
            text += "[" + name + "]";
        steps.push_back(std::move(text));
    }
    std::string where;
    for (auto step = steps.rbegin(); step != steps.rend(); ++step)
        where += "/" + *step;
    throw MapFault(path_ + ":" + std::to_string(LineAt(node.offset_debug())) + ": " + where + ": " +
                   std::string(what));
}

std::string_view LocalName(pugi::xml_node node) {
    return node.name();
}

pugi::xml_node Child(pugi::xml_node node, const char* name) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && std::strcmp(child.name(), name) == 0)
            return child;
    }
    return {};
}

std::vector<pugi::xml_node> Children(pugi::xml_node node, const char* name) {
    std::vector<pugi::xml_node> found;
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && std::strcmp(child.name(), name) == 0)
            found.push_back(child);
    }
    return found;
}

std::string ChildText(pugi::xml_node node, const char* name) {
    return std::string(Trim(Child(node, name).child_value()));
}

std::string CollapsedText(pugi::xml_node node) {
    std::string text;
    for (const char c : std::string_view(node.child_value())) {
        if (IsBlank(c)) {
            if (!text.empty() && text.back() != ' ')
                text += ' ';
        } else {
            text += c;
        }
    }
    if (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

std::optional<std::uint64_t> MapNumber(std::string_view text) {
    text = Trim(text);
    if (text.empty())
        return std::nullopt;
    std::uint64_t scale = 1;
    switch (text.back()) {
    case 'k':
    case 'K':
        scale = 1024;
        break;
    case 'm':
    case 'M':
        scale = 1024 * 1024;
        break;
    case 'g':
    case 'G':
        scale = 1024 * 1024 * 1024;
        break;
    default:
        break;
    }
    std::optional<std::uint64_t> value;
    std::string_view body = scale == 1 ? text : text.substr(0, text.size() - 1);
    if (const std::size_t tick = body.find('\''); tick != std::string_view::npos) {
        // Verilog: an optional width, ', an optional s, the radix letter, the digits.
        std::string_view rest = body.substr(tick + 1);
        if (!rest.empty() && (rest.front() == 's' || rest.front() == 'S'))
            rest.remove_prefix(1);
        const unsigned radix = rest.empty() ? 0 : RadixLetter(rest.front());
        if (radix == 0 || (tick > 0 && !Digits(body.substr(0, tick), 10)))
            return std::nullopt;
        value = Digits(rest.substr(1), radix);
    } else if (body.size() > 2 && body[0] == '0' && (body[1] == 'x' || body[1] == 'X')) {
        value = Digits(body.substr(2), 16);
    } else if (body.size() > 2 && body[0] == '0' && (body[1] == 'b' || body[1] == 'B')) {
        value = Digits(body.substr(2), 2);
    } else if (body.size() > 1 && body[0] == '#') {
        value = Digits(body.substr(1), 2);
    } else {
        value = Digits(body, 10);
    }
    if (!value || *value > ~std::uint64_t{0} / scale)
        return std::nullopt;
    return *value * scale;
}

std::optional<std::uint64_t> ChildNumber(const MapSource& source, pugi::xml_node node,
                                         const char* name) {
    const pugi::xml_node child = Child(node, name);
    if (!child)
        return std::nullopt;
    const std::optional<std::uint64_t> value = MapNumber(child.child_value());
    if (!value)
        source.Fail(child, "'" + std::string(Trim(child.child_value())) + "' is not a number");
    return value;
}

} // namespace vek
