#include "ui/app/recent_file_list.h"

#include "platform/profile_file.h"
#include "ui/host/text_conversion.h"

namespace vek {

namespace {

constexpr const char* kSection = "Recent File List";
constexpr std::size_t kPathLength = 4096;

std::string Key(int n) {
    return "File" + std::to_string(n);
}

} // namespace

void RecentFileList::Add(const QString& path) {
    files_.removeAll(path);
    files_.prepend(path);
    while (files_.size() > kSize)
        files_.removeLast();
}

void RecentFileList::Remove(int index) {
    if (index >= 0 && index < files_.size())
        files_.removeAt(index);
}

void RecentFileList::Load(const ProfileFile& profile) {
    files_.clear();
    for (int n = 1; n <= kSize; ++n) {
        const std::string path = profile.GetString(kSection, Key(n), "", kPathLength);
        if (!path.empty())
            files_.append(ToQString(path));
    }
}

void RecentFileList::Save(ProfileFile& profile) const {
    for (int n = 1; n <= kSize; ++n) {
        const QString path = n <= files_.size() ? files_[n - 1] : QString();
        profile.SetString(kSection, Key(n), ToStdString(path));
    }
}

} // namespace vek
