#pragma once

#include "platform/result.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vek {

// A private-profile (INI) file with the Windows rules, as the register-values files, the
// application's profile and the drivers' settings files use it:
// - "[name]" lines open sections and "key=value" lines give keys; lines that start with ";" or "#"
//   are comments, and lines before the first section belong to none;
// - section and key names are compared without case, and the first line of a key is the one that
//   counts; sections of one name read as one, in file order (settings files written by hand
//   repeat a section rather than extend it);
// - existing lines and their order are kept, a new key goes to the end of its section and a new
//   section to the end of the file;
// - LF and CRLF files are read, and a file keeps its line ends and byte-order mark when written.
// The file is parsed once; changes are made to the parsed copy and reach the disk only through
// Save, which replaces the file whole (ReplaceFile: through a temporary beside it, through links,
// never over a read-only file), so a failed save never leaves a half-written file.
class ProfileFile {
public:
    // A profile without a file, for settings given as text.
    ProfileFile();
    explicit ProfileFile(std::string path);
    ~ProfileFile();
    ProfileFile(ProfileFile&&) noexcept;
    ProfileFile& operator=(ProfileFile&&) noexcept;

    static ProfileFile Parse(std::string_view text);

    // Parses the file. A missing file is an empty profile; a file that exists but cannot be read,
    // or holds more than kProfileFileLimit, is a failure that names the file and the reason.
    Result<void> Load();
    // Writes the whole profile; a failure names the file and the reason.
    Result<void> Save() const;
    // Forgets every section, as if the file had been emptied.
    void Clear();

    const std::string& Path() const { return path_; }

    // The value of a key with the blanks around it removed and a pair of enclosing quotes (double
    // or single) dropped; nothing when the key is absent.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // The value as GetPrivateProfileString gives it: cut to maxLength - 1 characters (the room a
    // caller's buffer of maxLength characters leaves beside its terminator); the fallback, cut the
    // same way, when the key is absent.
    std::string GetString(std::string_view section, std::string_view key, std::string_view fallback,
                          std::size_t maxLength) const;
    // The value read as a number the way the C library reads one (LeadingInteger, with "0x" for
    // hexadecimal); the fallback when the key is absent.
    std::int64_t GetInt(std::string_view section, std::string_view key,
                        std::int64_t fallback) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    // The sections in file order, each name once, as its first header writes it; also those
    // without keys.
    std::vector<std::string> SectionNames() const;
    // The names of a section's keys in file order, one for each key line.
    std::vector<std::string> Keys(std::string_view section) const;
    // A section's keys with their values as Value gives them, in file order; a key written on
    // several lines counts once, with the value of its first line.
    std::vector<std::pair<std::string, std::string>> Entries(std::string_view section) const;
    // Sets a key, adding the section and the key when they are absent. Names and values that
    // would break the line structure (line breaks, a key with "=", an empty key or one that would
    // read as a comment or a section, a section name with "]") are refused with false.
    bool SetString(std::string_view section, std::string_view key, std::string_view value);

private:
    // Names hash and compare without case, so that a look-up needs no lower-case copy.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const;
    };
    struct NameEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    struct Section;
    struct KeyLine {
        Section* section;
        std::size_t line;
    };

    const std::vector<Section*>* SectionsNamed(std::string_view name) const;
    static std::optional<KeyLine> FindKey(const std::vector<Section*>* sections,
                                          std::string_view key);
    std::optional<KeyLine> FindKey(std::string_view section, std::string_view key) const;
    Section& AddSection(std::string_view name, std::string header);
    void ParseText(std::string_view text);

    std::string path_;
    bool crlf_ = false;
    bool utf8Mark_ = false;             // the file began with a UTF-8 byte-order mark
    std::vector<std::string> preamble_; // lines before the first section
    std::vector<std::unique_ptr<Section>> sections_;
    // every section of a name, in file order
    std::unordered_map<std::string, std::vector<Section*>, NameHash, NameEqual> sectionIndex_;
};

} // namespace vek
