#include "platform/profile_file.h"

#include "platform/file_replacement.h"
#include "platform/number_text.h"
#include "platform/text_file.h"
#include "platform/text_helpers.h"

#include <cerrno>

namespace vek {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

bool IsComment(std::string_view trimmed) {
    return !trimmed.empty() && (trimmed.front() == ';' || trimmed.front() == '#');
}

// The name of the key a line of a section gives; nothing for a blank line, a comment or a line
// without "=".
std::optional<std::string_view> KeyName(std::string_view line) {
    const std::string_view trimmed = TrimBlanks(line);
    const auto equals = trimmed.find('=');
    if (IsComment(trimmed) || equals == std::string_view::npos) {
        return std::nullopt;
    }
    return TrimBlanks(trimmed.substr(0, equals));
}

std::string_view KeyValue(std::string_view line) {
    std::string_view value = TrimBlanks(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

} // namespace

std::size_t ProfileFile::NameHash::operator()(std::string_view name) const {
    std::size_t hash = 14695981039346656037ULL;
    for (char c : name) {
        hash = (hash ^ static_cast<unsigned char>(LowerLetter(c))) * 1099511628211ULL;
    }
    return hash;
}

bool ProfileFile::NameEqual::operator()(std::string_view a, std::string_view b) const {
    return EqualsNoCase(a, b);
}

struct ProfileFile::Section {
    std::string name;               // as the header writes it
    std::string header;             // the "[name]" line
    std::vector<std::string> lines; // the lines below the header
    std::unordered_map<std::string, std::size_t, NameHash, NameEqual> keys; // key -> line
    std::size_t contentEnd = 0; // one past the last non-blank line: where a new key goes
};

ProfileFile::ProfileFile() = default;
ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {}
ProfileFile::~ProfileFile() = default;
ProfileFile::ProfileFile(ProfileFile&&) noexcept = default;
ProfileFile& ProfileFile::operator=(ProfileFile&&) noexcept = default;

ProfileFile ProfileFile::Parse(std::string_view text) {
    ProfileFile file;
    file.ParseText(text);
    return file;
}

void ProfileFile::Clear() {
    utf8Mark_ = false;
    preamble_.clear();
    sections_.clear();
    sectionIndex_.clear();
}

Result<void> ProfileFile::Load() {
    Clear();
    Result<std::string> text = ReadTextFile(path_, kProfileFileLimit);
    if (!text) {
        if (text.Error().code == ENOENT) {
            return {};
        }
        return Failure{text.Error().code, path_ + ": " + text.Error().text};
    }
    ParseText(text.Value());
    return {};
}

ProfileFile::Section& ProfileFile::AddSection(std::string_view name, std::string header) {
    auto section = std::make_unique<Section>();
    section->name = std::string(name);
    section->header = std::move(header);
    Section* added = section.get();
    sections_.push_back(std::move(section));
    const auto group = sectionIndex_.find(name);
    if (group != sectionIndex_.end()) {
        group->second.push_back(added);
    } else {
        sectionIndex_.emplace(std::string(name), std::vector<Section*>{added});
    }
    return *added;
}

void ProfileFile::ParseText(std::string_view text) {
    utf8Mark_ = text.substr(0, kUtf8Mark.size()) == kUtf8Mark;
    if (utf8Mark_) {
        text.remove_prefix(kUtf8Mark.size());
    }
    const auto firstBreak = text.find('\n');
    crlf_ = firstBreak != std::string_view::npos && firstBreak > 0 && text[firstBreak - 1] == '\r';
    Section* current = nullptr;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        // Every carriage return before the line feed goes: a save writes one line end, so a
        // line kept with a trailing one would read otherwise after the next save.
        while (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::string_view trimmed = TrimBlanks(line);
        if (!trimmed.empty() && trimmed.front() == '[') {
            const auto close = trimmed.find(']');
            const auto name =
                TrimBlanks(trimmed.substr(1, close == std::string_view::npos ? close : close - 1));
            current = &AddSection(name, std::string(line));
            continue;
        }
        if (current == nullptr) {
            preamble_.emplace_back(line);
            continue;
        }
        current->lines.emplace_back(line);
        if (!trimmed.empty()) {
            current->contentEnd = current->lines.size();
        }
        if (const auto key = KeyName(line)) {
            current->keys.try_emplace(std::string(*key), current->lines.size() - 1);
        }
    }
}

const std::vector<ProfileFile::Section*>* ProfileFile::SectionsNamed(std::string_view name) const {
    const auto group = sectionIndex_.find(TrimBlanks(name));
    return group == sectionIndex_.end() ? nullptr : &group->second;
}

std::optional<ProfileFile::KeyLine> ProfileFile::FindKey(const std::vector<Section*>* sections,
                                                         std::string_view key) {
    if (sections == nullptr) {
        return std::nullopt;
    }
    for (Section* candidate : *sections) {
        const auto found = candidate->keys.find(TrimBlanks(key));
        if (found != candidate->keys.end()) {
            return KeyLine{candidate, found->second};
        }
    }
    return std::nullopt;
}

std::optional<ProfileFile::KeyLine> ProfileFile::FindKey(std::string_view section,
                                                         std::string_view key) const {
    return FindKey(SectionsNamed(section), key);
}

std::optional<std::string> ProfileFile::Value(std::string_view section,
                                              std::string_view key) const {
    const auto found = FindKey(section, key);
    if (!found) {
        return std::nullopt;
    }
    return std::string(KeyValue(found->section->lines[found->line]));
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::string_view fallback, std::size_t maxLength) const {
    const auto found = FindKey(section, key);
    const std::string_view value = found ? KeyValue(found->section->lines[found->line]) : fallback;
    if (maxLength == 0) {
        return {};
    }
    return std::string(value.substr(0, maxLength - 1));
}

std::int64_t ProfileFile::GetInt(std::string_view section, std::string_view key,
                                 std::int64_t fallback) const {
    const auto found = FindKey(section, key);
    return found ? LeadingInteger(KeyValue(found->section->lines[found->line]), RadixPrefixes::Hex)
                 : fallback;
}

bool ProfileFile::HasKey(std::string_view section, std::string_view key) const {
    return FindKey(section, key).has_value();
}

std::vector<std::string> ProfileFile::SectionNames() const {
    std::vector<std::string> names;
    for (const auto& section : sections_) {
        if (SectionsNamed(section->name)->front() == section.get()) {
            names.push_back(section->name);
        }
    }
    return names;
}

std::vector<std::string> ProfileFile::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    const std::vector<Section*>* sections = SectionsNamed(section);
    if (sections == nullptr) {
        return keys;
    }
    for (const Section* part : *sections) {
        for (const std::string& line : part->lines) {
            if (const auto key = KeyName(line)) {
                keys.emplace_back(*key);
            }
        }
    }
    return keys;
}

std::vector<std::pair<std::string, std::string>>
ProfileFile::Entries(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> entries;
    const std::vector<Section*>* sections = SectionsNamed(section);
    if (sections == nullptr) {
        return entries;
    }
    std::size_t keyLines = 0;
    for (Section* part : *sections) {
        for (std::size_t i = 0; i < part->lines.size(); ++i) {
            if (const auto key = KeyName(part->lines[i])) {
                entries.emplace_back(*key, KeyValue(part->lines[i]));
                ++keyLines;
            }
        }
    }
    // A key written again further down counts with its first line only. Without such keys (one
    // section whose every key line has a key of its own) nothing is to be taken out.
    if (sections->size() == 1 && sections->front()->keys.size() == keyLines) {
        return entries;
    }
    std::vector<std::pair<std::string, std::string>> firsts;
    std::unordered_map<std::string, bool, NameHash, NameEqual> seen;
    for (auto& entry : entries) {
        if (seen.emplace(entry.first, true).second) {
            firsts.push_back(std::move(entry));
        }
    }
    return firsts;
}

bool ProfileFile::SetString(std::string_view section, std::string_view key,
                            std::string_view value) {
    const std::string_view keyName = TrimBlanks(key);
    const std::string_view sectionName = TrimBlanks(section);
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) || keyName.empty() ||
        keyName.find('=') != std::string_view::npos || IsComment(keyName) ||
        keyName.front() == '[' || sectionName.empty() ||
        sectionName.find(']') != std::string_view::npos) {
        return false;
    }
    const std::vector<Section*>* sections = SectionsNamed(sectionName);
    if (const auto found = FindKey(sections, keyName)) {
        std::string& line = found->section->lines[found->line];
        line = std::string(TrimBlanks(std::string_view(line).substr(0, line.find('=')))) + "=" +
               std::string(value);
        return true;
    }
    Section& target = sections != nullptr
                          ? *sections->front()
                          : AddSection(sectionName, "[" + std::string(sectionName) + "]");
    const std::size_t position = target.contentEnd;
    target.lines.insert(target.lines.begin() + static_cast<std::ptrdiff_t>(position),
                        std::string(keyName) + "=" + std::string(value));
    target.keys.emplace(std::string(keyName), position);
    target.contentEnd = position + 1;
    return true;
}

Result<void> ProfileFile::Save() const {
    const char* newline = crlf_ ? "\r\n" : "\n";
    std::string text = utf8Mark_ ? std::string(kUtf8Mark) : std::string();
    const auto addLine = [&](const std::string& line) {
        text += line;
        text += newline;
    };
    for (const std::string& line : preamble_) {
        addLine(line);
    }
    for (const auto& section : sections_) {
        addLine(section->header);
        for (const std::string& line : section->lines) {
            addLine(line);
        }
    }
    return ReplaceFile(path_, text);
}

} // namespace vek
