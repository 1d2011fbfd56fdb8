#include "document/values_file.h"

#include "platform/text_helpers.h"

#include <sys/stat.h>
#include <unordered_set>

namespace vek {

namespace {

// The longest text the program reads back for a register's key (79 characters).
constexpr std::size_t kLineRoom = 80;
// Room for a driver or device name, as for the file names of the HEADER section.
constexpr std::size_t kNameRoom = 256;

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

// A value as the program reads it, into room for `room` characters with the terminator.
std::string Cut(std::string value, std::size_t room) {
    if (value.size() >= room) {
        value.resize(room - 1);
    }
    return value;
}

// The values of the keys of a section that begin with a prefix, in file order.
std::vector<std::string> NumberedValues(const ProfileFile& values, const std::string& section,
                                        std::string_view prefix) {
    std::vector<std::string> found;
    for (auto& [key, value] : values.Entries(section)) {
        if (StartsWithNoCase(key, prefix)) {
            found.push_back(Cut(std::move(value), kNameRoom));
        }
    }
    return found;
}

// The longest description path a register-values file's HEADER gives: a path the system takes.
constexpr std::size_t kDescriptionPathRoom = 4096;

} // namespace

bool HasValuesEnding(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::string_view name = slash == std::string::npos
                                      ? std::string_view(path)
                                      : std::string_view(path).substr(slash + 1);
    return name.size() > 4 && EndsWithNoCase(name, ".vkg");
}

Result<std::string> DescriptionOfValues(const ProfileFile& values) {
    std::string description = values.GetString("HEADER", "VekFile", "", kDescriptionPathRoom);
    if (description.empty()) {
        return Failure{1, "names no description"};
    }
    if (HasValuesEnding(description)) {
        return Failure{1, "names the register-values file " + EscapeControlBytes(description) +
                              " as its description; only a description is opened with values"};
    }
    return description;
}

Result<std::string> DescriptionNamedBy(const std::string& valuesPath) {
    const Result<ProfileFile> values = LoadValuesProfile(valuesPath);
    if (!values) {
        return values.Error();
    }
    Result<std::string> description = DescriptionOfValues(values.Value());
    if (!description) {
        return Failure{description.Error().code, valuesPath + ": " + description.Error().text};
    }
    return description;
}

Result<ProfileFile> LoadValuesProfile(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return Failure{1, path + ": no such register-values file"};
    }
    ProfileFile values(path);
    if (Result<void> loaded = values.Load(); !loaded) {
        return loaded.Error();
    }
    return values;
}

Result<SavedValues> ReadValuesFile(const std::string& path) {
    Result<ProfileFile> values = LoadValuesProfile(path);
    if (!values) {
        return values.Error();
    }
    if (values.Value().Entries("HEADER").empty() && values.Value().Entries("DRIVER").empty()) {
        return Failure{1, path + ": not a register-values file (no HEADER or DRIVER section)"};
    }
    return SavedValuesOf(values.Value());
}

SavedValues SavedValuesOf(const ProfileFile& values) {
    SavedValues saved;
    saved.vekFile = values.GetString("HEADER", "VekFile", "", kNameRoom);
    std::unordered_set<std::string> seenDrivers;
    std::unordered_set<std::string> seenDevices;
    for (const std::string& file : NumberedValues(values, "DRIVER", "DRV")) {
        // The driver's name is its file name without the four-character ending.
        const std::string driver = file.size() > 4 ? file.substr(0, file.size() - 4) : "";
        // Every device of a driver named again is read already: walking its DEV keys once more
        // for each such key would make a file of many keys take quadratic time.
        if (!seenDrivers.insert(LowerCase(driver)).second) {
            continue;
        }
        for (const std::string& device : NumberedValues(values, driver, "DEV")) {
            const std::string section = driver + ":" + device;
            if (!seenDevices.insert(LowerCase(section)).second) {
                continue;
            }
            for (auto& [key, value] : values.Entries(section)) {
                if (StartsWithNoCase(key, "0x")) {
                    saved.registers.push_back(
                        {section, std::move(key), Cut(std::move(value), kLineRoom)});
                }
            }
        }
    }
    return saved;
}

std::vector<SavedPart> SavedParts(const std::string& text) {
    const std::size_t blank = text.find(' ');
    if (blank != std::string::npos && blank > 0 && text.size() > blank + 2 && text.back() == 'W') {
        const char marker = text[blank - 1];
        if (marker == 'R' || marker == 'S') {
            return {
                {marker == 'R' ? SavedRole::Read : SavedRole::Status, text.substr(0, blank - 1)},
                {SavedRole::Write, text.substr(blank + 1, text.size() - blank - 2)}};
        }
    }
    return {{SavedRole::Whole, text}};
}

} // namespace vek
