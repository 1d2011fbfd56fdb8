// The register-values file (.vkg): a profile file with a HEADER section that names the
// description it was saved for, a DRIVER section, and one section per driver and per device.
#include "document/values_file.h"
#include "document/vek_doc.h"
#include "model/driver.h"
#include "model/values_load.h"
#include "platform/host.h"
#include "platform/profile_file.h"
#include "platform/string_table.h"
#include "platform/text_helpers.h"

#include <ctime>
#include <filesystem>
#include <sys/stat.h>

namespace vek {

namespace {

constexpr const char* kHeader = "HEADER";
constexpr const char* kVersion = "1.2";

// The room the stored file names are read with, terminator included.
constexpr std::size_t kPathRoom = 256;

std::string FileName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DateText(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[32] = {};
    std::strftime(text, sizeof text, "%m/%d/%Y", &local);
    return text;
}

std::string ModificationDate(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? DateText(info.st_mtime) : std::string();
}

// A profile line cannot hold a line break: a comment of several lines is kept on one.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return text;
}

// The question of string 61219 with the stored file names in place of %file1 and %file2,
// replaced in one pass so that a name holding "%file2" stays as it is. The names come from the
// file, so their control bytes are shown escaped.
std::string DifferentDescriptionQuestion(const std::string& vkgFile, const std::string& vekFile) {
    const std::string_view pattern = LoadString(StringId::WarnDifferentVekFiles);
    std::string text;
    for (std::size_t i = 0; i < pattern.size();) {
        if (pattern.substr(i, 6) == "%file1") {
            text += "\"" + EscapeControlBytes(vkgFile) + "\"";
            i += 6;
        } else if (pattern.substr(i, 6) == "%file2") {
            text += "\"" + EscapeControlBytes(vekFile) + "\"";
            i += 6;
        } else {
            text += pattern[i++];
        }
    }
    return text;
}

// Whether the description a values file names is this one: the same text but for letter case
// (files saved on Windows), or the same file reached another way (a linked folder).
bool SameDescription(const std::string& named, const std::string& path) {
    if (EqualsNoCase(named, path))
        return true;
    std::error_code error;
    return !named.empty() && std::filesystem::equivalent(named, path, error);
}

std::string JoinedNames(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + EscapeControlBytes(name);
    return text;
}

// Says what a load skipped. False when nothing of the file could be used or a write failed.
bool ReportLoad(Host& host, const std::string& file, const ValuesLoadTally& tally) {
    if (tally.unusable > 0) {
        const int unnamed = tally.unusable - static_cast<int>(tally.firstUnusable.size());
        host.Message(file + ": " + std::to_string(tally.unusable) +
                         " line(s) skipped, not a value of the register's width: " +
                         JoinedNames(tally.firstUnusable) +
                         (unnamed > 0 ? " and " + std::to_string(unnamed) + " more" : ""),
                     true);
    }
    if (tally.taken == 0) {
        host.Message(file + ": no value for a register of this description; nothing was loaded",
                     true);
        return false;
    }
    if (tally.missing > 0) {
        host.Message(file + ": " + std::to_string(tally.missing) +
                         " register(s) have no value in the file and keep theirs",
                     false);
    }
    return tally.failedWrites == 0;
}

} // namespace

void CVekDoc::StoreValues(ProfileFile& values, const std::string& comment) const {
    values.SetString(kHeader, "Version", kVersion);
    values.SetString(kHeader, "SaveDate", DateText(std::time(nullptr)));
    values.SetString(kHeader, "VkgFile", FileName(values.Path()));
    values.SetString(kHeader, "VekFile", path_);
    values.SetString(kHeader, "VekDate", ModificationDate(path_));
    values.SetString(kHeader, "Comment", OneLine(comment));
    for (const auto& driver : drivers_) {
        driver->SaveValues(values);
    }
}

bool CVekDoc::SaveValues(const std::string& file, const std::string& comment) {
    if (!HasValuesEnding(file)) {
        host_.Message(file + ": register values are saved only into .vkg files", true);
        return false;
    }
    // A profile that starts empty: whatever the file held before is replaced as a whole.
    ProfileFile values(file);
    StoreValues(values, comment);
    if (const Result<void> saved = values.Save(); !saved) {
        host_.Message(saved.Error().text, true);
        return false;
    }
    return true;
}

bool CVekDoc::LoadValues(const std::string& file) {
    Result<ProfileFile> loaded = LoadValuesProfile(file);
    if (!loaded) {
        host_.Message(loaded.Error().text, true);
        return false;
    }
    return LoadValues(loaded.Value(), file);
}

bool CVekDoc::LoadValues(const ProfileFile& values, const std::string& file) {
    const std::string vkgFile = values.GetString(kHeader, "VkgFile", "", kPathRoom);
    const std::string vekFile = values.GetString(kHeader, "VekFile", "", kPathRoom);

    if (!SameDescription(vekFile, path_) &&
        host_.Ask(DifferentDescriptionQuestion(vkgFile, vekFile), QuestionKind::YesNo) !=
            Answer::Yes) {
        host_.Message(file + ": not loaded, it was saved with another description", false);
        return false;
    }
    ValuesLoadTally tally;
    for (const auto& driver : drivers_) {
        driver->LoadValues(values, context_.TransferMode(), tally);
    }
    return ReportLoad(host_, file, tally);
}

} // namespace vek
