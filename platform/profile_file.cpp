#include "platform/profile_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace vek {

namespace {

std::string Lower(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return result;
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// The key a line gives ("key=value"), or nothing for blank, comment and other lines.
std::optional<std::string_view> KeyOfLine(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    const auto equals = trimmed.find('=');
    if (trimmed.empty() || trimmed.front() == ';' || equals == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(trimmed.substr(0, equals));
}

// The value of a key line: blanks around it removed, a pair of enclosing quotes dropped.
std::string_view ValueOfLine(std::string_view line) {
    std::string_view value = Trim(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

void SetReason(std::string* reason, const std::string& text) {
    if (reason != nullptr) {
        *reason = text;
    }
}

} // namespace

struct ProfileFile::Section {
    std::string header;                                // the "[name]" line as read or written
    std::vector<std::string> lines;                    // the lines below the header
    std::unordered_map<std::string, std::size_t> keys; // lower-case key -> index into lines
    std::size_t contentEnd = 0; // one past the last non-blank line: where a new key goes
};

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {}
ProfileFile::~ProfileFile() = default;
ProfileFile::ProfileFile(ProfileFile&&) noexcept = default;
ProfileFile& ProfileFile::operator=(ProfileFile&&) noexcept = default;

void ProfileFile::Clear() {
    utf8Mark_ = false;
    preamble_.clear();
    sections_.clear();
    sectionIndex_.clear();
}

bool ProfileFile::Load(std::string* reason) {
    Clear();
    const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            return true;
        }
        SetReason(reason, path_ + ": " + std::strerror(errno));
        return false;
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int error = errno;
            close(fd);
            SetReason(reason, path_ + ": " + std::strerror(error));
            return false;
        }
        if (n == 0) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    Parse(text);
    return true;
}

void ProfileFile::Parse(std::string_view text) {
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    utf8Mark_ = text.substr(0, kUtf8Mark.size()) == kUtf8Mark;
    if (utf8Mark_) {
        text.remove_prefix(kUtf8Mark.size());
    }
    const auto firstBreak = text.find('\n');
    crlf_ = firstBreak != std::string_view::npos && firstBreak > 0 && text[firstBreak - 1] == '\r';
    Section* current = nullptr;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::string_view trimmed = Trim(line);
        if (!trimmed.empty() && trimmed.front() == '[') {
            const auto close = trimmed.find(']');
            const std::string_view name =
                Trim(trimmed.substr(1, close == std::string_view::npos ? close : close - 1));
            auto section = std::make_unique<Section>();
            section->header = std::string(line);
            current = section.get();
            sectionIndex_.try_emplace(Lower(name), current); // the first of equal names is used
            sections_.push_back(std::move(section));
            continue;
        }
        if (current == nullptr) {
            preamble_.emplace_back(line);
            continue;
        }
        current->lines.emplace_back(line);
        if (trimmed.empty()) {
            continue;
        }
        current->contentEnd = current->lines.size();
        if (const auto key = KeyOfLine(trimmed)) {
            current->keys.try_emplace(Lower(*key), current->lines.size() - 1);
        }
    }
}

ProfileFile::Section* ProfileFile::FindSection(std::string_view name) const {
    const auto found = sectionIndex_.find(Lower(Trim(name)));
    return found == sectionIndex_.end() ? nullptr : found->second;
}

ProfileFile::Section& ProfileFile::SectionFor(std::string_view name) {
    if (Section* existing = FindSection(name)) {
        return *existing;
    }
    auto section = std::make_unique<Section>();
    section->header = "[" + std::string(Trim(name)) + "]";
    Section* added = section.get();
    sectionIndex_.emplace(Lower(Trim(name)), added);
    sections_.push_back(std::move(section));
    return *added;
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::string_view fallback, std::size_t maxLength) const {
    std::string_view value = fallback;
    if (const Section* found = FindSection(section)) {
        const auto line = found->keys.find(Lower(Trim(key)));
        if (line != found->keys.end()) {
            value = ValueOfLine(found->lines[line->second]);
        }
    }
    if (maxLength == 0) {
        return {};
    }
    return std::string(value.substr(0, maxLength - 1));
}

bool ProfileFile::HasKey(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    return found != nullptr && found->keys.count(Lower(Trim(key))) != 0;
}

std::vector<std::pair<std::string, std::string>>
ProfileFile::Entries(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> entries;
    const Section* found = FindSection(section);
    if (found == nullptr) {
        return entries;
    }
    for (std::size_t i = 0; i < found->lines.size(); ++i) {
        const std::string& line = found->lines[i];
        const auto key = KeyOfLine(line);
        // A key written again further down is read from its first line only.
        if (key && found->keys.find(Lower(*key))->second == i) {
            entries.emplace_back(*key, ValueOfLine(line));
        }
    }
    return entries;
}

bool ProfileFile::SetString(std::string_view section, std::string_view key,
                            std::string_view value) {
    const std::string_view keyName = Trim(key);
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) || keyName.empty() ||
        keyName.find('=') != std::string_view::npos || keyName.front() == ';' ||
        keyName.front() == '[' || Trim(section).empty() ||
        section.find(']') != std::string_view::npos) {
        return false;
    }
    Section& target = SectionFor(section);
    const std::string lowerKey = Lower(keyName);
    const auto existing = target.keys.find(lowerKey);
    if (existing != target.keys.end()) {
        std::string& line = target.lines[existing->second];
        const std::string_view oldKey = Trim(std::string_view(line).substr(0, line.find('=')));
        line = std::string(oldKey) + "=" + std::string(value);
        return true;
    }
    const std::size_t position = target.contentEnd;
    target.lines.insert(target.lines.begin() + static_cast<std::ptrdiff_t>(position),
                        std::string(keyName) + "=" + std::string(value));
    target.keys.emplace(lowerKey, position);
    target.contentEnd = position + 1;
    return true;
}

bool ProfileFile::Save(std::string* reason) const {
    const char* newline = crlf_ ? "\r\n" : "\n";
    std::string text = utf8Mark_ ? "\xEF\xBB\xBF" : "";
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

    std::string temporary = path_ + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        SetReason(reason, path_ + ": " + std::strerror(errno));
        return false;
    }
    struct stat old {};
    fchmod(fd, stat(path_.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        written += static_cast<std::size_t>(n);
    }
    // The new contents reach the disk before the rename makes them the file, so that a crash
    // leaves either the old file or the whole new one.
    const int writeError = written != text.size() ? errno : fsync(fd) != 0 ? errno : 0;
    const bool closed = close(fd) == 0;
    if (writeError != 0 || !closed || std::rename(temporary.c_str(), path_.c_str()) != 0) {
        const int error = writeError != 0 ? writeError : errno;
        unlink(temporary.c_str());
        SetReason(reason, path_ + ": " + std::strerror(error));
        return false;
    }
    return true;
}

} // namespace vek
