#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vek {

// A private-profile (INI) file with the Windows rules: section and key names are compared without
// case, existing lines and their order are kept, a new key goes to the end of its section and a new
// section to the end of the file. The file is parsed once; changes are made to the parsed copy and
// reach the disk only through Save, which writes a temporary file beside the original and renames
// it over the old one, so a failed save never leaves a half-written file.
class ProfileFile {
public:
    explicit ProfileFile(std::string path);
    ~ProfileFile();
    ProfileFile(ProfileFile&&) noexcept;
    ProfileFile& operator=(ProfileFile&&) noexcept;

    // Parses the file. A missing file is an empty profile; a file that exists but cannot be read
    // gives false and the reason.
    bool Load(std::string* reason = nullptr);
    // Writes the whole profile. False with the reason when it could not be written.
    bool Save(std::string* reason = nullptr) const;
    // Forgets every section, as if the file had been emptied.
    void Clear();

    const std::string& Path() const { return path_; }

    // The value of a key as GetPrivateProfileString gives it: blanks around it removed, a pair of
    // enclosing quotes dropped, cut to maxLength - 1 characters (the room a caller's buffer of
    // maxLength characters leaves beside its terminator). The fallback when the key is absent.
    std::string GetString(std::string_view section, std::string_view key, std::string_view fallback,
                          std::size_t maxLength) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    // A section's keys with their values as GetString gives them (not cut), in file order; a
    // key written on several lines counts once, with the value of its first line.
    std::vector<std::pair<std::string, std::string>> Entries(std::string_view section) const;
    // Sets a key, adding the section and the key when they are absent. Names and values that
    // would break the line structure (line breaks, a key with "=" or an empty key, a section
    // name with "]") are refused with false.
    bool SetString(std::string_view section, std::string_view key, std::string_view value);

private:
    struct Section;
    Section* FindSection(std::string_view name) const;
    Section& SectionFor(std::string_view name);
    void Parse(std::string_view text);

    std::string path_;
    bool crlf_ = false;
    bool utf8Mark_ = false;             // the file began with a UTF-8 byte-order mark
    std::vector<std::string> preamble_; // lines before the first section
    std::vector<std::unique_ptr<Section>> sections_;
    std::unordered_map<std::string, Section*> sectionIndex_;
};

} // namespace vek
