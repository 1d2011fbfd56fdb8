// The register-values file (.vkg): a profile file with a HEADER section that names the
// description it was saved for, a DRIVER section, and one section per driver and per device.
#include "document/values_file.h"
#include "document/vek_doc.h"
#include "model/driver.h"
#include "platform/host.h"
#include "platform/profile_file.h"
#include "platform/string_table.h"
#include "platform/text_helpers.h"

#include <ctime>
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

bool HasValuesEnding(const std::string& path) {
    const std::string name = FileName(path);
    return name.size() > 4 && EndsWithNoCase(name, ".vkg");
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
// replaced in one pass so that a name holding "%file2" stays as it is.
std::string DifferentDescriptionQuestion(const std::string& vkgFile, const std::string& vekFile) {
    const std::string_view pattern = LoadString(StringId::WarnDifferentVekFiles);
    std::string text;
    for (std::size_t i = 0; i < pattern.size();) {
        if (pattern.substr(i, 6) == "%file1") {
            text += "\"" + vkgFile + "\"";
            i += 6;
        } else if (pattern.substr(i, 6) == "%file2") {
            text += "\"" + vekFile + "\"";
            i += 6;
        } else {
            text += pattern[i++];
        }
    }
    return text;
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
    const ProfileFile& values = loaded.Value();
    const std::string vkgFile = values.GetString(kHeader, "VkgFile", "", kPathRoom);
    const std::string vekFile = values.GetString(kHeader, "VekFile", "", kPathRoom);

    if (!EqualsNoCase(vekFile, path_) && host_.Ask(DifferentDescriptionQuestion(vkgFile, vekFile),
                                                   QuestionKind::YesNo) != Answer::Yes) {
        return false;
    }
    for (const auto& driver : drivers_) {
        driver->LoadValues(values, context_.TransferMode());
    }
    return true;
}

} // namespace vek
